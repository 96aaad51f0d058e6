#pragma once

#include <string>
#include <string_view>

namespace kustel {

// "%i.%i.%i" of (year - 2000, month, day) from a build date in the form of __DATE__
// ("Nov 23 2024" gives "24.11.23").
std::u16string VersionText(std::string_view buildDate);

// The version of this build, from the date the program was compiled.
std::u16string BuildVersionText();

}  // namespace kustel
