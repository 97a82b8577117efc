#!/bin/bash
# 5. Platform themes on Xvfb + Openbox: qt6ct with a dark scheme (colours and a font; colours only), and gtk3.
# Screenshots of the main window and of the wrong-answer window for each.  usage: trial-themes.sh PROGRAM OUTDIR
. "$(dirname "$0")/lib.sh" "$@"
xvfb 95
session_bus
start "$OUT/openbox.log" openbox
wait_for 10 is_wm || say "openbox did not start"
SCHEME=/usr/share/qt6ct/colors/darker.conf

shots() {  # shots NAME: run the program as the environment says, screenshot both windows
    local name=$1 id w
    setsid "$PROG" > "$OUT/$name.log" 2>&1 < /dev/null & local pid=$!
    for _ in $(seq 50); do id=$(xdotool search --onlyvisible --name '^Quelvane$' 2>/dev/null | head -1); [ -n "$id" ] && break; sleep 0.2; done
    if [ -z "$id" ]; then say "  [$name] main window did not appear"; kill -- -$pid; return; fi
    sleep 1.5
    import -window "$id" "$OUT/$name-main.png"
    xdotool windowactivate "$id"; sleep 0.5
    for k in alt+a space alt+t alt+d; do xdotool key $k; sleep 0.4; done
    sleep 1; import -window "$id" "$OUT/$name-main-in-test.png"
    xdotool type --delay 60 qqq; xdotool key Return
    for _ in $(seq 30); do w=$(xdotool search --onlyvisible --name '^Wrong answer$' 2>/dev/null | head -1); [ -n "$w" ] && break; sleep 0.2; done
    sleep 1
    [ -n "$w" ] && import -window "$w" "$OUT/$name-wrong.png"
    say "  [$name] $(identify -format '%f %wx%h; ' "$OUT/$name"-*.png 2>/dev/null)"
    kill -- -$pid 2>/dev/null; wait $pid 2>/dev/null
}

say "== platform themes (Xvfb + Openbox)"
shots plain
mkdir -p "$XDG_CONFIG_HOME/qt6ct"
cat > "$XDG_CONFIG_HOME/qt6ct/qt6ct.conf" <<CONF
[Appearance]
color_scheme_path=$SCHEME
custom_palette=true
style=Fusion
icon_theme=

[Fonts]
general="DejaVu Serif,12,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
fixed="DejaVu Sans Mono,12,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
CONF
QT_QPA_PLATFORMTHEME=qt6ct shots qt6ct-dark-serif12
# colours only: no font set (qt6ct's own default font is then given to the program)
sed -i '/^\[Fonts\]/,$d' "$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
QT_QPA_PLATFORMTHEME=qt6ct shots qt6ct-dark-colours-only
cp "$XDG_CONFIG_HOME/qt6ct/qt6ct.conf" "$OUT/qt6ct.conf"
mkdir -p "$XDG_CONFIG_HOME/gtk-3.0"
printf '[Settings]\ngtk-theme-name=Adwaita\ngtk-application-prefer-dark-theme=1\ngtk-font-name=DejaVu Serif 12\n' > "$XDG_CONFIG_HOME/gtk-3.0/settings.ini"
QT_QPA_PLATFORMTHEME=gtk3 shots gtk3-dark-serif12
say "  no KDE platform theme for Qt 6 in Debian 12 (plasma-integration 5.27 is Qt 5 only): skipped"
