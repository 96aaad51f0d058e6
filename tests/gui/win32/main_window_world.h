#pragma once

// The Win32 main window as window mode builds it, in a world of its own, under Wine's null
// driver: the real registry of the test prefix (the settings key emptied before and after), a
// temporary folder of files on the real file system, a clock pinned to 5 November 2024, 14:32,
// and message boxes answered through the test seam. Every box, settings write and rename lands in
// one event log, so a test can check their order. Messages are driven through the window's own
// event-loop step, as the program's loop does.

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/main_definition.h"
#include "gui/win32/liz_dialog.h"
#include "gui/win32/main_window.h"
#include "gui/win32/message_box.h"
#include "gui/win32/window_text.h"
#include "platform/file_system.h"
#include "platform/name_codec.h"
#include "platform/settings_backend.h"
#include "settings/settings_store.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/logged_backend.h"
#include "tests/support/logged_files.h"
#include "tests/support/temp_folder.h"

namespace kustel {

inline std::string Utf8(const std::u16string& text) {
  return TextToBytes(text);
}

inline std::u16string Text(const std::string& utf8) {
  return BytesToText(utf8);
}

// The version window mode hands the window.
inline const std::u16string kVersion = u"24.11.23";

// How many items a radio group of the main window has.
inline int ItemCount(int group) {
  return static_cast<int>(ChildrenOf(MainDefinition(), group).size());
}

inline void InitCommonControlsOnce() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_STANDARD_CLASSES | ICC_DATE_CLASSES;
    return InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)done;
}

// Runs `step` from inside whatever event loop takes the thread's messages next: the test's own
// pump, or the modal loop of a dialog or box that is open by then.
inline void PostToLoop(std::function<void()> step) {
  static const HWND sink = [] {
    WNDCLASSEXW steps{};
    steps.cbSize = sizeof steps;
    steps.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (message != WM_APP) return DefWindowProcW(window, message, wParam, lParam);
      const std::unique_ptr<std::function<void()>> posted(
          reinterpret_cast<std::function<void()>*>(lParam));
      (*posted)();
      return 0;
    };
    steps.hInstance = GetModuleHandleW(nullptr);
    steps.lpszClassName = L"KustelTestSteps";
    RegisterClassExW(&steps);
    return CreateWindowExW(0, L"KustelTestSteps", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }();
  PostMessageW(sink, WM_APP, 0,
               reinterpret_cast<LPARAM>(new std::function<void()>(std::move(step))));
}

// A drop from the shell as the shell builds it: DROPFILES with wide names, each ended by a zero,
// the list by a second one. The handle belongs to whoever receives WM_DROPFILES.
inline HDROP MakeDrop(const std::vector<std::u16string>& names) {
  std::u16string list;
  for (const auto& name : names) list += name + u'\0';
  list += u'\0';
  const size_t size = sizeof(DROPFILES) + list.size() * sizeof(char16_t);
  const HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(),
         list.size() * sizeof(char16_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

class MainWindowWorld : public ::testing::Test {
 protected:
  static constexpr wchar_t kKeyPath[] = L"software\\tolm\\kustel";
  static constexpr wchar_t kValueName[] = L"cfg_regstring";

  MainWindowWorld() {
    InitCommonControlsOnce();
    RegDeleteTreeW(HKEY_CURRENT_USER, kKeyPath);
    nativeBackend_ = MakeNativeSettingsBackend();
    backend_ = std::make_unique<LoggedBackend>(*nativeBackend_, log);
    settings_ = std::make_unique<SettingsStore>(*backend_, messages_);
    SetMessageBoxHook([this](const ShownBox& box) {
      boxes.push_back(box);
      log.push_back("box " + Utf8(box.text));
      if (whileBoxIsOpen) whileBoxIsOpen();
    });
  }
  ~MainWindowWorld() override {
    SetMessageBoxHook(nullptr);
    dialog_.reset();
    window_.reset();
    Pump();
    RegDeleteTreeW(HKEY_CURRENT_USER, kKeyPath);
  }

  // Builds the window and runs its creation handler, as start-up does; with the information
  // dialog behind the info button.
  MainWindow& Open() {
    window_ = std::make_unique<MainWindow>(
        MainFormServices{files_, clock_, *settings_, messages_, kVersion}, u"Kustel");
    window_->Form().FormCreate();
    dialog_ = std::make_unique<LizDialog>(window_->Handle(), u"Kustel");
    window_->SetInfoDialog(dialog_.get());
    return *window_;
  }
  // Also shows it, active, with the focus where it goes at the start.
  MainWindow& OpenShown() {
    Open();
    window_->Show();
    Pump();
    return *window_;
  }
  MainWindow& window() { return *window_; }
  LizDialog& dialog() { return *dialog_; }
  HWND Control(int id) const { return window_->Control(id); }
  bool WindowIsOpen() const { return window_ != nullptr && IsWindow(window_->Handle()); }

  // Handles every message waiting, each through the window's own step first, as the program's
  // event loop does.
  void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (WindowIsOpen() && window_->PreTranslate(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  // A key as the keyboard sends it to the focused control: down, (the character,) up.
  void PressKey(WPARAM virtualKey) {
    const HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(focus, WM_KEYUP, virtualKey, 0xC0000001);
    Pump();
  }
  void Type(const std::u16string& text, HWND target = nullptr) {
    for (const char16_t c : text) PostMessageW(target ? target : GetFocus(), WM_CHAR, c, 1);
    Pump();
  }
  // Alt with a letter: the character arrives as WM_SYSCHAR.
  void TypeWithAlt(char16_t letter) {
    PostMessageW(GetFocus(), WM_SYSCHAR, letter, 1 << 29);
    Pump();
  }

  void StoreSettings(const std::string& utf8) const {
    const std::u16string text = Text(utf8);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
    RegCloseKey(key);
  }
  std::string StoredSettings() const {
    wchar_t value[128] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, kKeyPath, kValueName, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
      return "<nothing stored>";
    return Utf8(reinterpret_cast<const char16_t*>(value));
  }

  std::vector<std::string> log;
  std::vector<ShownBox> boxes;
  std::function<void()> whileBoxIsOpen;  // runs inside a box, where its loop would run

  TempFolder folder;
  NativeFileSystem nativeFiles_;
  LoggedFiles files_{nativeFiles_, log};
  FixedClock clock_{LocalDateTime{2024, 11, 5, 14, 32}};
  BoxMessageSink messages_{ShowModalBox, u"Kustel"};
  std::unique_ptr<SettingsBackend> nativeBackend_;
  std::unique_ptr<LoggedBackend> backend_;
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<LizDialog> dialog_;
};

}  // namespace kustel
