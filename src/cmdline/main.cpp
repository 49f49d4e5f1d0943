#include "main.h"
#include "options.h"
#include "usage.h"
#include "../close/run.h"
#include "../report/report.h"
#include "../winsys/winsys.h"

namespace {
const int kStationNameCap = 256;
Settings gSettings; // zero-initialised: no constructor runs without a C runtime
bool gHidden;       // no user window can be seen from here
char16_t gStationName[kStationNameCap];

// Where no one sees windows, a run would find none and call that success. This is the one place
// that states the fact instead: its report and its exit code.
int RefuseHiddenDesktop(const Settings* s) {
    ReportNoDesktop(s, gStationName, kExitNoDesktop);
    return kExitNoDesktop;
}
} // namespace

void CheckDesktop() {
    gHidden = !DesktopIsInteractive(gStationName, kStationNameCap);
}

void ShowUsage() {
    ShowUsageText(kUsageText, !gHidden);
}

int RefuseCommandLine() {
    ShowUsage();
    return kExitNoPattern;
}

int RunMain(int count, char16_t** entries) {
    int code = PrepareSettings(count, entries, &gSettings);
    if (code) {
        ShowUsage();
        return code;
    }
    if (gHidden) return RefuseHiddenDesktop(&gSettings);
    return RunClose(&gSettings);
}
