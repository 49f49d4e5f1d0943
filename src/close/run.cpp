#include "run.h"
#include "activate.h"
#include "../report/output.h"
#include "../select/source.h"

namespace {
const int kListTextCap = 512;
const unsigned kListTextTimeoutMs = 1000;
const unsigned kPollMs = 10;
const unsigned kPauseMs = 30; // between windows, so that closing one settles before the next

// One write per line: a pipe write is the dearest step of a listing. The class name is the one
// read during the collection; the text may have changed since, so it is read again.
void ListWindow(int index, int found, const ListedWindow* entry) {
    char16_t text[kListTextCap];
    ReadWindowText(entry->window, text, kListTextCap, kListTextTimeoutMs);
    const char* format = found > 10 ? "win[%2i]:  hWnd=0x%08Ix text='%s' class='%s'\n"
                                    : "win[%i]:  hWnd=0x%08Ix text='%s' class='%s'\n";
    PrintListing(format, index, reinterpret_cast<unsigned long long>(entry->window), text, entry->className);
}

// Elapsed ticks are unsigned differences, so the wait survives the tick count's wrap; a negative
// wait compares as a very long one. A window that its own modal dialog blocks is not asked again:
// the application would re-enter its close handler under the dialog. A refused request (an
// elevated program's window) is not waited for.
bool CloseAndWait(Window w, int waittime, bool verbose) {
    if (!IsEnabled(w) && FindOwnedDialog(w)) return false;
    unsigned start = TickCount();
    if (!PostCloseRequest(w)) {
        unsigned error = LastErrorCode();
        if (WindowExists(w)) {
            if (verbose) PrintOut(" close request refused (error %u)\n", error);
            return false;
        }
    }
    while (WindowExists(w) && TickCount() - start < static_cast<unsigned>(waittime))
        SleepMs(kPollMs);
    return !WindowExists(w);
}

// 64-bit, so that a count of INT32_MIN means one window like any other count below 1.
bool IsLastToProcess(int index, int maxcount) {
    return static_cast<long long>(index) >= static_cast<long long>(maxcount) - 1;
}
} // namespace

int RunClose(const Settings* s) {
    int closed = 0, activated = 0, result = 0;
    SetReportUtf8(s->utf8 != 0);
    if (s->verbose && s->watch)
        PrintOut("activate=%i wait=%i count=%i watch=%i\n", s->activate, s->waittime, s->maxcount, s->watch);
    else if (s->verbose)
        PrintOut("activate=%i wait=%i count=%i\n", s->activate, s->waittime, s->maxcount);
    if (s->activate) ProbeInput();

    int found = OpenWindowSource(s);
    if (s->verbose) PrintOut("found %i windows to close\n", found);

    int j = 0;
    for (const ListedWindow* entry; (entry = NextWindow()) != nullptr; ++j) {
        Window w = entry->window;
        if (s->verbose) ListWindow(j, found, entry);
        if (s->test) continue;
        if (CloseAndWait(w, s->waittime, s->verbose != 0)) {
            if (s->verbose) PrintOut(" closed\n");
            ++closed;
        } else {
            result = 1;
            if (s->activate) {
                if (ActivateSurvivor(w, s->verbose != 0)) ++activated;
            } else if (s->verbose) {
                PrintOut(" still there -> give up\n");
            }
        }
        if (IsLastToProcess(j, s->maxcount)) break;
        SleepMs(kPauseMs);
    }
    if (s->test) return 0;

    int seen = WindowsSeen();
    const char16_t* plural = seen == 1 ? u"" : u"s";
    if (activated > 0)
        PrintOut("%i of %i window%s closed %i activated\n", closed, seen, plural, activated);
    else
        PrintOut("%i of %i window%s closed\n", closed, seen, plural);
    return s->watch && !seen ? kExitNothingAppeared : result;
}
