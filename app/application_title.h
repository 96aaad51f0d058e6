#pragma once

#include <string>
#include <string_view>

namespace kustel {

// The program file's name without its folder, cut at its first dot, every character after the
// first in lower case: "/usr/bin/KUSTEL.EXE" gives "Kustel". Used as the caption of every box.
std::u16string ApplicationTitle(std::u16string_view programPath);

}  // namespace kustel
