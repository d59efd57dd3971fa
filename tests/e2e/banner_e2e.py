#!/usr/bin/env python3
"""End-to-end checks of a banner program's window under a private Xvfb display.

Usage: banner_e2e.py <case> <program> [expected window height [box column]]
Cases: window, scene, l_key, escape, close_request, moved, full_show, no_display, no_audio,
old_gl.
"""

import os
import re
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x11_close_request import send_close_request  # noqa: E402
from x11_screenshot import grab_window  # noqa: E402

TITLE = "D3D Tutorial 03: Matrices"
WINDOW_CLASS = '"D3D Tutorial", "D3D Tutorial"'
STARTUP_LIMIT = 90.0  # software OpenGL builds every texture at start-up
# A sanitized program searches its whole heap for leaks on the way out, and starts slower (its
# sanitizer pass compiles the driver's shader code afresh in every run): seconds more on a
# machine shared with other tests.
SANITIZED = os.environ.get("BANNER_E2E_SANITIZED") == "1"
EXIT_LIMIT = 3.0 if SANITIZED else 1.0
# The show ends by itself within this many seconds of the start.
SHOW_LENGTH = (119.0, 135.0 if SANITIZED else 125.0)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Xvfb:
    """A virtual X server on the first free display, for the duration of a with-block."""

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        check(number, "Xvfb did not start")
        self.display = ":" + number
        # SDL marks its window borderless only through an atom that a window manager would have
        # made; make it, so that the request becomes visible without a window manager.
        self.run(["xprop", "-root", "-f", "_MOTIF_WM_HINTS", "32c", "-set", "_MOTIF_WM_HINTS",
                  "0"])
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        self.process.wait(timeout=10)

    def environment(self, **extra):
        env = clean_environment(**extra)
        env["DISPLAY"] = self.display
        return env

    def run(self, command):
        result = subprocess.run(command, env=self.environment(), capture_output=True, text=True,
                                timeout=30)
        return result.stdout

    def window_ids(self, *criteria):
        output = self.run(["xdotool", "search"] + list(criteria))
        return [int(line) for line in output.split()]


class WindowEvents:
    """Records the creation and mapping of top-level windows while it runs."""

    def __init__(self, xvfb):
        self.log = tempfile.TemporaryFile(mode="w+")
        self.process = subprocess.Popen(
            ["stdbuf", "-oL", "xev", "-root", "-event", "substructure"],
            env=xvfb.environment(), stdout=self.log, stderr=subprocess.DEVNULL)
        time.sleep(0.5)  # let it select the events before anything happens

    def stop(self):
        time.sleep(0.3)
        self.process.terminate()
        self.process.wait(timeout=10)
        self.log.seek(0)
        text = self.log.read()
        self.log.close()
        return text

    @staticmethod
    def windows(text, kind):
        # The first window field is the root's; the window concerned follows its parent.
        pattern = kind + r" event,.*?(?:parent|event) 0x[0-9a-f]+, window (0x[0-9a-f]+)"
        return [int(match, 16) for match in re.findall(pattern, text, re.S)]


def clean_environment(**extra):
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "SDL_AUDIODRIVER")}
    env.update(extra)
    return env


def start_program(program, env):
    return subprocess.Popen([program], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            text=True)


def wait_for_window(xvfb, process):
    deadline = time.monotonic() + STARTUP_LIMIT
    while time.monotonic() < deadline:
        if process.poll() is not None:
            raise Failure("the program ended during start-up: " + process.stderr.read())
        ids = xvfb.window_ids("--onlyvisible", "--name", "^%s$" % re.escape(TITLE))
        if ids:
            return ids[0]
        time.sleep(0.1)
    raise Failure("no visible window within %.0f s" % STARTUP_LIMIT)


def wait_for_exit(process, limit):
    start = time.monotonic()
    try:
        process.wait(timeout=limit)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        raise Failure("the program did not end within %.1f s" % limit)
    return time.monotonic() - start


def one_line(stderr):
    lines = stderr.splitlines()
    check(len(lines) == 1, "expected exactly one line on stderr, got %r" % stderr)
    return lines[0]


def window_property(xvfb, window, name):
    return xvfb.run(["xprop", "-id", str(window), name]).strip()


def case_window(program, height):
    with Xvfb() as xvfb:
        events = WindowEvents(xvfb)
        process = start_program(program, xvfb.environment(SDL_AUDIODRIVER="dummy"))
        try:
            window = wait_for_window(xvfb, process)
            check(xvfb.window_ids("--name", "^%s$" % re.escape(TITLE)) == [window],
                  "more than one window has the title")
            check(xvfb.window_ids("--onlyvisible", "--pid", str(process.pid)) == [window],
                  "the program shows more than its one window")

            info = xvfb.run(["xwininfo", "-id", str(window)])
            for label, value in (("Absolute upper-left X", 200), ("Absolute upper-left Y", 100),
                                 ("Width", 960), ("Height", height), ("Border width", 0)):
                found = re.search(r"%s:\s+(-?\d+)" % re.escape(label), info)
                check(found and int(found.group(1)) == value,
                      "%s is not %d:\n%s" % (label, value, info))

            name = window_property(xvfb, window, "WM_NAME")
            check(name.endswith('= "%s"' % TITLE), "title: " + name)
            window_class = window_property(xvfb, window, "WM_CLASS")
            check(window_class.endswith("= " + WINDOW_CLASS), "class: " + window_class)
            hints = window_property(xvfb, window, "_MOTIF_WM_HINTS")
            fields = [int(field, 16) for field in re.findall(r"0x[0-9a-f]+", hints)]
            check(len(fields) >= 3 and fields[0] & 2 and fields[2] == 0,
                  "decorations are not switched off: " + hints)
        finally:
            process.kill()
            process.wait()
        log = events.stop()
        check(window in WindowEvents.windows(log, "CreateNotify"), "window creation not seen")


def count_pixels(rows, wanted, columns=None):
    first, last = columns if columns else (0, len(rows[0]))
    return sum(1 for row in rows for pixel in row[max(first, 0):last] if wanted(pixel))


def is_lit(pixel):
    return max(pixel) > 40


def is_glow_yellow(pixel):
    red, green, blue = pixel
    return red > 180 and green > 180 and blue < 120


def focus(xvfb, window):
    xvfb.run(["xdotool", "windowfocus", "--sync", str(window)])


def case_scene(program, height, box_column):
    with Xvfb() as xvfb:
        process = start_program(program, xvfb.environment(SDL_AUDIODRIVER="dummy"))
        try:
            window = wait_for_window(xvfb, process)
            time.sleep(3.0)
            lit = count_pixels(grab_window(xvfb.display, window, 960, height), is_lit)
            check(lit > 300, "the window shows almost nothing: %d lit pixels" % lit)
            print("%d lit pixels" % lit)
        finally:
            process.kill()
            process.wait()


def case_l_key(program, height, box_column):
    # In the first 18 s the box waits alone with its light off; 'L' lights it, and its glow
    # star shines in front of it.
    around_box = (box_column - 40, box_column + 40)
    with Xvfb() as xvfb:
        process = start_program(program, xvfb.environment(SDL_AUDIODRIVER="dummy"))
        try:
            window = wait_for_window(xvfb, process)
            focus(xvfb, window)
            time.sleep(1.0)
            before = count_pixels(grab_window(xvfb.display, window, 960, height),
                                  is_glow_yellow, around_box)
            xvfb.run(["xdotool", "key", "l"])
            time.sleep(0.5)
            rows = grab_window(xvfb.display, window, 960, height)
            after = count_pixels(rows, is_glow_yellow, around_box)
            elsewhere = count_pixels(rows, is_glow_yellow) - after
            check(before < 10, "yellow at the box before 'L': %d pixels" % before)
            check(after > 150, "no glow at the box after 'L': %d yellow pixels" % after)
            check(elsewhere < 10, "yellow away from the box: %d pixels" % elsewhere)
            print("yellow pixels at the box: %d before, %d after" % (before, after))
        finally:
            process.kill()
            process.wait()


def case_moved(program, height, box_column):
    # A window manager may put the window elsewhere; the show goes on regardless.
    with Xvfb() as xvfb:
        process = start_program(program, xvfb.environment(SDL_AUDIODRIVER="dummy"))
        window = wait_for_window(xvfb, process)
        xvfb.run(["xdotool", "windowmove", "--sync", str(window), "17", "333"])
        time.sleep(1.5)
        check(process.poll() is None, "the program ended after its window was moved")
        lit = count_pixels(grab_window(xvfb.display, window, 960, height), is_lit)
        check(lit > 300, "the moved window shows almost nothing")
        focus(xvfb, window)
        xvfb.run(["xdotool", "key", "Escape"])
        wait_for_exit(process, EXIT_LIMIT)
        check(process.returncode == 0, "exit status %d" % process.returncode)
        check(process.stderr.read() == "", "unexpected stderr")


def case_full_show(program, height, box_column):
    with Xvfb() as xvfb:
        started = time.monotonic()
        process = start_program(program, xvfb.environment(SDL_AUDIODRIVER="dummy"))
        wait_for_exit(process, SHOW_LENGTH[1] + 30)
        took = time.monotonic() - started
        stderr = process.stderr.read()
        check(process.returncode == 0, "exit status %d: %s" % (process.returncode, stderr))
        check(stderr == "", "unexpected stderr: " + stderr)
        check(SHOW_LENGTH[0] <= took <= SHOW_LENGTH[1], "the show lasted %.1f s" % took)
        print("the show ended by itself after %.1f s" % took)


def case_old_gl(program, height, box_column):
    # A driver that offers less than OpenGL 3.3: the device cannot be made. The error box is
    # modal, as it should be; the test closes it like a person would.
    with Xvfb() as xvfb:
        events = WindowEvents(xvfb)
        env = xvfb.environment(SDL_AUDIODRIVER="dummy", MESA_GL_VERSION_OVERRIDE="3.0",
                               MESA_GLSL_VERSION_OVERRIDE="130")
        process = start_program(program, env)
        deadline = time.monotonic() + STARTUP_LIMIT
        boxes = []
        while not boxes and time.monotonic() < deadline and process.poll() is None:
            tree = xvfb.run(["xwininfo", "-root", "-tree"])
            boxes = [int(found, 16) for found in re.findall(r'(0x[0-9a-f]+) "Init Error"', tree)]
            time.sleep(0.1)
        check(boxes, "no error box appeared")
        send_close_request(xvfb.display, boxes[0])
        wait_for_exit(process, 10.0)
        log = events.stop()
        line = one_line(process.stderr.read())
        check(process.returncode == 1, "exit status %d" % process.returncode)
        check("Direct3D Device Creating Error" in line, "unexpected line: " + line)
        shown = set(WindowEvents.windows(log, "MapNotify")) - set(boxes)
        check(not xvfb.window_ids("--name", "^%s$" % re.escape(TITLE)) or not shown,
              "the program's window was shown")
        print(line)


def case_escape(program, height):
    with Xvfb() as xvfb:
        process = start_program(program, xvfb.environment(SDL_AUDIODRIVER="dummy"))
        window = wait_for_window(xvfb, process)
        xvfb.run(["xdotool", "windowfocus", "--sync", str(window)])
        time.sleep(0.5)  # a few frames
        xvfb.run(["xdotool", "key", "Escape"])
        took = wait_for_exit(process, EXIT_LIMIT)
        check(process.returncode == 0, "exit status %d" % process.returncode)
        check(process.stderr.read() == "", "unexpected stderr")
        print("ended %.3f s after Escape" % took)


def case_close_request(program, height):
    with Xvfb() as xvfb:
        process = start_program(program, xvfb.environment(SDL_AUDIODRIVER="dummy"))
        window = wait_for_window(xvfb, process)
        time.sleep(0.5)
        send_close_request(xvfb.display, window)
        took = wait_for_exit(process, EXIT_LIMIT)
        check(process.returncode == 0, "exit status %d" % process.returncode)
        check(process.stderr.read() == "", "unexpected stderr")
        print("ended %.3f s after the close request" % took)


def case_no_display(program, height):
    # A session without a display: the runtime directory exists, so that probing for Wayland
    # stays quiet, as it does on a desktop.
    with tempfile.TemporaryDirectory() as runtime:
        env = clean_environment(SDL_AUDIODRIVER="dummy", XDG_RUNTIME_DIR=runtime)
        process = start_program(program, env)
        wait_for_exit(process, 30.0)
    line = one_line(process.stderr.read())
    check(process.returncode == 1, "exit status %d" % process.returncode)
    check("display" in line, "the line does not name the display: " + line)
    print(line)


def case_no_audio(program, height):
    with Xvfb() as xvfb:
        events = WindowEvents(xvfb)
        process = start_program(program, xvfb.environment(SDL_AUDIODRIVER="nonexistent"))
        wait_for_exit(process, STARTUP_LIMIT)
        log = events.stop()
        line = one_line(process.stderr.read())
        check(process.returncode == 1, "exit status %d" % process.returncode)
        check("audio" in line, "the line does not name the audio output: " + line)
        check(WindowEvents.windows(log, "CreateNotify"), "no window was created")
        check(not WindowEvents.windows(log, "MapNotify"), "a window was shown:\n" + log)
        print(line)


CASES = {
    "window": case_window,
    "scene": case_scene,
    "l_key": case_l_key,
    "moved": case_moved,
    "full_show": case_full_show,
    "old_gl": case_old_gl,
    "escape": case_escape,
    "close_request": case_close_request,
    "no_display": case_no_display,
    "no_audio": case_no_audio,
}


def main():
    if len(sys.argv) not in (3, 4, 5) or sys.argv[1] not in CASES:
        print(__doc__, file=sys.stderr)
        return 2
    height = int(sys.argv[3]) if len(sys.argv) >= 4 else 92
    box_column = int(sys.argv[4]) if len(sys.argv) == 5 else 690
    case = CASES[sys.argv[1]]
    try:
        if case.__code__.co_argcount == 3:
            case(sys.argv[2], height, box_column)
        else:
            case(sys.argv[2], height)
    except Failure as failure:
        print("FAILED: %s" % failure, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
