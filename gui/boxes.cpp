#include "gui/boxes.h"

namespace kustel {
namespace {

MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}

}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) {
  Hook() = std::move(hook);
}

bool AnsweredByHook(const ShownBox& box) {
  if (!Hook()) return false;
  Hook()(box);
  return true;
}

}  // namespace kustel
