#pragma once

// The program file itself holds no Qt: command-line mode must start fast and run without a
// display. Everything with a window lives in a module beside it, loaded only for window mode or
// for the first desktop box. The program carries its own copy of the C++ runtime (so that it
// starts without mapping one) while the module uses the system's, the one Qt is built on: two
// runtimes, whose strings, smart pointers and exceptions must never meet. So only plain data
// crosses here: texts as pointer and length, a box as an opaque handle with an explicit destroy,
// and every failure inside the windows caught on their side and handed over as a text. The
// Win32 front end, linked into the program, offers the same entry.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace kustel {

// A text handed across: UTF-16 code units, not terminated, owned by the side that calls.
struct SeamText {
  const char16_t* units;
  size_t length;
};

// How a call into the windows ended.
enum class SeamStatus : int32_t {
  kDone,
  kNoDisplay,  // nothing the front end can draw on: no window, or no box anyone would see
  kFailed,     // a failure ended the call; its text is in the SeamFailure
};

// Room for the text of a failure, provided by the program and filled by the windows' side.
struct SeamFailure {
  static constexpr size_t kCapacity = 512;
  size_t length = 0;
  char16_t units[kCapacity];

  std::u16string Text() const { return std::u16string(units, length); }
};

// A desktop box made by the windows' side; the program only passes it back.
struct SeamDesktopBox;

struct GuiEntry {
  // Window mode to its end, its exit code in `exitCode`. `guard` is a GuardResult.
  SeamStatus (*runWindowMode)(SeamText programPath, SeamText title, int32_t guard,
                              int32_t* exitCode, SeamFailure* failure);
  // The box of command-line mode on a desktop, made without touching the display (the toolkit
  // starts at the first box). kNoDisplay, and no box, where nobody would see one.
  SeamStatus (*openDesktopBox)(SeamText programPath, SeamText title, SeamDesktopBox** box,
                               SeamFailure* failure);
  // A modal box that returns after OK.
  SeamStatus (*showDesktopBox)(SeamDesktopBox* box, SeamText caption, SeamText text,
                               int32_t errorIcon, SeamFailure* failure);
  SeamStatus (*destroyDesktopBox)(SeamDesktopBox* box, SeamFailure* failure);
};

static_assert(std::is_standard_layout_v<SeamText> && std::is_trivially_copyable_v<SeamText>);
static_assert(std::is_standard_layout_v<SeamFailure> && std::is_trivially_copyable_v<SeamFailure>);
static_assert(std::is_standard_layout_v<GuiEntry> && std::is_trivially_copyable_v<GuiEntry>);

// The module's file name and the one function it exports, which hands out the entry.
inline constexpr const char* kGuiModuleName = "kustel-gui.so";
inline constexpr const char* kGuiEntrySymbol = "KustelGuiEntry";
using GuiEntryFunction = const GuiEntry* (*)();

// A front end linked into the program file instead (Win32) hands out its entry here.
const GuiEntry* LinkedGuiEntry();

inline SeamText ToSeamText(std::u16string_view text) {
  return {text.data(), text.size()};
}
inline std::u16string FromSeamText(SeamText text) {
  return std::u16string(text.units, text.length);
}

// The windows' side: inside a catch, writes the failure being handled into `failure`, as the
// error box words it (a German text for a failure that brings none). Never throws.
void RecordCurrentFailure(SeamFailure& failure) noexcept;

// The windows' side: runs `call`, which returns a SeamStatus; whatever it throws stays on this
// side of the seam and comes back as kFailed with the failure's text.
template <typename Call>
SeamStatus CatchAtSeam(SeamFailure& failure, Call&& call) noexcept {
  try {
    return std::forward<Call>(call)();
  } catch (...) {
    RecordCurrentFailure(failure);
    return SeamStatus::kFailed;
  }
}

}  // namespace kustel
