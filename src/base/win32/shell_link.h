#pragma once
// Shell link files (.lnk). The NT family's shell offers IShellLinkW; the 95 family's only IShellLinkA,
// which takes its paths in the ANSI code page. Both save through IPersistFile, which takes wide text
// on both.
#include <windows.h>

#include <string>

#include "base/win32/ansi_bridge/bridge.h"

namespace qv::win {

struct ShellLinkFields {
    std::wstring description;
    std::wstring path;
    std::wstring arguments;
    std::wstring working_directory;
    int show_command = SW_SHOWNORMAL;
};

enum class ShellLinkOutcome { no_link_object, no_persist_file, not_saved, saved };

// Writes `file` (replacing one of that name) with the calling thread's COM. `ansi` chooses the ANSI
// link object; by default where the system has no other.
ShellLinkOutcome save_shell_link(const ShellLinkFields& fields, const std::wstring& file,
                                 bool ansi = bridge::ansi_system());

} // namespace qv::win
