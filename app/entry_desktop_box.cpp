#include "app/entry_desktop_box.h"

#include "platform/error_text.h"
#include "app/gui_seam.h"
#include "platform/console.h"

#include <utility>

namespace kustel {
namespace {

void WriteFailure(const SeamFailure& failure) {
  WriteErrorLine(ErrorText(failure.Text()));
}

}  // namespace

EntryDesktopBox::EntryDesktopBox(std::u16string programPath, std::u16string title)
    : programPath_(std::move(programPath)), title_(std::move(title)) {}

EntryDesktopBox::~EntryDesktopBox() {
  Close();
}

bool EntryDesktopBox::Open() {
  if (!tried_) {
    tried_ = true;
    gui_ = LoadGui().entry;
    SeamFailure failure;
    if (gui_ != nullptr && gui_->openDesktopBox(ToSeamText(programPath_), ToSeamText(title_), &box_,
                                                &failure) == SeamStatus::kFailed) {
      WriteFailure(failure);
    }
  }
  return box_ != nullptr;
}

void EntryDesktopBox::Close() {
  if (box_ == nullptr) return;
  SeamFailure failure;
  if (gui_->destroyDesktopBox(std::exchange(box_, nullptr), &failure) == SeamStatus::kFailed) {
    WriteFailure(failure);
  }
}

void EntryDesktopBox::Show(const std::u16string& caption, const std::u16string& text,
                           bool errorIcon) {
  if (!Open()) return;
  SeamFailure failure;
  if (gui_->showDesktopBox(box_, ToSeamText(caption), ToSeamText(text), errorIcon ? 1 : 0,
                           &failure) == SeamStatus::kFailed) {
    WriteFailure(failure);
    Close();
  }
}

}  // namespace kustel
