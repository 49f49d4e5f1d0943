// Splits a command line into words by the program's quoting rules: only the space separates,
// a double quote toggles quoting, and every double quote not preceded by a backslash is removed.
// The words point into `copy`. A line that does not fit `copy` whole, or has more words than
// kMaxArgs, is refused (false) rather than truncated. Capacities count UTF-16 units.
#pragma once

const int kCmdLineCap = 1280;
const int kMaxArgs = kCmdLineCap / 2; // one character and one space per word at least

struct ArgTable {
    int count;
    char16_t* entries[kMaxArgs];
};

bool SplitArgs(const char16_t* line, char16_t* copy, int copyCap, ArgTable* table);
