#include "close/guard.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Ids are reused, so a snapshot's parent links may loop or lead nowhere; the walk must end anyway.
TEST(ProcessChain, FollowsParentsUntilAnUnknownOrRepeatedId) {
    const std::vector<ProcessLink> snapshot = {{4, 0},   {30, 20}, {20, 10}, {10, 4},
                                               {50, 60}, {60, 50}, {70, 70}, {80, 90}};
    const struct {
        unsigned self;
        int cap;
        std::vector<unsigned> chain;
    } cases[] = {
        {30, 8, {30, 20, 10, 4}},
        {30, 2, {30, 20}},
        {50, 8, {50, 60}}, // a cycle
        {70, 8, {70}},     // its own parent
        {80, 8, {80, 90}}, // the parent has ended
        {99, 8, {99}},     // not in the snapshot at all
    };
    for (const auto& c : cases) {
        unsigned chain[8] = {};
        int n = ProcessChain(c.self, snapshot.data(), static_cast<int>(snapshot.size()), chain, c.cap);
        EXPECT_EQ(std::vector<unsigned>(chain, chain + n), c.chain) << c.self << " cap " << c.cap;
    }
}

TEST(ProgramGuardrail, KnowsTheDesktopsOwnProgramsByFileNameInAnyCase) {
    const struct {
        const char* name;
        Guardrail guard;
    } cases[] = {
        {"explorer.exe", kGuardDesktop},  {"EXPLORER.EXE", kGuardDesktop},
        {"sIhOsT.ExE", kGuardDesktop},    {"ApplicationFrameHost.exe", kGuardDesktop},
        {"userinit.exe", kGuardDesktop}, // the table's last
        {"explorer", kGuardNone},         {"explorer.ex", kGuardNone},
        {"explorer.exe.exe", kGuardNone}, {"explorer2.exe", kGuardNone},
        {"dwmx.exe", kGuardNone},         {"xdwm.exe", kGuardNone},
        {"notepad.exe", kGuardNone},      {"", kGuardNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramGuardrail(U16(c.name).c_str()), c.guard) << c.name;
    EXPECT_EQ(ProgramGuardrail(nullptr), kGuardUnreadable);
}

} // namespace
