#include "report.h"
#include "document.h"
#include "output.h"
#include "../select/programs.h"

static_assert(kDocumentPieceCap <= kMaxWriteUnits, "a piece of the document is written whole");

namespace {
const unsigned kListTextTimeoutMs = 1000;

const Settings* gSettings;
bool gWindowWritten; // a comma before every window object but the first
char16_t gPiece[kDocumentPieceCap];

void WriteDocument(const JsonText* t) {
    WriteStdOut(t->buf, t->len, true);
}

bool Verbose() {
    return gSettings->verbose && !gSettings->json;
}

// The summary's words, by whether any program was ended and any window activated.
const char* const kSummaries[] = {"%i of %i window%s closed\n", "%i of %i window%s closed %i ended\n",
                                  "%i of %i window%s closed %i activated\n",
                                  "%i of %i window%s closed %i ended %i activated\n"};
} // namespace

void ReportStart(const Settings* s) {
    gSettings = s;
    SetReportUtf8(s->utf8 != 0);
    JsonText t;
    JsonBegin(&t, gPiece, kDocumentPieceCap);
    if (s->json) {
        DocumentHead(&t, s);
        WriteDocument(&t);
    } else if (s->verbose && s->watch) {
        PrintOut("activate=%i wait=%i count=%i watch=%i\n", s->activate, s->waittime, s->maxcount, s->watch);
    } else if (s->verbose) {
        PrintOut("activate=%i wait=%i count=%i\n", s->activate, s->waittime, s->maxcount);
    }
}

void ReportFound(int found) {
    if (Verbose()) PrintOut("found %i windows to close\n", found);
}

// One write per line: a pipe write is the dearest step of a listing. The class name is the one
// read during the collection; the text may have changed since, so it is read again.
void ReportListing(WindowRecord* r, Window w, const char16_t* className, int index, int found) {
    *r = {};
    r->window = w;
    r->className = className;
    r->outcome = gSettings->test ? kOutcomeListed : kOutcomeStayed;
    if (gSettings->json) r->pid = ProcessOf(w);
    if (!gSettings->json && !gSettings->verbose) return;
    ReadWindowText(w, r->text, kRecordTextCap, kListTextTimeoutMs);
    if (!Verbose()) return;
    const char* format = found > 10 ? "win[%2i]:  hWnd=0x%08Ix text='%s' class='%s'\n"
                                    : "win[%i]:  hWnd=0x%08Ix text='%s' class='%s'\n";
    PrintListing(format, index, reinterpret_cast<unsigned long long>(w), r->text, className);
}

void ReportStep(const char* format, ...) {
    if (!Verbose()) return;
    va_list args;
    va_start(args, format);
    PrintOutV(format, args);
    va_end(args);
}

void ReportOutcome(const WindowRecord* r) {
    if (!gSettings->json) return;
    JsonText t;
    JsonBegin(&t, gPiece, kDocumentPieceCap);
    const char16_t* dialogText = r->dialog ? WindowTextForLog(r->dialog) : nullptr;
    const char16_t* dialogClass = r->dialog ? ClassNameForLog(r->dialog) : nullptr;
    DocumentWindow(&t, r, ProgramOf(r->pid), dialogText, dialogClass, !gWindowWritten);
    gWindowWritten = true;
    WriteDocument(&t);
}

namespace {
void EndDocument(const RunTotals* totals, int exitCode, const char16_t* hiddenStation) {
    JsonText t;
    JsonBegin(&t, gPiece, kDocumentPieceCap);
    DocumentTail(&t, totals, exitCode, hiddenStation);
    WriteDocument(&t);
}
} // namespace

// The text form is the one line, even with -v: the settings line would tell of a run that never was.
void ReportNoDesktop(const Settings* s, const char16_t* station, int exitCode) {
    RunTotals none = {};
    if (!s->json) {
        SetReportUtf8(s->utf8 != 0);
        PrintOut("no interactive desktop: window station %s shows no user windows\n", station);
        return;
    }
    ReportStart(s);
    EndDocument(&none, exitCode, station);
}

void ReportEnd(const RunTotals* totals, int exitCode) {
    if (gSettings->json) {
        EndDocument(totals, exitCode, nullptr);
        return;
    }
    if (gSettings->test) return;
    int ended = totals->ended, activated = totals->activated;
    PrintOut(kSummaries[(ended > 0) + 2 * (activated > 0)], totals->closed, totals->seen,
             totals->seen == 1 ? u"" : u"s", ended > 0 ? ended : activated, activated);
}
