#pragma once

namespace kustel {

// The message of a second start, with the caption of its own (blanks as they stand).
inline constexpr const char16_t* kSecondInstanceCaption = u"  KUSTEL - Meldung ";
inline constexpr const char16_t* kSecondInstanceText = u" Das Programm KUSTEL läuft bereits ";

// Window mode on a machine without a desktop (a console, ssh, cron).
inline constexpr const char16_t* kNoDisplayText =
    u"Keine grafische Oberfläche gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt), "
    u"das Fenster kann nicht geöffnet werden. Dateien als Argumente werden ohne Fenster "
    u"gestempelt.";
inline constexpr const char16_t* kDisplayUnreachableText =
    u"Die grafische Oberfläche ist nicht erreichbar, das Fenster kann nicht geöffnet werden.";

}  // namespace kustel
