#include "main.h"
#include "options.h"
#include "usage.h"
#include "../close/run.h"
#include "../winsys/winsys.h"

namespace {
Settings gSettings; // zero-initialised: no constructor runs without a C runtime
}

void ShowUsage() {
    ShowUsageText(kUsageText);
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
    return RunClose(&gSettings);
}
