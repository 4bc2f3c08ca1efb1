#pragma once
// The command-line options that run without a window: --help, --version and
// --check-skin. main() asks here first, before any Qt application exists.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tavro {

// The exit status when the arguments (without the program name) ask for one
// of the options above, or name an unknown option (status 2, one line on
// err); 3 when `out` fails to take the output, flushed at the end (one line
// on err); nullopt when the program should open its window. Qt's own options
// (-platform, -style, ...) are left to Qt.
std::optional<int> runCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                  std::ostream& err);

// The same for main's arguments, on stdout and stderr.
std::optional<int> runCommandLine(int argc, char** argv);

}  // namespace tavro
