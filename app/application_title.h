#pragma once

#include <string>
#include <string_view>

namespace kustel {

// The program file's name without its folder, cut at its first dot, the first character in
// upper case and every character after it in lower case: "/usr/bin/KUSTEL.EXE" and
// "/usr/bin/kustel" both give "Kustel". Used as the caption of every box.
std::u16string ApplicationTitle(std::u16string_view programPath);

}  // namespace kustel
