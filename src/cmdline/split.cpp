#include "split.h"
#include "../text/text.h"

static void RemoveUnescapedQuotes(char16_t* s) {
    char16_t prev = 0;
    int w = 0;
    for (int r = 0; s[r]; ++r) {
        char16_t c = s[r];
        bool drop = c == '"' && prev != '\\';
        prev = c;
        if (!drop) s[w++] = c;
    }
    s[w] = 0;
}

bool SplitArgs(const char16_t* line, char16_t* copy, int copyCap, ArgTable* table) {
    table->count = 0;
    if (!StrCopy(copy, copyCap, line)) return false;
    TrimSpaceTab(copy);
    int len = StrLen(copy);
    if (len == 0) return true;

    table->entries[table->count++] = copy;
    bool inQuotes = copy[0] == '"';
    for (int i = 1; i < len; ++i) {
        if (inQuotes) {
            if (copy[i] == '"') inQuotes = false;
            continue;
        }
        if (copy[i] == ' ') {
            copy[i++] = 0;
            while (copy[i] == ' ') // trimmed, so a non-space follows
                ++i;
            if (table->count == kMaxArgs) return false;
            table->entries[table->count++] = copy + i;
        }
        if (copy[i] == '"') inQuotes = true;
    }
    for (int k = 0; k < table->count; ++k)
        RemoveUnescapedQuotes(table->entries[k]);
    return true;
}
