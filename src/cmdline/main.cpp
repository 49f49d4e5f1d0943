#include "main.h"
#include "options.h"
#include "usage.h"
#include "../close/run.h"
#include "../winsys/winsys.h"

namespace {
Settings gSettings; // zero-initialised: no constructor runs without a C runtime
}

void ShowUsage() {
    char text[1256];
    Format(text, sizeof text, "%s%s", kUsageLine, kUsageOptions);
    ShowMessageBox(text, "Quellix");
}

int RefuseCommandLine() {
    ShowUsage();
    return kExitNoPattern;
}

int RunMain(int count, char** entries) {
    int code = PrepareSettings(count, entries, &gSettings);
    if (code) {
        ShowUsage();
        return code;
    }
    return RunClose(&gSettings);
}
