#pragma once
// The program's name: the title of its window and of its message boxes.
namespace qv {

inline constexpr wchar_t kAppTitle[] = L"Quorvane";

} // namespace qv
