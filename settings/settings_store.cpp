#include "settings/settings_store.h"

#include "platform/message_sink.h"
#include "platform/settings_backend.h"
#include "settings/settings_string.h"

namespace kustel {

SettingsStore::SettingsStore(SettingsBackend& backend, MessageSink& messages)
    : backend_(backend), messages_(messages), loadedSettingsString_(kDefaultSettingsString) {}

// A key that cannot be opened counts as nothing stored and shows no message; only a value that
// is there but cannot be read as text does. The key is closed before the message waits for the
// user, so no handle is held across it.
void SettingsStore::LoadSettings(OptionState& options) {
  settingsValueExisted_ = false;
  bool readFailed = false;
  if (backend_.OpenKey() && backend_.ValueExists()) {
    settingsValueExisted_ = true;
    std::u16string stored;
    if (backend_.ReadValue(stored) == ReadResult::kOk) {
      loadedSettingsString_ = stored.substr(0, kMaxSettingsLength);
      ApplySettingsString(stored, options);
    } else {
      readFailed = true;
    }
  }
  backend_.CloseKey();
  if (readFailed) messages_.ShowMessage(SettingsReadFailedText());
}

// Compares with the text of start-up before touching the backend, so unchanged options cost no
// access at all. Neither the reference text nor SettingsValueExisted changes here: every save
// compares with what was loaded.
void SettingsStore::SaveSettings(const OptionState& options) {
  const std::u16string composed = ComposeSettingsString(options);
  if (composed == loadedSettingsString_ && settingsValueExisted_) return;
  const bool written = backend_.OpenKey() && backend_.WriteValue(composed);
  backend_.CloseKey();
  if (!written) messages_.ShowMessage(SettingsSaveFailedText());
}

}  // namespace kustel
