#pragma once
// Opening a document, a web address or a mail address with the program the user has chosen for it.
#include <windows.h>

#include <string>

namespace qv::win {

// Asks the shell to open `target` ("open" verb, shown normally), started in the program's folder. The
// shell shows no message of its own when it cannot; the answer says whether it could.
bool shell_open(HWND owner, const std::wstring& target);

}  // namespace qv::win
