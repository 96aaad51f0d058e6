#include "app/gui_seam.h"
#include "platform/module_loader.h"

namespace kustel {

const GuiLoad& LoadGui() {
  static const GuiLoad load = [] {
    const auto function =
        reinterpret_cast<GuiEntryFunction>(FindModuleFunction(kGuiModuleName, kGuiEntrySymbol));
    GuiLoad result;
    if (function != nullptr) result.entry = function();
    if (result.entry == nullptr) {
      result.missingText =
          u"Der Programmteil für das Fenster (kustel-gui.so) fehlt neben dem Programm, das "
          u"Fenster kann nicht geöffnet werden.";
    }
    return result;
  }();
  return load;
}

}  // namespace kustel
