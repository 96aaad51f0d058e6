#include "gui/liz_definition.h"

namespace kustel {
namespace {

constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kWhite{255, 255, 255};

using K = ControlKind;

// CloseBtn first: tab order 0. It is a plain push button, neither the default nor the cancel
// button. The picture stands at the top of the scroll box's content below a band of 3 pixels;
// its size is the picture's, and the content reaches down to its lower edge.
// One control a row, as a table.
// clang-format off
constexpr ControlDefinition kControls[] = {
    {.id = kCloseBtn, .name = "CloseBtn", .kind = K::kButton, .place = {184, 511, 97, 25},
     .text = u"&Schließen", .characterHeight = 13, .flags = kTabStop},
    {.id = kScrollBox1, .name = "ScrollBox1", .kind = K::kScrollBox, .place = {16, 16, 473, 481},
     .flags = kTabStop, .background = kWhite},
    {.id = kImage1, .name = "Image1", .kind = K::kPicture, .parent = kScrollBox1,
     .place = {0, 3, 448, 1340}},
};
// clang-format on

constexpr WindowDefinition kLizenz{
    .name = "LizForm",
    .caption = u"  Bedienung und Lizenzvereinbarung",
    .clientWidth = 508,
    .clientHeight = 550,
    .frame = WindowFrame::kDialog,
    .fontFace = u"MS Sans Serif",
    .characterHeight = 11,
    .background = kSilver,
    .controls = kControls,
};

}  // namespace

const WindowDefinition& LizDefinition() {
  return kLizenz;
}

}  // namespace kustel
