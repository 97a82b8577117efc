#!/bin/bash
# KWin's own view of its windows (caption, frame geometry, skipTaskbar, transient, modal, active),
# through KWin scripting over D-Bus; print() lands in KWin's log, $KWIN_LOG.  Used as ROUND_HOOK.
tag=q$$x$RANDOM
js=$(mktemp --suffix=.js)
cat > "$js" <<JS
var cs = workspace.clientList();
for (var i = 0; i < cs.length; i++) { var c = cs[i]; var g = c.frameGeometry;
  print("$tag", JSON.stringify(c.caption), "geometry", g.width + "x" + g.height + "+" + g.x + "+" + g.y,
        "skipTaskbar=" + c.skipTaskbar, "skipPager=" + c.skipPager, "skipSwitcher=" + c.skipSwitcher,
        "transient=" + c.transient, "modal=" + c.modal, "dialog=" + c.dialog, "active=" + c.active,
        "transientFor=" + (c.transientFor ? JSON.stringify(c.transientFor.caption) : "none")); }
JS
id=$(timeout 5 gdbus call --session --dest org.kde.KWin --object-path /Scripting --method org.kde.kwin.Scripting.loadScript "$js" "$tag" | grep -o '[0-9]\+' | head -1)
[ -n "$id" ] && timeout 5 gdbus call --session --dest org.kde.KWin --object-path /Scripting --method org.kde.kwin.Scripting.start >/dev/null
sleep 0.7
timeout 5 gdbus call --session --dest org.kde.KWin --object-path /Scripting --method org.kde.kwin.Scripting.unloadScript "$tag" >/dev/null
rm -f "$js"
grep -a "$tag" "${KWIN_LOG:-/dev/null}" | sed "s/.*$tag /KWin window: /"
