#!/usr/bin/env python3
"""One round of the program on an X11 display that already runs a window
manager: open the wrong-answer window and the About window, record xprop,
geometry, screenshots, and whether the keyboard stays in the open window
after a click on the (disabled) main window.

usage: x11round.py PROGRAM OUTDIR [LABEL]   (DISPLAY must be set)
Writes OUTDIR/*.txt, *.png and appends to OUTDIR/report.txt.
"""
import os, re, subprocess, sys, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from compositor_hook import hook_lines

prog, out = sys.argv[1], sys.argv[2]
label = sys.argv[3] if len(sys.argv) > 3 else os.environ.get("DISPLAY", "")
scale = float(os.environ.get("QT_SCALE_FACTOR", "1"))
os.makedirs(out, exist_ok=True)
report = open(os.path.join(out, "report.txt"), "a")


def say(*a):
    line = " ".join(str(x) for x in a)
    print(line, flush=True)
    report.write(line + "\n")
    report.flush()


def hook(tag):
    for l in hook_lines():
        say("  [%s] %s" % (tag, l))


def run(*cmd, timeout=10):
    try:
        return subprocess.run(cmd, capture_output=True, text=True, timeout=timeout).stdout
    except (subprocess.TimeoutExpired, FileNotFoundError) as e:
        return ""


def find(name, timeout=8.0):
    """Visible window ids whose WM_NAME/_NET_WM_NAME is exactly name."""
    end = time.time() + timeout
    while True:
        ids = run("xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(name)).split()
        # xdotool may find the frame's child: keep ids that carry WM_NAME themselves
        ids = [i for i in ids if "WM_NAME" in run("xprop", "-id", i, "WM_NAME")]
        if ids or time.time() > end:
            return ids[0] if ids else None
        time.sleep(0.2)


def all_named(name):
    ids = run("xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(name)).split()
    return [i for i in ids if "WM_NAME" in run("xprop", "-id", i, "WM_NAME")]


def is_open(wid):
    return wid in run("xdotool", "search", "--onlyvisible", "--name", ".").split()


def focus_name():
    wid = run("xdotool", "getwindowfocus").strip()
    name = run("xdotool", "getwindowfocus", "getwindowname").strip()
    act = run("xprop", "-root", "_NET_ACTIVE_WINDOW").strip()
    act_id = act.split()[-1] if "#" in act else ""
    act_name = run("xdotool", "getwindowname", str(int(act_id, 16))).strip() if act_id.startswith("0x") and act_id != "0x0" else "-"
    return "X focus=%s %r; _NET_ACTIVE_WINDOW=%s %r" % (wid, name, act_id, act_name)


def geometry(wid):
    info = run("xwininfo", "-id", wid)
    g = {}
    for key, pat in (("x", r"Absolute upper-left X:\s+(-?\d+)"), ("y", r"Absolute upper-left Y:\s+(-?\d+)"),
                     ("w", r"Width:\s+(\d+)"), ("h", r"Height:\s+(\d+)")):
        m = re.search(pat, info)
        g[key] = int(m.group(1)) if m else 0
    fe = run("xprop", "-id", wid, "_NET_FRAME_EXTENTS")
    m = re.findall(r"-?\d+", fe.split("=")[-1]) if "=" in fe else []
    g["frame"] = [int(v) for v in m[:4]] if len(m) >= 4 else [0, 0, 0, 0]  # left right top bottom
    return g


def rect_str(g):
    return "%dx%d+%d+%d" % (g["w"], g["h"], g["x"], g["y"])


def overlap(a, b):
    ox = max(0, min(a["x"] + a["w"], b["x"] + b["w"]) - max(a["x"], b["x"]))
    oy = max(0, min(a["y"] + a["h"], b["y"] + b["h"]) - max(a["y"], b["y"]))
    return ox * oy


def props(wid, tag):
    text = run("xprop", "-id", wid)
    open(os.path.join(out, "xprop-%s.txt" % tag), "w").write(text)
    keep = {}
    for key in ("WM_NAME", "_NET_WM_NAME", "WM_TRANSIENT_FOR", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE",
                "_MOTIF_WM_HINTS", "WM_CLASS", "_NET_WM_ALLOWED_ACTIONS"):
        m = re.search(r"^%s\([^)]*\)[ \t]*=?[ \t]*(.*)$" % key, text, re.M)
        keep[key] = m.group(1).strip() if m else "(not set)"
    return keep


def screenshot(name):
    path = os.path.join(out, name)
    run("import", "-window", "root", path, timeout=20)
    return path


def taskbar_view():
    """Per EWMH, the windows a task bar would list: managed and not SKIP_TASKBAR."""
    cl = run("xprop", "-root", "_NET_CLIENT_LIST")
    ids = re.findall(r"0x[0-9a-f]+", cl)
    listed = []
    for i in ids:
        st = run("xprop", "-id", i, "_NET_WM_STATE", "_NET_WM_NAME", "WM_NAME", "_NET_WM_WINDOW_TYPE")
        if "SKIP_TASKBAR" in st:
            continue
        if re.search(r"_NET_WM_WINDOW_TYPE_(DOCK|DESKTOP)", st):
            continue
        nm = re.search(r'_NET_WM_NAME\(UTF8_STRING\) = "(.*)"', st) or re.search(r'WM_NAME\([^)]*\) = "(.*)"', st)
        listed.append("%s %r" % (i, nm.group(1) if nm else ""))
    return listed


def click_point(main, over, where):
    """A screen point on the main window that the open window does not cover:
    where='client': on the window itself (its edges); 'titlebar': on the frame's title bar."""
    l, r, t, b = main["frame"]
    x0, y0, w, h = main["x"], main["y"], main["w"], main["h"]
    if where == "titlebar":
        cands = [("main title bar", x0 + w // 3, y0 - t // 2)] if t > 4 else []
    else:
        cands = [("main left edge", x0 + 4, y0 + h // 2), ("main right edge", x0 + w - 4, y0 + h // 2),
                 ("main bottom edge", x0 + w // 2, y0 + h - 4), ("main top edge", x0 + w // 2, y0 + 4),
                 ("main top-left", x0 + 4, y0 + 4), ("main bottom-left", x0 + 4, y0 + h - 4)]
    for nm, x, y in cands:
        if not (over["x"] <= x < over["x"] + over["w"] and over["y"] <= y < over["y"] + over["h"]):
            return nm, x, y
    return None


def describe(main_id, wid, title, tag, main, win):
    say("  [%s] %r id=%s geometry %s (frame l,r,t,b %s); main %s (frame %s)" % (
        tag, title, wid, rect_str(win), win["frame"], rect_str(main), main["frame"]))
    ov = overlap(main, win)
    p = props(wid, tag)
    say("  [%s] placement: %s (overlap %d px = %.0f%% of the window); window centre %d,%d, main centre %d,%d, screen centre %s" % (
        tag, "OVER the main window" if ov > 0.5 * win["w"] * win["h"] else ("partly over" if ov else "BESIDE (no overlap)"),
        ov, 100.0 * ov / max(1, win["w"] * win["h"]), win["x"] + win["w"] // 2, win["y"] + win["h"] // 2,
        main["x"] + main["w"] // 2, main["y"] + main["h"] // 2, screen_centre))
    for k in ("WM_NAME", "_NET_WM_NAME", "WM_TRANSIENT_FOR", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_MOTIF_WM_HINTS"):
        say("  [%s] %s = %s" % (tag, k, p[k]))
    screenshot("%s-open.png" % tag)
    hook(tag)
    say("  [%s] task-bar candidates (EWMH: managed, not SKIP_TASKBAR): %s" % (tag, "; ".join(taskbar_view())))


def probe_window(main_id, title, tag, where="client", full=True):
    wid = find(title, 6)
    if not wid:
        say("  [%s] window %r did not appear" % (tag, title))
        return
    time.sleep(0.8)
    main, win = geometry(main_id), geometry(wid)
    if full:
        describe(main_id, wid, title, tag, main, win)
    say("  [%s] before click: %s" % (tag, focus_name()))
    cp = click_point(main, win, where)
    if not cp:
        say("  [%s] no uncovered spot of the main window (%s): no click made" % (tag, where))
    else:
        nm, x, y = cp
        run("xdotool", "mousemove", str(x), str(y), "click", "1")
        time.sleep(1.0)
        say("  [%s] clicked %s at %d,%d; after click: %s" % (tag, nm, x, y, focus_name()))
        screenshot("%s-after-click.png" % tag)
    run("xdotool", "key", "Return")
    time.sleep(1.2)
    still = is_open(wid)
    say("  [%s] after the click, Return: window %s -> keyboard %s" % (
        tag, "STILL OPEN" if still else "closed", "STRANDED" if still else "kept in the open window") if cp else
        "  [%s] (no click possible) Return: window %s" % (tag, "STILL OPEN" if still else "closed"))
    if still:
        run("xdotool", "key", "alt+Tab")
        time.sleep(1.0)
        say("  [%s] after Alt+Tab: %s" % (tag, focus_name()))
        run("xdotool", "key", "Return")
        time.sleep(1.0)
        still = is_open(wid)
        say("  [%s] after Alt+Tab, Return: window %s" % (tag, "STILL OPEN" if still else "closed"))
    if still:  # close it by other means so the round goes on
        run("xdotool", "windowactivate", wid)
        time.sleep(0.8)
        run("xdotool", "key", "Return")
        time.sleep(1.0)
        how = "activated by the window manager (_NET_ACTIVE_WINDOW), Return"
        if is_open(wid):
            run("xdotool", "mousemove", str(win["x"] + win["w"] // 2), str(win["y"] + win["h"] - 20), "click", "1")
            time.sleep(1.0)
            how = "a click on its button"
        say("  [%s] closing it by %s: %s" % (tag, how, "closed" if not is_open(wid) else "STILL OPEN"))
    others = [i for i in all_named(title) if i != wid]
    if others:
        say("  [%s] NOTE: other windows titled %r now open: %s" % (tag, title, others))
    time.sleep(0.5)
    say("  [%s] after closing: %s" % (tag, focus_name()))


# the screen
dims = re.search(r"dimensions:\s+(\d+)x(\d+)", run("xdpyinfo"))
screen_centre = "%d,%d" % (int(dims.group(1)) // 2, int(dims.group(2)) // 2) if dims else "?"

env = dict(os.environ, QT_QPA_PLATFORM="xcb")
log = open(os.path.join(out, "program.log"), "w")
proc = subprocess.Popen([prog], env=env, stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
try:
    say("== %s: X11 round (%s)" % (label, os.environ.get("DISPLAY")))
    main_id = find("Quelvane", 15)
    if not main_id:
        say("  main window did not appear; see program.log")
        sys.exit(1)
    time.sleep(1.5)
    p = props(main_id, "main")
    g = geometry(main_id)
    say("  [main] id=%s geometry %s frame %s WM_NAME=%s type=%s state=%s" % (
        main_id, rect_str(g), g["frame"], p["WM_NAME"], p["_NET_WM_WINDOW_TYPE"], p["_NET_WM_STATE"]))
    screenshot("main.png")
    run("import", "-window", main_id, os.path.join(out, "main-window.png"), timeout=20)
    run("xdotool", "windowactivate", main_id)
    end = time.time() + 5
    while time.time() < end and run("xdotool", "getwindowfocus").strip() != main_id:
        time.sleep(0.2)
    say("  [main] %s" % focus_name())
    # All (Alt+A focuses All, Space presses it), Test Mode, Display another Kana, a wrong answer
    for k in ("alt+a", "space", "alt+t", "alt+d"):
        run("xdotool", "key", k)
        time.sleep(0.4)
    run("xdotool", "type", "--delay", "60", "qqq")
    run("xdotool", "key", "Return")
    probe_window(main_id, "Wrong answer", "wrong")
    # again, the click on the main window's title bar this time
    run("xdotool", "windowactivate", main_id)
    time.sleep(0.5)
    run("xdotool", "type", "--delay", "60", "q")
    run("xdotool", "key", "Return")
    probe_window(main_id, "Wrong answer", "wrong-titlebar", "titlebar", full=False)
    # About: click its button (Command6: 160,408 105x17 at scale 1, client coordinates)
    run("xdotool", "windowactivate", main_id)
    time.sleep(0.5)
    run("xdotool", "mousemove", "--window", main_id, str(int(212 * scale)), str(int(416 * scale)), "click", "1")
    probe_window(main_id, "About Quelvane", "about")
    run("xdotool", "windowactivate", main_id)
    time.sleep(0.5)
    run("xdotool", "mousemove", "--window", main_id, str(int(212 * scale)), str(int(416 * scale)), "click", "1")
    probe_window(main_id, "About Quelvane", "about-titlebar", "titlebar", full=False)
finally:
    os.killpg(proc.pid, 15)
    try:
        proc.wait(5)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, 9)
