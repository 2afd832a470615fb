#pragma once
// The program's command line: the switch a start carries, how the running copy is asked to carry it
// out, and the exit code a script or the Task Scheduler sees. A start without arguments is the
// resident program (or, with a copy running, ends silently).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::app {

enum class Switch { None, Optimize, Show, Hide, Pause, Resume, Exit, Usage };

// What a start with a switch ends with.
enum class ExitCode : int {
    Done = 0,        // carried out
    Refused = 1,     // a run is under way, or the amount is no amount
    NotRunning = 2,  // no copy runs (every switch but /optimize needs one)
    BadUsage = 3,    // an unknown switch or an argument too many
    NoAnswer = 4,    // a copy runs but did not answer in time
    AccessDenied = 5,  // a copy runs but the system kept the request from it (it runs elevated)
    NothingDone = 6,   // the run could not commit a single block (commit limit reached, no page file)
};

struct CommandLine {
    Switch command = Switch::None;
    std::int32_t megabytes = 0;  // /optimize: the amount asked for; 0 for the configured value
    ExitCode failure = ExitCode::Done;  // not Done: the line is not carried out, `message` says why
    std::wstring message;                // one line, for the user
};

// The arguments of a whole command line after the program's name, split as the system's
// CommandLineToArgvW splits it (the 95 family lacks that function): the name ends at the first blank or
// tab, or at its closing quote; arguments are separated by blanks and tabs outside quotes; 2n
// backslashes before a quote give n and the quote opens or closes a quoted part, 2n+1 give n and a
// literal quote; other backslashes are kept; in a run of quotes every third is a literal quote.
std::vector<std::wstring> split_command_line(std::wstring_view line);

// Switches begin with "/" or "-" and are matched without regard to case: "/optimize [MB]", "/show",
// "/hide", "/pause", "/resume", "/exit", "/?". `arguments` excludes the program's own name.
CommandLine parse_command_line(const std::vector<std::wstring>& arguments);

// The lines "/?" shows.
std::wstring usage_text();

// The window message other programs send for a run (WM_USER + 1). With this wParam the run is asked
// for as with 0, and the reply says what became of it.
inline constexpr unsigned kCleanRequestMessage = 0x0401;
inline constexpr unsigned kReportedCleanRequest = 2;
enum class CleanReply : long { Ran = 1, Busy = 2, NothingToRun = 3, NothingDone = 4 };

struct CleanDecision {
    CleanReply reply = CleanReply::Ran;
    std::int32_t megabytes = 0;  // the amount to run when the reply is Ran
};
// A requested amount of 0 stands for the configured one; an amount of no blocks runs nothing, nor does
// a request while a run is under way.
CleanDecision decide_clean_request(bool busy, std::int32_t requested, std::int32_t configured);
// The configured amount: CleanValue, or a quarter of the installed memory while none has been chosen
// (-1, as the resident program makes it at its first start).
std::int32_t configured_amount(std::int32_t clean_value, long long total_mb);
// What became of a run that was made: it ran if it obtained any memory at all.
CleanReply reply_of_run(std::int32_t blocks_obtained);
ExitCode exit_code_of(CleanReply reply);

// The registered window message that asks the running copy for the other switches. wParam is the
// command; the reply is kCommandDone, or 0 for a command the copy does not know.
inline constexpr wchar_t kCommandMessageName[] = L"Quorvane.Command";
enum class RemoteCommand : unsigned { Show = 1, Hide, Pause, Resume, Exit };
inline constexpr long kCommandDone = 1;
// The remote command of a switch; nothing for /optimize and the switches that ask nobody.
std::optional<RemoteCommand> remote_command_of(Switch command);

} // namespace qv::app
