"""Kustel installed into a home-like prefix, as the desktop sees it through GIO (the library
behind GNOME Files, Nemo and Thunar) and as each file manager calls its action.

The prefix lies in a folder whose name holds a blank and an umlaut, so every entry must call
the program by a quoted absolute path. Each test class gets its own installation, data and
settings folders; XDG_DATA_DIRS holds nothing but the MIME database, so the machine's own
programs and associations stay out, and XDG_CONFIG_HOME holds no mimeapps.list unless a test
writes one.

Usage: desktop_test.py BUILD_FOLDER [unittest arguments, e.g. a class name]
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import gi

gi.require_version("Gio", "2.0")
gi.require_version("GLib", "2.0")
from gi.repository import GLib  # noqa: E402

BUILD = None
APP_ID = "io.github.kustel.Kustel"
DOCUMENTS_AND_PICTURES = [
    "application/pdf",
    "image/jpeg",
    "image/png",
    "image/tiff",
    "application/octet-stream",
    "text/plain",
]


class Installation(unittest.TestCase):
    """A fresh installation per class; the program behind the link logs each call."""

    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="kustel-desktop-")
        cls.prefix = os.path.join(cls.work, "Persönlicher Ordner", ".local")
        subprocess.run(
            ["cmake", "--install", BUILD, "--prefix", cls.prefix],
            check=True,
            stdout=subprocess.DEVNULL,
        )
        cls.share = os.path.join(cls.prefix, "share")
        # A desktop runs update-desktop-database over its applications folders (for /usr a
        # dpkg trigger does); GIO finds the file types of entries only through its cache.
        subprocess.run(
            ["update-desktop-database", os.path.join(cls.share, "applications")], check=True
        )

        # Every call of the program is logged, one line per call with its number of
        # arguments, then handed to the real program beside it (where it finds its module).
        program = os.path.join(cls.prefix, "libexec", "kustel", "kustel")
        os.rename(program, program + ".real")
        cls.calls = os.path.join(cls.work, "calls")
        with open(program, "w") as wrapper:
            wrapper.write(
                '#!/bin/sh\necho "$#" >>"$KUSTEL_CALL_LOG"\n'
                'exec "$(dirname "$(readlink -f "$0")")/kustel.real" "$@"\n'
            )
        os.chmod(program, 0o755)

        data = os.path.join(cls.work, "data")
        os.makedirs(data)
        os.symlink("/usr/share/mime", os.path.join(data, "mime"))
        config = os.path.join(cls.work, "config")
        os.makedirs(os.path.join(config, "tolm", "kustel"))
        # File date, YYYY-MM-DD-, "beibehalten".
        with open(os.path.join(config, "tolm", "kustel", "cfg_regstring"), "w") as settings:
            settings.write("10000099999999xxx")
        runtime = os.path.join(cls.work, "run")
        os.makedirs(runtime, mode=0o700)
        cls.env = {
            "HOME": cls.work,
            "PATH": "/usr/bin:/bin",
            "LANG": "C.UTF-8",
            "TZ": "Europe/Berlin",
            "XDG_DATA_HOME": cls.share,
            "XDG_DATA_DIRS": data,
            "XDG_CONFIG_HOME": config,
            "XDG_CONFIG_DIRS": os.path.join(cls.work, "no-config-dirs"),
            "XDG_RUNTIME_DIR": runtime,
            "KUSTEL_CALL_LOG": cls.calls,
        }
        for name in ("LSAN_OPTIONS", "ASAN_OPTIONS", "UBSAN_OPTIONS"):
            if name in os.environ:
                cls.env[name] = os.environ[name]

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work)

    def setUp(self):
        self.files = tempfile.mkdtemp(prefix="files ", dir=self.work)
        if os.path.exists(self.calls):
            os.remove(self.calls)

    def make_files(self, *names):
        """Files last written on 5 November 2024, a scan among them."""
        paths = []
        for name in names:
            path = os.path.join(self.files, name)
            with open(path, "wb") as file:
                file.write(b"%PDF-1.4\n" if name.endswith(".pdf") else b"\x89PNG\r\n\x1a\n")
            subprocess.run(["touch", "-d", "2024-11-05 14:32", path], check=True)
            paths.append(path)
        return paths

    def run_in_session(self, argv, **kwargs):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, **kwargs)

    def assert_stamped_in_one_call(self, names):
        """Each name gets the date in front, and the program was called once with all."""
        expected = sorted("2024-11-05-" + name for name in names)
        deadline = time.monotonic() + 10
        while sorted(os.listdir(self.files)) != expected and time.monotonic() < deadline:
            time.sleep(0.05)
        self.assertEqual(sorted(os.listdir(self.files)), expected)
        with open(self.calls) as log:
            self.assertEqual(log.read().split(), [str(len(names))])

    def logged_calls(self, expected):
        """The number of arguments of each call, once EXPECTED calls were made (or ten seconds
        passed) and half a second more has brought no further call."""
        deadline = time.monotonic() + 10
        calls = []
        while time.monotonic() < deadline:
            if os.path.exists(self.calls):
                with open(self.calls) as log:
                    calls = log.read().split()
            if len(calls) >= expected:
                break
            time.sleep(0.05)
        time.sleep(0.5)  # long enough for a started Kustel to have renamed a file
        if os.path.exists(self.calls):
            with open(self.calls) as log:
                calls = log.read().split()
        return calls

    def key_file(self, *path):
        keys = GLib.KeyFile()
        keys.load_from_file(os.path.join(self.share, *path), GLib.KeyFileFlags.KEEP_TRANSLATIONS)
        return keys


class NotADefaultHandler(Installation):
    """Opening a document or picture never stamps it, whatever the user's associations say."""

    def test_no_file_type_names_kustel(self):
        for mime_type in DOCUMENTS_AND_PICTURES:
            with self.subTest(mime_type):
                shown = self.run_in_session(["gio", "mime", mime_type])
                self.assertEqual(shown.returncode, 0, shown.stderr)
                self.assertNotIn("kustel", shown.stdout.lower())

    def test_double_click_on_a_scan_changes_nothing(self):
        # `gio open` is what a double click does in GNOME Files, Nemo and Thunar.
        (scan,) = self.make_files("scan.pdf")
        opened = self.run_in_session(["gio", "open", scan])
        self.assertNotEqual(opened.returncode, 0)
        self.assertEqual(self.logged_calls(0), [])
        self.assertEqual(os.listdir(self.files), ["scan.pdf"])

    def test_scan_keeps_its_name_when_kustel_is_the_chosen_program(self):
        # What "Mit anderer Anwendung öffnen" in Thunar and PCManFM-Qt writes when Kustel is
        # chosen once, "use as default" left unticked; GIO then opens every PDF with Kustel.
        with open(os.path.join(self.env["XDG_CONFIG_HOME"], "mimeapps.list"), "w") as apps:
            apps.write("[Added Associations]\napplication/pdf=%s.desktop;\n" % APP_ID)
        try:
            (scan,) = self.make_files("scan.pdf")
            opened = self.run_in_session(["gio", "open", scan])
            self.assertEqual(opened.returncode, 0, opened.stderr)
            # Kustel starts, but without the scan: its window (here, with no display, the
            # message that there is none) and nothing else.
            self.assertEqual(self.logged_calls(1), ["0"])
            self.assertEqual(os.listdir(self.files), ["scan.pdf"])
        finally:
            os.remove(os.path.join(self.env["XDG_CONFIG_HOME"], "mimeapps.list"))

    def test_listed_in_the_menu_as_a_program_that_takes_no_files(self):
        # GIO's list of all programs, which "Öffnen mit" filters for those that take files.
        listed = self.run_in_session(
            [
                sys.executable,
                "-c",
                "from gi.repository import Gio\n"
                "for app in Gio.AppInfo.get_all():\n"
                "    print(app.get_id(), app.should_show(), app.supports_files(),"
                " app.supports_uris(), app.get_display_name())\n",
            ]
        )
        self.assertEqual(listed.returncode, 0, listed.stderr)
        self.assertEqual(
            listed.stdout.split(), [APP_ID + ".desktop", "True", "False", "False", "Kustel"]
        )


class MenuEntry(Installation):
    """The menu entry, launched as a menu, a dock or a file manager launches it."""

    def test_launched_with_files_it_only_opens_the_window(self):
        # A drop on a launcher icon in a dock: GIO appends each file as if Exec said %f.
        names = ["scan.pdf", "Kassenbon März.png"]
        paths = self.make_files(*names)
        entry = os.path.join(self.share, "applications", APP_ID + ".desktop")
        launched = self.run_in_session(["gio", "launch", entry] + paths)
        self.assertEqual(launched.returncode, 0, launched.stderr)
        self.assertEqual(self.logged_calls(2), ["0", "0"])
        self.assertEqual(sorted(os.listdir(self.files)), sorted(names))

    def test_entry_speaks_german(self):
        entry = self.key_file("applications", APP_ID + ".desktop")
        for key, german in [
            ("GenericName", "Datumsstempel für Dateinamen"),
            ("Comment", "Setzt ein Datum oder einen Text vor Dateinamen"),
        ]:
            with self.subTest(key):
                self.assertEqual(entry.get_locale_string("Desktop Entry", key, "de_DE"), german)


class FileManagerActions(Installation):
    """Each file manager's action, read and called the way that file manager does it, with
    two selected files whose names hold a blank and an umlaut. The file managers themselves
    drive their entries in file_manager_test.py; Dolphin, which brings much of KDE, only
    here."""

    names = ["scan.pdf", "Kassenbon März.png"]

    def test_dolphin_service_menu(self):
        # In a folder the user can write, KIO runs only an executable service menu.
        path = os.path.join(self.share, "kio", "servicemenus", "kustel.desktop")
        self.assertTrue(os.access(path, os.X_OK))
        menu = self.key_file("kio", "servicemenus", "kustel.desktop")
        self.assertEqual(menu.get_string("Desktop Entry", "Type"), "Service")
        self.assertEqual(menu.get_string_list("Desktop Entry", "MimeType"), ["all/allfiles"])
        self.assertIn("stamp", menu.get_string_list("Desktop Entry", "Actions"))
        self.assertEqual(
            menu.get_locale_string("Desktop Action stamp", "Name", "de"), "Mit Kustel stempeln"
        )
        # KIO splits Exec like a shell and puts one argument per selected file for %F.
        ok, argv = GLib.shell_parse_argv(menu.get_string("Desktop Action stamp", "Exec"))
        self.assertTrue(ok)
        self.assertEqual(argv[1:], ["%F"])
        paths = self.make_files(*self.names)
        self.assertEqual(self.run_in_session(argv[:1] + paths).returncode, 0)
        self.assert_stamped_in_one_call(self.names)

    def test_nemo_action(self):
        action = self.key_file("nemo", "actions", "kustel.nemo_action")
        group = "Nemo Action"
        self.assertEqual(action.get_locale_string(group, "Name", "de"), "Mit Kustel stempeln")
        self.assertEqual(action.get_string(group, "Selection"), "notnone")
        self.assertEqual(action.get_string_list(group, "Extensions"), ["nodirs"])
        self.assertEqual(action.get_string(group, "Quote"), "double")
        # Nemo puts the paths in place of %F, each in double quotes, and spawns the line the
        # way g_spawn_command_line_async splits it.
        exec_line = action.get_string(group, "Exec")
        self.assertEqual(exec_line.count("%F"), 1)
        paths = self.make_files(*self.names)
        quoted = " ".join('"' + path.replace('"', '\\"') + '"' for path in paths)
        ok, argv = GLib.shell_parse_argv(exec_line.replace("%F", quoted))
        self.assertTrue(ok)
        self.assertEqual(self.run_in_session(argv).returncode, 0)
        self.assert_stamped_in_one_call(self.names)

    def test_thunar_send_to(self):
        path = os.path.join(self.share, "Thunar", "sendto", "kustel.desktop")
        validated = self.run_in_session(["desktop-file-validate", path])
        self.assertEqual(validated.returncode, 0, validated.stdout + validated.stderr)
        self.assertEqual(
            self.key_file("Thunar", "sendto", "kustel.desktop").get_locale_string(
                "Desktop Entry", "Name", "de"
            ),
            "Mit Kustel stempeln",
        )
        # Thunar launches a "Senden an" entry through GIO, as gio launch does.
        paths = self.make_files(*self.names)
        launched = self.run_in_session(["gio", "launch", path] + paths)
        self.assertEqual(launched.returncode, 0, launched.stderr)
        self.assert_stamped_in_one_call(self.names)


if __name__ == "__main__":
    BUILD = sys.argv.pop(1)
    unittest.main(verbosity=2)
