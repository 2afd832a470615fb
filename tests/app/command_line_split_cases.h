#pragma once
// Whole command lines and the arguments after the program's name that the system's CommandLineToArgvW
// gives for them; the native test checks the splitter against the table, the Windows one checks the
// table against the system.
#include <string>
#include <vector>

namespace qv::app::test {

struct SplitCase {
    const wchar_t* line;
    std::vector<std::wstring> arguments;
};

inline const SplitCase kSplitCases[] = {
    {L"", {}},
    {L"Quorvane.exe", {}},
    {L"Quorvane.exe  \t ", {}},
    {L"\"C:\\Program Files\\Quorvane.exe\" /optimize 64", {L"/optimize", L"64"}},
    {L"\"C:\\a b\\q.exe\"/show", {L"/show"}},
    {L"C:\\x\\q.exe\t/hide", {L"/hide"}},
    {L"q \"a b\" c", {L"a b", L"c"}},
    {L"q a\"b c\"d", {L"ab cd"}},
    {L"q \"\"", {L""}},
    {L"q \"unclosed arg", {L"unclosed arg"}},
    {L"q a\\b c\\\\", {L"a\\b", L"c\\\\"}},
    {L"q a\\\\\"b c\"", {L"a\\b c"}},
    {L"q a\\\"b", {L"a\"b"}},
    {L"q a\\\\\\\"b", {L"a\\\"b"}},
    {L"q \"a\"\"b\"", {L"a\"b"}},
    {L"q \"\"\"a\"", {L"\"a"}},
    {L"q \"\"\"\"\"\" x", {L"\"\"", L"x"}},
};

} // namespace qv::app::test
