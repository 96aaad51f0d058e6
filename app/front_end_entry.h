#pragma once

// How a front end offers itself to the program: its C++ functions behind the plain-data calls
// of GuiEntry. Everything here runs on the windows' side of the seam, with the front end's own
// C++ runtime: the texts are copied in, the box never leaves this side but as a handle, and
// every failure is caught before the call returns.
//
// FrontEnd provides:
//   static bool CanOpenWindow();   // the toolkit has a display to draw the window on
//   static bool BoxWouldBeSeen();  // a box would be drawn where someone sees it
//   static int RunWindowMode(const std::u16string& programPath, const std::u16string& title,
//                            GuardResult guard);
//   static std::unique_ptr<DesktopBox> MakeDesktopBox(const std::u16string& programPath,
//                                                     const std::u16string& title);

#include <memory>
#include <string>

#include "app/console_message_sink.h"
#include "app/gui_entry.h"
#include "platform/instance_guard.h"

namespace kustel {

template <typename FrontEnd>
class FrontEndEntry {
  static DesktopBox* Box(SeamDesktopBox* box) { return reinterpret_cast<DesktopBox*>(box); }

  static SeamStatus RunWindowMode(SeamText programPath, SeamText title, int32_t guard,
                                  int32_t* exitCode, SeamFailure* failure) {
    return CatchAtSeam(*failure, [&] {
      if (!FrontEnd::CanOpenWindow()) return SeamStatus::kNoDisplay;
      *exitCode = FrontEnd::RunWindowMode(FromSeamText(programPath), FromSeamText(title),
                                          static_cast<GuardResult>(guard));
      return SeamStatus::kDone;
    });
  }

  static SeamStatus OpenDesktopBox(SeamText programPath, SeamText title, SeamDesktopBox** box,
                                   SeamFailure* failure) {
    *box = nullptr;
    return CatchAtSeam(*failure, [&] {
      if (!FrontEnd::BoxWouldBeSeen()) return SeamStatus::kNoDisplay;
      std::unique_ptr<DesktopBox> made =
          FrontEnd::MakeDesktopBox(FromSeamText(programPath), FromSeamText(title));
      *box = reinterpret_cast<SeamDesktopBox*>(made.release());
      return SeamStatus::kDone;
    });
  }

  static SeamStatus ShowDesktopBox(SeamDesktopBox* box, SeamText caption, SeamText text,
                                   int32_t errorIcon, SeamFailure* failure) {
    return CatchAtSeam(*failure, [&] {
      Box(box)->Show(FromSeamText(caption), FromSeamText(text), errorIcon != 0);
      return SeamStatus::kDone;
    });
  }

  static SeamStatus DestroyDesktopBox(SeamDesktopBox* box, SeamFailure* failure) {
    return CatchAtSeam(*failure, [&] {
      delete Box(box);
      return SeamStatus::kDone;
    });
  }

 public:
  static constexpr GuiEntry kEntry{RunWindowMode, OpenDesktopBox, ShowDesktopBox,
                                   DestroyDesktopBox};
};

}  // namespace kustel
