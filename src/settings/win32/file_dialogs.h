#pragma once
// The system's font and file-open dialogs as the settings pages use them.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "skin/text.h"

namespace qv::settings::win32 {

// The font dialog with effects (colour, underline, strike-out), opened on `font`; the chosen font, or
// nothing when the user cancels.
std::optional<skin::Font> ChooseFontDialog(HWND owner, const skin::Font& font);

// The file-open dialog in `folder` with `file_name` filled in. `filter` is pairs of a description and
// its patterns, all separated by "|". The picked file's path, or nothing when the user cancels.
std::optional<std::wstring> OpenFileDialog(HWND owner, std::wstring_view filter, const std::wstring& folder,
                                           const std::wstring& file_name);

// The folder part of a path ("" when it has none).
std::wstring FolderOf(const std::wstring& path);

} // namespace qv::settings::win32
