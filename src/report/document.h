// The JSON report, piece by piece, as the run goes: the head with the settings, one object per
// window, the tail with the totals. Each piece is appended to `t` (see json.h for its bounds).
// Portable.
#pragma once

#include "json.h"
#include "record.h"
#include "../cmdline/options.h"

// Room for the largest window object: every string of it escaped at six units a unit.
const int kDocumentPieceCap = 12288;

void DocumentHead(JsonText* t, const Settings* s);
// `image` is the program's file name, or nullptr when it cannot be read; the dialog's text and
// class are read only for a window that a dialog blocked.
void DocumentWindow(JsonText* t, const WindowRecord* r, const char16_t* image, const char16_t* dialogText,
                    const char16_t* dialogClass, bool first);
// `hiddenStation`: the name of the window station that shows no user windows, where nothing was
// looked at; nullptr otherwise.
void DocumentTail(JsonText* t, const RunTotals* totals, int exitCode, const char16_t* hiddenStation);
