#pragma once

#include <string>

#include "app/console_message_sink.h"
#include "app/gui_entry.h"

namespace kustel {

// The desktop box of command-line mode as the program sees it: the windows are loaded, and the
// front end's box opened, only when the first box is due. Without the windows, or where the
// front end says nobody would see a box, the lines on standard error are all there is. A
// failure inside the windows is written as one more line, and no box is tried after it.
class EntryDesktopBox final : public DesktopBox {
 public:
  EntryDesktopBox(std::u16string programPath, std::u16string title);
  ~EntryDesktopBox() override;
  EntryDesktopBox(const EntryDesktopBox&) = delete;
  EntryDesktopBox& operator=(const EntryDesktopBox&) = delete;

  void Show(const std::u16string& caption, const std::u16string& text, bool errorIcon) override;

 private:
  bool Open();
  void Close();

  std::u16string programPath_;
  std::u16string title_;
  const GuiEntry* gui_ = nullptr;
  SeamDesktopBox* box_ = nullptr;
  bool tried_ = false;
};

}  // namespace kustel
