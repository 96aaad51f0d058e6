#pragma once

#include <string>

#include "gui/boxes.h"

namespace kustel {

// A failure the program does not handle itself, raised while the windows are built or inside an
// event handler, is shown in the error box: its text with the full stop (a German text for one
// that brings none), the application's title as caption, the error icon and OK. It must never
// cross a toolkit's event dispatch; the event loop goes on after the box.

// Shows the failure being handled; called inside a catch block.
void ShowFailure(ShowBoxFunction show, const std::u16string& title);

// Runs `step`; a failure it raises goes to the error box. Returns whether the step ran through.
template <typename Step>
bool RunShowingFailure(ShowBoxFunction show, const std::u16string& title, Step&& step) noexcept {
  try {
    step();
    return true;
  } catch (...) {
    ShowFailure(show, title);
  }
  return false;
}

}  // namespace kustel
