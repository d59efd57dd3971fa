#!/usr/bin/env python3
"""End-to-end checks of banner.exe and banner_alt.exe under Wine, on the display of the Wine
session (tests/windows/wine_session.sh).

Usage: windows_e2e.py <case> <program.exe> <window_probe.exe> <window height> [box column]
Cases: window, escape, close_request, l_key, full_show.
"""

import os
import re
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
from banner_e2e import (TITLE, SHOW_LENGTH, Failure, check, count_pixels,  # noqa: E402
                        is_glow_yellow, is_lit, wait_for_exit)
from x11_close_request import send_close_request  # noqa: E402
from x11_screenshot import grab_window  # noqa: E402

WINE = os.path.join(HERE, "wine.sh")
STARTUP_LIMIT = 120.0  # Wine's Direct3D on software OpenGL, every texture built at start-up
EXIT_LIMIT = 5.0       # the program itself ends at once; Wine takes its process down after it
POPUP_WINDOW = 0x80880000  # WS_POPUP | WS_BORDER | WS_SYSMENU


def run(command):
    return subprocess.run(command, capture_output=True, text=True, timeout=60).stdout


def start(program):
    return subprocess.Popen([WINE, program], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            text=True)


def probe(window_probe):
    """What Windows says of the program's window, as a dictionary; empty when there is none."""
    fields = run([WINE, window_probe]).split()
    if not fields or fields[0] != "visible":
        return {}
    return dict(zip(fields[0::2], fields[1::2]))


def wait_for_window(process, window_probe):
    """The X window that shows the program's window, once Windows says it is visible."""
    deadline = time.monotonic() + STARTUP_LIMIT
    while time.monotonic() < deadline:
        if process.poll() is not None:
            raise Failure("the program ended during start-up (%d): %s" %
                          (process.returncode, process.stderr.read()))
        if probe(window_probe).get("visible") == "1":
            ids = run(["xdotool", "search", "--onlyvisible", "--name",
                       "^%s$" % re.escape(TITLE)]).split()
            check(len(ids) == 1, "%d X windows have the title" % len(ids))
            return int(ids[0])
        time.sleep(0.5)
    raise Failure("no visible window within %.0f s" % STARTUP_LIMIT)


def stop(process):
    if process.poll() is None:
        process.kill()
        process.wait()


def ended_cleanly(process, limit):
    took = wait_for_exit(process, limit)
    stderr = process.stderr.read()
    check(process.returncode == 0, "exit status %d: %s" % (process.returncode, stderr))
    check(stderr == "", "unexpected stderr: " + stderr)
    return took


def case_window(program, window_probe, height, box_column):
    process = start(program)
    try:
        window = wait_for_window(process, window_probe)
        seen = probe(window_probe)
        for name, value in (("x", "200"), ("y", "100"), ("width", "960"), ("height", str(height)),
                            ("exstyle", "0x00000000"), ("classstyle", "0x00000040")):
            check(seen[name] == value, "%s is %s, not %s: %s" % (name, seen[name], value, seen))
        style = int(seen["style"], 16)
        check(style & POPUP_WINDOW == POPUP_WINDOW, "not a WS_POPUPWINDOW: %s" % seen["style"])
        check(style & 0x00440000 == 0, "a caption or sizing border: %s" % seen["style"])
        info = run(["xwininfo", "-id", str(window)])
        for label, value in (("Absolute upper-left X", 200), ("Absolute upper-left Y", 100),
                             ("Width", 960), ("Height", height)):
            found = re.search(r"%s:\s+(-?\d+)" % re.escape(label), info)
            check(found and int(found.group(1)) == value, "X: %s is not %d" % (label, value))
        time.sleep(2.0)
        lit = count_pixels(grab_window(os.environ["DISPLAY"], window, 960, height), is_lit)
        check(lit > 300, "the window shows almost nothing: %d lit pixels" % lit)
        print("%s; %d lit pixels" % (" ".join("%s %s" % item for item in seen.items()), lit))
    finally:
        stop(process)


def case_escape(program, window_probe, height, box_column):
    process = start(program)
    try:
        window = wait_for_window(process, window_probe)
        run(["xdotool", "windowfocus", "--sync", str(window)])
        time.sleep(1.0)
        run(["xdotool", "key", "Escape"])
        print("ended %.2f s after Escape" % ended_cleanly(process, EXIT_LIMIT))
    finally:
        stop(process)


def case_close_request(program, window_probe, height, box_column):
    process = start(program)
    try:
        window = wait_for_window(process, window_probe)
        time.sleep(1.0)
        send_close_request(os.environ["DISPLAY"], window)
        print("ended %.2f s after the close request" % ended_cleanly(process, EXIT_LIMIT))
    finally:
        stop(process)


def case_l_key(program, window_probe, height, box_column):
    # In the first 18 s the box waits alone with its light off; 'L' lights it, and its glow
    # star shines in front of it.
    around_box = (box_column - 40, box_column + 40)
    display = os.environ["DISPLAY"]
    process = start(program)
    try:
        window = wait_for_window(process, window_probe)
        run(["xdotool", "windowfocus", "--sync", str(window)])
        time.sleep(1.0)
        before = count_pixels(grab_window(display, window, 960, height), is_glow_yellow,
                              around_box)
        run(["xdotool", "key", "l"])
        time.sleep(1.5)
        rows = grab_window(display, window, 960, height)
        after = count_pixels(rows, is_glow_yellow, around_box)
        elsewhere = count_pixels(rows, is_glow_yellow) - after
        check(before < 10, "yellow at the box before 'L': %d pixels" % before)
        check(after > 150, "no glow at the box after 'L': %d yellow pixels" % after)
        check(elsewhere < 10, "yellow away from the box: %d pixels" % elsewhere)
        print("yellow pixels at the box: %d before, %d after" % (before, after))
    finally:
        stop(process)


def case_full_show(program, window_probe, height, box_column):
    process = start(program)
    try:
        wait_for_window(process, window_probe)
        shown = time.monotonic()
        ended_cleanly(process, SHOW_LENGTH[1] + 30)
        took = time.monotonic() - shown
        # Measured from the window seen, which follows the show's start by up to a probe's run.
        check(SHOW_LENGTH[0] - 2 <= took <= SHOW_LENGTH[1], "the show lasted %.1f s" % took)
        print("the show ended by itself %.1f s after the window appeared" % took)
    finally:
        stop(process)


CASES = {
    "window": case_window,
    "escape": case_escape,
    "close_request": case_close_request,
    "l_key": case_l_key,
    "full_show": case_full_show,
}


def main():
    if len(sys.argv) not in (5, 6) or sys.argv[1] not in CASES:
        print(__doc__, file=sys.stderr)
        return 2
    if not os.environ.get("DISPLAY") or not os.environ.get("WINEPREFIX"):
        print("FAILED: run under tests/windows/wine_session.sh", file=sys.stderr)
        return 2
    box_column = int(sys.argv[5]) if len(sys.argv) == 6 else 690
    try:
        CASES[sys.argv[1]](sys.argv[2], sys.argv[3], int(sys.argv[4]), box_column)
    except Failure as failure:
        print("FAILED: %s" % failure, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
