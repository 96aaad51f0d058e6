#pragma once

#include <string>
#include <utility>

#include "platform/settings_backend.h"

namespace kustel {

// A settings key held in memory, behaving as the registry does, with the faults a real settings
// folder cannot be made to show here: a value of another type, a failing read or write, and a
// key that can be read but not opened with full access. It counts every operation, so a test can
// show that a save touched nothing, and it knows whether a key was left open.
class MemorySettingsBackend final : public SettingsBackend {
 public:
  enum class Stored { kNothing, kText, kNumber };

  // What the key holds; `text` counts only while `stored` is kText.
  Stored stored = Stored::kNothing;
  std::u16string text;

  // Faults. A key that refuses full access cannot be opened, so the store reads nothing from it
  // and cannot write to it.
  bool keyRefusesFullAccess = false;
  bool readFails = false;
  bool writeFails = false;

  int openCount = 0;
  int writeCount = 0;  // successful writes

  void StoreText(std::u16string value) {
    stored = Stored::kText;
    text = std::move(value);
  }
  bool KeyIsOpen() const { return keyOpen_; }

  bool OpenKey() override {
    ++openCount;
    keyOpen_ = !keyRefusesFullAccess;
    return keyOpen_;
  }

  bool ValueExists() override { return keyOpen_ && stored != Stored::kNothing; }

  ReadResult ReadValue(std::u16string& value) override {
    if (!keyOpen_ || stored != Stored::kText || readFails) return ReadResult::kFailed;
    value = text.substr(0, text.find(u'\0'));
    return ReadResult::kOk;
  }

  bool WriteValue(const std::u16string& value) override {
    if (!keyOpen_ || writeFails) return false;
    StoreText(value);
    ++writeCount;
    return true;
  }

  void CloseKey() override { keyOpen_ = false; }

 private:
  bool keyOpen_ = false;
};

}  // namespace kustel
