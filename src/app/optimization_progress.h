#pragma once
// What the window shows while a run is under way: the phase in the title, the filling progress in the
// main tray icon.
#include <string>

namespace qv::app {

inline constexpr wchar_t kFillingTitle[] = L"物理メモリのデフラグ中 ";
inline constexpr wchar_t kReleasingTitle[] = L"物理メモリの解放中 ";

inline bool is_filling_phase(int progress) { return progress <= 50; }
inline std::wstring run_phase_title(int progress) { return is_filling_phase(progress) ? kFillingTitle : kReleasingTitle; }
// The tray icon shows the filling phase as 0..100.
inline int filling_icon_number(int progress) { return progress * 2; }

} // namespace qv::app
