#include "base/win32/file_store.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "base/ascii.h"
#include "base/win32/system_function.h"

namespace qv::win {
namespace {

using GetFinalPathFn = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
using GetFileSecurityFn = BOOL(WINAPI*)(LPCWSTR, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR, DWORD, LPDWORD);
using SetFileSecurityFn = BOOL(WINAPI*)(LPCWSTR, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR);
using MoveFileExFn = BOOL(WINAPI*)(LPCWSTR, LPCWSTR, DWORD);
using GetFileAttributesExFn = BOOL(WINAPI*)(LPCWSTR, GET_FILEEX_INFO_LEVELS, LPVOID);

constexpr DWORD kAllSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// What a new file takes over from the one it replaces when a plain rename puts it there.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool is_missing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// Scanners, backup and sync tools hold a file open for a moment after it changed.
bool is_held_by_another(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Tries `step` again for about a second while another program holds the file.
template <typename Step>
bool retry_while_held(Step step) {
    for (int attempt = 0;; ++attempt) {
        if (step()) return true;
        const DWORD error = ::GetLastError();
        if (!is_held_by_another(error) || attempt == 20) return false;
        ::Sleep(50);
    }
}

// Where a write goes and how that file stands.
struct Target {
    std::wstring path;  // the file the links name; the path itself where the system cannot tell
    DWORD attributes = INVALID_FILE_ATTRIBUTES;  // invalid: no such file
    DWORD links = 1;
};

Target inspect(const std::wstring& path) {
    Target target{path, ::GetFileAttributesW(path.c_str())};
    // No access asked: this open works on a file others hold without any sharing.
    UniqueFileHandle file(
        ::CreateFileW(path.c_str(), 0, kAllSharing, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return target;
    static const auto final_path = nt_function<GetFinalPathFn>(L"kernel32.dll", "GetFinalPathNameByHandleW");
    if (final_path) {
        std::wstring name(MAX_PATH, L'\0');
        DWORD length = final_path(file.get(), name.data(), static_cast<DWORD>(name.size()), 0);
        if (length >= name.size()) {
            name.resize(length);
            length = final_path(file.get(), name.data(), static_cast<DWORD>(name.size()), 0);
        }
        if (length > 0 && length < name.size()) target.path = name.substr(0, length);
    }
    // Of the file itself: a symbolic link's own attributes say nothing about it.
    BY_HANDLE_FILE_INFORMATION info;
    if (::GetFileInformationByHandle(file.get(), &info)) {
        target.attributes = info.dwFileAttributes;
        target.links = info.nNumberOfLinks;
    }
    return target;
}

// The NT family's rename over an existing file; null on the 95 family, which has none.
MoveFileExFn move_file_ex() {
    static const auto function = nt_function<MoveFileExFn>(L"kernel32.dll", "MoveFileExW");
    return function;
}

// The access rules of the file being replaced (an ACL the user gave it) go to its successor; the 95 family
// has none. ReplaceFile would carry them, but it is no one step everywhere: Wine's moves the old file away
// first, and a crash then leaves no settings file at all.
void copy_security(const std::wstring& from, const std::wstring& to) {
    // advapi32 is loaded with the program (the registry calls).
    static const auto get = nt_function<GetFileSecurityFn>(L"advapi32.dll", "GetFileSecurityW");
    static const auto set = nt_function<SetFileSecurityFn>(L"advapi32.dll", "SetFileSecurityW");
    DWORD size = 0;
    if (!get || !set || get(from.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size) || size == 0) return;
    std::vector<void*> descriptor(size / sizeof(void*) + 1);  // aligned for the pointers inside
    if (get(from.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size, &size)) {
        set(to.c_str(), DACL_SECURITY_INFORMATION, descriptor.data());
    }
}

// Puts the temporary file in the target's place in one step, a rename over it.
bool move_over(const std::wstring& from, const std::wstring& to) {
    if (const auto move = move_file_ex()) {
        return move(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }
    return ::MoveFileW(from.c_str(), to.c_str()) != 0;  // the 95 family, to a name that is free
}

// Writes the whole of `bytes` from the file pointer on, ends the file there and flushes it to the disk.
bool write_whole(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD put = 0;
        const auto size = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 24));
        if (!::WriteFile(file, bytes.data(), size, &put, nullptr) || put == 0) return false;
        bytes.remove_prefix(put);
    }
    return ::SetEndOfFile(file) && ::FlushFileBuffers(file);
}

// A name unique to this process and call, so that two writers never share a temporary file.
std::wstring temporary_name(const std::wstring& target, unsigned attempt) {
    static unsigned counter = 0;
    wchar_t suffix[40];
    // The C runtime's formatter: user32's wide one is a stub on the 95 family.
    std::swprintf(suffix, std::size(suffix), L".%lx-%x.tmp", ::GetCurrentProcessId(), ++counter + attempt);
    return target + suffix;
}

bool process_runs(DWORD id) {
    UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, id));
    return process && ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

// A writer killed half-way leaves its temporary file beside the settings; the next write clears those of
// processes that are gone (the name says whose it is). The owner may be one this process cannot see (of
// another user, elevated, on another machine sharing the folder): a live writer holds its file open
// without delete sharing, so the deletion fails for it.
void remove_abandoned_temporaries(const std::wstring& target) {
    const size_t name_start = target.find_last_of(L"\\/") + 1;  // 0 without a folder
    const std::wstring folder = target.substr(0, name_start);
    const std::wstring prefix = target.substr(name_start) + L".";
    WIN32_FIND_DATAW found;
    UniqueFindHandle search(::FindFirstFileW((target + L".*.tmp").c_str(), &found));
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
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, kAllSharing, nullptr, OPEN_EXISTING,
                                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
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

std::optional<ini::FileStamp> Win32FileSystem::stamp(const std::wstring& path) {
    // One look at the file's entry, no open: the 95 family has no such call and reads the file every time.
    static const auto attributes = nt_function<GetFileAttributesExFn>(L"kernel32.dll", "GetFileAttributesExW");
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!attributes || !attributes(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    return ini::FileStamp{join(data.nFileSizeHigh, data.nFileSizeLow),
                          join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
                          static_cast<std::uint32_t>(::GetTickCount())};
}

std::optional<std::wstring> Win32FileSystem::create_temporary(const std::wstring& target) {
    const Target real = inspect(target);
    remove_abandoned_temporaries(real.path);
    const DWORD attributes = real.attributes == INVALID_FILE_ATTRIBUTES ? 0 : real.attributes & kKeptAttributes;
    for (unsigned attempt = 0; attempt < 16; ++attempt) {
        std::wstring name = temporary_name(real.path, attempt);
        UniqueFileHandle file(::CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                                 attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            held_ = std::move(file);
            temporary_ = name;
            return name;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    return std::nullopt;
}

bool Win32FileSystem::write_all(const std::wstring& path, std::string_view bytes) {
    // On the disk before it replaces the old file: a crash then leaves the old or the new file whole.
    if (held_ && path == temporary_) return write_whole(held_.get(), bytes);
    UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && write_whole(file.get(), bytes) && ::CloseHandle(file.release());
}

bool Win32FileSystem::replace(const std::wstring& from, const std::wstring& to) {
    const Target target = inspect(to);
    const bool exists = target.attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only settings file is one the user froze: renaming over it would succeed on some systems.
    if (exists && (target.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;
    // A rename would split a file that has other names, and the 95 family cannot rename over a file.
    if (exists && (target.links > 1 || !move_file_ex())) return rewrite_in_place(from, target.path);
    // The rename opens the temporary file for deletion, which cannot be while it is held. From here to that
    // open, a clean-up that cannot tell this process alive could delete it; the write then fails, leaving the
    // old file whole.
    if (exists) copy_security(target.path, from);
    release();
    if (retry_while_held([&] { return move_over(from, target.path); })) return true;
    // Still held by a program that lets others write but not rename or delete.
    return exists && is_held_by_another(::GetLastError()) && rewrite_in_place(from, target.path);
}

// The new content goes into the file itself, once all of it is on the disk in the temporary file. The
// trade-off: a crash during this one small write can leave the file torn, where a rename leaves the old or
// the new file whole; but a rename makes another file of it, which splits a hard link (and the 95 family
// has no rename over a file). Until the file is flushed the temporary copy stays beside it, whole.
bool Win32FileSystem::rewrite_in_place(const std::wstring& from, const std::wstring& to) {
    const ini::FileRead copy = read(from);
    if (copy.status != ini::ReadStatus::ok) return false;
    UniqueFileHandle file;
    const bool opened = retry_while_held([&] {
        file.reset(::CreateFileW(to.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        return static_cast<bool>(file);
    });
    if (!opened || !write_whole(file.get(), copy.bytes)) return false;
    file.reset();
    remove(from);
    return true;
}

void Win32FileSystem::remove(const std::wstring& path) noexcept {
    if (path == temporary_) release();
    ::DeleteFileW(path.c_str());
}

void Win32FileSystem::release() noexcept {
    held_.reset();
    temporary_.clear();
}

} // namespace qv::win
