#!/usr/bin/python3
"""A round of the built program as a screen reader meets it.

The program runs on a virtual X display (Xvfb, with Openbox managing its
windows) and on a session bus of its own, where D-Bus starts the
accessibility bus and its registry, as on a desktop. This script reads and
drives it through AT-SPI (Debian's pyatspi, hence /usr/bin/python3) and
types with xdotool. It checks:

- names and roles: the main window's controls as a screen reader speaks them;
- values: the answer box after typing, and the score after a wrong and after
  a right answer;
- announcements: what the program's notification says each time it shows;
- positions: in the display's own pixels at scale 1 and 2, the main window
  where X has it, every control at twice its scale-1 place at scale 2, and a
  click at the place reported for a button pressing that button;
- the end: with its main window destroyed by another X client under the
  wrong-answer window, the program ends with status 1 once that window is
  closed, rather than living on with no window.

Usage: atspi_round.py PROGRAM    (the quelvane the build made)
Exits 0 when every check passes, else 1. Every wait is bounded; every
process started leads a process group of its own, ended with the round,
and the work folder goes with them.
"""
import ctypes
import ctypes.util
import importlib.util
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

# What a screen reader speaks for the main window's controls (access-key
# ampersands are not spoken).
BUTTONS = ["Check Answer", "Reveal Kana", "Display another Kana / SKIP", "All", "None", "About", "Exit"]
CHECK_BOXES = ["Test Mode", "Show Double Consonats", "Show Double Vowels", "Less Duplicates", "Lax Definitions"]
LABELS = ["Kana Name:", "Correct:", "Missed:", "Percent:", "Correct answers", "Missed answers", "Percent correct"]
PANELS = ["Kana Window", "Stats", "Options", "Display Kata", "Display Hira"]
ROWS = ["Basic", "K", "S", "T", "N", "H", "M", "Y", "R", "W", "N-", "G", "Z", "D", "B", "P",
        "KY", "SH", "CH", "NY", "MY", "RY", "GY", "J", "BY", "PY"]
ANSWER_BOX = "Kana name"
KANA = "Kana to name"
SMALL_TSU = "Small tsu: double the consonant"
RIGHT_MESSAGE = "Correct! Lets try another one!"

# The outside tools, each with the Debian package that brings it.
TOOLS = {"Xvfb": "xvfb", "openbox": "openbox", "xdotool": "xdotool", "xwininfo": "x11-utils",
         "xprop": "x11-utils", "dbus-daemon": "dbus-daemon"}
A11Y_BUS_SERVICE = "/usr/share/dbus-1/services/org.a11y.Bus.service"

pyatspi = None  # imported once its buses exist
failures = []
checks = 0


class Stop(Exception):
    """A step the rest of the round depends on went wrong."""


def check(ok, what, detail=""):
    global checks
    checks += 1
    print(("ok    " if ok else "FAIL  ") + what + ("" if ok or not detail else ": " + detail), flush=True)
    if not ok:
        failures.append(what + (": " + detail if detail else ""))
    return ok


def check_soon(what, condition, detail, timeout=10):
    """A check of something the program does in its own time: condition is
    polled until it holds or the time is up; detail() says what was found."""
    try:
        wait_for(what, timeout, condition)
    except Stop:
        return check(False, what, detail())
    return check(True, what)


def wait_for(what, timeout, condition):
    """Polls condition, letting AT-SPI events in, until it gives something
    true, and returns that; Stop once the time is up."""
    end = time.monotonic() + timeout
    while True:
        pump()
        try:
            value = condition()
        except Stop:
            raise
        except Exception:  # an object that went away while being read
            value = None
        if value:
            return value
        if time.monotonic() > end:
            raise Stop("waited %g s for %s" % (timeout, what))
        time.sleep(0.05)


def pump():
    from gi.repository import GLib
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def run(*argv, timeout=10):
    try:
        done = subprocess.run(argv, capture_output=True, text=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        raise Stop("%s did not finish within %d s" % (" ".join(argv), timeout))
    if done.returncode != 0:
        raise Stop("%s failed (%d): %s" % (" ".join(argv), done.returncode, done.stderr.strip()))
    return done.stdout


# --- processes ----------------------------------------------------------------

def missing_tools():
    missing = ["%s (Debian package %s)" % (tool, package) for tool, package in TOOLS.items() if not shutil.which(tool)]
    if not os.path.exists(A11Y_BUS_SERVICE):
        missing.append("the accessibility bus, %s (Debian package at-spi2-core)" % A11Y_BUS_SERVICE)
    if importlib.util.find_spec("pyatspi") is None:
        missing.append("pyatspi for %s (Debian package python3-pyatspi)" % sys.executable)
    return missing


class Session:
    """The round's processes, each leading a process group of its own, and
    the folder with their home, runtime folder, buses and logs."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="atspi-")
        # Bus sockets go below it, and a socket's path holds 107 bytes at most.
        if len(self.folder) > 60:
            os.rmdir(self.folder)
            self.folder = tempfile.mkdtemp(prefix="quelvane-atspi-", dir="/tmp")
        self.processes = []
        home = os.path.join(self.folder, "home")
        runtime = os.path.join(self.folder, "run")
        os.makedirs(home)
        os.makedirs(os.path.join(self.folder, "tmp"))
        os.makedirs(runtime, mode=0o700)
        # Nothing of the desktop this runs from, if any, reaches the round.
        self.env = {key: value for key, value in os.environ.items()
                    if not key.startswith(("QT_", "WAYLAND_", "XDG_", "DBUS_", "AT_SPI_", "GTK_"))
                    and key not in ("DISPLAY", "XAUTHORITY", "HOME", "TMPDIR")}
        self.env.update(HOME=home, TMPDIR=os.path.join(self.folder, "tmp"), XDG_RUNTIME_DIR=runtime,
                        XDG_CONFIG_HOME=os.path.join(home, ".config"), XDG_CACHE_HOME=os.path.join(home, ".cache"),
                        XDG_DATA_HOME=os.path.join(home, ".local", "share"))

    def start(self, name, argv, extra_env=None, pass_fds=()):
        with open(os.path.join(self.folder, name + ".log"), "wb") as log:
            process = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                       env=dict(self.env, **(extra_env or {})), start_new_session=True,
                                       pass_fds=pass_fds)
        process.name = name
        self.processes.append(process)
        return process

    def stop(self, process):
        """Ends the process's whole group: the accessibility bus and registry
        that D-Bus starts are in the session bus's group."""
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(process.pid, sig)
            except ProcessLookupError:
                break
            end = time.monotonic() + 5
            while group_alive(process.pid) and time.monotonic() < end:
                process.poll()  # reaps the leader; the others belong to it or to init
                time.sleep(0.05)
            if not group_alive(process.pid):
                break
        process.poll()
        self.processes.remove(process)

    def log_tail(self, name, lines=30):
        try:
            with open(os.path.join(self.folder, name + ".log"), errors="replace") as log:
                return "".join(log.readlines()[-lines:])
        except OSError:
            return ""

    def close(self):
        for process in reversed(list(self.processes)):
            self.stop(process)
        shutil.rmtree(self.folder, ignore_errors=True)


def group_alive(pgid):
    try:
        os.killpg(pgid, 0)
        return True
    except ProcessLookupError:
        return False


def ready_line(fd, timeout, what):
    """The line a server writes on its pipe once it is ready."""
    data = b""
    end = time.monotonic() + timeout
    try:
        while not data.endswith(b"\n"):
            left = end - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                raise Stop("%s did not start within %d s" % (what, timeout))
            chunk = os.read(fd, 4096)
            if not chunk:
                raise Stop("%s ended before it was ready" % what)
            data += chunk
    finally:
        os.close(fd)
    return data.decode().strip()


def start_desktop(session):
    """Xvfb, a session bus and Openbox. The display and the bus are this
    script's too, for pyatspi and xdotool."""
    read_end, write_end = os.pipe()
    session.start("xvfb", ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                           "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,))
    os.close(write_end)
    session.env["DISPLAY"] = ":" + ready_line(read_end, 20, "Xvfb")

    # A session bus alone: the accessibility bus needs no system bus.
    read_end, write_end = os.pipe()
    bus = "unix:path=" + os.path.join(session.env["XDG_RUNTIME_DIR"], "bus")
    session.start("dbus", ["dbus-daemon", "--session", "--nofork", "--address=" + bus,
                           "--print-address=%d" % write_end], pass_fds=(write_end,))
    os.close(write_end)
    session.env["DBUS_SESSION_BUS_ADDRESS"] = ready_line(read_end, 20, "the session bus")

    session.start("openbox", ["openbox"])
    os.environ.update(session.env)
    wait_for("Openbox to manage the display", 20,
             lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"))


def key(*keys):
    run("xdotool", "key", "--delay", "60", *keys)


def type_text(text):
    run("xdotool", "type", "--delay", "60", text)


# --- AT-SPI -------------------------------------------------------------------

def walk(accessible):
    yield accessible
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


def states(accessible):
    return {pyatspi.stateToString(state) for state in accessible.getState().getStates()}


def role(accessible):
    # at-spi2-core 2.50 names a push button "button"; the role itself is the
    # same on every release, so the older name is kept for it.
    if accessible.getRole() == pyatspi.ROLE_PUSH_BUTTON:
        return "push button"
    return accessible.getRoleName()


def named(root, role_name, name):
    return next((a for a in walk(root) if role(a) == role_name and a.name == name), None)


def need(root, role_name, name):
    accessible = named(root, role_name, name)
    if accessible is None:
        raise Stop("no %s named %r in the main window" % (role_name, name))
    return accessible


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def extents(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (box.x, box.y, box.width, box.height)


def act(accessible, action):
    actions = accessible.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if action not in names:
        raise Stop("%r has no action %s (it has %s)" % (accessible.name, action, names))
    actions.doAction(names.index(action))


def top_window(app, name, role_name=None):
    for index in range(app.childCount):
        window = app.getChildAtIndex(index)
        if window is not None and window.name == name and (role_name is None or role(window) == role_name):
            return window
    return None


class Announcements:
    """What the program's notification says each time it shows, as a screen
    reader hears it: the notification's name when it shows."""

    def __init__(self):
        self.heard = []
        self.expected = 0
        pyatspi.Registry.registerEventListener(self.on_showing, "object:state-changed:showing")

    def on_showing(self, event):
        try:
            if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
                self.heard.append(event.source.name)
        except Exception as error:  # raised here, it would be lost in the event loop
            self.heard.append("(a notification that could not be read: %s)" % error)

    def expect(self, after, text, timeout=10):
        """The one announcement since the one expected before."""
        since = self.expected
        what = "announced after %s: %r" % (after, text)
        try:
            wait_for(what, timeout, lambda: len(self.heard) > since)
        except Stop:
            self.expected = len(self.heard)
            return check(False, what, "nothing announced")
        # Anything told along with it would come now too.
        time.sleep(0.3)
        pump()
        got = self.heard[since:]
        self.expected = len(self.heard)
        return check(got == [text], what, "heard %r" % got)


# --- the program ----------------------------------------------------------------

class Program:
    def __init__(self, session, path, scale):
        self.session = session
        self.scale = scale
        self.process = session.start("quelvane-scale%d" % scale, [path], {
            "QT_QPA_PLATFORM": "xcb", "QT_SCALE_FACTOR": str(scale),
            # What a desktop with a screen reader running tells Qt.
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1"})
        self.app = wait_for("the program on the accessibility bus", 30, self.find_app)
        try:
            self.main = wait_for("the main window on the accessibility bus", 20, lambda: self.showing(
                top_window(self.app, "Quelvane", "frame")))
        except Stop:
            windows = [self.app.getChildAtIndex(i) for i in range(self.app.childCount)]
            raise Stop("no frame 'Quelvane' showing within 20 s; the program's windows are %r" % [
                (role(w), w.name, sorted(states(w))) for w in windows if w is not None])
        self.xid = wait_for("the main window on the X display", 10, self.find_xid)

    def find_app(self):
        if self.process.poll() is not None:
            raise Stop("the program ended (status %d) at start" % self.process.returncode)
        desktop = pyatspi.Registry.getDesktop(0)
        apps = (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
        return next((app for app in apps if app is not None and app.get_process_id() == self.process.pid), None)

    @staticmethod
    def showing(accessible):
        return accessible if accessible is not None and "showing" in states(accessible) else None

    def find_xid(self):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid),
                                "--name", "^Quelvane$"], capture_output=True, text=True, timeout=10).stdout.split()
        return found[0] if found else None

    def activate(self):
        run("xdotool", "windowactivate", "--sync", self.xid)
        wait_for("the main window to be active", 10, lambda: "active" in states(self.main))

    def x_geometry(self):
        """Where X has the main window's inside, in the display's pixels."""
        info = run("xwininfo", "-id", self.xid)
        value = lambda label: int(re.search(label + r":\s+(-?\d+)", info).group(1))
        return (value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height"))

    def layout(self):
        """Every control that shows, by its place in the tree, with its
        extents relative to the main window."""
        wx, wy, _, _ = extents(self.main)
        found = {}

        def visit(accessible, path):
            for index in range(accessible.childCount):
                child = accessible.getChildAtIndex(index)
                if child is None:
                    continue
                key = path + ((index, role(child), child.name),)
                if "showing" in states(child):
                    x, y, w, h = extents(child)
                    found[key] = (x - wx, y - wy, w, h)
                visit(child, key)

        visit(self.main, ())
        return found

    def click_centre(self, accessible):
        x, y, w, h = extents(accessible)
        run("xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", "1")

    def end(self):
        self.session.stop(self.process)


# --- the checks -----------------------------------------------------------------

def check_names(main):
    check(role(main) == "frame" and main.name == "Quelvane", "the main window is the frame 'Quelvane'",
          "%s %r" % (role(main), main.name))
    by_role = {}
    for accessible in walk(main):
        by_role.setdefault(role(accessible), []).append(accessible.name)
    for role_name, names in (("push button", BUTTONS), ("check box", CHECK_BOXES), ("label", LABELS),
                             ("panel", PANELS), ("text", [ANSWER_BOX]), ("image", [KANA, SMALL_TSU]),
                             ("notification", [""])):
        for name in names:
            check(name in by_role.get(role_name, []), "%s %r" % (role_name, name),
                  "none in the main window; its %ss are %r" % (role_name, by_role.get(role_name, [])))
    for column in ("Display Kata", "Display Hira"):
        panel = named(main, "panel", column)
        if panel is None:
            continue  # reported above
        inside = [(role(a), a.name) for a in walk(panel) if a is not panel]
        boxes = [name for kind, name in inside if kind == "check box"]
        check(boxes == ROWS, "the row boxes of %r, in table order" % column, repr(boxes))
        buttons = sorted(name for kind, name in inside if kind == "push button")
        check(buttons == ["+", "-"], "the '+' and '-' buttons of %r" % column, repr(buttons))
    tsu = named(main, "image", SMALL_TSU)
    check(tsu is not None and not {"showing", "visible"} & states(tsu), "the small tsu, out of sight, is hidden",
          "its states are %r" % (sorted(states(tsu)) if tsu else None))


def check_window_position(program):
    got, want = extents(program.main), program.x_geometry()
    # Qt keeps a window's place in whole logical pixels.
    check(all(abs(a - b) < program.scale for a, b in zip(got, want)),
          "at scale %d the main window is reported where X has it, %dx%d at %d,%d" % (
              program.scale, want[2], want[3], want[0], want[1]),
          "AT-SPI says %dx%d at %d,%d" % (got[2], got[3], got[0], got[1]))


def check_scaled_layout(layout1, layout2):
    check(set(layout2) == set(layout1), "at scale 2 the same controls show as at scale 1",
          "only at 1: %r; only at 2: %r" % (sorted(set(layout1) - set(layout2)), sorted(set(layout2) - set(layout1))))
    moved = ["%s %r: %r at scale 1, %r at scale 2" % (k[-1][1], k[-1][2], layout1[k], layout2[k])
             for k in sorted(set(layout1) & set(layout2)) if layout2[k] != tuple(2 * v for v in layout1[k])]
    check(not moved, "at scale 2 each of the %d controls is reported at twice its scale-1 place and size"
          % len(layout1), "%d are not, among them %s" % (len(moved), "; ".join(moved[:4])))


def click_all(program):
    """'All' pressed by a click at the centre AT-SPI reports for it: every
    row box of both columns is ticked only if the click landed on it."""
    all_button = need(program.main, "push button", "All")
    # What a screen reader's pointer review asks first: what is at this point.
    x, y, w, h = extents(all_button)
    found = program.main.queryComponent().getAccessibleAtPoint(x + w // 2, y + h // 2, pyatspi.DESKTOP_COORDS)
    check(found is not None and (role(found), found.name) == ("push button", "All"),
          "at scale %d the control found at the centre reported for 'All' is 'All'" % program.scale,
          "found %r" % ((role(found), found.name) if found is not None else None,))
    program.click_centre(all_button)
    boxes = [a for column in ("Display Kata", "Display Hira")
             for a in walk(need(program.main, "panel", column)) if role(a) == "check box"]
    check_soon("at scale %d a click where 'All' is reported ticks all %d row boxes" % (program.scale, 2 * len(ROWS)),
               lambda: len(boxes) == 2 * len(ROWS) and all("checked" in states(b) for b in boxes),
               lambda: "%d of %d ticked" % (sum("checked" in states(b) for b in boxes), len(boxes)))


def score(main):
    """The counts as a screen reader hears them: each label's name, and its
    text where the toolkit offers that too."""
    out = {}
    for meaning in ("Correct answers", "Missed answers", "Percent correct"):
        label = next((a for a in walk(main) if role(a) == "label" and (a.name or "").startswith(meaning)), None)
        if label is None:
            out[meaning] = None
            continue
        try:
            text = text_of(label)
        except NotImplementedError:  # Qt 6.4's labels offer no text interface
            text = None
        out[meaning] = (label.name, text)
    return out


def check_score(main, after, correct, missed, percent):
    want = {"Correct answers": correct, "Missed answers": missed, "Percent correct": percent}
    reads = lambda got, meaning: got[meaning] is not None and got[meaning][0] == meaning + ": " + want[meaning] \
        and got[meaning][1] in (None, want[meaning])
    try:
        wait_for("the score", 5, lambda: all(reads(score(main), m) for m in want))
    except Stop:
        pass  # each count is reported below
    got = score(main)
    for meaning in want:
        check(reads(got, meaning), "after %s the count %r reads %r" % (after, meaning, want[meaning]),
              "its (name, text) is %r" % (got[meaning],))


def play_round(program, announcements, names):
    main = program.main
    answer_box = need(main, "text", ANSWER_BOX)
    answer_text = lambda: repr(text_of(answer_box))
    answer_states = lambda: "its states are %r" % sorted(states(answer_box))

    click_all(program)
    test_mode = need(main, "check box", "Test Mode")
    act(test_mode, "Toggle")
    wait_for("Test Mode ticked", 10, lambda: "checked" in states(test_mode))

    act(need(main, "push button", "Display another Kana / SKIP"), "Press")
    announcements.expect("Display another Kana", "New kana to name")
    check_soon("in test mode a new kana puts the keyboard in the answer box",
               lambda: "focused" in states(answer_box), answer_states)
    check(text_of(answer_box) == "", "in test mode the answer box starts empty", answer_text())
    check("sensitive" in states(need(main, "push button", "Check Answer")),
          "'Check Answer' is enabled with a kana shown")
    kana = need(main, "image", KANA)
    check("showing" in states(kana) and extents(kana)[2] > 0, "the kana to name shows",
          "states %r, extents %r" % (sorted(states(kana)), extents(kana)))

    # A wrong answer, typed, and Enter in the answer box.
    type_text("qqq")
    check_soon("the answer box reads what was typed, 'qqq'", lambda: text_of(answer_box) == "qqq", answer_text)
    key("Return")
    wrong = wait_for("the wrong-answer window", 10, lambda: top_window(program.app, "Wrong answer"))
    check(role(wrong) == "alert", "the wrong-answer window is an alert", role(wrong))
    announcements.expect("a wrong answer", "Wrong answer. Correct answers: 0, Missed answers: 1, Percent correct: .%")
    check_score(main, "a wrong answer", "0", "1", ".%")
    check("sensitive" not in states(answer_box), "the answer box takes no input while the wrong-answer window is open",
          answer_states())

    # Enter closes the wrong-answer window only if the keyboard went to it.
    key("Return")
    check_soon("Enter closes the wrong-answer window", lambda: top_window(program.app, "Wrong answer") is None,
               lambda: "it is still open")
    check_soon("the keyboard is back in the answer box once that window is closed",
               lambda: "focused" in states(answer_box), answer_states)

    act(need(main, "push button", "Reveal Kana"), "Press")
    answer = wait_for("the revealed name in the answer box", 10,
                      lambda: text_of(answer_box) if text_of(answer_box) not in ("", "qqq") else None)
    check(answer in names, "'Reveal Kana' writes one of the shipped names in the answer box", repr(answer))
    announcements.expect("Reveal Kana", "Kana name: " + answer)
    check_score(main, "Reveal Kana with no right answer to take back", "0", "1", ".%")

    # The right answer, typed again over the revealed one.
    answer_box.queryEditableText().setTextContents("")
    wait_for("the answer box emptied", 10, lambda: text_of(answer_box) == "")
    type_text(answer)
    check_soon("the answer box reads the typed answer %r" % answer, lambda: text_of(answer_box) == answer, answer_text)
    key("Return")

    def message_box():
        windows = (program.app.getChildAtIndex(i) for i in range(program.app.childCount))
        return next((w for w in windows
                     if w is not None and any(RIGHT_MESSAGE in (a.name, a.description) for a in walk(w))), None)

    check_soon("a right answer brings the message %r" % RIGHT_MESSAGE, message_box, lambda: "no such window")
    announcements.expect("a right answer", "Right answer")
    key("Return")
    check_soon("Enter closes the message", lambda: message_box() is None, lambda: "it is still open")
    announcements.expect("the next kana", "New kana to name. Correct answers: 1, Percent correct: 50.%")
    check_score(main, "a right answer", "1", "1", "50.%")
    check(text_of(answer_box) == "", "the next kana comes with an empty answer box", answer_text())

    # About: a dialog named for the program, closed by Enter on its button.
    act(need(main, "push button", "About"), "Press")
    about = wait_for("the About window", 10, lambda: top_window(program.app, "About Quelvane"))
    check(role(about) == "dialog", "the About window is a dialog", role(about))
    key("Return")
    check_soon("Enter closes the About window", lambda: top_window(program.app, "About Quelvane") is None,
               lambda: "it is still open")


def destroy_x_window(xid):
    """What any other client of the display may do to any window."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    display = ctypes.c_void_p(x11.XOpenDisplay(None))
    if not display:
        raise Stop("could not open the display to destroy a window")
    x11.XDestroyWindow(display, ctypes.c_ulong(int(xid)))
    x11.XCloseDisplay(display)


def end_with_main_window_destroyed(program):
    main = program.main
    act(need(main, "check box", "Test Mode"), "Toggle")
    act(need(main, "push button", "Display another Kana / SKIP"), "Press")
    answer_box = need(main, "text", ANSWER_BOX)
    wait_for("the answer box to take the keyboard", 10, lambda: "focused" in states(answer_box))
    type_text("qqq")
    wait_for("the answer box to read 'qqq'", 10, lambda: text_of(answer_box) == "qqq")
    key("Return")
    wrong = wait_for("the wrong-answer window", 10, lambda: top_window(program.app, "Wrong answer"))
    destroy_x_window(program.xid)
    act(next(a for a in walk(wrong) if role(a) == "push button"), "Press")
    check_soon("with its main window destroyed by another program, closing the wrong-answer window ends it",
               lambda: program.process.poll() is not None, lambda: "it still runs")
    check(program.process.returncode == 1, "a program whose main window was destroyed ends with status 1",
          "status %r" % program.process.returncode)


def main():
    if len(sys.argv) != 2 or not os.access(sys.argv[1], os.X_OK):
        print("usage: atspi_round.py PROGRAM    (the quelvane the build made)", file=sys.stderr)
        return 2
    program_path = os.path.abspath(sys.argv[1])
    missing = missing_tools()
    if missing:
        print("FAIL  not installed: %s (scripts/install-deps.sh test installs them)" % "; ".join(missing))
        return 1
    # The names the shipped data holds, beside the program.
    with open(os.path.join(os.path.dirname(program_path), "kat", "symbols.txt"), encoding="utf-8") as symbols:
        names = {line.strip() for line in symbols if line.strip()}

    started = time.monotonic()
    session = Session()
    # Cut short (ctest's timeout, Ctrl+C), the round still cleans up.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("atspi_round: stopped by SIGTERM after %d checks, %d failed" % (
        checks, len(failures))))
    try:
        start_desktop(session)
        global pyatspi
        import pyatspi
        announcements = Announcements()

        program = Program(session, program_path, 1)
        program.activate()
        check_names(program.main)
        check_window_position(program)
        layout1 = program.layout()
        play_round(program, announcements, names)
        program.end()

        program = Program(session, program_path, 2)
        check_window_position(program)
        check_scaled_layout(layout1, program.layout())
        program.activate()
        click_all(program)
        end_with_main_window_destroyed(program)
        program.end()
    except Exception as error:
        if not isinstance(error, Stop):
            traceback.print_exc()
        check(False, "the round went on to its end", str(error) or repr(error))
        for name in ("quelvane-scale1", "quelvane-scale2", "xvfb", "dbus", "openbox"):
            tail = session.log_tail(name)
            if tail.strip():
                print("---- %s.log ----\n%s" % (name, tail), flush=True)
    finally:
        session.close()
    print("atspi_round: %d checks, %d failed, in %.1f s" % (checks, len(failures), time.monotonic() - started))
    for failure in failures:
        print("FAILED: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
