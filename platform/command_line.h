#pragma once

#include <string>
#include <vector>

namespace kustel {

// The program's own path followed by its arguments, as text. POSIX hands them over already
// split; each is decoded like a file name, so every path round-trips byte for byte.
std::vector<std::u16string> CommandLineArguments(int argc, char** argv);

}  // namespace kustel
