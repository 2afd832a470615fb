#include "app/command_line.h"

#include <gtest/gtest.h>

#include "app/command_line_split_cases.h"

namespace qv::app {
namespace {

TEST(CommandLine, SwitchesAndTheirFailures) {
    struct Case {
        std::vector<std::wstring> arguments;
        Switch command;
        std::int32_t megabytes;
        ExitCode failure;
    };
    const Case cases[] = {
        {{}, Switch::None, 0, ExitCode::Done},
        {{L"/optimize"}, Switch::Optimize, 0, ExitCode::Done},
        {{L"-OPTIMIZE", L"0128"}, Switch::Optimize, 128, ExitCode::Done},
        {{L"/Optimize", L"2147483647"}, Switch::Optimize, 2147483647, ExitCode::Done},
        {{L"/show"}, Switch::Show, 0, ExitCode::Done},
        {{L"-Hide"}, Switch::Hide, 0, ExitCode::Done},
        {{L"/PAUSE"}, Switch::Pause, 0, ExitCode::Done},
        {{L"/resume"}, Switch::Resume, 0, ExitCode::Done},
        {{L"/exit"}, Switch::Exit, 0, ExitCode::Done},
        {{L"-?"}, Switch::Usage, 0, ExitCode::Done},
        // No amount: zero, a sign, a unit, more than 32 bits, nothing.
        {{L"/optimize", L"0"}, Switch::None, 0, ExitCode::Refused},
        {{L"/optimize", L"-5"}, Switch::None, 0, ExitCode::Refused},
        {{L"/optimize", L"+5"}, Switch::None, 0, ExitCode::Refused},
        {{L"/optimize", L"64MB"}, Switch::None, 0, ExitCode::Refused},
        {{L"/optimize", L"2147483648"}, Switch::None, 0, ExitCode::Refused},
        {{L"/optimize", L""}, Switch::None, 0, ExitCode::Refused},
        // Unknown switches, bare words, a lone prefix, and an argument too many.
        {{L"/optimise"}, Switch::None, 0, ExitCode::BadUsage},
        {{L"show"}, Switch::None, 0, ExitCode::BadUsage},
        {{L"/"}, Switch::None, 0, ExitCode::BadUsage},
        {{L"\\show"}, Switch::None, 0, ExitCode::BadUsage},
        {{L""}, Switch::None, 0, ExitCode::BadUsage},
        {{L"/show", L"/hide"}, Switch::None, 0, ExitCode::BadUsage},
        {{L"/optimize", L"64", L"64"}, Switch::None, 0, ExitCode::BadUsage},
    };
    for (const auto& c : cases) {
        const std::wstring shown = c.arguments.empty() ? L"(none)" : c.arguments.front();
        const CommandLine line = parse_command_line(c.arguments);
        EXPECT_EQ(line.failure, c.failure) << shown;
        if (c.failure != ExitCode::Done) {
            // One line that names the argument at fault.
            EXPECT_EQ(line.message.find(L'\n'), std::wstring::npos) << shown;
            EXPECT_NE(line.message.find(c.arguments.back()), std::wstring::npos) << shown;
            continue;
        }
        EXPECT_EQ(line.command, c.command) << shown;
        EXPECT_EQ(line.megabytes, c.megabytes) << shown;
    }
}

TEST(CommandLine, SplitsAsTheSystemDoes) {
    for (const auto& c : test::kSplitCases) EXPECT_EQ(split_command_line(c.line), c.arguments) << c.line;
}

TEST(CommandLine, ReportedCleanRequests) {
    struct Case {
        bool busy;
        std::int32_t requested, configured;
        CleanReply reply;
        std::int32_t megabytes;
    };
    const Case cases[] = {
        {false, 0, 160, CleanReply::Ran, 160},  {false, 50, 160, CleanReply::Ran, 50},
        {true, 50, 160, CleanReply::Busy, 0},   {false, -1, 160, CleanReply::NothingToRun, 0},
        {false, 0, 0, CleanReply::NothingToRun, 0}, {true, 0, -7, CleanReply::NothingToRun, 0},
    };
    for (const auto& c : cases) {
        const CleanDecision decision = decide_clean_request(c.busy, c.requested, c.configured);
        EXPECT_EQ(decision.reply, c.reply) << c.requested << " of " << c.configured;
        EXPECT_EQ(decision.megabytes, c.megabytes) << c.requested << " of " << c.configured;
    }
    EXPECT_EQ(exit_code_of(CleanReply::Ran), ExitCode::Done);
    EXPECT_EQ(exit_code_of(CleanReply::Busy), ExitCode::Refused);
    EXPECT_EQ(exit_code_of(CleanReply::NothingToRun), ExitCode::Refused);
    // A run made says whether it got any memory at all.
    EXPECT_EQ(reply_of_run(1), CleanReply::Ran);
    EXPECT_EQ(reply_of_run(0), CleanReply::NothingDone);
    EXPECT_EQ(exit_code_of(CleanReply::NothingDone), ExitCode::NothingDone);
    // Until an amount is chosen, a quarter of the installed memory.
    EXPECT_EQ(configured_amount(-1, 2047), 511);
    EXPECT_EQ(configured_amount(300, 2047), 300);
}

} // namespace
} // namespace qv::app
