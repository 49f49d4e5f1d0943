#include "usage.h"

const char kUsageText[] = "Usage:\n\nQuellix [-text=windowtext] [-class=windowclass] [-wait=waittime] [-a] "
                          "[-count:maxcount] [-v]\n\n"
                          "-text    \twindow text\n"
                          "-class   \twindows class name\n"
                          "-exe     \tprogram file name\n"
                          "-pid     \tprocess id\n"
                          "-a       \ttry to activate window (bring in foreground) if not closed\n"
                          "-wait    \twait before close console window\n"
                          "-count   \tmax number of windows to close\n"
                          "-v       \tverbose - list windows to close\n"
                          "-t       \ttest - list windows only\n"
                          "-utf8    \treport in UTF-8 instead of the ANSI code page\n";
