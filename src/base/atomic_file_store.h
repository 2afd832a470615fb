#pragma once
// A FileStore that never leaves a half-written file: the new contents go to a temporary file
// beside the old one, reach the disk, and then replace it in one step. The platform supplies the
// primitive operations.
#include <optional>
#include <string>
#include <string_view>

#include "base/file_store.h"

namespace qv::ini {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual FileRead read(const std::wstring& path) = 0;
    // Creates a new, empty file in the folder of `target`; its path, or nothing when the folder refuses.
    virtual std::optional<std::wstring> create_temporary(const std::wstring& target) = 0;
    // Writes the whole file and flushes it to the disk.
    virtual bool write_all(const std::wstring& path, std::string_view bytes) = 0;
    // Puts `from` in the place of `to` in one step; fails (leaving `to` as it was) when `to` is read-only.
    virtual bool replace(const std::wstring& from, const std::wstring& to) = 0;
    virtual void remove(const std::wstring& path) noexcept = 0;
};

class AtomicFileStore final : public FileStore {
public:
    explicit AtomicFileStore(FileSystem& files) : files_(files) {}
    FileRead read(const std::wstring& path) override { return files_.read(path); }
    void write(const std::wstring& path, std::string_view bytes) override;

private:
    FileSystem& files_;
};

} // namespace qv::ini
