#pragma once
// Names the program shows and other programs rely on.
#include "base/app_name.h"
#include "skin/default_design.h"

namespace qv::app {

using qv::kAppTitle;
inline constexpr wchar_t kMainWindowClass[] = L"TForm1";
inline constexpr wchar_t kSingleInstanceMutex[] = L"ZOLT_Mutex";
// Window property set on the main window once its start-up is complete (other programs and the
// end-to-end tests wait for it before they talk to the window).
inline constexpr wchar_t kReadyProperty[] = L"QuorvaneReady";

// The help: Japanese HTML pages in this folder beside the program, opened with the user's browser. Its
// contents page, and the pages of the context numbers the program asks for.
inline constexpr wchar_t kHelpFolder[] = L"help";
inline constexpr wchar_t kHelpContentsPage[] = L"index.html";
inline constexpr int kSettingsHelpContext = 7;  // the settings dialog's help button
inline constexpr wchar_t kSettingsHelpPage[] = L"settings.html";
inline constexpr int kWindowHelpContext = 8;  // "ヘルプ" in the window's menu
inline constexpr wchar_t kWindowHelpPage[] = L"window.html";

// The main window's client area in the default design.
inline constexpr int kClientWidth = 221;
inline constexpr int kClientHeight = 108;
// The outer size, with the one-pixel frame.
inline constexpr int kWindowWidth = kClientWidth + 2;
inline constexpr int kWindowHeight = kClientHeight + 2;
using skin::default_design::kDefaultWindowColor;

} // namespace qv::app
