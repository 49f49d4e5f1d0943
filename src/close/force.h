// -force: the program of a window that stayed is ended, unless a guardrail keeps it alive.
#pragma once

#include "../report/record.h"

// Ends the program that owns the record's window, or says in the record which guardrail kept it
// (outcome kOutcomeNotEnded). True when the program ended and its window is gone: then the outcome
// is kOutcomeEnded. Waits for the end for `waittime` ms, and never less than a second.
bool EndProgram(WindowRecord* r, int waittime);
