#include "report.h"
#include "json.h"
#include "output.h"
#include "../select/programs.h"
#include "../text/text.h"

namespace {
const unsigned kListTextTimeoutMs = 1000;
// The largest piece of the document: a window's object, every string of it escaped at six units
// a unit, besides its fixed words.
const int kPieceCap = 5 * kJsonQuotedCap + 512;
static_assert(kPieceCap <= kMaxWriteUnits, "a piece of the document is written whole");

// The words of Outcome, in its order.
const char* const kOutcomeWords[] = {"listed",  "closed", "stayed",   "blocked",
                                     "refused", "ended",  "not ended"};

// The settings the report goes by, read once.
bool gVerbose, gJson, gTest; // gVerbose: text lines of every step
bool gWindowWritten;         // a comma before every window object but the first
char16_t gPiece[kPieceCap];
char16_t gQuoted[5][kJsonQuotedCap];
const int kCountCap = 24;
char16_t gEnded[kCountCap], gActivated[kCountCap];

const char* Bool(int value) {
    return value ? "true" : "false";
}

// The strings of a piece, quoted in turn into gQuoted.
const char16_t* Quote(int slot, const char16_t* s) {
    JsonQuote(gQuoted[slot], kJsonQuotedCap, s, kJsonTextLimit);
    return gQuoted[slot];
}

const char16_t* Pattern(int slot, const char16_t* pattern) {
    return Quote(slot, *pattern ? pattern : nullptr);
}

// One piece of the document, in UTF-8, formatted as a report line is; the strings come quoted.
void WritePiece(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(gPiece, kPieceCap, format, args);
    va_end(args);
    WriteStdOut(gPiece, StrLen(gPiece), true);
}

void EndDocument(const RunTotals* t, int exitCode, const char16_t* hiddenStation) {
    WritePiece(
        "\n],\"found\":%i,\"closed\":%i,\"ended\":%i,\"activated\":%i,\"hidden_station\":%s,\"exit\":%i}\n",
        t->seen, t->closed, t->ended, t->activated, Quote(0, hiddenStation), exitCode);
}
} // namespace

void ReportStart(const Settings* s) {
    gJson = s->json;
    gVerbose = s->verbose && !gJson;
    gTest = s->test;
    SetReportUtf8(s->utf8 != 0);
    if (s->json)
        WritePiece("{\"format\":1,\"settings\":{\"text\":%s,\"class\":%s,\"exe\":%s,\"pid\":%i,\"wait\":%i,"
                   "\"count\":%i,\"activate\":%hs,\"test\":%hs,\"watch\":%i,\"force\":%hs},\"windows\":[",
                   Pattern(0, s->windowtext), Pattern(1, s->windowclass), Pattern(2, s->exename),
                   s->processid, s->waittime, s->maxcount, Bool(s->activate), Bool(s->test), s->watch,
                   Bool(s->force));
    else if (s->verbose)
        PrintOut(s->watch ? "activate=%i wait=%i count=%i watch=%i\n" : "activate=%i wait=%i count=%i\n",
                 s->activate, s->waittime, s->maxcount, s->watch);
}

void ReportFound(int found) {
    if (gVerbose) PrintOut("found %i windows to close\n", found);
}

// One write per line: a pipe write is the dearest step of a listing. The class name is the one
// read during the collection; the text may have changed since, so it is read again.
void ReportListing(WindowRecord* r, Window w, const char16_t* className, int index, int found) {
    *r = {};
    r->window = w;
    r->className = className;
    r->outcome = gTest ? kOutcomeListed : kOutcomeStayed;
    if (gJson) r->pid = ProcessOf(w);
    if (!gJson && !gVerbose) return;
    ReadWindowText(w, r->text, kRecordTextCap, kListTextTimeoutMs);
    if (!gVerbose) return;
    // The index two wide when more than ten were found.
    PrintOut("win[%hs%i]:  hWnd=0x%08Ix text='%s' class='%s'\n", found > 10 && index < 10 ? " " : "", index,
             reinterpret_cast<unsigned long long>(w), r->text, className);
}

void ReportStep(const char* format, ...) {
    if (!gVerbose) return;
    va_list args;
    va_start(args, format);
    PrintOutV(format, args);
    va_end(args);
}

void ReportOutcome(const WindowRecord* r) {
    if (!gJson) return;
    Window dialog = r->dialog;
    WritePiece(
        "%hs{\"handle\":\"0x%08Ix\",\"pid\":%u,\"image\":%s,\"class\":%s,\"text\":%s,\"outcome\":\"%hs\","
        "\"error\":%u,\"reason\":\"%hs\",\"dialog_text\":%s,\"dialog_class\":%s,\"activated\":%hs}",
        gWindowWritten ? ",\n" : "\n", reinterpret_cast<unsigned long long>(r->window), r->pid,
        Quote(0, ProgramOf(r->pid)), Quote(1, r->className), Quote(2, r->text), kOutcomeWords[r->outcome],
        r->error, r->reason ? r->reason : "", Quote(3, dialog ? WindowTextForLog(dialog) : nullptr),
        Quote(4, dialog ? ClassNameForLog(dialog) : nullptr), Bool(r->activated));
    gWindowWritten = true;
}

void ReportNoDesktop(const Settings* s, const char16_t* station, int exitCode) {
    SetReportUtf8(s->utf8 != 0);
    RunTotals none = {};
    if (!s->json) {
        PrintOut("no interactive desktop: window station %s shows no user windows\n", station);
        return;
    }
    ReportStart(s);
    EndDocument(&none, exitCode, station);
}

void ReportEnd(const RunTotals* totals, int exitCode) {
    if (gJson) {
        EndDocument(totals, exitCode, nullptr);
        return;
    }
    if (gTest) return;
    // " N ended" and " N activated" only when N is above 0.
    Format(gEnded, kCountCap, totals->ended > 0 ? " %i ended" : "", totals->ended);
    Format(gActivated, kCountCap, totals->activated > 0 ? " %i activated" : "", totals->activated);
    PrintOut("%i of %i window%s closed%s%s\n", totals->closed, totals->seen, totals->seen == 1 ? u"" : u"s",
             gEnded, gActivated);
}
