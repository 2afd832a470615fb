#include "settings/atomic_file_store.h"

namespace qv::settings {

void AtomicFileStore::write(const std::wstring& path, std::string_view bytes) {
    const auto temporary = files_.create_temporary(path);
    if (!temporary) throw ini::write_error(path);
    if (!files_.write_all(*temporary, bytes) || !files_.replace(*temporary, path)) {
        files_.remove(*temporary);
        throw ini::write_error(path);
    }
}

} // namespace qv::settings
