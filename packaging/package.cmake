# The Debian package, built by CPack from the install rules above (make package). It is for
# Debian 12 and current Ubuntu on amd64: dpkg-shlibdeps reads the libraries the program and its
# window module link, and names their packages with the versions this build needs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kustel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kustel developers")
set(CPACK_PACKAGE_CONTACT "The Kustel developers <kustel@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The binaries of the default build carry debug information; the package does not need it.
set(CPACK_STRIP_FILES ON)

execute_process(COMMAND dpkg --print-architecture
  OUTPUT_VARIABLE deb_architecture OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT deb_architecture)
  set(deb_architecture amd64)
endif()
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${deb_architecture})
set(CPACK_DEBIAN_FILE_NAME ${CPACK_PACKAGE_NAME}_${PROJECT_VERSION}_${deb_architecture}.deb)

set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/kustel/kustel)
# The package speaks German like the program.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "setzt ein Datum oder einen Text vor Dateinamen")
# The summary above is the first line of the description; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Kustel stempelt Dateinamen wie ein Eingangsstempel die Post: Es setzt ein
Datum (heute, das der letzten Änderung oder ein im Kalender gewähltes, in
21 Formen), einen beliebigen Text oder beides vor den Namen, damit ein nach
Namen sortierter Ordner zugleich zeitlich geordnet ist. Erneutes Stempeln
behält den Stempel oder nimmt ihn ab. Kustel überschreibt nie eine Datei.
.
Das Paket bringt einen Menüeintrag, der das Fenster öffnet, und den Eintrag
„Mit Kustel stempeln“ im Kontextmenü von GNOME Dateien, Dolphin, Nemo,
PCManFM, PCManFM-Qt und Caja sowie unter „Senden an“ in Thunar. Keine
Dateiverwaltung kann Kustel zum Programm machen, das Dateien beim
Doppelklick öffnet.")

# Beside what dpkg-shlibdeps finds (Qt Core, Gui, Widgets, zlib, the C and C++ libraries):
# - qt6-qpa-plugins holds the X11 platform plugin, without which no window opens; libqt6gui6
#   only recommends it.
# - qt6-wayland: without it Qt warns at every start in a Wayland session, then falls back to
#   XWayland.
# - qt6-translations-l10n: Qt's own buttons and dialogs in German.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-wayland, qt6-translations-l10n")
# The file managers that read Kustel's entries only through an extension of their own: GNOME
# Files through nautilus-python (recommended, so that "Mit Kustel stempeln" is there for every
# user of the default desktop); PCManFM through libfm's modules and Caja through caja-actions,
# which only their users want.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "python3-nautilus")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libfm-modules, caja-actions")

include(CPack)
