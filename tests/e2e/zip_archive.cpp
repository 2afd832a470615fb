#include "e2e/zip_archive.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "support/win32/files.h"

namespace qv::test {
namespace {

namespace fs = std::filesystem;

std::uint32_t little(const std::string& bytes, size_t at, int size) {
    if (at + static_cast<size_t>(size) > bytes.size()) throw std::runtime_error("zip: truncated");
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

std::string inflate_raw(const std::string& bytes, size_t at, size_t packed, size_t size) {
    std::string out(size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) throw std::runtime_error("zip: inflateInit2");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data() + at));
    stream.avail_in = static_cast<uInt>(packed);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(size);
    const int result = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    if (result != Z_STREAM_END || stream.total_out != size) throw std::runtime_error("zip: bad deflate data");
    return out;
}

} // namespace

std::vector<fs::path> unpack_zip(const fs::path& archive, const fs::path& folder) {
    const auto read = read_file(archive);
    if (!read) throw std::runtime_error("zip: cannot read " + archive.string());
    const std::string& bytes = *read;
    // The end record: the last "PK\5\6" (no archive comment is expected, but one is allowed).
    const size_t end = bytes.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos) throw std::runtime_error("zip: no end record");
    const std::uint32_t entries = little(bytes, end + 10, 2);
    size_t at = little(bytes, end + 16, 4);
    std::vector<fs::path> files;
    for (std::uint32_t i = 0; i < entries; ++i) {
        if (little(bytes, at, 4) != 0x02014B50) throw std::runtime_error("zip: bad central record");
        const auto method = little(bytes, at + 10, 2);
        const size_t packed = little(bytes, at + 20, 4), size = little(bytes, at + 24, 4);
        const size_t name_length = little(bytes, at + 28, 2);
        const size_t skip = name_length + little(bytes, at + 30, 2) + little(bytes, at + 32, 2);
        const size_t local = little(bytes, at + 42, 4);
        const std::string name = bytes.substr(at + 46, name_length);
        at += 46 + skip;

        const fs::path relative = fs::path(name).make_preferred();
        if (name.empty() || name.back() == '/') {
            fs::create_directories(folder / relative);
            continue;
        }
        const size_t data = local + 30 + little(bytes, local + 26, 2) + little(bytes, local + 28, 2);
        if (data + packed > bytes.size()) throw std::runtime_error("zip: truncated entry " + name);
        std::string content;
        if (method == 0) content = bytes.substr(data, packed);
        else if (method == 8) content = inflate_raw(bytes, data, packed, size);
        else throw std::runtime_error("zip: unknown method for " + name);
        fs::create_directories((folder / relative).parent_path());
        write_file(folder / relative, content);
        files.push_back(relative);
    }
    return files;
}

} // namespace qv::test
