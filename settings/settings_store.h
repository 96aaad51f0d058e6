#pragma once

#include <string>

#include "engine/option_state.h"

namespace kustel {

class MessageSink;
class SettingsBackend;

// Loads the stored options once per run and saves them only when they differ from what was
// loaded (or when nothing was stored). Failures show one fixed message; none leaves a call.
class SettingsStore {
 public:
  SettingsStore(SettingsBackend& backend, MessageSink& messages);

  void LoadSettings(OptionState& options);
  void SaveSettings(const OptionState& options);

  const std::u16string& LoadedSettingsString() const { return loadedSettingsString_; }
  bool SettingsValueExisted() const { return settingsValueExisted_; }

 private:
  SettingsBackend& backend_;
  MessageSink& messages_;
  std::u16string loadedSettingsString_;
  bool settingsValueExisted_ = false;
};

}  // namespace kustel
