#include "document.h"

namespace {
const char* const kOutcomeWords[] = {"listed",  "closed", "stayed",   "blocked",
                                     "refused", "ended",  "not ended"};

const char16_t* PatternOrNull(const char16_t* pattern) {
    return *pattern ? pattern : nullptr;
}
} // namespace

void DocumentHead(JsonText* t, const Settings* s) {
    JsonFormat(t,
               "{\"format\":1,\"settings\":{\"text\":%s,\"class\":%s,\"exe\":%s,\"pid\":%z,\"wait\":%i,"
               "\"count\":%i,\"activate\":%b,\"test\":%b,\"watch\":%i,\"force\":%b},\"windows\":[",
               PatternOrNull(s->windowtext), PatternOrNull(s->windowclass), PatternOrNull(s->exename),
               s->processid, s->waittime, s->maxcount, s->activate, s->test, s->watch, s->force);
}

void DocumentWindow(JsonText* t, const WindowRecord* r, const char16_t* image, const char16_t* dialogText,
                    const char16_t* dialogClass, bool first) {
    JsonFormat(
        t,
        "%r{\"handle\":%h,\"pid\":%u,\"image\":%s,\"class\":%s,\"text\":%s,\"outcome\":%a,\"error\":%z,"
        "\"reason\":%a,\"dialog\":",
        first ? "\n" : ",\n", r->window, r->pid, image, r->className, r->text, kOutcomeWords[r->outcome],
        static_cast<int>(r->error), r->reason);
    JsonFormat(t, r->dialog ? "{\"text\":%s,\"class\":%s}" : "null", dialogText, dialogClass);
    JsonFormat(t, ",\"activated\":%b}", r->activated);
}

void DocumentTail(JsonText* t, const RunTotals* totals, int exitCode, const char16_t* hiddenStation) {
    JsonFormat(t,
               "\n],\"found\":%i,\"closed\":%i,\"ended\":%i,\"activated\":%i,\"hidden_station\":%s,"
               "\"exit\":%i}\n",
               totals->seen, totals->closed, totals->ended, totals->activated, hiddenStation, exitCode);
}
