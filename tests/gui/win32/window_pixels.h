#pragma once

#include <windows.h>

#include <vector>

namespace kustel {

// What a control draws, read back in pixels: it paints itself (WM_PRINT, with its background
// and its children) into a bitmap in memory. This works without a display, where the screen
// itself holds no pixels.
class WindowPixels {
 public:
  explicit WindowPixels(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    width_ = frame.right - frame.left;
    height_ = frame.bottom - frame.top;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width_;
    format.bmiHeader.biHeight = -height_;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    const HDC memory = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(memory),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    pixels_.assign(pixels, pixels + static_cast<size_t>(width_) * height_);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
  }

  // The colour at (x, y) of the window's frame, as RGB().
  COLORREF At(int x, int y) const {
    const DWORD bgr = pixels_[static_cast<size_t>(y) * width_ + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
  }

  // Whether any pixel of the rectangle has the colour.
  bool Shows(COLORREF colour, RECT area) const {
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (At(x, y) == colour) return true;
    return false;
  }

  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<DWORD> pixels_;
};

}  // namespace kustel
