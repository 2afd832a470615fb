// Our INI engine against the system's profile functions (GetPrivateProfileStringW and
// WritePrivateProfileStringW) on generated files, in the code page or in UTF-16, and operation
// sequences: every value read must agree, and after every write both files must hold the same entries
// in the same order, in the same encoding. The system rewrites the
// whole file on a write (dropping blank lines, respacing entries), so files are compared in a canonical
// form: lines trimmed, blank lines dropped, "key = value" as "key=value", "[ name ]" as "[name]".
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "base/ini_file.h"
#include "base/win32/ansi_code_page.h"
#include "base/win32/file_store.h"
#include "support/win32/files.h"

namespace qv::ini::win32 {
namespace {

// A small deterministic generator (the standard distributions differ between libraries).
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    unsigned below(unsigned n) {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<unsigned>((state_ >> 33) % n);
    }
    bool chance(unsigned percent) { return below(100) < percent; }
    template <typename T, size_t N>
    const T& pick(const T (&items)[N]) {
        return items[below(N)];
    }

private:
    std::uint64_t state_;
};

// Spellings that differ in case, blanks and quoting, and Japanese text whose Shift-JIS bytes contain
// "\", "[" and "]" as second bytes.
const std::wstring kSections[] = {L"Clean", L"clean", L"CLEAN", L"Window", L"window", L"Hotkey", L"HotKey",
                                  L"Design", L"表示", L"ソフト", L"ゼゾ", L"Ａ", L"ａ"};
const std::wstring kKeys[] = {L"CleanValue", L"cleanvalue", L"CLEANVALUE", L"Snap", L"HotkeyWindow",
                              L"HotKeyWindow", L"Isc0", L"ISC0", L"能力", L"キー", L"表", L"my key", L"k", L"K"};
const std::wstring kValues[] = {L"",        L"0",         L"1",          L"2000",          L"$00FF8000",
                                L"clAqua",  L"Ctrl+Alt+W", L"\"quoted\"", L"'single'",      L"\"x'",
                                L"\"",      L"''",         L"a=b",        L"C:\\画像\\背景.bmp", L"ソフト表示",
                                L"x  y",    L"[not a header]"};
// Values only a Unicode file can hold (in a file of the code page the system would store stand-ins).
const std::wstring kWideValues[] = {L"café", L"Ωμέγα", L"C:\\фото\\😀.bmp"};
const std::wstring kDefaults[] = {L"", L"d", L"default value", L"d  ", L" d", L"-1", L"表示"};
const std::wstring kBlanks[] = {L"", L"", L" ", L"\t", L"  ", L" \t"};
// Lines that are not entries; none of them is a key of kKeys.
const std::wstring kOther[] = {L"; a comment", L"just words", L"[unclosed", L"#x"};

std::wstring generate_file(Random& random) {
    std::wstring text;
    const wchar_t* line_end = random.chance(80) ? L"\r\n" : L"\n";
    if (random.chance(20)) text += random.pick(kOther) + line_end;
    const unsigned sections = 1 + random.below(5);
    for (unsigned s = 0; s < sections; ++s) {
        text += random.pick(kBlanks) + L"[" + random.pick(kBlanks) + random.pick(kSections) + random.pick(kBlanks) +
                L"]" + random.pick(kBlanks) + line_end;
        const unsigned lines = random.below(7);
        for (unsigned i = 0; i < lines; ++i) {
            const unsigned kind = random.below(10);
            if (kind == 0) {
                text += random.pick(kBlanks) + line_end;
            } else if (kind == 1) {
                text += random.pick(kOther) + line_end;
            } else {
                text += random.pick(kBlanks) + random.pick(kKeys) + random.pick(kBlanks) + L"=" + random.pick(kBlanks) +
                        random.pick(kValues) + random.pick(kBlanks) + line_end;
            }
        }
        if (random.chance(30)) text += line_end;
    }
    // Sometimes the last line has no line end.
    if (random.chance(15) && text.ends_with(line_end)) text.resize(text.size() - wcslen(line_end));
    return text;
}

std::wstring trim(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L" \t\r");
    if (first == text.npos) return {};
    return std::wstring(text.substr(first, text.find_last_not_of(L" \t\r") - first + 1));
}

bool is_unicode(const std::string& bytes) { return bytes.starts_with("\xFF\xFE"); }

std::vector<std::wstring> canonical(const std::string& bytes) {
    const std::wstring text = is_unicode(bytes) ? ini::decode_utf16(std::string_view(bytes).substr(2), false)
                                                : win::AnsiCodec().decode(bytes);
    std::vector<std::wstring> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(L'\n', start);
        if (end == text.npos) end = text.size();
        std::wstring line = trim(std::wstring_view(text).substr(start, end - start));
        start = end + 1;
        if (line.empty()) continue;
        const size_t close = line.rfind(L']');
        if (line.front() == L'[' && close != line.npos) {
            lines.push_back(L"[" + trim(line.substr(1, close - 1)) + L"]");
        } else if (const size_t equals = line.find(L'='); equals != line.npos) {
            lines.push_back(trim(line.substr(0, equals)) + L"=" + trim(line.substr(equals + 1)));
        } else {
            lines.push_back(line);
        }
    }
    return lines;
}

std::wstring join(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const auto& line : lines) text += line + L"\n";
    return text;
}

std::string narrow(const std::wstring& text) {
    // For messages only: the test log is UTF-8.
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

std::wstring system_read(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                         const std::wstring& fallback) {
    wchar_t buffer[2048];
    const DWORD length =
        ::GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), buffer, 2048, path.c_str());
    return std::wstring(buffer, length);
}

// The files as they are, written in place without the flush to the disk: durability is not what this
// test compares, and the flush would make it slow.
class DirectFileStore : public ini::FileStore {
public:
    ini::FileRead read(const std::wstring& path) override { return files_.read(path); }
    void write(const std::wstring& path, std::string_view bytes) override { test::write_file(path, bytes); }

private:
    win::Win32FileSystem files_;
};

TEST(IniDifferential, AgreesWithTheSystemProfileFunctions) {
    ASSERT_EQ(::GetACP(), 932u) << "the tests run with the Japanese code page";
    test::TempFolder folder(L"qv-settings-differential");
    DirectFileStore files;
    const win::AnsiCodec ansi;
    Random random(0x5eed1234);
    constexpr int kFiles = 80;
    constexpr int kOperations = 20;
    int failures = 0;
    int reads = 0;
    int writes = 0;

    for (int n = 0; n < kFiles && failures < 8; ++n) {
        const std::wstring ours = folder.file(L"ours" + std::to_wstring(n) + L".ini");
        const std::wstring theirs = folder.file(L"system" + std::to_wstring(n) + L".ini");
        std::wstring history;
        // Some files are UTF-16 with a byte order mark, which the system keeps as it writes them.
        bool unicode = false;
        if (!random.chance(10)) {
            const std::wstring text = generate_file(random);
            unicode = random.chance(25);
            const std::string bytes = unicode ? "\xFF\xFE" + *ini::encode_utf16(text, false)
                                              : *win::AnsiCodec().encode(text);
            test::write_file(ours, bytes);
            test::write_file(theirs, bytes);
            history = (unicode ? L"UTF-16 file:\n" : L"file:\n") + text + L"\n";
        }
        const ini::IniFile ini(files, ansi, ours);
        for (int op = 0; op < kOperations && failures < 8; ++op) {
            const std::wstring section = random.pick(kSections);
            const std::wstring key = random.pick(kKeys);
            if (random.chance(70)) {
                const std::wstring fallback = random.pick(kDefaults);
                const std::wstring expected = system_read(theirs, section, key, fallback);
                const std::wstring actual = ini.read(section, key, fallback);
                ++reads;
                if (actual != expected) {
                    ++failures;
                    ADD_FAILURE() << narrow(history) << "read [" << narrow(section) << "] " << narrow(key)
                                  << " default '" << narrow(fallback) << "': system '" << narrow(expected)
                                  << "', ours '" << narrow(actual) << "'";
                }
                continue;
            }
            const std::wstring value = unicode && random.chance(30) ? random.pick(kWideValues) : random.pick(kValues);
            history += L"write [" + section + L"] " + key + L"=" + value + L"\n";
            ini.write(section, key, value);
            ASSERT_TRUE(::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), theirs.c_str()));
            ++writes;
            const std::string system_bytes = test::read_file(theirs).value_or("");
            const std::string our_bytes = test::read_file(ours).value_or("");
            const auto expected = canonical(system_bytes);
            const auto actual = canonical(our_bytes);
            if (actual != expected || is_unicode(our_bytes) != is_unicode(system_bytes)) {
                ++failures;
                ADD_FAILURE() << narrow(history) << "system file:\n"
                              << narrow(join(expected)) << "our file:\n"
                              << narrow(join(actual));
            }
        }
    }
    std::printf("differential: %d reads, %d writes compared\n", reads, writes);
}

} // namespace
} // namespace qv::ini::win32
