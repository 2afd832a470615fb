#pragma once
// Unpacks a ZIP archive (entries stored or deflated, as the release package holds them) with zlib.
#include <filesystem>
#include <string>
#include <vector>

namespace qv::test {

// Writes every entry of `archive` under `folder` (folders made as needed) and answers the entries'
// names, relative to `folder`, files only. Throws std::runtime_error for what it cannot read.
std::vector<std::filesystem::path> unpack_zip(const std::filesystem::path& archive, const std::filesystem::path& folder);

} // namespace qv::test
