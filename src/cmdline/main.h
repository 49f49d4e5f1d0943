// The program's main routine and the start-up that feeds it.
#pragma once

// Asks once, before the arguments are used, whether a user can see windows from here. Where no
// one can, no usage box is shown and no run looks at windows.
void CheckDesktop();

// Exit code of the whole run for the argument table of the command line.
int RunMain(int count, char16_t** entries);

// Exit code for a command line that does not fit whole: nothing is run on part of it.
int RefuseCommandLine();

void ShowUsage();
