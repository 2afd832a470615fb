#include "base/atomic_file_store.h"

namespace qv::ini {

FileRead AtomicFileStore::read(const std::wstring& path) {
    // Looked at before the read: a change made in between gives the next look another stamp.
    const std::optional<FileStamp> stamp = files_.stamp(path);
    if (stamp && last_ && last_->path == path && last_->stamp.size == stamp->size &&
        last_->stamp.changed == stamp->changed && stamp->seen_ms - last_->stamp.seen_ms < kTrustMilliseconds) {
        return last_->contents;
    }
    FileRead read = files_.read(path);
    if (stamp && read.status == ReadStatus::ok) {
        last_ = Reading{path, *stamp, read};
    } else {
        last_.reset();
    }
    return read;
}

void AtomicFileStore::write(const std::wstring& path, std::string_view bytes) {
    last_.reset();
    const auto temporary = files_.create_temporary(path);
    if (!temporary) throw write_error(path);
    if (!files_.write_all(*temporary, bytes) || !files_.replace(*temporary, path)) {
        files_.remove(*temporary);
        throw write_error(path);
    }
}

} // namespace qv::ini
