"""AT-SPI helpers (Debian's python3-pyatspi; run with /usr/bin/python3):
find the program, walk and dump its tree, press buttons, set text."""
import time
import pyatspi


def app(name="Quelvane", timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        d = pyatspi.Registry.getDesktop(0)
        for i in reversed(range(d.childCount)):  # the newest first
            a = d.getChildAtIndex(i)
            try:
                if a is not None and (a.name or "").lower() == name.lower() and a.childCount > 0:
                    return a
            except Exception:
                pass
        time.sleep(0.3)
    return None


def walk(acc, depth=0):
    yield depth, acc
    for i in range(acc.childCount):
        c = acc.getChildAtIndex(i)
        if c is not None:
            yield from walk(c, depth + 1)


def find(root, name, role=None):
    for _, a in walk(root):
        if a.name == name and (role is None or a.getRoleName() == role):
            return a
    return None


def window(application, title):
    for i in range(application.childCount):
        w = application.getChildAtIndex(i)
        if w is not None and w.name == title:
            return w
    return None


def states(acc):
    return [pyatspi.stateToString(s) for s in acc.getState().getStates()]


def act(acc, action):
    a = acc.queryAction()
    for i in range(a.nActions):
        if a.getName(i) == action:
            return a.doAction(i)
    raise RuntimeError("%r has no action %s (has %s)" % (acc.name, action, [a.getName(i) for i in range(a.nActions)]))


def set_text(acc, text):
    acc.queryEditableText().setTextContents(text)


def text_of(acc):
    t = acc.queryText()
    return t.getText(0, t.characterCount)


def dump(root, out):
    """role, name, states, extents in screen (desktop) and window coordinates, one line per object."""
    lines = []
    for depth, a in walk(root):
        try:
            c = a.queryComponent()
            e = c.getExtents(pyatspi.DESKTOP_COORDS)
            w = c.getExtents(pyatspi.WINDOW_COORDS)
            ext = "screen %d,%d %dx%d  window %d,%d" % (e.x, e.y, e.width, e.height, w.x, w.y)
        except Exception:
            ext = "-"
        desc = (a.description or "")
        lines.append("%s%s %r%s [%s] %s" % ("  " * depth, a.getRoleName(), a.name,
                                             (" desc=%r" % desc) if desc else "", ", ".join(states(a)), ext))
    open(out, "w").write("\n".join(lines) + "\n")
    return lines
