#pragma once

#include <cstdint>
#include <span>

namespace kustel {

// The information dialog's picture, the page of the system the program is built for
// (gui/info_picture_linux.png or gui/info_picture_windows.png), compiled into the program so that
// no file is read for it at run time.
std::span<const uint8_t> InfoPicturePng();

}  // namespace kustel
