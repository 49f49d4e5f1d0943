#include "options.h"
#include "../text/text.h"

enum OptionKind {
    kOptText,
    kOptClass,
    kOptExe,
    kOptPid,
    kOptActivate,
    kOptWait,
    kOptCount,
    kOptVerbose,
    kOptTest,
    kOptUtf8,
    kOptWatch,
    kOptForce,
    kOptJson,
    kOptNone
};

// Tried in this order, as case-insensitive prefixes; a name's place is its OptionKind. A name that
// began a later one would hide it: none does ("-t" comes after "-text").
static const char* const kOptionNames[] = {"-text", "-class", "-exe",  "-pid",   "-a",     "-wait", "-count",
                                           "-v",    "-t",     "-utf8", "-watch", "-force", "-json"};

void DefaultSettings(Settings* s) {
    s->windowtext[0] = 0;
    s->windowclass[0] = 0;
    s->exename[0] = 0;
    s->processid = 0;
    s->activate = 0;
    s->waittime = 1000;
    s->maxcount = 1;
    s->verbose = 0;
    s->test = 0;
    s->utf8 = 0;
    s->watch = 0;
    s->force = 0;
    s->json = 0;
}

// The first name the entry begins with, and its kind; kOptNone when there is none.
static OptionKind FindOption(const char16_t* entry, const char** name) {
    for (int kind = kOptText; kind < kOptNone; ++kind) {
        *name = kOptionNames[kind];
        if (StartsWithNoCase(entry, *name)) return static_cast<OptionKind>(kind);
    }
    return kOptNone;
}

// The value starts one separator character after the name; a bare name has an empty value.
static const char16_t* OptionValue(const char16_t* entry, const char* name) {
    int nameLen = 0;
    while (name[nameLen])
        ++nameLen;
    return entry[nameLen] ? entry + nameLen + 1 : entry + nameLen;
}

static bool ApplyOption(OptionKind kind, const char* name, const char16_t* entry, Settings* s) {
    const char16_t* value = OptionValue(entry, name);
    switch (kind) {
    case kOptText:
        return StrCopy(s->windowtext, kTextCap, value);
    case kOptClass:
        return StrCopy(s->windowclass, kClassCap, value);
    case kOptExe:
        return StrCopy(s->exename, kExeCap, value);
    case kOptPid:
        s->processid = ParseInt32(value);
        return s->processid > 0;
    case kOptActivate:
        s->activate = 1;
        break;
    case kOptWait:
        s->waittime = ParseInt32(value);
        break;
    case kOptCount:
        s->maxcount = ParseInt32(value);
        break;
    case kOptVerbose:
        s->verbose = 1;
        break;
    case kOptTest:
        s->verbose = 1;
        s->test = 1;
        break;
    case kOptUtf8:
        s->utf8 = 1;
        break;
    case kOptWatch:
        s->watch = ParseInt32(value);
        break;
    case kOptForce:
        s->force = 1;
        break;
    case kOptJson:
        s->json = 1;
        break;
    case kOptNone:
        break;
    }
    return true;
}

bool ParseOptions(int count, char16_t** entries, Settings* s) {
    for (int i = 1; i < count; ++i) {
        char16_t work[kEntryCap];
        if (!StrCopy(work, kEntryCap, entries[i])) return false;
        if (work[0] == '/') work[0] = '-';
        if (work[0] != '-') continue;
        const char* name = nullptr;
        OptionKind kind = FindOption(work, &name);
        if (!ApplyOption(kind, name, work, s)) return false;
    }
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
