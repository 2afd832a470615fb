#pragma once
// A FileStore that never leaves a half-written file: the new contents go to a temporary file
// beside the old one, reach the disk, and then replace it in one step. The platform supplies the
// primitive operations.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_store.h"

namespace qv::ini {

// What tells cheaply whether a file may have changed: its size and time of last change, and when (on a
// millisecond clock) they were looked at.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t changed = 0;
    std::uint32_t seen_ms = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual FileRead read(const std::wstring& path) = 0;
    // Nothing where the system cannot tell (the file is then read at every access).
    virtual std::optional<FileStamp> stamp(const std::wstring& /*path*/) { return std::nullopt; }
    // Creates a new, empty file in the folder of `target`; its path, or nothing when the folder refuses.
    virtual std::optional<std::wstring> create_temporary(const std::wstring& target) = 0;
    // Writes the whole file and flushes it to the disk.
    virtual bool write_all(const std::wstring& path, std::string_view bytes) = 0;
    // Puts `from` in the place of `to` in one step; fails (leaving `to` as it was) when `to` is read-only.
    virtual bool replace(const std::wstring& from, const std::wstring& to) = 0;
    virtual void remove(const std::wstring& path) noexcept = 0;
};

// The last reading of a file serves again while the file's stamp stays as it was, for at most
// kTrustMilliseconds: a file system that keeps the time of change coarsely (FAT: two seconds) may give two
// contents written within that time one stamp. The display refresh reads the settings several times a
// second, and a hand edit still shows at the next access.
class AtomicFileStore final : public FileStore {
public:
    static constexpr std::uint32_t kTrustMilliseconds = 2000;

    explicit AtomicFileStore(FileSystem& files) : files_(files) {}
    FileRead read(const std::wstring& path) override;
    void write(const std::wstring& path, std::string_view bytes) override;

private:
    struct Reading {
        std::wstring path;
        FileStamp stamp;
        FileRead contents;
    };

    FileSystem& files_;
    std::optional<Reading> last_;
};

} // namespace qv::ini
