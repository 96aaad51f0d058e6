#include "platform/settings_backend.h"

#include <windows.h>

#include <vector>

#include "wide_text.h"

namespace kustel {
namespace {

// Below HKEY_CURRENT_USER; the registry compares key names without regard to case.
constexpr wchar_t kKeyPath[] = L"software\\tolm\\kustel";
constexpr wchar_t kValueName[] = L"cfg_regstring";

bool IsText(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ;
}

// The registry key of the settings. Each load and each save opens it (creating it when missing)
// and closes it again; no handle is kept in between.
class RegistrySettingsBackend final : public SettingsBackend {
 public:
  RegistrySettingsBackend() = default;
  RegistrySettingsBackend(const RegistrySettingsBackend&) = delete;
  RegistrySettingsBackend& operator=(const RegistrySettingsBackend&) = delete;
  ~RegistrySettingsBackend() override { CloseKey(); }

  // Full access or nothing: a key that can only be read counts as no key, so nothing stored is
  // read from it and every save reports its failure.
  bool OpenKey() override {
    CloseKey();
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    key_ = key;
    return true;
  }

  bool ValueExists() override {
    return key_ != nullptr &&
           RegQueryValueExW(key_, kValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  }

  // The size first: a value of size 0, or one whose size cannot be asked, reads as the empty
  // text. Then the data, taken up to its first zero character, without expanding an
  // expandable string.
  ReadResult ReadValue(std::u16string& text) override {
    if (key_ == nullptr) return ReadResult::kFailed;
    DWORD size = 0;
    if (RegQueryValueExW(key_, kValueName, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS ||
        size == 0) {
      text.clear();
      return ReadResult::kOk;
    }
    // Zeroed, with room for a closing zero that the stored data may lack.
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
    DWORD type = REG_NONE;
    if (RegQueryValueExW(key_, kValueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) != ERROR_SUCCESS ||
        !IsText(type)) {
      return ReadResult::kFailed;
    }
    text = TextOf(data.data());
    return ReadResult::kOk;
  }

  // REG_SZ with its closing zero, replacing a value of any type.
  bool WriteValue(const std::u16string& text) override {
    if (key_ == nullptr) return false;
    const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(Wide(text)),
                          size) == ERROR_SUCCESS;
  }

  void CloseKey() override {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
  }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::unique_ptr<SettingsBackend> MakeNativeSettingsBackend() {
  return std::make_unique<RegistrySettingsBackend>();
}

std::u16string SettingsReadFailedText() {
  return u"Windows-Registrierung konnte nicht gelesen werden, Programm wird fortgesetzt.";
}

// The save never ends the program, whatever the text says; it is the text Windows users know.
std::u16string SettingsSaveFailedText() {
  return u"In Windows-Registrierung konnte nicht gespeichert werden, Programm wird beendet";
}

}  // namespace kustel
