#pragma once
// The running program's file and folder: links are opened from there, the help and the settings lie there.
#include <string>

namespace qv::win {

// The program file's full path; empty when the system does not say.
std::wstring program_path();
// The program's folder without a trailing backslash (a drive root keeps its own, "C:\"); empty when the
// system does not say.
std::wstring program_folder();

}  // namespace qv::win
