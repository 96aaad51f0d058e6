#pragma once

#include <memory>
#include <string>

namespace kustel {

enum class ReadResult {
  kOk,
  kFailed,  // the value is of another type, or reading it failed
};

// The per-user place where the settings text lives, shaped after the registry operations the
// store relies on. Each load and each save opens the key at its start and closes it at its end;
// no handle survives between them.
class SettingsBackend {
 public:
  virtual ~SettingsBackend() = default;

  // Opens the key, creating it when missing. False when there is no open key afterwards; the
  // operations below then fail as they would without a key.
  virtual bool OpenKey() = 0;

  // Whether the value exists, of whatever type. False without an open key.
  virtual bool ValueExists() = 0;

  // Reads the value as text, up to its first zero character. A value of size 0 reads as the
  // empty text; another type or a failing read is kFailed.
  virtual ReadResult ReadValue(std::u16string& text) = 0;

  // Writes the value as text, replacing whatever was there. False on failure (also without an
  // open key); a failed write leaves the old value intact.
  virtual bool WriteValue(const std::u16string& text) = 0;

  // Closes the key if OpenKey opened one.
  virtual void CloseKey() = 0;
};

// The platform's store: the registry key on Windows, the settings folder on POSIX.
std::unique_ptr<SettingsBackend> MakeNativeSettingsBackend();

// The two messages of the settings store on this platform.
std::u16string SettingsReadFailedText();
std::u16string SettingsSaveFailedText();

}  // namespace kustel
