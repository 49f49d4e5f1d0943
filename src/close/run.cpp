#include "run.h"
#include "activate.h"
#include "force.h"
#include "../report/report.h"
#include "../select/source.h"

namespace {
const unsigned kPollMs = 10;
const unsigned kPauseMs = 30; // between windows, so that closing one settles before the next

WindowRecord gRecord;

// Elapsed ticks are unsigned differences, so the wait survives the tick count's wrap; a negative
// wait compares as a very long one. A window that its own modal dialog blocks is not asked again:
// the application would re-enter its close handler under the dialog; only -force waits for it, for
// someone at the screen may answer the dialog. A refused request (an elevated program's window)
// is not waited for.
bool CloseAndWait(WindowRecord* r, const Settings* s) {
    Window w = r->window;
    unsigned start = TickCount();
    if (!IsEnabled(w) && (r->dialog = FindOwnedDialog(w)) != nullptr) {
        r->outcome = kOutcomeBlocked;
        if (!s->force) return false;
    } else if (!PostCloseRequest(w)) {
        unsigned error = LastErrorCode();
        if (WindowExists(w)) {
            r->outcome = kOutcomeRefused;
            r->error = error;
            ReportStep(" close request refused (error %u)\n", error);
            return false;
        }
    }
    while (WindowExists(w) && TickCount() - start < static_cast<unsigned>(s->waittime))
        SleepMs(kPollMs);
    return !WindowExists(w);
}

// A window that stayed: its program ended (-force), or brought forward (-a) or given up.
void HandleSurvivor(WindowRecord* r, const Settings* s, RunTotals* t, int* result) {
    if (s->force && EndProgram(r, s->waittime)) {
        ++t->ended;
        return;
    }
    *result = 1;
    if (s->activate) {
        r->activated = ActivateSurvivor(r->window);
        t->activated += r->activated;
    } else {
        ReportStep(" still there -> give up\n");
    }
}

// 64-bit, so that a count of INT32_MIN means one window like any other count below 1.
bool IsLastToProcess(int index, int maxcount) {
    return static_cast<long long>(index) >= static_cast<long long>(maxcount) - 1;
}
} // namespace

int RunClose(const Settings* s) {
    RunTotals totals = {};
    int result = 0;
    ReportStart(s);
    if (s->activate) ProbeInput();
    int found = OpenWindowSource(s);
    ReportFound(found);

    int j = 0;
    for (const ListedWindow* entry; (entry = NextWindow()) != nullptr; ++j) {
        WindowRecord* r = &gRecord;
        ReportListing(r, entry->window, entry->className, j, found);
        if (s->test) {
            ReportOutcome(r);
            continue;
        }
        if (CloseAndWait(r, s)) {
            ReportStep(" closed\n");
            r->outcome = kOutcomeClosed;
            ++totals.closed;
        } else {
            HandleSurvivor(r, s, &totals, &result);
        }
        ReportOutcome(r);
        if (IsLastToProcess(j, s->maxcount)) break;
        SleepMs(kPauseMs);
    }
    totals.seen = WindowsSeen();
    int code = s->test ? 0 : s->watch && !totals.seen ? kExitNothingAppeared : result;
    ReportEnd(&totals, code);
    return code;
}
