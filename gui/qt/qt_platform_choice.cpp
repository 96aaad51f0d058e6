#include "gui/qt/qt_platform_choice.h"

#include <cstdlib>
#include <string_view>

#include "platform/console.h"

namespace kustel {
namespace {

// QT_QPA_PLATFORM, or empty when it is not set.
std::string_view ChosenPlatform() {
  const char* chosen = std::getenv("QT_QPA_PLATFORM");
  return chosen != nullptr ? chosen : "";
}

}  // namespace

bool QtHasAPlatform() {
  return DisplayConfigured() || !ChosenPlatform().empty();
}

bool QtDrawsWhereItIsSeen() {
  if (!QtHasAPlatform()) return false;
  // Qt takes the first platform of a list such as "offscreen;xcb", and options after a colon.
  const std::string_view chosen = ChosenPlatform();
  const std::string_view name = chosen.substr(0, chosen.find_first_of(";:"));
  return name != "offscreen" && name != "minimal";
}

}  // namespace kustel
