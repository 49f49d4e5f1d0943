#include "excluded.h"
#include "../cmdline/text.h"

namespace {
const char* const kExcludedClasses[] = {
    "MozillaWindowClass",
    "MozillaTaskbarPreviewClass",
    "MozillaHiddenWindowClass",
    "MozillaDropShadowWindowClass",
    "seamonkeyMessageWindow",
    "MSCTFIME UI",
    "IME",
    "MailBiffNotificationMessageWindow",
    "OleDdeWndClass",
    "DDEMLEvent",
    "DEMLMom",
};
} // namespace

bool IsExcludedClass(const char* name) {
    for (const char* excluded : kExcludedClasses) {
        if (StrEqual(name, excluded)) return true;
    }
    return false;
}
