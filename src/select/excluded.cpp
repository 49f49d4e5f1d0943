#include "excluded.h"
#include "../text/text.h"

namespace {
// One packed string, ended by an empty name: no pointer table, nothing to relocate.
const char kExcludedClasses[] = "MozillaWindowClass\0"
                                "MozillaTaskbarPreviewClass\0"
                                "MozillaHiddenWindowClass\0"
                                "MozillaDropShadowWindowClass\0"
                                "seamonkeyMessageWindow\0"
                                "MSCTFIME UI\0"
                                "IME\0"
                                "MailBiffNotificationMessageWindow\0"
                                "OleDdeWndClass\0"
                                "DDEMLEvent\0"
                                "DEMLMom\0";
} // namespace

bool IsExcludedClass(const char16_t* name) {
    for (const char* excluded = kExcludedClasses; *excluded;) {
        if (StrEqualAscii(name, excluded)) return true;
        while (*excluded++) {
        }
    }
    return false;
}
