#include "excluded.h"
#include "../text/text.h"

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

bool IsExcludedClass(const char16_t* name) {
    for (const char* excluded : kExcludedClasses) {
        if (StrEqualAscii(name, excluded)) return true;
    }
    return false;
}
