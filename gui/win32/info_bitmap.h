#pragma once

#include <windows.h>

#include <string>

namespace kustel {

// The information picture as a bitmap the dialog can show: decoded by gui/png_decoder into a
// 32-bit top-down DIB section. nullptr when the built-in picture cannot be decoded, with the
// reason in `failure`.
HBITMAP MakeInfoBitmap(std::u16string& failure);

}  // namespace kustel
