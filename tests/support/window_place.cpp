// Prints where a window's definition puts it or one of its controls, as shell assignments, for
// tests that work a window from outside the program with the mouse:
//   window_place Main              WIDTH=... HEIGHT=... of the client area
//   window_place Main lboxFiles    LEFT=... TOP=... WIDTH=... HEIGHT=... in the client area

#include <cstdio>
#include <string_view>

#include "gui/liz_definition.h"
#include "gui/main_definition.h"

namespace {

const kustel::WindowDefinition* WindowNamed(std::string_view name) {
  if (name == "Main") return &kustel::MainDefinition();
  if (name == "Lizenz") return &kustel::LizDefinition();
  return nullptr;
}

const kustel::ControlDefinition* ControlNamed(const kustel::WindowDefinition& window,
                                              std::string_view name) {
  for (const kustel::ControlDefinition& control : window.controls)
    if (name == control.name) return &control;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const kustel::WindowDefinition* window = argc >= 2 ? WindowNamed(argv[1]) : nullptr;
  if (window == nullptr || argc > 3) {
    std::fprintf(stderr, "usage: window_place Main|Lizenz [CONTROL]\n");
    return 2;
  }
  if (argc == 2) {
    std::printf("WIDTH=%d HEIGHT=%d\n", window->clientWidth, window->clientHeight);
    return 0;
  }
  const kustel::ControlDefinition* control = ControlNamed(*window, argv[2]);
  if (control == nullptr) {
    std::fprintf(stderr, "window_place: %s has no control %s\n", argv[1], argv[2]);
    return 2;
  }
  const kustel::Place place = kustel::PlaceInWindow(*window, *control);
  std::printf("LEFT=%d TOP=%d WIDTH=%d HEIGHT=%d\n", place.left, place.top, place.width,
              place.height);
  return 0;
}
