# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
# Both install the Debian packages that are missing, configure and build.
# `make package` builds the packages into build/packages (the Debian package, the Windows
# installer and zip); `make install` and `make uninstall` put Kustel into PREFIX (default
# ~/.local) and take it out again.

ARGS ?=
PACKAGES := cmake make g++ clang libclang-rt-14-dev pkg-config qt6-base-dev libgl-dev libxkbcommon-dev qt6-translations-l10n \
            zlib1g-dev libgtest-dev fonts-dejavu-core fonts-wine xvfb xdotool libx11-dev \
            dpkg-dev file desktop-file-utils appstream libglib2.0-bin shared-mime-info python3-gi \
            man-db
# The file managers whose "Mit Kustel stempeln" the tests drive, with the extensions that read
# Kustel's entries, a window manager, a session bus, and ImageMagick to watch the screen.
FILE_MANAGER_PACKAGES := nautilus python3-nautilus thunar nemo pcmanfm-qt lxmenu-data pcmanfm \
                         libfm-modules caja caja-actions openbox dbus-daemon imagemagick
# The Windows program: the mingw-w64 cross compiler (posix threads) and its binutils (windres,
# objdump), zlib and GoogleTest's sources for it, Wine with its own fonts to run its tests,
# ImageMagick to read back the pixels of its windows on Xvfb, NSIS and zip for its installer and
# portable zip (unzip for the zip's test).
WINDOWS_PACKAGES := cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev \
                    googletest wine wine64 fonts-wine imagemagick nsis zip unzip
FUZZ_SECONDS ?= 30
PREFIX ?= $(HOME)/.local

.PHONY: run test deps deps-windows deps-file-managers build build-asan build-fuzz windows clean \
        format info-picture info-picture-linux info-picture-windows package install uninstall icons

run: build
	./build/default/app/kustel $(ARGS)

test: build build-asan build-fuzz windows deps-file-managers
	ctest --preset fuzz
	ctest --preset asan
	ctest --preset windows
	ctest --preset default

# Installs the packages of $(1) that are missing.
define install-missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  sudo=""; [ "$$(id -u)" -eq 0 ] || sudo=sudo; \
	  $$sudo apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install-missing,$(PACKAGES))

deps-windows:
	$(call install-missing,$(WINDOWS_PACKAGES))

deps-file-managers:
	$(call install-missing,$(FILE_MANAGER_PACKAGES))

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default -j $$(nproc)

build-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $$(nproc)

build-fuzz: deps
	cmake --preset fuzz -DKUSTEL_FUZZ_SECONDS=$(FUZZ_SECONDS) >/dev/null
	cmake --build --preset fuzz -j $$(nproc)

# kustel.exe, cross-built: build/windows/app/kustel.exe
windows: deps-windows
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $$(nproc)

# The information pictures, one for each system: the page from tools/info_page.txt with
# screenshots of that system's own main window, then, with the new page built in, the README's
# pictures of that system's window. Run them again whenever the page's text or a window changes.
info-picture: info-picture-linux info-picture-windows

# The Linux page, gui/info_picture_linux.png, from the real Qt window; then docs/info-dialog.png.
info-picture-linux: deps
	cmake --preset default >/dev/null
	cmake --build --preset default --target make_info_picture -j $$(nproc)
	./build/default/tools/make_info_picture page linux tools/info_page.txt gui/info_picture_linux.png
	cmake --build --preset default --target make_info_picture -j $$(nproc)
	./build/default/tools/make_info_picture dialog docs/info-dialog.png

# The Windows page, gui/info_picture_windows.png, from kustel.exe's own window under Wine on Xvfb
# (build/info-shots); then docs/windows-main-window.png and docs/windows-info-dialog.png.
info-picture-windows: deps deps-windows
	$(call install-missing,faketime)
	cmake --preset default >/dev/null
	cmake --build --preset default --target make_info_picture -j $$(nproc)
	cmake --preset windows >/dev/null
	cmake --build --preset windows --target kustel -j $$(nproc)
	rm -rf build/info-shots
	sh tools/windows_screenshots.sh page build/info-shots
	./build/default/tools/make_info_picture page windows tools/info_page.txt gui/info_picture_windows.png \
	  build/info-shots/start.png build/info-shots/stamping.png
	cmake --build --preset windows --target kustel -j $$(nproc)
	sh tools/windows_screenshots.sh

# The Linux package, build/packages/kustel_<version>_<architecture>.deb, made by CPack from the
# install rules in packaging/ (CPack's own work folder stays in build/cpack); beside it what the
# windows build makes in packaging/windows: build/packages/kustel-<version>-setup.exe, the
# installer, and build/packages/kustel-<version>-windows.zip, the program without installation.
package: build windows
	rm -rf build/cpack
	rm -f build/packages/kustel_*.deb build/packages/kustel-*-setup.exe build/packages/kustel-*-windows.zip
	cpack --config build/default/CPackConfig.cmake -B build/cpack
	mkdir -p build/packages
	mv build/cpack/kustel_*.deb build/packages/
	version=$$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt) && \
	cp build/windows/packaging/windows/kustel-$$version-setup.exe \
	   build/windows/packaging/windows/kustel-$$version-windows.zip build/packages/
	@ls -l build/packages

install: build
	cmake --install build/default --prefix "$(PREFIX)"

# Removes what the last installation into PREFIX put there, by the record it left in
# PREFIX/share/kustel.
uninstall:
	cmake -DPREFIX="$(PREFIX)" -DRECORD=share/kustel/installed-files -P packaging/uninstall.cmake

# Renders the icon's PNG sizes and kustel.ico from packaging/icons/kustel.svg (both committed).
icons:
	sh packaging/icons/render.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
