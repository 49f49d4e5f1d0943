#include "close/guard.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Ids are reused, so a snapshot's parent links may loop or lead nowhere; the walk must end anyway.
TEST(InProcessChain, FollowsParentsUntilAnUnknownIdOrItsDepth) {
    std::vector<ProcessLink> snapshot = {{4, 0},   {30, 20}, {20, 10}, {10, 4},
                                         {50, 60}, {60, 50}, {70, 70}, {80, 90}};
    for (unsigned pid = 100; pid < 100 + kChainDepth; ++pid) // a chain deeper than the walk goes
        snapshot.push_back({pid, pid + 1});
    const struct {
        unsigned self, pid;
        bool in;
    } cases[] = {
        {30, 30, true},
        {30, 20, true},
        {30, 4, true},
        {30, 50, false},
        {50, 60, true},
        {50, 70, false}, // a cycle
        {70, 70, true},
        {70, 4, false}, // its own parent
        {80, 90, true},
        {80, 4, false}, // the parent has ended
        {99, 99, true},
        {99, 4, false}, // not in the snapshot at all
        {100, 100 + kChainDepth - 1, true},
        {100, 100 + kChainDepth, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InProcessChain(c.pid, c.self, snapshot.data(), static_cast<int>(snapshot.size())), c.in)
            << c.self << " " << c.pid;
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
