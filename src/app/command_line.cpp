#include "app/command_line.h"

#include <limits>

#include "base/ascii.h"

namespace qv::app {
namespace {

struct SwitchName {
    const wchar_t* name;
    Switch command;
};
constexpr SwitchName kSwitchNames[] = {
    {L"optimize", Switch::Optimize}, {L"show", Switch::Show},     {L"hide", Switch::Hide}, {L"pause", Switch::Pause},
    {L"resume", Switch::Resume},     {L"exit", Switch::Exit},     {L"?", Switch::Usage},
};

Switch switch_named(std::wstring_view argument) {
    // "/" is the Windows custom; "-" is accepted as well, as most Windows tools do.
    if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) return Switch::None;
    argument.remove_prefix(1);
    for (const auto& known : kSwitchNames) {
        if (equals_ignore_case(argument, known.name)) return known.command;
    }
    return Switch::None;
}

// A whole number of megabytes from 1 to the largest 32-bit amount; 0 when it is none.
std::int32_t megabytes_argument(std::wstring_view text) {
    if (text.empty()) return 0;
    long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return 0;
        value = value * 10 + (c - L'0');
        if (value > std::numeric_limits<std::int32_t>::max()) return 0;
    }
    return static_cast<std::int32_t>(value);
}

CommandLine unusable_line(ExitCode code, std::wstring message) {
    CommandLine line;
    line.failure = code;
    line.message = std::move(message);
    return line;
}

bool is_blank(wchar_t c) { return c == L' ' || c == L'\t'; }

} // namespace

std::vector<std::wstring> split_command_line(std::wstring_view line) {
    size_t at = 0;
    if (at < line.size() && line[at] == L'"') {
        at = line.find(L'"', 1);
        at = at == line.npos ? line.size() : at + 1;
    } else {
        while (at < line.size() && !is_blank(line[at])) ++at;
    }
    std::vector<std::wstring> arguments;
    while (true) {
        while (at < line.size() && is_blank(line[at])) ++at;
        if (at == line.size()) return arguments;
        std::wstring& argument = arguments.emplace_back();
        // quotes: 0 outside a quoted part, 1 inside; while a run of quotes is read it counts the run's
        // quotes, a third one giving a literal quote.
        int quotes = 0;
        size_t backslashes = 0;
        for (; at < line.size() && (quotes != 0 || !is_blank(line[at])); ++at) {
            const wchar_t c = line[at];
            if (c == L'\\') {
                ++backslashes;
                argument += c;
                continue;
            }
            if (c != L'"') {
                backslashes = 0;
                argument += c;
                continue;
            }
            argument.resize(argument.size() - backslashes / 2 - backslashes % 2);
            if (backslashes % 2 == 1) {
                argument += L'"';
            } else {
                ++quotes;
            }
            backslashes = 0;
            while (at + 1 < line.size() && line[at + 1] == L'"') {
                ++at;
                if (++quotes == 3) {
                    argument += L'"';
                    quotes = 0;
                }
            }
            if (quotes == 2) quotes = 0;
        }
    }
}

CommandLine parse_command_line(const std::vector<std::wstring>& arguments) {
    CommandLine line;
    if (arguments.empty()) return line;
    line.command = switch_named(arguments[0]);
    if (line.command == Switch::None) {
        return unusable_line(ExitCode::BadUsage, L"不明なスイッチです: " + arguments[0] + L"（/? で使い方を表示します）");
    }
    std::size_t used = 1;
    if (line.command == Switch::Optimize && arguments.size() > 1) {
        line.megabytes = megabytes_argument(arguments[1]);
        if (line.megabytes == 0) {
            return unusable_line(ExitCode::Refused,
                          L"最適化する量が正しくありません: " + arguments[1] + L"（1 以上の整数の MB 数）");
        }
        used = 2;
    }
    if (arguments.size() > used) {
        return unusable_line(ExitCode::BadUsage, L"余分な引数があります: " + arguments[used] + L"（/? で使い方を表示します）");
    }
    return line;
}

std::wstring usage_text() {
    return L"使い方: Quorvane.exe [スイッチ]\r\n"
           L"  /optimize [MB]  動いている Quorvane にメモリの最適化を頼む（MB を省くと設定値）。\r\n"
           L"                  1 回に最適化するのは 1024MB まで（それより大きい量も 1024MB）。\r\n"
           L"                  動いていなければ、何も表示せずに自分で最適化して終わる\r\n"
           L"  /show           ウインドウを表示する\r\n"
           L"  /hide           ウインドウを隠す\r\n"
           L"  /pause          監視を一時停止する\r\n"
           L"  /resume         監視を再開する\r\n"
           L"  /exit           Quorvane を終了する\r\n"
           L"終了コード: 0 完了、1 断られた（最適化の実行中、正しくない量）、2 Quorvane が動いていない、\r\n"
           L"            3 使い方の誤り、4 Quorvane が応答しない、\r\n"
           L"            5 システムに拒まれて頼みが届かない（管理者として動いている Quorvane）、\r\n"
           L"            6 メモリを少しも確保できず何もできなかった";
}

CleanDecision decide_clean_request(bool busy, std::int32_t requested, std::int32_t configured) {
    const std::int32_t amount = requested == 0 ? configured : requested;
    if (amount <= 0) return {CleanReply::NothingToRun, 0};
    if (busy) return {CleanReply::Busy, 0};
    return {CleanReply::Ran, amount};
}

std::int32_t configured_amount(std::int32_t clean_value, long long total_mb) {
    if (clean_value != -1) return clean_value;
    const long long quarter = total_mb / 4;
    return quarter > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                              : static_cast<std::int32_t>(quarter);
}

CleanReply reply_of_run(std::int32_t blocks_obtained) {
    return blocks_obtained > 0 ? CleanReply::Ran : CleanReply::NothingDone;
}

ExitCode exit_code_of(CleanReply reply) {
    switch (reply) {
    case CleanReply::Ran: return ExitCode::Done;
    case CleanReply::NothingDone: return ExitCode::NothingDone;
    default: return ExitCode::Refused;
    }
}

std::optional<RemoteCommand> remote_command_of(Switch command) {
    switch (command) {
    case Switch::Show: return RemoteCommand::Show;
    case Switch::Hide: return RemoteCommand::Hide;
    case Switch::Pause: return RemoteCommand::Pause;
    case Switch::Resume: return RemoteCommand::Resume;
    case Switch::Exit: return RemoteCommand::Exit;
    default: return std::nullopt;
    }
}

} // namespace qv::app
