"""Kustel's entry in a real file manager, used as a user uses it: files selected with the
keyboard, the context menu opened, "Mit Kustel stempeln" (Thunar: "Senden an") chosen.
Exactly the selected files are stamped, in one call that hands each over byte for byte.

The file manager runs on its own X server (Xvfb) with a window manager (openbox) and a session
bus (dbus-run-session), as an ordinary user: run as root, as in CI, the test makes a system
user for it, since root ignores file modes and file managers treat root differently. Kustel is
installed into that user's home, below a folder whose name holds a blank and an umlaut, so
every entry must call the program by a quoted absolute path.

Usage: file_manager_test.py BUILD_FOLDER FILE_MANAGER
Exit code 77 (skipped) when the file manager or a tool of the session is not installed.
"""

import hashlib
import os
import pwd
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
TEST_USER = "kustel-fm-test"
FOLDER = "Belege"
DECOY = b"50.pdf"  # sorts first; a script that drops "%s" from a name stamps it
# Each with what a file manager may mangle: a field code, blanks and an umlaut, a newline, and
# a name in Latin-1 (not UTF-8), as an old archive unpacks it.
SELECTED = [
    b"50%s.pdf",
    "Rechnung März 2024.pdf".encode(),
    b"Kassenbon\nZeile 2.pdf",
    b"Quittung \xe4.pdf",
]
STAMP = b"2024-11-05-"

# Per file manager: the command that opens the folder, and the keys that choose Kustel's entry
# in the context menu of the selection. In each menu the entry's place is counted from the end,
# which holds the same items whatever programs the machine has for PDFs.
FILE_MANAGERS = {
    # GNOME Files: the extension's item stands above Properties.
    "nautilus": (["nautilus", "--new-window"], ["Up", "Up", "Return"]),
    # Thunar: "Senden an" (its mnemonic), where Kustel sorts last.
    "thunar": (["thunar"], ["s", "Up", "Return"]),
    # Nemo: the action stands above Cut, Copy, Add to favorites, Pin, Rename, Move to Trash,
    # Delete and Properties.
    "nemo": (["nemo"], ["Up"] * 9 + ["Return"]),
    # PCManFM-Qt: the action stands above Compress and Properties.
    "pcmanfm-qt": (["pcmanfm-qt"], ["Up", "Up", "Up", "Return"]),
    # PCManFM: the action stands above Properties.
    "pcmanfm": (["pcmanfm"], ["Up", "Up", "Return"]),
    # Caja: caja-actions gathers the actions in a submenu above Properties.
    "caja": (["caja", "--no-desktop"], ["Up", "Up", "Right", "Return"]),
}
SESSION_TOOLS = ["Xvfb", "openbox", "xdotool", "dbus-run-session", "import"]
SETTINGS = "10000099999999xxx"  # the file's date, YYYY-MM-DD-, "beibehalten"
QUIET = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


# --- The session, run as the test user inside dbus-run-session ---------------------------------


def start_x_server():
    """Xvfb on the first free display, which it names through -displayfd."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=[write_end],
        **QUIET,
    )
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        number = numbers.readline().strip()
    if not number:
        fail("Xvfb did not start")
    return server, ":" + number


def xdotool(*arguments):
    return subprocess.run(
        ["xdotool", *arguments], capture_output=True, text=True, timeout=30
    ).stdout.split()


def screen():
    """The screen's pixels."""
    return subprocess.run(
        ["import", "-window", "root", "rgb:-"], capture_output=True, timeout=30
    ).stdout


def settle(at_least):
    """Waits until the screen has stayed the same for a second, and at least AT_LEAST seconds:
    the file manager has listed the folder (GNOME Files turns a spinner while it loads), a menu
    has opened. Carets do not blink in this session (see make_session_home)."""
    start = time.monotonic()
    last, since = None, start
    while time.monotonic() - start < 30:
        frame = hashlib.sha1(screen()).digest()
        now = time.monotonic()
        if frame != last:
            last, since = frame, now
        elif now - since >= 1 and now - start >= at_least:
            return
        time.sleep(0.2)


def press(*keys):
    for key in keys:
        xdotool("key", key)
        time.sleep(0.2)


def drive(file_manager, folder, calls, screenshot):
    command, menu_keys = FILE_MANAGERS[file_manager]
    opened = subprocess.Popen(command + [folder], **QUIET)
    try:
        deadline = time.monotonic() + 30
        windows = []
        while not windows and time.monotonic() < deadline:
            windows = xdotool("search", "--onlyvisible", "--name", FOLDER)
            time.sleep(0.2)
        if not windows:
            fail(f"{file_manager} showed no window for the folder")
        window = windows[0]
        # A known place and size, so that a click lands on the empty part of the file view.
        xdotool("windowsize", "--sync", window, "1000", "700")
        xdotool("windowmove", "--sync", window, "100", "100")
        xdotool("windowactivate", "--sync", window)
        settle(2)
        xdotool("mousemove", "--sync", "1050", "700", "click", "1")
        # The first file is the decoy: the selection runs from the second to the last.
        press("Home", "Right", "shift+End", "Menu")
        settle(0.5)
        subprocess.run(["import", "-window", "root", screenshot], check=False)
        press(*menu_keys)
        # Kustel starts and stamps; a second call would come at once.
        deadline = time.monotonic() + 15
        while not os.listdir(calls) and time.monotonic() < deadline:
            time.sleep(0.1)
        time.sleep(1)
    finally:
        opened.terminate()
        try:
            opened.wait(timeout=10)
        except subprocess.TimeoutExpired:
            opened.kill()


def session(work, file_manager):
    server, display = start_x_server()
    os.environ["DISPLAY"] = display
    window_manager = subprocess.Popen(["openbox"], **QUIET)
    try:
        time.sleep(0.5)
        drive(
            file_manager,
            os.path.join(os.environ["HOME"], FOLDER),
            os.path.join(work, "calls"),
            os.path.join(work, "menu.png"),
        )
    finally:
        window_manager.terminate()
        window_manager.wait()
        server.terminate()
        server.wait()


# --- The test, run as root or as the user who runs the tests --------------------------------


def session_user():
    """The user the file manager runs as: a system user of its own when run as root."""
    if os.getuid() != 0:
        return None
    try:
        pwd.getpwnam(TEST_USER)
    except KeyError:
        subprocess.run(
            ["useradd", "--system", "--no-create-home", "--shell", "/usr/sbin/nologin", TEST_USER],
            check=True,
        )
    return pwd.getpwnam(TEST_USER)


def install(build, work, home):
    """Kustel in the user's home, its program replaced by one that logs each call's arguments
    (NUL after each) into a file of its own and then runs the real program."""
    prefix = os.path.join(home, "Persönlicher Ordner", ".local")
    subprocess.run(
        ["cmake", "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL
    )
    program = os.path.join(prefix, "libexec", "kustel", "kustel")
    os.rename(program, program + ".real")
    calls = os.path.join(work, "calls")
    os.mkdir(calls)
    with open(program, "w") as wrapper:
        wrapper.write(
            "#!/bin/sh\n"
            f"printf '%s\\0' \"$@\" >'{calls}'/$$\n"
            'exec "$(dirname "$(readlink -f "$0")")/kustel.real" "$@"\n'
        )
    os.chmod(program, 0o755)
    return prefix, calls


def make_files(folder, names):
    os.makedirs(folder)
    for name in [DECOY] + names:
        path = os.path.join(os.fsencode(folder), name)
        with open(path, "wb") as file:
            file.write(b"%PDF-1.4\n")
        stamp_time = time.mktime(time.strptime("2024-11-05 14:32", "%Y-%m-%d %H:%M"))
        os.utime(path, (stamp_time, stamp_time))


def make_session_home(home):
    """Kustel's settings, and toolkits whose text carets do not blink (a blinking caret would
    keep the screen from ever settling)."""
    files = {
        ".config/tolm/kustel/cfg_regstring": SETTINGS,
        ".config/gtk-3.0/settings.ini": "[Settings]\ngtk-cursor-blink = false\n",
        ".config/gtk-4.0/settings.ini": "[Settings]\ngtk-cursor-blink = false\n",
        ".gtkrc-2.0": "gtk-cursor-blink = 0\n",
    }
    for name, text in files.items():
        path = os.path.join(home, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as file:
            file.write(text)


def session_environment(home, prefix, runtime):
    environment = {
        "HOME": home,
        "USER": TEST_USER if os.getuid() == 0 else os.environ.get("USER", ""),
        "PATH": "/usr/bin:/bin",
        "LANG": "C.UTF-8",
        "TZ": "Europe/Berlin",
        "XDG_DATA_HOME": os.path.join(prefix, "share"),
        "XDG_CONFIG_HOME": os.path.join(home, ".config"),
        "XDG_CACHE_HOME": os.path.join(home, ".cache"),
        "XDG_RUNTIME_DIR": runtime,
        # PCManFM-Qt finds the programs of its menus only with the LXDE menu files.
        "XDG_MENU_PREFIX": "lxde-",
        # GTK 4 (GNOME Files) draws with cairo: its GL renderer on Mesa's software rasterizer
        # now and then hangs in the buffer swap on Xvfb when the machine is busy.
        "GSK_RENDERER": "cairo",
    }
    for name in ("LSAN_OPTIONS", "ASAN_OPTIONS", "UBSAN_OPTIONS"):
        if name in os.environ:
            environment[name] = os.environ[name]
    return environment


def end_session(leader):
    """Ends what the session left running (services the session bus started), each by its id:
    the processes of the session that LEADER opened."""
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            if os.getsid(int(entry)) == leader:
                os.kill(int(entry), signal.SIGKILL)
        except (ProcessLookupError, PermissionError):
            pass


def check(file_manager, folder, calls, names):
    """One call with exactly the selected paths, and exactly those files stamped."""
    made = sorted(os.listdir(calls))
    if len(made) != 1:
        fail(
            f"{file_manager}: Kustel was called {len(made)} times, not once ({file_manager}"
            "-menu.png beside the test shows the menu before the entry was chosen)"
        )
    with open(os.path.join(calls, made[0]), "rb") as log:
        arguments = log.read().split(b"\0")[:-1]
    expected = sorted(os.path.join(os.fsencode(folder), name) for name in names)
    if sorted(arguments) != expected:
        fail(f"{file_manager}: Kustel got {sorted(arguments)!r}, not {expected!r}")
    deadline = time.monotonic() + 10
    stamped = sorted([DECOY] + [STAMP + name for name in names])
    while sorted(os.listdir(os.fsencode(folder))) != stamped and time.monotonic() < deadline:
        time.sleep(0.1)
    if sorted(os.listdir(os.fsencode(folder))) != stamped:
        fail(f"{file_manager}: the folder holds {sorted(os.listdir(os.fsencode(folder)))!r}, "
             f"not {stamped!r}")


def main(build, file_manager):
    if file_manager not in FILE_MANAGERS:
        fail(f"unknown file manager {file_manager}")
    missing = [tool for tool in [FILE_MANAGERS[file_manager][0][0]] + SESSION_TOOLS
               if shutil.which(tool) is None]
    if missing:
        print(f"skipped: not installed: {' '.join(missing)}")
        sys.exit(SKIPPED)

    user = session_user()
    work = tempfile.mkdtemp(prefix="kustel-fm-")
    try:
        home = os.path.join(work, "home")
        runtime = os.path.join(work, "run")
        os.mkdir(home)
        os.mkdir(runtime, 0o700)
        prefix, calls = install(build, work, home)
        make_session_home(home)
        folder = os.path.join(home, FOLDER)
        os.environ["TZ"] = "Europe/Berlin"
        time.tzset()
        make_files(folder, SELECTED)

        # The session runs a copy of this file: the user may not see into the source tree.
        script = os.path.join(work, "session.py")
        shutil.copy(__file__, script)
        if user is not None:
            subprocess.run(["chown", "-R", f"{user.pw_uid}:{user.pw_gid}", work], check=True)
        environment = session_environment(home, prefix, runtime)
        inner = ["env", "-i"] + [f"{name}={value}" for name, value in environment.items()]
        inner += ["dbus-run-session", "--", sys.executable, script, "--session", work, file_manager]
        if user is not None:
            inner = ["runuser", "-u", TEST_USER, "--"] + inner
        # What the session and its services say goes to a log, shown when the session fails.
        log_path = os.path.join(work, "session.log")
        with open(log_path, "wb") as log:
            started = subprocess.Popen(inner, stdout=log, stderr=log, start_new_session=True)
            try:
                status = started.wait(timeout=120)
            except subprocess.TimeoutExpired:
                started.kill()
                status = "timeout"
            end_session(started.pid)
        if status != 0:
            with open(log_path, errors="replace") as log:
                print(log.read()[-4000:], file=sys.stderr)
            fail(f"{file_manager}: the session ended with {status}")
        check(file_manager, folder, calls, SELECTED)
        print(f"{file_manager}: the selected files were stamped in one call")
    except SystemExit:
        # Keep the picture of the menu beside the test for a look at what went wrong.
        picture = os.path.join(work, "menu.png")
        if os.path.exists(picture):
            shutil.copy(picture, os.path.join(os.getcwd(), f"{file_manager}-menu.png"))
        raise
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    if sys.argv[1] == "--session":
        session(sys.argv[2], sys.argv[3])
    else:
        main(sys.argv[1], sys.argv[2])
