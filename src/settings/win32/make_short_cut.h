#pragma once
// Shortcuts to the program: TMakeShortCut writes one shell link file from its properties, and the
// Startup and desktop shortcut commands of the settings dialog create and delete "Quorvane.lnk" with
// their messages.
#include <windows.h>

#include <string>

#include "settings/win32/shell_folder.h"

namespace qv::settings::win32 {

enum class TShowMode { tsNormal, tsMax, tsMin };
enum class TSysPath { tpBlank, tpDesktop, tpStartMenu };

class TMakeShortCut {
public:
    std::wstring SCFileName;  // full path, or relative to the folder SCSystemPath names
    TShowMode SCShowCmd = TShowMode::tsNormal;
    std::wstring SCDescription;
    std::wstring SCExecFile;
    std::wstring SCArguments;
    std::wstring SCWorkDir;
    TSysPath SCSystemPath = TSysPath::tpBlank;

    // Writes the link, replacing a file of that name; false when the shell could not save it. Only a
    // shell that cannot make link objects at all raises (AppError).
    bool CreateShortCut() const;
};

// The show command a shortcut starts its program with.
int show_command(TShowMode mode);

// The shortcut commands: `folder_name` "Startup" or "Desktop". Each shows its outcome in a box with
// caption "Quorvane" owned by `owner` and answers whether it succeeded. Without a known folder both
// fail.
bool create_program_shortcut(HWND owner, const wchar_t* folder_name);
bool delete_program_shortcut(HWND owner, const wchar_t* folder_name);

} // namespace qv::settings::win32
