// The close run's report, in the form the settings choose: text lines on standard output (with
// -v, every step as it happens; the summary at the end) or, with -json, one JSON document in UTF-8
// (an object per window as soon as its outcome is known). The run tells each step once and does
// not ask which form it is in.
#pragma once

#include "record.h"
#include "../cmdline/options.h"

// The settings line (text, -v) or the document's head. `s` must outlive the report.
void ReportStart(const Settings* s);
// How many windows fit at the start (text, -v).
void ReportFound(int found);
// Fills the record of the window about to be handled (its text, for a listing or the document;
// its process) and lists it (text, -v). The index is two wide when more than ten were found.
void ReportListing(WindowRecord* r, Window w, const char16_t* className, int index, int found);
// A step of a window's handling, as a text line of -v; the document has it in the window's record.
void ReportStep(const char* format, ...);
// The window's object in the document, once its outcome is known.
void ReportOutcome(const WindowRecord* r);
// The summary line (text, not in test mode) or the document's tail.
void ReportEnd(const RunTotals* totals, int exitCode);
// Where no user window can be seen, the one fact the run reports instead of looking: a text line
// or a document with no window.
void ReportNoDesktop(const Settings* s, const char16_t* station, int exitCode);
