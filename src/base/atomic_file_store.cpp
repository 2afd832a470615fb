#include "base/atomic_file_store.h"

namespace qv::ini {

void AtomicFileStore::write(const std::wstring& path, std::string_view bytes) {
    const auto temporary = files_.create_temporary(path);
    if (!temporary) throw write_error(path);
    if (!files_.write_all(*temporary, bytes) || !files_.replace(*temporary, path)) {
        files_.remove(*temporary);
        throw write_error(path);
    }
}

} // namespace qv::ini
