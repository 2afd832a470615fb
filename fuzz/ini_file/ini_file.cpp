// The INI engine on any file: every key of every section reads as the section's listing gives it, and a
// write is read back as written while every other key keeps its value.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/app_error.h"
#include "base/ini_file.h"
#include "common/check.h"
#include "settings/test_fakes.h"

namespace {

using namespace qv::ini;

class OneFileStore final : public FileStore {
public:
    std::string bytes;
    FileRead read(const std::wstring&) override { return {ReadStatus::ok, bytes}; }
    void write(const std::wstring&, std::string_view b) override { bytes.assign(b); }
};

// Shift-JIS as the system converts it: a character without an exact form there (iconv gives "¢" the form of
// the full-width "￠") cannot be encoded.
class StrictCp932Codec final : public TextCodec {
public:
    std::wstring decode(std::string_view bytes) const override { return codec_.decode(bytes); }
    std::optional<std::string> encode(std::wstring_view text) const override {
        auto bytes = codec_.encode(text);
        if (bytes && codec_.decode(*bytes) != text) return std::nullopt;
        return bytes;
    }

private:
    qv::settings::testing::Cp932Codec codec_;
};

wchar_t lower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}
std::wstring folded(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out)
        c = lower(c);
    return out;
}
bool blank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r';
}
std::wstring_view trimmed(std::wstring_view t) {
    while (!t.empty() && blank(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && blank(t.back()))
        t.remove_suffix(1);
    return t;
}

// What a read gives back for a value written as `value`: without surrounding blanks, without one pair of
// enclosing quotes, at most kMaxValueLength characters.
std::wstring as_read(std::wstring_view value) {
    value = trimmed(value);
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::wstring(value.substr(0, kMaxValueLength));
}

// Candidate section names: the text of every line that starts with "[" up to its last "]".
std::vector<std::wstring> section_names(std::wstring_view text) {
    std::vector<std::wstring> names;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find_first_of(L"\r\n", pos);
        if (end == text.npos) end = text.size();
        std::wstring_view line = trimmed(text.substr(pos, end - pos));
        if (!line.empty() && line.front() == L'[') {
            const size_t close = line.rfind(L']');
            if (close != line.npos) names.emplace_back(trimmed(line.substr(1, close - 1)));
        }
        pos = end + 1;
    }
    return names;
}

std::wstring decoded(const std::string& bytes, const TextCodec& ansi) {
    std::string_view b = bytes;
    if (b.starts_with("\xFF\xFE")) return decode_utf16(b.substr(2), false);
    if (b.starts_with("\xFE\xFF")) return decode_utf16(b.substr(2), true);
    if (b.starts_with("\xEF\xBB\xBF")) return Utf8Codec().decode(b.substr(3));
    return ansi.decode(b);
}

using Key = std::pair<std::wstring, std::wstring>;  // folded section, folded key

// Every key as a read sees it, checked against the section listings.
std::map<Key, std::wstring> read_all(const IniFile& ini, const std::vector<std::wstring>& sections) {
    std::map<Key, std::wstring> all;
    for (const std::wstring& section : sections) {
        if (section.empty()) continue;
        const std::wstring fs = folded(trimmed(section));
        for (const IniEntry& entry : ini.read_section(section)) {
            FUZZ_CHECK(entry.value.size() <= kMaxValueLength);
            const Key key{fs, folded(trimmed(entry.key))};
            if (key.second.empty() || all.count(key)) continue;  // shadowed by the first
            const std::wstring value = ini.read(section, entry.key, L"\x1F");
            FUZZ_CHECK(value == entry.value);
            all.emplace(key, value);
        }
    }
    return all;
}

std::wstring fuzzed_text(FuzzedDataProvider& in, size_t most) {
    std::wstring text;
    const size_t n = in.ConsumeIntegralInRange<size_t>(0, most);
    for (size_t i = 0; i < n && in.remaining_bytes() > 0; ++i) {
        const auto b = in.ConsumeIntegral<std::uint8_t>();
        // Now and then a character outside every 8-bit code page, which turns the file into UTF-16.
        text.push_back(b == 0xFF ? L'\x3042' : static_cast<wchar_t>(b));
    }
    return text;
}

const std::wstring kPath = L"C:\\app\\fuzz.ini";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    static const StrictCp932Codec cp932;
    static const qv::settings::testing::Latin1Codec latin1;
    static const Utf8Codec utf8;
    const TextCodec* codecs[] = {&latin1, &cp932, &utf8};
    const TextCodec& ansi = *codecs[in.ConsumeIntegralInRange<int>(0, 2)];
    const size_t edits = in.ConsumeIntegralInRange<size_t>(0, 4);
    std::vector<std::tuple<std::wstring, std::wstring, std::wstring>> writes;
    for (size_t i = 0; i < edits; ++i) {
        std::wstring section = fuzzed_text(in, 12);
        std::wstring key = fuzzed_text(in, 12);
        writes.emplace_back(std::move(section), std::move(key), fuzzed_text(in, 40));
    }

    OneFileStore store;
    store.bytes = in.ConsumeRemainingBytesAsString();
    const IniFile ini(store, ansi, kPath);
    std::vector<std::wstring> sections = section_names(decoded(store.bytes, ansi));
    std::map<Key, std::wstring> before = read_all(ini, sections);

    // Writes to keys the file has, then to the fuzzed names.
    size_t rewritten = 0;
    for (const auto& [key, value] : before) {
        if (rewritten++ == 3) break;
        writes.emplace_back(key.first, key.second, value + L"x");
    }
    for (const auto& [section, key, value] : writes) {
        try {
            ini.write(section, key, value);
        } catch (const qv::AppError&) {
            // Refused: a name or value that cannot be stored; nothing changed.
            FUZZ_CHECK(read_all(ini, sections) == before);
            continue;
        }
        FUZZ_CHECK(storable_value(value));
        FUZZ_CHECK(ini.read(section, key, L"\x1F") == as_read(value));
        sections.push_back(section);
        std::map<Key, std::wstring> after = read_all(ini, sections);
        const Key written{folded(trimmed(section)), folded(trimmed(key))};
        for (const auto& [k, v] : before) {
            if (k != written) FUZZ_CHECK(after.count(k) && after[k] == v);
        }
        before = std::move(after);
    }
    return 0;
}
