#pragma once

#include <exception>
#include <string>

#include "app/error_text.h"
#include "gui/win32/message_box.h"

namespace kustel {

// Runs an event handler. A failure it raises must not cross the window procedure into the
// system: it is shown in the error box (its text with the full stop, the application's title as
// caption, the error icon) and the event loop goes on. Returns whether the handler ran through.
template <typename Handler>
bool RunHandler(const std::u16string& title, Handler&& handler) noexcept {
  try {
    handler();
    return true;
  } catch (const std::exception& failure) {
    ShowModalBox(title, ErrorText(FailureText(failure)), BoxIcon::kError);
  } catch (...) {
    ShowModalBox(title, u"", BoxIcon::kError);
  }
  return false;
}

}  // namespace kustel
