// The settings in the real registry of the test's Wine prefix: HKCU\software\tolm\kustel,
// value cfg_regstring. Every test starts and ends without the key.

#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/settings_backend.h"
#include "settings/settings_store.h"
#include "tests/support/recording_message_sink.h"

namespace kustel {
namespace {

constexpr wchar_t kKeyPath[] = L"software\\tolm\\kustel";
constexpr wchar_t kValueName[] = L"cfg_regstring";
const std::u16string kReadFailed =
    u"Windows-Registrierung konnte nicht gelesen werden, Programm wird fortgesetzt.";
const std::u16string kSaveFailed =
    u"In Windows-Registrierung konnte nicht gespeichert werden, Programm wird beendet";

using Bytes = std::vector<BYTE>;

// The bytes of a UTF-16 text, as the registry keeps a string: with as many closing zeros as
// asked.
Bytes StringBytes(std::u16string_view text, size_t closingZeros = 1) {
  std::u16string data(text);
  data.append(closingZeros, u'\0');
  const auto* first = reinterpret_cast<const BYTE*>(data.data());
  return Bytes(first, first + data.size() * sizeof(char16_t));
}

struct StoredValue {
  DWORD type = REG_NONE;
  Bytes data;
  bool operator==(const StoredValue&) const = default;
};

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteKey(); }
  void TearDown() override { DeleteKey(); }

  static void DeleteKey() { RegDeleteTreeW(HKEY_CURRENT_USER, kKeyPath); }

  static HKEY CreateKey() {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
  }

  static void Store(DWORD type, const Bytes& data) {
    const HKEY key = CreateKey();
    EXPECT_EQ(
        RegSetValueExW(key, kValueName, 0, type, data.data(), static_cast<DWORD>(data.size())),
        ERROR_SUCCESS);
    RegCloseKey(key);
  }

  static bool KeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }

  // What the value holds, read past the backend.
  static StoredValue Stored() {
    StoredValue value;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kKeyPath, kValueName, RRF_RT_ANY | RRF_NOEXPAND,
                     &value.type, nullptr, &size) != ERROR_SUCCESS) {
      return value;
    }
    value.data.resize(size);
    RegGetValueW(HKEY_CURRENT_USER, kKeyPath, kValueName, RRF_RT_ANY | RRF_NOEXPAND, &value.type,
                 value.data.data(), &size);
    return value;
  }

  // A key that the user may read but not open with full access.
  static void MakeKeyReadOnly() {
    const HKEY key = CreateKey();
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
        L"D:P(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly, nullptr));
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly), ERROR_SUCCESS);
    LocalFree(readOnly);
    RegCloseKey(key);
  }

  std::unique_ptr<SettingsBackend> backend = MakeNativeSettingsBackend();
};

TEST_F(RegistryTest, OpeningCreatesAMissingKeyWithoutAValue) {
  ASSERT_FALSE(KeyExists());
  EXPECT_TRUE(backend->OpenKey());
  EXPECT_FALSE(backend->ValueExists());
  backend->CloseKey();
  EXPECT_TRUE(KeyExists());
}

TEST_F(RegistryTest, ReadsTextsAsTheyAreStoredAndRefusesOtherTypes) {
  const DWORD number = 42;
  const auto* numberBytes = reinterpret_cast<const BYTE*>(&number);
  const struct {
    const char* name;
    DWORD type;
    Bytes data;
    ReadResult result;
    std::u16string text;
  } rows[] = {
      {"a settings text with umlauts and the euro sign", REG_SZ,
       StringBytes(u"30000099999999Grüße €_"), ReadResult::kOk, u"30000099999999Grüße €_"},
      {"an empty string", REG_SZ, StringBytes(u""), ReadResult::kOk, u""},
      {"a string of size 0", REG_SZ, {}, ReadResult::kOk, u""},
      {"an expandable string, not expanded", REG_EXPAND_SZ,
       StringBytes(u"30000099999999%USERPROFILE%"), ReadResult::kOk,
       u"30000099999999%USERPROFILE%"},
      {"up to the first zero character", REG_SZ, StringBytes(u"10000099999999xxx\0Rest", 1),
       ReadResult::kOk, u"10000099999999xxx"},
      {"a string stored without its closing zero", REG_SZ, StringBytes(u"10000099999999xxx", 0),
       ReadResult::kOk, u"10000099999999xxx"},
      {"a number", REG_DWORD, Bytes(numberBytes, numberBytes + sizeof number), ReadResult::kFailed,
       u""},
      {"text bytes stored as binary", REG_BINARY, StringBytes(u"10000099999999xxx"),
       ReadResult::kFailed, u""},
      {"a list of strings", REG_MULTI_SZ, StringBytes(u"10000099999999xxx", 2), ReadResult::kFailed,
       u""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Store(row.type, row.data);
    ASSERT_TRUE(backend->OpenKey());
    EXPECT_TRUE(backend->ValueExists());
    std::u16string text;
    EXPECT_EQ(backend->ReadValue(text), row.result);
    if (row.result == ReadResult::kOk) {
      EXPECT_EQ(text, row.text);
    }
    backend->CloseKey();
  }
}

TEST_F(RegistryTest, WritesAStringWithItsClosingZeroOverAValueOfAnyType) {
  const std::u16string text = u"40160020241105Grüße €_";
  for (const DWORD before : {DWORD{REG_NONE}, DWORD{REG_DWORD}, DWORD{REG_EXPAND_SZ}}) {
    SCOPED_TRACE(before);
    DeleteKey();
    if (before != REG_NONE) Store(before, StringBytes(u"0000"));
    ASSERT_TRUE(backend->OpenKey());
    EXPECT_TRUE(backend->WriteValue(text));
    backend->CloseKey();
    EXPECT_EQ(Stored(), (StoredValue{REG_SZ, StringBytes(text)}));  // (length + 1) * 2 bytes

    std::u16string read;
    ASSERT_TRUE(backend->OpenKey());
    EXPECT_EQ(backend->ReadValue(read), ReadResult::kOk);
    backend->CloseKey();
    EXPECT_EQ(read, text);
  }
}

TEST_F(RegistryTest, AKeyThatCanOnlyBeReadCountsAsNoKey) {
  Store(REG_SZ, StringBytes(u"30000099999999Alt_"));
  MakeKeyReadOnly();
  EXPECT_FALSE(backend->OpenKey());
  EXPECT_FALSE(backend->ValueExists());
  EXPECT_FALSE(backend->WriteValue(u"30000099999999Neu_"));
  backend->CloseKey();
  EXPECT_EQ(Stored(), (StoredValue{REG_SZ, StringBytes(u"30000099999999Alt_")}));
}

// The settings store on the registry: its two messages are the registry's own.
TEST_F(RegistryTest, TheStoreReportsWithTheRegistryTexts) {
  OptionState changed;
  changed.source = kFreeText;
  changed.freeText = u"Neu_";

  {
    SCOPED_TRACE("a number where the text should be");
    const DWORD number = 7;
    Store(REG_DWORD, Bytes(reinterpret_cast<const BYTE*>(&number),
                           reinterpret_cast<const BYTE*>(&number) + sizeof number));
    RecordingMessageSink messages;
    SettingsStore store(*backend, messages);
    OptionState options;
    store.LoadSettings(options);
    EXPECT_EQ(options, OptionState{});
    store.SaveSettings(changed);
    EXPECT_EQ(messages.texts, std::vector<std::u16string>{kReadFailed});
    EXPECT_EQ(Stored(), (StoredValue{REG_SZ, StringBytes(u"35000099999999Neu_")}));
  }
  {
    SCOPED_TRACE("a key that can only be read");
    MakeKeyReadOnly();
    RecordingMessageSink messages;
    SettingsStore store(*backend, messages);
    OptionState options;
    store.LoadSettings(options);
    EXPECT_EQ(options, OptionState{});  // as if nothing were stored, and without a message
    store.SaveSettings(changed);
    EXPECT_EQ(messages.texts, std::vector<std::u16string>{kSaveFailed});
  }
}

}  // namespace
}  // namespace kustel
