#include "usage.h"

const char kUsageLine[] = "Usage:\n\nQuellix [-text=windowtext] [-class=windowclass] [-wait=waittime] [-a] "
                          "[-count:maxcount] [-v]\n\n";
const char kUsageOptions[] = "-text    \twindow text\n"
                             "-class   \twindows class name\n"
                             "-a       \ttry to activate window (bring in foreground) if not closed\n"
                             "-wait    \twait before close console window\n"
                             "-count   \tmax number of windows to close\n"
                             "-v       \tverbose - list windows to close\n"
                             "-t       \ttest - list windows only\n";
