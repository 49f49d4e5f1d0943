// The parsed command line and the rules that fill it. Portable: no windows.h. Text is UTF-16 and
// every capacity counts UTF-16 units.
#pragma once

const int kTextCap = 512;  // text pattern, terminator included
const int kClassCap = 256; // class pattern, terminator included
const int kExeCap = 512;   // image file name pattern, terminator included
const int kEntryCap = 512; // one command-line word, terminator included

struct Settings {
    // The numbers first: they are read most, and near the start a field costs less to reach.
    int processid; // 0: any process
    int activate;
    int waittime; // milliseconds
    int maxcount;
    int verbose;
    int test;
    int utf8;  // the report in UTF-8 rather than the ANSI code page
    int watch; // milliseconds to go on finding windows as they appear; 0: none, below 0: no end
    int force; // end the program of a window that stays, unless a guardrail keeps it
    int json;  // the report as one JSON document
    char16_t windowtext[kTextCap];
    char16_t windowclass[kClassCap];
    char16_t exename[kExeCap]; // pattern on the file name of the window's program
};

// Exit codes of a run that never reaches the windows.
const int kExitNoArguments = 1;
const int kExitNoDesktop = 3; // no user window can be seen from here (a task's or service's station)
const int kExitNoPattern = 4;
// A watch that ended without any window that fits.
const int kExitNothingAppeared = 2;

void DefaultSettings(Settings* s);

// Reads entries 1..count-1 into `s`. False when an entry or a value does not fit its buffer (a cut
// pattern could name windows the user never named), or when a process id is not a positive
// number (it would name no process, or every one): such a line is refused.
bool ParseOptions(int count, char16_t** entries, Settings* s);

void StripQuotes(char16_t* value);    // drops enclosing quotes, and a lone trailing one
void UnescapeQuotes(char16_t* value); // \" becomes "

// The first half of the main routine: 0 when the run may go on with `s`, otherwise the exit
// code to end with after the usage box.
int PrepareSettings(int count, char16_t** entries, Settings* s);
