#pragma once

#include <string>

#include "gui/boxes.h"

namespace kustel {

// A modal QMessageBox with the caption, the text as it stands (never markup), one OK button and
// the icon; returns after OK. While the test hook of gui/boxes.h is set, the hook answers
// instead. Needs a QApplication.
void ShowModalBox(const std::u16string& caption, const std::u16string& text,
                  BoxIcon icon = BoxIcon::kNone);

}  // namespace kustel
