// The program's main routine and the start-up that feeds it.
#pragma once

// Exit code of the whole run for the argument table of the command line.
int RunMain(int count, char16_t** entries);

// Exit code for a command line that does not fit whole: nothing is run on part of it.
int RefuseCommandLine();

void ShowUsage();
