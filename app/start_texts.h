#pragma once

namespace kustel {

// Window mode on a machine without a desktop (a console, ssh, cron).
inline constexpr const char16_t* kNoDisplayText =
    u"Keine grafische Oberfläche gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt), "
    u"das Fenster kann nicht geöffnet werden. Dateien als Argumente werden ohne Fenster "
    u"gestempelt.";

}  // namespace kustel
