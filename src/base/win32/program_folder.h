#pragma once
// The folder the running program was started from: links are opened from there, and the help lies there.
#include <string>

namespace qv::win {

// The program's folder without a trailing backslash (a drive root keeps its own, "C:\"); empty when the
// system does not say.
std::wstring program_folder();

}  // namespace qv::win
