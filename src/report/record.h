// What the report tells of one window, and of the whole run: the facts both forms of the report
// (text lines, JSON document) are made from. Portable.
#pragma once

#include "../winsys/winsys.h"

const int kRecordTextCap = 512; // what a report shows of a title, and its terminator

enum Outcome {
    kOutcomeListed,
    kOutcomeClosed,
    kOutcomeStayed,
    kOutcomeBlocked,
    kOutcomeRefused,
    kOutcomeEnded,
    kOutcomeNotEnded
};

struct WindowRecord {
    Window window;
    unsigned pid;
    const char16_t* className;
    int outcome;        // an Outcome
    unsigned error;     // refused, or not ended for want of access: the system's error code
    const char* reason; // not ended: why, in the report's words
    Window dialog;      // the dialog of its own that blocked it, if any
    bool activated;
    char16_t text[kRecordTextCap]; // last: the fields before it are the ones the run reads
};

struct RunTotals {
    int seen; // every window that fitted
    int closed, ended, activated;
};
