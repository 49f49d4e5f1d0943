// The parsed command line and the rules that fill it. Portable: no windows.h.
#pragma once

const int kTextCap = 512;  // text pattern, terminator included
const int kClassCap = 256; // class pattern, terminator included
const int kEntryCap = 512; // one command-line word, terminator included

struct Settings {
    char windowtext[kTextCap];
    char windowclass[kClassCap];
    int activate;
    int waittime; // milliseconds
    int maxcount;
    int verbose;
    int test;
};

// Exit codes of a run that never reaches the windows.
const int kExitNoArguments = 1;
const int kExitNoPattern = 4;

void DefaultSettings(Settings* s);

// Reads entries 1..count-1 into `s`. False when an entry or a value does not fit its buffer:
// a cut pattern could name windows the user never named, so such a line is refused.
bool ParseOptions(int count, char** entries, Settings* s);

void StripQuotes(char* value);    // drops enclosing quotes, and a lone trailing one
void UnescapeQuotes(char* value); // \" becomes "

// The first half of the main routine: 0 when the run may go on with `s`, otherwise the exit
// code to end with after the usage box.
int PrepareSettings(int count, char** entries, Settings* s);
