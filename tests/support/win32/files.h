#pragma once
// Files and folders of the end-to-end tests: whole-file reads and writes as raw bytes (so a test can
// write Shift-JIS or any odd spelling of an INI file), a scenario's own temporary folder, and the
// Windows spelling of the paths the test environment hands over in Unix form.
#include <filesystem>
#include <vector>
#include <optional>
#include <string>
#include <string_view>

namespace qv::test {

// The whole file, or nothing when it cannot be opened.
std::optional<std::string> read_file(const std::filesystem::path& file);
// Writes (replaces) the file; throws std::runtime_error when it cannot.
void write_file(const std::filesystem::path& file, std::string_view bytes);

// An environment variable as a path. Under Wine the build hands over Unix paths ("/work/..."); they are
// turned into the drive the prefix maps to the Unix root. Empty when the variable is not set.
std::filesystem::path environment_path(const wchar_t* name);

// A fresh folder in the system's temporary folder; removed with everything in it at destruction.
class TempFolder {
public:
    explicit TempFolder(std::wstring_view prefix);
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::filesystem::path& path() const noexcept { return path_; }
    std::wstring file(std::wstring_view name) const { return (path_ / name).wstring(); }
    // The names of what the folder holds, in no particular order.
    std::vector<std::wstring> names() const;

private:
    std::filesystem::path path_;
};

} // namespace qv::test
