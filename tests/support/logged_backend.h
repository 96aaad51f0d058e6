#pragma once

#include <string>
#include <vector>

#include "platform/name_codec.h"
#include "platform/settings_backend.h"

namespace kustel {

// Forwards to another settings backend (the real settings file or registry, or one in memory),
// logging each write as "save TEXT" into an event log shared with the other doubles, so a test
// can check the order of saves, renames and boxes.
class LoggedBackend final : public SettingsBackend {
 public:
  LoggedBackend(SettingsBackend& inner, std::vector<std::string>& log) : inner_(inner), log_(log) {}

  bool OpenKey() override { return inner_.OpenKey(); }
  bool ValueExists() override { return inner_.ValueExists(); }
  ReadResult ReadValue(std::u16string& text) override { return inner_.ReadValue(text); }
  bool WriteValue(const std::u16string& text) override {
    log_.push_back("save " + TextToBytes(text));
    return !writeFails && inner_.WriteValue(text);
  }
  void CloseKey() override { inner_.CloseKey(); }

  // A write that fails (and writes nothing), a fault a real settings folder cannot be made to
  // show when the tests run as root.
  bool writeFails = false;

 private:
  SettingsBackend& inner_;
  std::vector<std::string>& log_;
};

}  // namespace kustel
