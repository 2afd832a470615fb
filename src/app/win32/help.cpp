#include "app/win32/help.h"

#include <string>

#include "app/app_info.h"
#include "base/win32/program_folder.h"
#include "base/win32/shell_open.h"

namespace qv::app {
namespace {

const wchar_t* topic_page(int context) {
    switch (context) {
        case kSettingsHelpContext:
            return kSettingsHelpPage;
        case kWindowHelpContext:
            return kWindowHelpPage;
        default:
            return kHelpContentsPage;
    }
}

void open_page(HWND owner, const wchar_t* page) {
    std::wstring path = win::program_folder();
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    path = path + kHelpFolder + L"\\" + page;
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES && win::shell_open(owner, path)) return;
    const std::wstring text = L"ヘルプを開けません\n" + path;
    ::MessageBoxW(owner, text.c_str(), L"ERROR", MB_OK | MB_ICONWARNING);
}

}  // namespace

void open_help_contents(HWND owner) {
    open_page(owner, kHelpContentsPage);
}

void open_help_topic(HWND owner, int context) {
    open_page(owner, topic_page(context));
}

}  // namespace qv::app
