#include "support/win32/files.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <system_error>

#include "base/win32/text.h"
#include "base/win32/unique_handle.h"

namespace qv::test {

namespace fs = std::filesystem;

std::optional<std::string> read_file(const fs::path& file) {
    win::UniqueFileHandle handle(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) return std::nullopt;
    std::string bytes;
    char buffer[16384];
    DWORD got = 0;
    while (::ReadFile(handle.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

void write_file(const fs::path& file, std::string_view bytes) {
    win::UniqueFileHandle handle(
        ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!handle || !::WriteFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

fs::path environment_path(const wchar_t* name) {
    wchar_t value[MAX_PATH * 2];
    DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2) return {};
    std::wstring text(value, length);
    if (text.front() != L'/') return fs::path(text);

    // Wine's own conversion knows the prefix's drive mapping; without it, Z: is the Unix root by default.
    using ToDos = WCHAR* (*)(const char*);
    if (auto to_dos = reinterpret_cast<ToDos>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_dos_file_name")))) {
        if (WCHAR* dos = to_dos(win::wide_to_utf8(text).c_str())) {
            fs::path result(dos);
            ::HeapFree(::GetProcessHeap(), 0, dos);
            return result;
        }
    }
    for (auto& c : text) {
        if (c == L'/') c = L'\\';
    }
    return fs::path(L"Z:" + text);
}

TempFolder::TempFolder(std::wstring_view prefix) {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH + 1];
    if (!::GetTempPathW(MAX_PATH + 1, temp)) throw std::runtime_error("no temporary folder");
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::path(temp) / (std::wstring(prefix) + L"-" + std::to_wstring(::GetCurrentProcessId()) +
                                               L"-" + std::to_wstring(++counter));
        if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

std::vector<std::wstring> TempFolder::names() const {
    std::vector<std::wstring> found;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(path_, ignored)) found.push_back(entry.path().filename().wstring());
    return found;
}

TempFolder::~TempFolder() {
    // Tests leave read-only files behind on purpose; they would stop the removal.
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
        ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::remove_all(path_, ignored);
}

} // namespace qv::test
