#include "settings/win32/system_services.h"

#include <algorithm>
#include <cwchar>

#include "base/ascii.h"
#include "base/win32/unique_handle.h"

namespace qv::settings::win32 {
namespace {

bool is_missing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// A name unique to this process and call, so that two writers never share a temporary file.
std::wstring temporary_name(const std::wstring& target, unsigned attempt) {
    static unsigned counter = 0;
    wchar_t suffix[40];
    ::wsprintfW(suffix, L".%lx-%x.tmp", ::GetCurrentProcessId(), ++counter + attempt);
    return target + suffix;
}

bool process_runs(DWORD id) {
    win::UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, id));
    return process && ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

// A writer killed half-way leaves its temporary file beside the settings; the next write clears those of
// processes that are gone (the name says whose it is).
void remove_abandoned_temporaries(const std::wstring& target) {
    const size_t name_start = target.find_last_of(L"\\/") + 1;  // 0 without a folder
    const std::wstring folder = target.substr(0, name_start);
    const std::wstring prefix = target.substr(name_start) + L".";
    WIN32_FIND_DATAW found;
    win::UniqueFindHandle search(::FindFirstFileW((target + L".*.tmp").c_str(), &found));
    if (!search) return;
    do {
        const std::wstring_view name = found.cFileName;
        if (name.size() <= prefix.size() || !equals_ignore_case(name.substr(0, prefix.size()), prefix)) continue;
        const wchar_t* owner = name.data() + prefix.size();
        wchar_t* end = nullptr;
        const unsigned long id = std::wcstoul(owner, &end, 16);
        if (end == owner || *end != L'-' || id == ::GetCurrentProcessId() || process_runs(id)) continue;
        ::DeleteFileW((folder + found.cFileName).c_str());
    } while (::FindNextFileW(search.get(), &found));
}

} // namespace

ini::FileRead Win32FileSystem::read(const std::wstring& path) {
    // Others may hold the file open for writing or replace it meanwhile; the read takes what is there.
    win::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return {is_missing(::GetLastError()) ? ini::ReadStatus::missing : ini::ReadStatus::failed, {}};
    // One call reads a settings file whole: a file read returns less than asked only at its end.
    ini::FileRead result{ini::ReadStatus::ok, {}};
    size_t chunk = 16384;
    for (;;) {
        const size_t used = result.bytes.size();
        result.bytes.resize(used + chunk);
        DWORD got = 0;
        if (!::ReadFile(file.get(), result.bytes.data() + used, static_cast<DWORD>(chunk), &got, nullptr)) {
            return {ini::ReadStatus::failed, {}};
        }
        result.bytes.resize(used + got);
        if (got < chunk) break;
        chunk = std::min<size_t>(chunk * 2, 1u << 24);
    }
    return result;
}

std::optional<std::wstring> Win32FileSystem::create_temporary(const std::wstring& target) {
    remove_abandoned_temporaries(target);
    for (unsigned attempt = 0; attempt < 16; ++attempt) {
        std::wstring name = temporary_name(target, attempt);
        win::UniqueFileHandle file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) return name;
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    return std::nullopt;
}

bool Win32FileSystem::write_all(const std::wstring& path, std::string_view bytes) {
    win::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    while (!bytes.empty()) {
        DWORD put = 0;
        const auto size = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 24));
        if (!::WriteFile(file.get(), bytes.data(), size, &put, nullptr) || put == 0) return false;
        bytes.remove_prefix(put);
    }
    // On the disk before it replaces the old file: a crash then leaves the old or the new file whole.
    return ::FlushFileBuffers(file.get()) && ::CloseHandle(file.release());
}

bool Win32FileSystem::replace(const std::wstring& from, const std::wstring& to) {
    // A read-only settings file is one the user froze: renaming over it would succeed on some systems.
    const DWORD attributes = ::GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return false;
    }
    return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void Win32FileSystem::remove(const std::wstring& path) noexcept { ::DeleteFileW(path.c_str()); }

std::wstring AnsiCodec::decode(std::string_view bytes) const {
    if (bytes.empty()) return {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

std::optional<std::string> AnsiCodec::encode(std::wstring_view text) const {
    if (text.empty()) return std::string();
    // With UTF-8 as the system code page every character has a form, and the lossy-conversion flags are
    // not allowed.
    if (::GetACP() == CP_UTF8) return ini::Utf8Codec().encode(text);
    BOOL lossy = FALSE;
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy) return std::nullopt;
    std::string bytes(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, bytes.data(), length, nullptr, &lossy);
    if (lossy) return std::nullopt;
    return bytes;
}

void MessageBoxNotifier::show_error(const std::wstring& text) {
    const UINT modality = owner_ ? MB_APPLMODAL : MB_TASKMODAL;
    ::MessageBoxW(owner_, text.c_str(), L"エラー", MB_OK | MB_ICONERROR | modality);
}

std::wstring SystemKeyLayout::key_name(unsigned virtual_key) const {
    const UINT scan = ::MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC);
    if (scan == 0) return {};
    wchar_t name[64];
    const int length = ::GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

} // namespace qv::settings::win32
