#include "gui/win32/liz_layout.h"

namespace kustel {
namespace {

constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kWhite = RGB(255, 255, 255);

using K = ControlKind;

// CloseBtn first: tab order 0. It is a plain push button, neither the default nor the cancel
// button. The picture stands at the top of the scroll box's content below a band of 3 pixels;
// its size is the picture's.
constexpr ControlDefinition kControls[] = {
    {kCloseBtn, 0, K::kButton, 184, 511, 97, 25, L"&Schließen", 13, WS_TABSTOP | WS_GROUP},
    {kScrollBox1, 0, K::kScrollBox, 16, 16, 473, 481, L"", 0, WS_TABSTOP | WS_GROUP, kWhite},
    {kImage1, kScrollBox1, K::kPicture, 0, 3, 448, 1340},
};

constexpr WindowDefinition kLizenz{
    L"  Bedienung und Lizenzvereinbarung", 508, 550, L"MS Sans Serif", 11, kSilver, kControls};

}  // namespace

const WindowDefinition& LizDefinition() {
  return kLizenz;
}

}  // namespace kustel
