#include "app/gui_seam.h"

namespace kustel {

const GuiLoad& LoadGui() {
  static const GuiLoad load{
      nullptr,
      u"Dieses Kustel wurde ohne Fenster gebaut, das Fenster kann nicht geöffnet werden. "
      u"Dateien als Argumente werden ohne Fenster gestempelt."};
  return load;
}

}  // namespace kustel
