// The close run: every matching window asked to close, waited for, reported.
#pragma once

#include "../cmdline/options.h"

// Returns the exit code: 0 when every processed window closed (or in test mode), 1 otherwise.
int RunClose(const Settings* s);
