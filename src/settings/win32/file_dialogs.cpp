#include "settings/win32/file_dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "skin/win32/system_colors.h"

namespace qv::settings::win32 {

std::optional<skin::Font> ChooseFontDialog(HWND owner, const skin::Font& font) {
    LOGFONTW log{};
    log.lfHeight = font.Height;
    log.lfWeight = (font.Style & skin::fsBold) ? FW_BOLD : FW_NORMAL;
    log.lfItalic = (font.Style & skin::fsItalic) ? TRUE : FALSE;
    log.lfUnderline = (font.Style & skin::fsUnderline) ? TRUE : FALSE;
    log.lfStrikeOut = (font.Style & skin::fsStrikeOut) ? TRUE : FALSE;
    log.lfCharSet = static_cast<BYTE>(font.Charset);
    font.Name.copy(log.lfFaceName, LF_FACESIZE - 1);

    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.lpLogFont = &log;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    choose.rgbColors = skin::win::ToColorRef(font.FontColor);
    if (!::ChooseFontW(&choose)) return std::nullopt;

    skin::Font chosen;
    chosen.Name = log.lfFaceName;
    chosen.Height = log.lfHeight;
    chosen.Style = (log.lfWeight >= FW_BOLD ? skin::fsBold : 0u) | (log.lfItalic ? skin::fsItalic : 0u) |
                   (log.lfUnderline ? skin::fsUnderline : 0u) | (log.lfStrikeOut ? skin::fsStrikeOut : 0u);
    chosen.Charset = log.lfCharSet;
    chosen.FontColor = choose.rgbColors & 0xFFFFFFu;
    return chosen;
}

std::optional<std::wstring> OpenFileDialog(HWND owner, std::wstring_view filter, const std::wstring& folder,
                                           const std::wstring& file_name) {
    std::wstring filters(filter);
    std::replace(filters.begin(), filters.end(), L'|', L'\0');
    filters.append(2, L'\0');
    std::vector<wchar_t> file(32768, L'\0');
    file_name.copy(file.data(), file.size() - 1);

    OPENFILENAMEW open{};
    open.lStructSize = sizeof(open);
    open.hwndOwner = owner;
    open.lpstrFilter = filters.c_str();
    open.nFilterIndex = 1;
    open.lpstrFile = file.data();
    open.nMaxFile = static_cast<DWORD>(file.size());
    open.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    open.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (!::GetOpenFileNameW(&open)) return std::nullopt;
    return std::wstring(file.data());
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

} // namespace qv::settings::win32
