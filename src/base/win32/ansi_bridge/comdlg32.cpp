#include "base/win32/ansi_bridge/comdlg32.h"

#include <cderr.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/win32/ansi_bridge/bridge.h"

namespace qv::win::bridge {
namespace {

std::size_t list_length(const wchar_t* list) {
    std::size_t length = 0;
    while (list[length] || list[length + 1]) ++length;
    return length + 2;
}

} // namespace

std::string ansi_list(const wchar_t* list) {
    if (!list) return {};
    const AnsiArgument converted(list, static_cast<int>(list_length(list)));
    return std::string(converted.get(), static_cast<std::size_t>(converted.length()));
}

std::wstring wide_list(const char* list, std::size_t capacity) {
    std::size_t length = 0;
    while (length + 1 < capacity && (list[length] || list[length + 1])) ++length;
    const std::size_t ended = std::min(length + 2, capacity);
    std::wstring wide(ended, L'\0');
    const int size = ::MultiByteToWideChar(CP_ACP, 0, list, static_cast<int>(ended), wide.data(), static_cast<int>(ended));
    wide.resize(static_cast<std::size_t>(std::max(size, 0)));
    return wide;
}

} // namespace qv::win::bridge

namespace qv::win::ansi {
namespace {

using bridge::AnsiArgument;

// Characters of the wide text that `bytes` of its ANSI form hold.
WORD wide_offset(const char* ansi, WORD bytes) {
    return bytes == 0 ? 0 : static_cast<WORD>(::MultiByteToWideChar(CP_ACP, 0, ansi, bytes, nullptr, 0));
}

} // namespace

BOOL WINAPI GetOpenFileNameW(LPOPENFILENAMEW open) {
    const std::string filter = bridge::ansi_list(open->lpstrFilter);
    const AnsiArgument folder(open->lpstrInitialDir), title(open->lpstrTitle), extension(open->lpstrDefExt),
        dialog_template(open->lpTemplateName);
    // A byte for each of the caller's characters: whatever the dialog puts there fits the caller's buffer.
    std::vector<char> file(std::max<DWORD>(open->nMaxFile, 1), '\0');
    if (open->lpstrFile) {
        const AnsiArgument initial(open->lpstrFile);
        std::memcpy(file.data(), initial.get(), std::min<std::size_t>(initial.length(), file.size() - 1));
    }
    std::vector<char> file_title(std::max<DWORD>(open->nMaxFileTitle, 1), '\0');

    OPENFILENAMEA ansi{};
    ansi.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the size the 95 family and NT 4 accept
    ansi.hwndOwner = open->hwndOwner;
    ansi.hInstance = open->hInstance;
    ansi.lpstrFilter = open->lpstrFilter ? filter.c_str() : nullptr;
    ansi.nFilterIndex = open->nFilterIndex;
    ansi.lpstrFile = open->lpstrFile ? file.data() : nullptr;
    ansi.nMaxFile = static_cast<DWORD>(file.size());
    ansi.lpstrFileTitle = open->lpstrFileTitle ? file_title.data() : nullptr;
    ansi.nMaxFileTitle = static_cast<DWORD>(file_title.size());
    ansi.lpstrInitialDir = folder;
    ansi.lpstrTitle = title;
    ansi.Flags = open->Flags;
    ansi.lpstrDefExt = extension;
    ansi.lCustData = open->lCustData;
    ansi.lpfnHook = open->lpfnHook;
    ansi.lpTemplateName = dialog_template;
    const BOOL chosen = ::GetOpenFileNameA(&ansi);

    open->nFilterIndex = ansi.nFilterIndex;
    if (chosen) {
        if (open->lpstrFile) {
            const std::wstring names = (open->Flags & OFN_ALLOWMULTISELECT)
                                           ? bridge::wide_list(file.data(), file.size())
                                           : bridge::wide_from_buffer(file.data(), file.size()) + L'\0';
            std::copy_n(names.begin(), std::min<std::size_t>(names.size(), open->nMaxFile), open->lpstrFile);
            open->nFileOffset = wide_offset(file.data(), ansi.nFileOffset);
            open->nFileExtension = wide_offset(file.data(), ansi.nFileExtension);
        }
        if (open->lpstrFileTitle) bridge::copy_to_wide(file_title.data(), open->lpstrFileTitle, static_cast<int>(open->nMaxFileTitle));
        open->Flags = ansi.Flags;
    } else if (open->lpstrFile && open->nMaxFile > 0 && ::CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
        // The size the name needs, in bytes: at least as many as the wide characters it needs.
        std::memcpy(open->lpstrFile, file.data(), std::min<std::size_t>(sizeof(WORD), file.size()));
    }
    return chosen;
}

BOOL WINAPI ChooseFontW(LPCHOOSEFONTW choose) {
    LOGFONTA font = choose->lpLogFont ? bridge::ansi_logfont(*choose->lpLogFont) : LOGFONTA{};
    const AnsiArgument dialog_template(choose->lpTemplateName);
    char style[LF_FACESIZE * 2]{};
    const bool uses_style = (choose->Flags & CF_USESTYLE) && choose->lpszStyle;
    if (uses_style) {
        const AnsiArgument initial(choose->lpszStyle);
        std::memcpy(style, initial.get(), std::min<std::size_t>(initial.length(), LF_FACESIZE - 1));
    }

    CHOOSEFONTA ansi{};
    ansi.lStructSize = sizeof(ansi);
    ansi.hwndOwner = choose->hwndOwner;
    ansi.hDC = choose->hDC;
    ansi.lpLogFont = choose->lpLogFont ? &font : nullptr;
    ansi.iPointSize = choose->iPointSize;
    ansi.Flags = choose->Flags;
    ansi.rgbColors = choose->rgbColors;
    ansi.lCustData = choose->lCustData;
    ansi.lpfnHook = choose->lpfnHook;
    ansi.lpTemplateName = dialog_template;
    ansi.hInstance = choose->hInstance;
    ansi.lpszStyle = uses_style ? style : nullptr;
    ansi.nFontType = choose->nFontType;
    ansi.nSizeMin = choose->nSizeMin;
    ansi.nSizeMax = choose->nSizeMax;
    const BOOL chosen = ::ChooseFontA(&ansi);
    if (chosen) {
        if (choose->lpLogFont) *choose->lpLogFont = bridge::wide_logfont(font);
        if (uses_style) bridge::copy_to_wide(style, choose->lpszStyle, LF_FACESIZE);
        choose->iPointSize = ansi.iPointSize;
        choose->rgbColors = ansi.rgbColors;
        choose->nFontType = ansi.nFontType;
    }
    return chosen;
}

BOOL WINAPI ChooseColorW(LPCHOOSECOLORW choose) {
    const AnsiArgument dialog_template(choose->lpTemplateName);
    CHOOSECOLORA ansi{};
    ansi.lStructSize = sizeof(ansi);
    ansi.hwndOwner = choose->hwndOwner;
    ansi.hInstance = choose->hInstance;
    ansi.rgbResult = choose->rgbResult;
    ansi.lpCustColors = choose->lpCustColors;
    ansi.Flags = choose->Flags;
    ansi.lCustData = choose->lCustData;
    ansi.lpfnHook = choose->lpfnHook;
    ansi.lpTemplateName = dialog_template;
    const BOOL chosen = ::ChooseColorA(&ansi);
    if (chosen) choose->rgbResult = ansi.rgbResult;
    return chosen;
}

} // namespace qv::win::ansi

QV_BRIDGE("comdlg32.dll", GetOpenFileNameW, 4);
QV_BRIDGE("comdlg32.dll", ChooseFontW, 4);
QV_BRIDGE("comdlg32.dll", ChooseColorW, 4);
