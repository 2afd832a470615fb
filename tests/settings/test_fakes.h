#pragma once
// Stand-ins for the system in the settings tests: files in memory (with failures on demand), a Shift-JIS
// codec, a keyboard layout and a recorder of message boxes.
#include <cerrno>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include "base/atomic_file_store.h"
#include "settings/hotkey_text.h"
#include "settings/reg_manager.h"
#include "base/text_codec.h"

namespace qv::settings::testing {

// Files in memory. Each primitive can be made to fail, to see that a failure leaves the old file.
class MemoryFileSystem : public ini::FileSystem {
public:
    std::map<std::wstring, std::string> files;
    std::set<std::wstring> unreadable;
    std::set<std::wstring> read_only;
    bool refuse_temporary = false;
    bool fail_write_all = false;
    bool fail_replace = false;
    int replacements = 0;
    int reads = 0;
    // With a clock, files have stamps: their size, the time of change given here, and the clock.
    std::optional<std::uint32_t> clock_ms;
    std::map<std::wstring, std::uint64_t> changed;

    std::optional<ini::FileStamp> stamp(const std::wstring& path) override {
        auto found = files.find(path);
        if (!clock_ms || found == files.end()) return std::nullopt;
        return ini::FileStamp{found->second.size(), changed[path], *clock_ms};
    }

    ini::FileRead read(const std::wstring& path) override {
        ++reads;
        if (unreadable.count(path)) return {ini::ReadStatus::failed, {}};
        auto found = files.find(path);
        if (found == files.end()) return {ini::ReadStatus::missing, {}};
        return {ini::ReadStatus::ok, found->second};
    }
    std::optional<std::wstring> create_temporary(const std::wstring& target) override {
        if (refuse_temporary) return std::nullopt;
        std::wstring name = target + L".tmp" + std::to_wstring(next_temporary_++);
        files[name];
        return name;
    }
    bool write_all(const std::wstring& path, std::string_view bytes) override {
        if (fail_write_all) {
            files[path] = std::string(bytes.substr(0, bytes.size() / 2));  // a torn write
            return false;
        }
        files[path] = std::string(bytes);
        return true;
    }
    bool replace(const std::wstring& from, const std::wstring& to) override {
        if (fail_replace || read_only.count(to)) return false;
        files[to] = files[from];
        files.erase(from);
        ++replacements;
        return true;
    }
    void remove(const std::wstring& path) noexcept override { files.erase(path); }

private:
    int next_temporary_ = 0;
};

// The system code page of a Japanese Windows: Shift-JIS (code page 932).
class Cp932Codec : public ini::TextCodec {
public:
#ifdef _WIN32
    std::wstring decode(std::string_view bytes) const override {
        if (bytes.empty()) return {};
        int n = ::MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring text(static_cast<size_t>(n), L'\0');
        ::MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
        return text;
    }
    std::optional<std::string> encode(std::wstring_view text) const override {
        if (text.empty()) return std::string();
        BOOL lossy = FALSE;
        int n = ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr,
                                      0, nullptr, &lossy);
        std::string bytes(static_cast<size_t>(n), '\0');
        ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                              nullptr, &lossy);
        if (lossy) return std::nullopt;
        return bytes;
    }
#else
    std::wstring decode(std::string_view bytes) const override {
        std::wstring text;
        convert("WCHAR_T", "CP932", bytes, text, true);
        return text;
    }
    std::optional<std::string> encode(std::wstring_view text) const override {
        std::string bytes;
        std::string_view raw(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
        if (!convert("CP932", "WCHAR_T", raw, bytes, false)) return std::nullopt;
        return bytes;
    }

private:
    // Converts all of `in`; an invalid input unit becomes U+30FB when decoding (as the system does) and
    // makes encoding fail.
    template <typename Out>
    static bool convert(const char* to, const char* from, std::string_view in, Out& out, bool decoding) {
        iconv_t cd = ::iconv_open(to, from);
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        bool ok = true;
        while (left > 0) {
            typename Out::value_type buffer[256];
            char* dst = reinterpret_cast<char*>(buffer);
            size_t room = sizeof(buffer);
            const size_t r = ::iconv(cd, &src, &left, &dst, &room);
            out.append(buffer, static_cast<size_t>(dst - reinterpret_cast<char*>(buffer)) / sizeof(buffer[0]));
            if (r == static_cast<size_t>(-1) && errno != E2BIG) {
                if (!decoding) {
                    ok = false;
                    break;
                }
                out.push_back(static_cast<typename Out::value_type>(0x30FB));
                ++src;
                --left;
            }
        }
        ::iconv_close(cd);
        return ok;
    }
#endif
};

// The code page of a Western system, where Japanese text has no form (Latin-1 stands in for 1252).
class Latin1Codec : public ini::TextCodec {
public:
    std::wstring decode(std::string_view bytes) const override {
        std::wstring text;
        for (char c : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
        return text;
    }
    std::optional<std::string> encode(std::wstring_view text) const override {
        std::string bytes;
        for (wchar_t c : text) {
            if (static_cast<unsigned long>(c) > 0xFF) return std::nullopt;
            bytes.push_back(static_cast<char>(c));
        }
        return bytes;
    }
};

class FakeKeyLayout : public KeyLayout {
public:
    std::map<unsigned, std::wstring> names;
    std::wstring key_name(unsigned virtual_key) const override {
        auto found = names.find(virtual_key);
        return found == names.end() ? std::wstring() : found->second;
    }
};

class RecordingNotifier : public Notifier {
public:
    std::vector<std::wstring> shown;
    void show_error(const std::wstring& text) override { shown.push_back(text); }
};

// A store on files in memory; its INI file is "C:\\app\\Quorvane.ini" unless changed.
struct MemoryStore {
    MemoryFileSystem disk;
    ini::AtomicFileStore files{disk};
    Cp932Codec ansi;
    RecordingNotifier notifier;
    const std::wstring path = L"C:\\app\\Quorvane.ini";

    StoreServices services() { return {&files, &ansi, &notifier}; }
    std::string& file() { return disk.files[path]; }
    bool exists() const { return disk.files.count(path) != 0; }
};

} // namespace qv::settings::testing
