#pragma once

#include <string>

#include "app/gui_entry.h"

namespace kustel {

// How the program reaches its windows. Which file implements this is chosen by the build: the
// Qt windows sit in a module loaded on first use, the Win32 windows are linked in, and a
// build without windows has none.
struct GuiLoad {
  const GuiEntry* entry = nullptr;  // null when there are no windows to be had
  std::u16string missingText;       // why not, in German, for the user
};

// Loads the windows once; later calls give the same answer.
const GuiLoad& LoadGui();

}  // namespace kustel
