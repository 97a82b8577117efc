#!/usr/bin/python3
"""One round of the program on a running Wayland compositor, driven through
AT-SPI (the compositors' headless modes have no input devices), with
WAYLAND_DEBUG=1 captured: open the wrong-answer window and the About window,
tell their set_parent/set_title and where the keyboard is.
With --inject mutter, input is injected through mutter's
org.gnome.Mutter.RemoteDesktop API: a click on the main window while the
wrong-answer window is open, then Return.

usage: waylandround.py PROGRAM OUTDIR LABEL [--inject mutter]
needs WAYLAND_DISPLAY, XDG_RUNTIME_DIR, DBUS_SESSION_BUS_ADDRESS"""
import os, subprocess, sys, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import a11y, wlparse
from compositor_hook import hook_lines

prog, out, label = sys.argv[1], sys.argv[2], sys.argv[3]
inject = sys.argv[5] if len(sys.argv) > 5 and sys.argv[4] == "--inject" else None
os.makedirs(out, exist_ok=True)
report = open(os.path.join(out, "report.txt"), "a")
logpath = os.path.join(out, "wayland-debug.log")


def say(*a):
    line = " ".join(str(x) for x in a)
    print(line, flush=True)
    report.write(line + "\n")
    report.flush()


class MutterInput:
    """Virtual pointer and keyboard through org.gnome.Mutter.RemoteDesktop."""
    def __init__(self):
        import dbus
        bus = dbus.SessionBus()
        rd = dbus.Interface(bus.get_object("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop"),
                            "org.gnome.Mutter.RemoteDesktop")
        path = rd.CreateSession()
        self.s = dbus.Interface(bus.get_object("org.gnome.Mutter.RemoteDesktop", path),
                                "org.gnome.Mutter.RemoteDesktop.Session")
        self.s.Start()
        self.key(0xffe1)  # a Shift tap: makes the virtual keyboard exist before the program starts
        time.sleep(0.5)
        self.key(0xff1b)  # Escape: GNOME Shell starts in the overview

    def move_to(self, x, y):
        # pinned to the bottom-right corner first: the top-left one is GNOME Shell's hot corner (the overview)
        self.s.NotifyPointerMotionRelative(5000.0, 5000.0)
        self.s.NotifyPointerMotionRelative(float(x - 1023), float(y - 767))

    def click(self):
        self.s.NotifyPointerButton(272, True)   # BTN_LEFT
        time.sleep(0.05)
        self.s.NotifyPointerButton(272, False)

    def key(self, keysym):
        self.s.NotifyKeyboardKeysym(keysym, True)
        time.sleep(0.03)
        self.s.NotifyKeyboardKeysym(keysym, False)


def hook(tag):
    for l in hook_lines():
        say("  [%s] %s" % (tag, l))


def wait(cond, timeout):
    end = time.time() + timeout
    while time.time() < end:
        r = cond()
        if r:
            return r
        time.sleep(0.2)
    return None


def kb_label(tail):
    st = tail.update()
    return st.label(st.kb_surface) if st.kb_surface else "no surface"


def scan_row(inp, tail, y):
    """Move the pointer along a row of the screen; return the surfaces met as (label, x from, x to)."""
    segs = []
    for x in range(8, 1024, 16):
        inp.move_to(x, y)
        time.sleep(0.08)
        st = tail.update()
        lab = st.label(st.ptr_surface) if st.ptr_surface else "(desktop)"
        if segs and segs[-1][0] == lab:
            segs[-1][2] = x
        else:
            segs.append([lab, x, x])
    return segs


def find_main_point(inp, tail, tag):
    """Scan rows of the screen with the pointer; say what lies where; return the middle of the widest run of the main window."""
    best = None
    for y in (384, 250, 520):
        segs = scan_row(inp, tail, y)
        say("  [%s] pointer scan, row y=%d: %s" % (tag, y, "; ".join("%s x=%d..%d" % tuple(s) for s in segs)))
        mains = [s for s in segs if s[0].startswith('"Quelvane"')]
        if mains:
            m = max(mains, key=lambda s: s[2] - s[1])
            if not best or m[2] - m[1] > best[0][2] - best[0][1]:
                best = (m, y)
            if m[2] - m[1] >= 32:
                break
    if not best:
        return None
    m, y = best
    return (m[1] + m[2]) // 2, y


def probe(application, tail, inp, title, tag, opener):
    opener()
    w = wait(lambda: a11y.window(application, title), 8)
    time.sleep(1.0)
    st = tail.update()
    if not w:
        say("  [%s] %r did not appear (AT-SPI)" % (tag, title))
        return
    say("  [%s] %r open; AT-SPI states %s" % (tag, title, a11y.states(w)))
    say("  [%s] keyboard on %s" % (tag, kb_label(tail)))
    hook(tag)
    closed = lambda: a11y.window(application, title) is None
    if inp:
        pt = find_main_point(inp, tail, tag)
        if not pt:
            say("  [%s] the pointer found no spot of the main window outside %r (covered, or placed off the scanned rows)" % (tag, title))
        else:
            inp.move_to(*pt)
            time.sleep(0.3)
            inp.click()
            time.sleep(1.0)
            say("  [%s] clicked the main window at screen %d,%d; keyboard now on %s" % (tag, pt[0], pt[1], kb_label(tail)))
        inp.key(0xff0d)  # Return
        time.sleep(1.2)
        ok = wait(closed, 1.5)
        say("  [%s] Return after the click: window %s -> keyboard %s" % (
            tag, "closed" if ok else "STILL OPEN", "kept in the open window" if ok else "STRANDED"))
        if not ok:
            inp.key(0xff0d)
    if not closed():
        try:
            a11y.act(a11y.find(a11y.window(application, title), "", "push button") or
                     [a for _, a in a11y.walk(a11y.window(application, title)) if a.getRoleName() == "push button"][0], "Press")
        except Exception as e:
            say("  [%s] could not press its button over AT-SPI: %s" % (tag, e))
        say("  [%s] closed through AT-SPI Press on its button: %s" % (tag, "yes" if wait(closed, 3) else "NO"))
    time.sleep(0.8)
    say("  [%s] after closing: keyboard on %s" % (tag, kb_label(tail)))


inp = None
if inject == "mutter":
    try:
        inp = MutterInput()
        say("== %s: input injected through org.gnome.Mutter.RemoteDesktop" % label)
    except Exception as e:
        say("== %s: no input injection (%s)" % (label, e))
env = dict(os.environ, QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
           QT_ACCESSIBILITY="1")
log = open(logpath, "w")
proc = subprocess.Popen([prog], env=env, stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
tail = wlparse.Tail(logpath)
try:
    say("== %s: Wayland round (WAYLAND_DISPLAY=%s), driven by AT-SPI%s" % (
        label, os.environ.get("WAYLAND_DISPLAY"), " and RemoteDesktop input" if inp else ""))
    application = a11y.app("Quelvane", 20)
    if not application or not wait(lambda: a11y.window(application, "Quelvane"), 10):
        say("  the program did not appear on AT-SPI; see wayland-debug.log")
        sys.exit(1)
    time.sleep(1.5)
    main = a11y.window(application, "Quelvane")
    say("  [main] AT-SPI role %s states %s; keyboard on %s" % (main.getRoleName(), a11y.states(main), kb_label(tail)))
    if inp:  # give the main window the keyboard by a click in the middle of it
        pt = find_main_point(inp, tail, "main")
        if pt:
            inp.move_to(*pt)
            inp.click()
            time.sleep(0.5)
        say("  [main] after a click on it at %s: keyboard on %s" % (pt, kb_label(tail)))

    def open_wrong():
        a11y.act(a11y.find(main, "All", "push button"), "Press")
        time.sleep(0.3)
        a11y.act(a11y.find(main, "Test Mode", "check box"), "Toggle")
        time.sleep(0.3)
        a11y.act(a11y.find(main, "Display another Kana / SKIP", "push button"), "Press")
        time.sleep(0.5)
        a11y.set_text(a11y.find(main, "Kana name", "text"), "qqq")
        time.sleep(0.3)
        a11y.act(a11y.find(main, "Check Answer", "push button"), "Press")

    probe(application, tail, inp, "Wrong answer", "wrong", open_wrong)
    probe(application, tail, inp, "About Quelvane", "about",
          lambda: a11y.act(a11y.find(main, "About", "push button"), "Press"))
finally:
    try:
        os.killpg(proc.pid, 15)
        proc.wait(5)
    except Exception:
        os.killpg(proc.pid, 9)
    lines = wlparse.summary(wlparse.parse(logpath))
    open(os.path.join(out, "wayland-events.txt"), "w").write("\n".join(lines) + "\n")
    say("  protocol (from wayland-debug.log; full list in wayland-events.txt):")
    for l in lines:
        if "pointer enter" not in l and "pointer leave" not in l:
            say("   ", l)
