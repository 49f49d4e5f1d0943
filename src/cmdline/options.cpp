#include "options.h"
#include "../text/text.h"

#include <stddef.h>

namespace {
enum OptionKind : unsigned char {
    kString,   // a pattern, copied whole or refused
    kNumber,   // a decimal, read as far as it goes
    kPositive, // a decimal that must be above 0
    kFlag,     // on when present
};

struct Option {
    char name[7];
    OptionKind kind;
    unsigned short field; // offset in Settings
    unsigned short cap;   // of a string field, in units
};

// Tried in this order, as case-insensitive prefixes. A name that began a later one would hide it:
// none does ("-t" comes after "-text"). A table of records: no pointer to relocate.
const Option kOptions[] = {
    {"-text", kString, offsetof(Settings, windowtext), kTextCap},
    {"-class", kString, offsetof(Settings, windowclass), kClassCap},
    {"-exe", kString, offsetof(Settings, exename), kExeCap},
    {"-pid", kPositive, offsetof(Settings, processid), 0},
    {"-a", kFlag, offsetof(Settings, activate), 0},
    {"-wait", kNumber, offsetof(Settings, waittime), 0},
    {"-count", kNumber, offsetof(Settings, maxcount), 0},
    {"-v", kFlag, offsetof(Settings, verbose), 0},
    {"-t", kFlag, offsetof(Settings, test), 0},
    {"-utf8", kFlag, offsetof(Settings, utf8), 0},
    {"-watch", kNumber, offsetof(Settings, watch), 0},
    {"-force", kFlag, offsetof(Settings, force), 0},
    {"-json", kFlag, offsetof(Settings, json), 0},
};

// The first option the entry begins with; nullptr when there is none.
const Option* FindOption(const char16_t* entry) {
    for (const Option& o : kOptions) {
        if (StartsWithNoCase(entry, o.name)) return &o;
    }
    return nullptr;
}

// The value starts one separator character after the name; a bare name has an empty value.
bool ApplyOption(const Option* o, const char16_t* entry, Settings* s) {
    int nameLen = 0;
    while (o->name[nameLen])
        ++nameLen;
    const char16_t* value = entry[nameLen] ? entry + nameLen + 1 : entry + nameLen;
    char* field = reinterpret_cast<char*>(s) + o->field;
    int* number = reinterpret_cast<int*>(field);
    if (o->kind == kString) return StrCopy(reinterpret_cast<char16_t*>(field), o->cap, value);
    *number = o->kind == kFlag ? 1 : ParseInt32(value);
    return o->kind != kPositive || *number > 0;
}
} // namespace

void DefaultSettings(Settings* s) {
    *s = {};
    s->waittime = 1000;
    s->maxcount = 1;
}

bool ParseOptions(int count, char16_t** entries, Settings* s) {
    for (int i = 1; i < count; ++i) {
        char16_t work[kEntryCap];
        if (!StrCopy(work, kEntryCap, entries[i])) return false;
        if (work[0] == '/') work[0] = '-';
        if (work[0] != '-') continue;
        const Option* o = FindOption(work);
        if (o && !ApplyOption(o, work, s)) return false;
    }
    s->verbose |= s->test; // test mode lists what it finds
    return true;
}

void StripQuotes(char16_t* value) {
    int n = StrLen(value);
    if (n >= 2 && value[0] == '"' && value[n - 1] == '"') {
        for (int i = 0; i < n - 2; ++i)
            value[i] = value[i + 1];
        value[n - 2] = 0;
    }
    char16_t* quote = StrFindChar(value, '"');
    if (quote && quote[1] == 0) *quote = 0;
}

void UnescapeQuotes(char16_t* value) {
    int w = 0;
    for (int r = 0; value[r]; ++r) {
        if (value[r] == '\\' && value[r + 1] == '"') ++r;
        value[w++] = value[r];
    }
    value[w] = 0;
}

static bool NoPattern(const Settings* s) {
    return !s->windowtext[0] && !s->windowclass[0] && !s->exename[0] && !s->processid;
}

int PrepareSettings(int count, char16_t** entries, Settings* s) {
    DefaultSettings(s);
    if (count < 2) return kExitNoArguments;
    if (!ParseOptions(count, entries, s) || NoPattern(s)) return kExitNoPattern;
    char16_t* patterns[] = {s->windowtext, s->windowclass, s->exename};
    for (char16_t* pattern : patterns) {
        StripQuotes(pattern);
        UnescapeQuotes(pattern);
    }
    // Clean-up can empty a pattern; with none left every window would match.
    return NoPattern(s) ? kExitNoPattern : 0;
}
