#!/usr/bin/env python3
"""Read a WAYLAND_DEBUG=1 log of the program and tell, per window (by its
xdg_toplevel title), set_title / set_parent / destroy and which surface got
the keyboard (wl_keyboard enter/leave) and the pointer.

usage: wlparse.py LOG [OUT.txt]      (also importable: parse(path))"""
import re, sys

LINE = re.compile(r"^\[\s*([\d.]+)\]\s+(?:\{[^}]*\}\s+)?(->\s+)?([a-z_0-9]+)@(\d+)\.([a-z_0-9]+)\((.*)\)\s*$")
OBJ = re.compile(r"([a-z_0-9]+)@(\d+)")


class State:
    def __init__(self):
        self.surf_label = {}      # wl_surface id -> label
        self.xdgsurf_surf = {}    # xdg_surface id -> wl_surface id
        self.top_surf = {}        # xdg_toplevel id -> wl_surface id
        self.events = []          # (time, text)
        self.globals = []
        self.kb_surface = None
        self.ptr_surface = None
        self.ptr_pos = None
        self.count = 0

    def label(self, sid):
        return self.surf_label.get(sid, "wl_surface@%s" % sid)


def parse(path):
    st = State()
    for raw in open(path, errors="replace"):
        feed(st, raw)
    return st


class Tail:
    """Feeds the lines a growing log gained since the last call."""
    def __init__(self, path):
        self.path, self.pos, self.rest, self.state = path, 0, "", State()

    def update(self):
        try:
            with open(self.path, errors="replace") as f:
                f.seek(self.pos)
                data = f.read()
                self.pos = f.tell()
        except OSError:
            return self.state
        data = self.rest + data
        lines = data.split("\n")
        self.rest = lines.pop()
        for raw in lines:
            feed(self.state, raw)
        return self.state


def feed(st, raw):
    if True:
        m = LINE.match(raw.rstrip("\n"))
        if not m:
            return
        t, req, iface, oid, msg, args = m.groups()
        t = float(t)
        if iface == "wl_registry" and msg == "global":
            st.globals.append(args)
        elif iface == "wl_compositor" and msg == "create_surface":
            o = OBJ.search(args)
            if o:
                st.count += 1
                st.surf_label[o.group(2)] = "untitled surface #%d (wl_surface@%s)" % (st.count, o.group(2))
        elif msg == "get_xdg_surface":
            objs = OBJ.findall(args)
            if len(objs) >= 2:
                st.xdgsurf_surf[objs[0][1]] = objs[1][1]
        elif iface == "xdg_surface" and msg == "get_toplevel":
            o = OBJ.search(args)
            if o:
                st.top_surf[o.group(2)] = st.xdgsurf_surf.get(oid)
                st.events.append((t, "new xdg_toplevel@%s on %s" % (o.group(2), st.label(st.top_surf[o.group(2)]))))
        elif iface == "xdg_surface" and msg == "get_popup":
            st.events.append((t, "new popup on %s" % st.label(st.xdgsurf_surf.get(oid))))
        elif iface == "xdg_toplevel" and msg == "set_title":
            sid = st.top_surf.get(oid)
            title = args.strip().strip('"')
            st.surf_label[sid] = '"%s" (wl_surface@%s)' % (title, sid)
            st.events.append((t, "set_title %s on xdg_toplevel@%s" % (args, oid)))
        elif iface == "xdg_toplevel" and msg == "set_parent":
            p = OBJ.search(args)
            parent = st.label(st.top_surf.get(p.group(2))) if p else "nil (no parent)"
            st.events.append((t, "set_parent: %s -> parent %s" % (st.label(st.top_surf.get(oid)), parent)))
        elif iface == "xdg_toplevel" and msg in ("destroy",) and req:
            st.events.append((t, "destroy toplevel of %s" % st.label(st.top_surf.get(oid))))
        elif iface == "xdg_toplevel" and msg in ("set_modal",):
            st.events.append((t, "%s %s" % (msg, args)))
        elif iface == "xdg_activation_v1" and msg == "activate":
            o = OBJ.findall(args)
            st.events.append((t, "xdg_activation_v1.activate on %s" % (st.label(o[-1][1]) if o else args)))
        elif iface.startswith("xdg_activation_token") and msg in ("commit", "done"):
            st.events.append((t, "%s.%s%s" % (iface, msg, "" if req else " (compositor)")))
        elif iface == "wl_keyboard" and msg in ("enter", "leave") and not req:
            o = OBJ.search(args)
            sid = o.group(2) if o else None
            st.kb_surface = sid if msg == "enter" else None
            st.events.append((t, "KEYBOARD %s %s" % (msg, st.label(sid))))
        elif iface == "wl_pointer" and msg in ("enter", "leave") and not req:
            o = OBJ.search(args)
            sid = o.group(2) if o else None
            st.ptr_surface = sid if msg == "enter" else None
            if msg == "enter":
                nums = re.findall(r"-?\d+\.\d+", args)
                st.ptr_pos = nums[-2:] if len(nums) >= 2 else None
            st.events.append((t, "pointer %s %s" % (msg, st.label(sid))))
        elif iface == "wl_pointer" and msg == "button" and not req:
            st.events.append((t, "pointer button %s over %s" % (args, st.label(st.ptr_surface))))
        elif iface == "wl_keyboard" and msg == "key" and not req:
            st.events.append((t, "key %s to %s" % (args, st.label(st.kb_surface))))
    return st


def summary(st):
    wanted = ("xdg_activation_v1", "zxdg_decoration_manager_v1", "xdg_wm_dialog_v1", "org_kde_kwin_fake_input",
              "zwp_text_input_manager_v3", "xdg_wm_base", "zxdg_exporter_v2", "org_kde_plasma_window_management")
    have = sorted({w for g in st.globals for w in wanted if '"%s"' % w in g})
    lines = ["globals offered (of interest): " + ", ".join(have)]
    lines += ["%10.3f %s" % (t, e) for t, e in st.events]
    lines.append("keyboard now on: %s" % (st.label(st.kb_surface) if st.kb_surface else "none"))
    return lines


if __name__ == "__main__":
    s = summary(parse(sys.argv[1]))
    text = "\n".join(s) + "\n"
    if len(sys.argv) > 2:
        open(sys.argv[2], "w").write(text)
    sys.stdout.write(text)
