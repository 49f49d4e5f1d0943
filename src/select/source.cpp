#include "source.h"

namespace {
// Events that come while a window is being handled wait here; when more come, the next full look
// finds their windows.
const int kQueueCap = 256;
// A full look at every window, for what the events miss: Wine, for one, tells only of creations.
// Each look asks every window that may fit for its text, so looks are spaced to take at most 1/150
// of the time, and never come within a second of each other.
#ifdef QUELLIX_EVENTS_ONLY // the tests' build only: what the events alone find
const unsigned kLookMinMs = 0x7FFFFFFF;
#else
const unsigned kLookMinMs = 1000;
#endif
const unsigned kLookSpacing = 150;
// Events end a wait at once; the step only bounds how late the watch sees its deadline or the next
// look, and costs nothing to speak of.
const unsigned kWaitStepMs = 50;

const Settings* gSettings;
ListedWindow* gList;
int gFound, gNext, gLate;
bool gWatching;
unsigned gStart, gLastLook, gLookMs;

Window gQueue[kQueueCap];
int gQueueHead, gQueued;
bool gMissed;

Window gGiven[kMaxTopLevel];
int gGivenCount;
Window gLook[kMaxTopLevel];
int gLookCount, gLookAt;
ListedWindow gLateWindow;

void OnWindowEvent(Window w) {
    if (gQueued == kQueueCap) {
        gMissed = true;
        return;
    }
    gQueue[(gQueueHead + gQueued++) % kQueueCap] = w;
}

Window PopQueued() {
    Window w = gQueue[gQueueHead];
    gQueueHead = (gQueueHead + 1) % kQueueCap;
    --gQueued;
    return w;
}

bool WasGiven(Window w) {
    for (int i = 0; i < gGivenCount; ++i) {
        if (gGiven[i] == w) return true;
    }
    return false;
}

// A destroyed window's handle may one day name a new window: only the living are remembered.
void ForgetDestroyed() {
    int kept = 0;
    for (int i = 0; i < gGivenCount; ++i) {
        if (WindowExists(gGiven[i])) gGiven[kept++] = gGiven[i];
    }
    gGivenCount = kept;
}

void Give(Window w) {
    if (gGivenCount == kMaxTopLevel) ForgetDestroyed();
    if (gGivenCount < kMaxTopLevel) gGiven[gGivenCount++] = w;
}

// Elapsed ticks are unsigned differences: the watch survives the tick count's wrap.
bool WatchIsOver(unsigned now) {
    return gSettings->watch >= 0 && now - gStart >= static_cast<unsigned>(gSettings->watch);
}

bool TakeIfFits(Window w) {
    if (WasGiven(w) || !WindowFits(w, gSettings, gLateWindow.className)) return false;
    gLateWindow.window = w;
    Give(w);
    ++gLate;
    return true;
}

// Keeps the windows that fit now, in Z order, to be given (those not given yet) after the ones
// events report.
void Look(unsigned now) {
    ForgetDestroyed();
    int windows = SnapshotTopLevelWindows(gLook, kMaxTopLevel);
    gLookCount = gLookAt = 0;
    for (int i = 0; i < windows; ++i) {
        if (WindowFits(gLook[i], gSettings, gLateWindow.className)) gLook[gLookCount++] = gLook[i];
    }
    unsigned spent = TickCount() - now;
    gLookMs = spent * kLookSpacing > kLookMinMs ? spent * kLookSpacing : kLookMinMs;
    gLastLook = TickCount();
    gMissed = false;
}

// The windows just reported first, then the rest of a full look, then wait for more.
const ListedWindow* NextLateWindow() {
    for (;;) {
        unsigned now = TickCount();
        if (WatchIsOver(now)) return nullptr;
        if (gQueued) {
            if (TakeIfFits(PopQueued())) return &gLateWindow;
        } else if (gLookAt < gLookCount) {
            if (TakeIfFits(gLook[gLookAt++])) return &gLateWindow;
        } else if (gMissed || now - gLastLook >= gLookMs) {
            Look(now);
        } else {
            WaitForWindowEvents(kWaitStepMs);
        }
    }
}
} // namespace

int OpenWindowSource(const Settings* s) {
    gSettings = s;
    gStart = gLastLook = TickCount();
    gLookMs = kLookMinMs;
    // Watching starts before the collection, so that no window falls between the two.
    gWatching = s->watch != 0;
    if (gWatching) WatchWindowEvents(OnWindowEvent);
    gFound = CollectWindows(s, &gList);
    return gFound;
}

const ListedWindow* NextWindow() {
    if (gNext < gFound) {
        Give(gList[gNext].window);
        return &gList[gNext++];
    }
    return gWatching ? NextLateWindow() : nullptr;
}

int WindowsSeen() {
    return gFound + gLate;
}

bool IsRunWindow(Window w) {
    if (WasGiven(w)) return true;
    for (int i = gNext; i < gFound && i < gSettings->maxcount; ++i) {
        if (gList[i].window == w) return true;
    }
    return false;
}
