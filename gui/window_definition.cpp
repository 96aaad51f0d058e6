#include "gui/window_definition.h"

#include <stdexcept>

namespace kustel {

const ControlDefinition* FindControl(const WindowDefinition& window, int id) {
  for (const ControlDefinition& control : window.controls)
    if (control.id == id) return &control;
  return nullptr;
}

const ControlDefinition& ControlOf(const WindowDefinition& window, int id) {
  if (const ControlDefinition* control = FindControl(window, id)) return *control;
  throw std::logic_error("the window definition has no control of this id");
}

std::vector<int> ChildrenOf(const WindowDefinition& window, int id) {
  std::vector<int> children;
  for (const ControlDefinition& control : window.controls)
    if (control.parent == id) children.push_back(control.id);
  return children;
}

int CharacterHeightOf(const WindowDefinition& window, const ControlDefinition& control) {
  for (const ControlDefinition* at = &control; at != nullptr; at = FindControl(window, at->parent))
    if (at->characterHeight != 0) return at->characterHeight;
  return window.characterHeight;
}

std::optional<Rgb> TextColourOf(const WindowDefinition& window, const ControlDefinition& control) {
  for (const ControlDefinition* at = &control; at != nullptr; at = FindControl(window, at->parent))
    if (at->textColour) return at->textColour;
  return std::nullopt;
}

Rgb BackgroundOf(const WindowDefinition& window, const ControlDefinition& control) {
  for (const ControlDefinition* at = &control; at != nullptr; at = FindControl(window, at->parent))
    if (at->background) return *at->background;
  return window.background;
}

Place PlaceInWindow(const WindowDefinition& window, const ControlDefinition& control) {
  Place place = control.place;
  for (const ControlDefinition* at = FindControl(window, control.parent); at != nullptr;
       at = FindControl(window, at->parent)) {
    place.left += at->place.left;
    place.top += at->place.top;
  }
  return place;
}

}  // namespace kustel
