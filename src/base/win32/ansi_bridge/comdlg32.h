#pragma once
// The 95 family's stand-ins for the common dialogs' wide-character functions (see bridge.h).
#include <windows.h>
#include <commdlg.h>

#include <string>

namespace qv::win::ansi {

BOOL WINAPI GetOpenFileNameW(LPOPENFILENAMEW open);
BOOL WINAPI ChooseFontW(LPCHOOSEFONTW choose);
BOOL WINAPI ChooseColorW(LPCHOOSECOLORW choose);

} // namespace qv::win::ansi

namespace qv::win::bridge {

// A list of texts each ended by a null, the list ended by one more (a filter list, a multiple
// selection), in the other form; the result holds the closing nulls.
std::string ansi_list(const wchar_t* list);
std::wstring wide_list(const char* list, std::size_t capacity);

} // namespace qv::win::bridge
