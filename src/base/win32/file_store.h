#pragma once
// INI files on Win32 files. A write goes to the file that a link names and keeps that file's
// identity: its other names (hard links), its attributes and, where the system has them, its security.
#include <windows.h>

#include <string>

#include "base/atomic_file_store.h"
#include "base/win32/unique_handle.h"

namespace qv::win {

// The temporary file of a write lies beside the file the target's links lead to, so that the replacement
// is a rename within one folder. From its creation until that rename it stays open without delete
// sharing: another writer's clean-up of abandoned temporary files can then delete only those of writers
// that are gone, whatever it can tell about their owners.
class Win32FileSystem final : public ini::FileSystem {
public:
    ini::FileRead read(const std::wstring& path) override;
    std::optional<ini::FileStamp> stamp(const std::wstring& path) override;
    std::optional<std::wstring> create_temporary(const std::wstring& target) override;
    bool write_all(const std::wstring& path, std::string_view bytes) override;
    bool replace(const std::wstring& from, const std::wstring& to) override;
    void remove(const std::wstring& path) noexcept override;

private:
    bool rewrite_in_place(const std::wstring& from, const std::wstring& to);
    void release() noexcept;

    std::wstring temporary_;
    UniqueFileHandle held_;
};

// The atomic store on Win32 files: what the settings and the skin reader read and write through.
class Win32FileStore final : public ini::FileStore {
public:
    Win32FileStore() = default;
    Win32FileStore(const Win32FileStore&) = delete;
    Win32FileStore& operator=(const Win32FileStore&) = delete;

    ini::FileRead read(const std::wstring& path) override { return atomic_.read(path); }
    void write(const std::wstring& path, std::string_view bytes) override { atomic_.write(path, bytes); }

private:
    Win32FileSystem system_;
    ini::AtomicFileStore atomic_{system_};
};

} // namespace qv::win
