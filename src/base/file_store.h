#pragma once
// Whole-file access for INI files. The settings store reads the file at every access and replaces it at
// every write; the platform part supplies the real files, tests a fake.
#include <string>
#include <string_view>

#include "base/app_error.h"

namespace qv::ini {

enum class ReadStatus {
    ok,
    missing,  // the file does not exist: a first start, every setting at its default
    failed,   // it exists but cannot be read now (locked, no access)
};

struct FileRead {
    ReadStatus status = ReadStatus::missing;
    std::string bytes;
};

class FileStore {
public:
    virtual ~FileStore() = default;
    virtual FileRead read(const std::wstring& path) = 0;
    // Replaces the whole file so that a failure at any point leaves the old file as it was; raises
    // write_error(path) when the file system refuses.
    virtual void write(const std::wstring& path, std::string_view bytes) = 0;
};

// The error a refused write raises, for the user: "<path> に書き込めません".
inline AppError write_error(const std::wstring& path) {
    return AppError(path + L" に書き込めません");
}

} // namespace qv::ini
