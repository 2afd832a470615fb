#pragma once
// A start with a switch: the running copy is asked to carry it out (a run for /optimize is made here,
// showing nothing, when no copy runs), and what came of it is the process's exit code.
#include <string>
#include <vector>

#include "app/command_line.h"

namespace qv::app {

// The arguments after the program's own name, split as the system splits a command line.
std::vector<std::wstring> command_line_arguments();
// Carries the line out; the exit code (an ExitCode).
int carry_out(const CommandLine& line);

} // namespace qv::app
