#include "app/gui_seam.h"

namespace kustel {

// The windows are part of the program file itself: always there.
const GuiLoad& LoadGui() {
  static const GuiLoad load{LinkedGuiEntry(), u""};
  return load;
}

}  // namespace kustel
