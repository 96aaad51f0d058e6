#pragma once

#include <cstdint>
#include <span>

namespace kustel {

// The information dialog's picture (app/info_picture.png), compiled into the program so that
// no file is read for it at run time.
std::span<const uint8_t> InfoPicturePng();

}  // namespace kustel
