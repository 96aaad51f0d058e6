#include "gui/win32/info_bitmap.h"

#include "gui/info_picture.h"
#include "gui/png_decoder.h"
#include "platform/name_codec.h"

namespace kustel {

HBITMAP MakeInfoBitmap(std::u16string& failure) {
  const DecodedPng picture = DecodePng(InfoPicturePng());
  if (!picture.ok()) {
    failure = BytesToText(PngErrorText(picture.error));
    return nullptr;
  }
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = static_cast<LONG>(picture.width);
  format.bmiHeader.biHeight = -static_cast<LONG>(picture.height);  // negative: top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) {
    failure = u"Zu wenig Arbeitsspeicher";
    return nullptr;
  }
  // RGBA becomes the DIB's BGR with a zero fourth byte: every pixel of the picture is opaque,
  // and a zero alpha keeps the static control from blending it.
  auto* pixels = static_cast<uint8_t*>(bits);
  const size_t count = static_cast<size_t>(picture.width) * picture.height;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* rgba = &picture.rgba[i * 4];
    pixels[i * 4 + 0] = rgba[2];
    pixels[i * 4 + 1] = rgba[1];
    pixels[i * 4 + 2] = rgba[0];
    pixels[i * 4 + 3] = 0;
  }
  return bitmap;
}

}  // namespace kustel
