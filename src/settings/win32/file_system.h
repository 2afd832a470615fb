#pragma once
// The settings file on Win32 files. A write goes to the file that a link names and keeps that file's
// identity: its other names (hard links), its attributes and, where the system has them, its security.
#include <windows.h>

#include <string>

#include "settings/atomic_file_store.h"
#include "base/win32/unique_handle.h"

namespace qv::settings::win32 {

// The temporary file of a write lies beside the file the target's links lead to, so that the replacement
// is a rename within one folder. From its creation until that rename it stays open without delete
// sharing: another writer's clean-up of abandoned temporary files can then delete only those of writers
// that are gone, whatever it can tell about their owners.
class Win32FileSystem final : public FileSystem {
public:
    ini::FileRead read(const std::wstring& path) override;
    std::optional<std::wstring> create_temporary(const std::wstring& target) override;
    bool write_all(const std::wstring& path, std::string_view bytes) override;
    bool replace(const std::wstring& from, const std::wstring& to) override;
    void remove(const std::wstring& path) noexcept override;

private:
    bool rewrite_in_place(const std::wstring& from, const std::wstring& to);
    void release() noexcept;

    std::wstring temporary_;
    win::UniqueFileHandle held_;
};

} // namespace qv::settings::win32
