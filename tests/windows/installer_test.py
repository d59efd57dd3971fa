#!/usr/bin/env python3
"""The Windows installer under Wine, in the Wine session's fresh prefix: run with /S it puts the
programs, the Start-menu shortcuts and the uninstall key where they belong, the installed
banner.exe shows its window and ends with status 0 on Escape, and the uninstaller run with /S
(as "Installed apps" runs it) leaves no file, shortcut or key of ours.

Usage: installer_test.py <setup.exe> <staged programs folder> <window_probe.exe> <version>
"""

import getpass
import os
import re
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from windows_e2e import (WINE, EXIT_LIMIT, Failure, check, ended_cleanly, run,  # noqa: E402
                         start, stop, wait_for_window)

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\banner"
SESSION_MANAGER = r"HKLM\System\CurrentControlSet\Control\Session Manager"
PROGRAMS = ["banner.exe", "banner_alt.exe", "banner_capture.exe", "README.txt"]
SHORTCUTS = {"Banner.lnk": "banner.exe", "Banner (alternative framing).lnk": "banner_alt.exe"}
INSTALL_LIMIT = 120.0  # unpacking some 38 MB with LZMA, on a shared machine


class Prefix:
    """The user's folders in the session's Wine prefix, as Linux paths and as Windows sees them."""

    def __init__(self):
        self.drive = os.path.join(os.environ["WINEPREFIX"], "drive_c")
        user = getpass.getuser()
        self.profile = os.path.join(self.drive, "users", user)
        self.install = os.path.join(self.profile, "AppData", "Local", "Programs", "banner")
        self.menu = os.path.join(self.profile, "AppData", "Roaming", "Microsoft", "Windows",
                                 "Start Menu", "Programs", "banner")
        self.windows_install = "C:\\users\\%s\\AppData\\Local\\Programs\\banner" % user
        self.temp = os.path.join("users", user, "Temp")

    def files(self, temporary=False):
        """Every folder and file on drive C: but Windows' own, as Windows paths: the temporary
        ones alone, or all but those."""
        found = set()
        for folder, subfolders, names in os.walk(self.drive):
            relative = os.path.relpath(folder, self.drive)
            if relative == "windows" or (relative == self.temp and not temporary):
                subfolders[:] = []
                continue
            if not temporary or relative.startswith(self.temp):
                found.update("C:\\" + os.path.join(relative, name).replace("/", "\\")
                             for name in subfolders + names)
        return found


def shortcut_target(path):
    """The program a shell link starts: the local path in its link information."""
    with open(path, "rb") as file:
        link = file.read()
    flags = struct.unpack_from("<I", link, 0x14)[0]
    offset = 0x4C
    if flags & 1:  # a list of item identifiers comes first
        offset += 2 + struct.unpack_from("<H", link, offset)[0]
    check(flags & 2, "%s holds no link information" % path)
    base = offset + struct.unpack_from("<I", link, offset + 16)[0]
    return link[base:link.index(b"\0", base)].decode("latin-1")


def uninstaller_running():
    """Whether an uninstaller of this Wine session's still runs."""
    prefix = ("WINEPREFIX=" + os.environ["WINEPREFIX"]).encode()
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as file:
                command = file.read()
            with open("/proc/%s/environ" % pid, "rb") as file:
                environment = file.read().split(b"\0")
        except OSError:
            continue
        if b"Un.exe" in command and prefix in environment:
            return True
    return False


def registry_keys():
    with tempfile.TemporaryDirectory() as folder:
        exported = os.path.join(folder, "user.reg")
        subprocess.run([WINE, "reg", "export", "HKCU", "Z:" + exported.replace("/", "\\")],
                       capture_output=True, timeout=60, check=True)
        with open(exported, "rb") as file:
            text = file.read().decode("utf-16")
    return set(re.findall(r"^\[(.*)\]\r?$", text, re.MULTILINE))


def deleted_at_restart():
    """What Windows is to delete when it next starts."""
    result = subprocess.run([WINE, "reg", "query", SESSION_MANAGER, "/v",
                             "PendingFileRenameOperations"], capture_output=True, text=True,
                            timeout=60)
    found = re.search(r"REG_MULTI_SZ\s+(.*?)\s*$", result.stdout, re.MULTILINE)
    # Pairs of a file and its new name, an empty one for deleting it.
    names = found.group(1).split("\\0") if found else []
    return {names[i][len("\\??\\"):] for i in range(0, len(names) - 1, 2) if not names[i + 1]}


def uninstall_values():
    result = subprocess.run([WINE, "reg", "query", UNINSTALL_KEY], capture_output=True,
                            text=True, timeout=60)
    values = {}
    for line in result.stdout.splitlines():
        found = re.match(r"^\s+(\S+)\s+(REG_\w+)\s+(.*?)\s*$", line)
        if found:
            values[found.group(1)] = (found.group(2), found.group(3))
    return values


def check_installed(prefix, stage, version):
    names = sorted(os.listdir(prefix.install))
    check(names == sorted(PROGRAMS + ["uninstall.exe"]), "installed: %s" % names)
    for name in PROGRAMS:
        with open(os.path.join(prefix.install, name), "rb") as mine, \
                open(os.path.join(stage, name), "rb") as theirs:
            check(mine.read() == theirs.read(), "%s is not the one built" % name)
    shortcuts = sorted(os.listdir(prefix.menu))
    check(shortcuts == sorted(SHORTCUTS), "Start menu: %s" % shortcuts)
    for shortcut, target in SHORTCUTS.items():
        found = shortcut_target(os.path.join(prefix.menu, shortcut))
        path = prefix.windows_install + "\\" + target
        check(found == path, "%s leads to %s, not %s" % (shortcut, found, path))

    values = uninstall_values()
    size = sum(os.path.getsize(os.path.join(prefix.install, name)) for name in PROGRAMS) / 1024
    uninstaller = prefix.windows_install + "\\uninstall.exe"
    expected = {
        "DisplayName": ("REG_SZ", "banner"),
        "DisplayVersion": ("REG_SZ", version),
        "Publisher": ("REG_SZ", "banner developers"),
        "DisplayIcon": ("REG_SZ", prefix.windows_install + "\\banner.exe,0"),
        "UninstallString": ("REG_SZ", '"%s"' % uninstaller),
        "QuietUninstallString": ("REG_SZ", '"%s" /S' % uninstaller),
    }
    for name, value in expected.items():
        check(values.get(name) == value, "%s is %s, not %s" % (name, values.get(name), value))
    kind, estimate = values.get("EstimatedSize", ("", "0"))
    check(kind == "REG_DWORD" and abs(int(estimate, 16) - size) <= size * 0.02,
          "EstimatedSize %s for %.0f KiB" % (estimate, size))
    return values


def run_installed(prefix, window_probe):
    process = start(os.path.join(prefix.install, "banner.exe"))
    try:
        window = wait_for_window(process, window_probe)
        run(["xdotool", "windowfocus", "--sync", str(window)])
        time.sleep(1.0)
        run(["xdotool", "key", "Escape"])
        return ended_cleanly(process, EXIT_LIMIT)
    finally:
        stop(process)


def uninstall(values):
    """Runs the quiet uninstall command; the uninstaller goes on in a copy of itself, whose end
    this waits for."""
    command = values["QuietUninstallString"][1]
    program, option = re.match(r'^"(.*)" (/S)$', command).groups()
    subprocess.run([WINE, program, option], capture_output=True, timeout=60, check=True)
    deadline = time.monotonic() + 60
    while uninstaller_running():
        check(time.monotonic() < deadline, "the uninstaller did not finish within 60 s")
        time.sleep(0.5)


def main():
    if len(sys.argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    setup, stage, window_probe, version = sys.argv[1:]
    if not os.environ.get("DISPLAY") or not os.environ.get("WINEPREFIX"):
        print("FAILED: run under tests/windows/wine_session.sh", file=sys.stderr)
        return 2
    prefix = Prefix()
    try:
        files_before, keys_before = prefix.files(), registry_keys()
        temporary_before = prefix.files(temporary=True)
        started = time.monotonic()
        result = subprocess.run([WINE, setup, "/S"], capture_output=True, text=True,
                                timeout=INSTALL_LIMIT)
        check(result.returncode == 0, "the installer ended with %d" % result.returncode)
        took = time.monotonic() - started
        values = check_installed(prefix, stage, version)
        ended = run_installed(prefix, window_probe)
        uninstall(values)
        left_files = prefix.files() - files_before
        check(not left_files, "left after uninstalling: %s" % sorted(left_files))
        # The uninstaller runs as a temporary copy of itself, which cannot delete itself: it
        # leaves that to Windows' next start.
        left_temporary = prefix.files(temporary=True) - temporary_before - deleted_at_restart()
        check(not left_temporary, "temporary files left for good: %s" % sorted(left_temporary))
        left_keys = [key for key in registry_keys() - keys_before if "banner" in key.lower()]
        check(not left_keys, "keys left after uninstalling: %s" % left_keys)
        print("installed in %.1f s; banner.exe ended %.2f s after Escape; uninstalled" %
              (took, ended))
    except Failure as failure:
        print("FAILED: %s" % failure, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
