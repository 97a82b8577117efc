#!/bin/bash
# 6. Orca 43 on Xvfb + Openbox, speech through speech-dispatcher's dummy module (no sound card): Orca's
# debug log has a "SPEECH OUTPUT" line for everything it speaks. A round is played by keys; speech.txt
# gets what was spoken, step by step. tree.txt / tree-scale2.txt: the AT-SPI tree at scale 1 and 2.
# usage: trial-orca.sh PROGRAM OUTDIR
. "$(dirname "$0")/lib.sh" "$@"
xvfb 96 1280x1024x24    # room for the 200 % window
session_bus
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 GTK_MODULES=gail:atk-bridge NO_AT_BRIDGE=0
start "$OUT/openbox.log" openbox
wait_for 10 is_wm || say "openbox did not start"
gsettings set org.gnome.desktop.interface toolkit-accessibility true 2>/dev/null
gsettings set org.gnome.desktop.a11y.applications screen-reader-enabled true 2>/dev/null
# speech-dispatcher with only the dummy output module, in our runtime folder
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
printf 'AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\nAudioOutputMethod "libao"\n' > "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
mkdir -p "$OUT/orca-prefs"
start "$OUT/orca.out" orca --replace --user-prefs="$OUT/orca-prefs" --debug-file="$OUT/orca-debug.log"
wait_for 30 grep -q 'SPEECH OUTPUT' "$OUT/orca-debug.log" || say "Orca spoke nothing at start (see orca.out)"
sleep 2
say "== Orca $(dpkg-query -W -f='${Version}' orca) (speech-dispatcher $(dpkg-query -W -f='${Version}' speech-dispatcher), dummy module)"
setsid "$PROG" > "$OUT/program.log" 2>&1 < /dev/null & PGIDS+=($!)
wait_for 20 sh -c "xdotool search --onlyvisible --name '^Quelvane\$' | grep -q ." || { say "program did not appear"; exit 1; }
MAIN=$(xdotool search --onlyvisible --name '^Quelvane$' | head -1)
: > "$OUT/steps.txt"
step() {  # step LABEL KEYS...: mark the log, press the keys, give Orca time to speak
    local label=$1; shift
    echo "$(wc -l < "$OUT/orca-debug.log") $label" >> "$OUT/steps.txt"
    for k in "$@"; do case $k in type:*) xdotool type --delay 80 "${k#type:}";; *) xdotool key "$k";; esac; sleep 0.4; done
    sleep 2.5
}
step "activate the main window" ; xdotool windowactivate "$MAIN"; sleep 2
step "Alt+A (focus All), Space (press All: every box ticked)" alt+a space
step "Alt+T (Test Mode on)" alt+t
step "Alt+D (Display another Kana: a new kana, focus to the answer box?)" alt+d
step "type a wrong answer 'qqq', Enter (wrong-answer window; score: missed 1)" type:qqq Return
step "Enter (close the wrong-answer window)" Return
step "Alt+R (Reveal Kana: the name in the answer box; score: one point from correct to missed)" alt+r
step "Alt+C (Check Answer with the revealed name: a right answer, the message box)" alt+c
step "Enter (close the message box: a new kana)" Return
echo "$(wc -l < "$OUT/orca-debug.log") end" >> "$OUT/steps.txt"
$PY - "$OUT" <<'PYEOF'
import re, sys
out = sys.argv[1]
log = open(out + "/orca-debug.log", errors="replace").read().split("\n")
steps = [l.split(" ", 1) for l in open(out + "/steps.txt").read().split("\n") if l]
res = []
for i, (start, label) in enumerate(steps[:-1]):
    end = int(steps[i + 1][0])
    res.append("## " + label)
    spoken = [m.group(1) for l in log[int(start):end] for m in [re.search(r"SPEECH OUTPUT: '(.*?)'(?:\{|$)", l)] if m]
    res += ["   " + s for s in spoken] or ["   (nothing spoken)"]
open(out + "/speech.txt", "w").write("\n".join(res) + "\n")
# what the program told (AT-SPI events Orca received), to set beside what Orca spoke
ev = [l for l in log if re.search(r"EVENT MANAGER: object:\S+ for ", l) or "SPEECH OUTPUT" in l]
open(out + "/events.txt", "w").write("\n".join(l[:240] for l in ev) + "\n")
print("\n".join(res))
PYEOF
cat "$OUT/speech.txt" >> "$OUT/report.txt"
# the accessible tree, scale 1 and 2 (each in a program of its own; Orca stopped first)
kill -TERM -- "-${PGIDS[-1]}"; kill -TERM -- "-${PGIDS[-2]}"; sleep 1
for s in 1 2; do
    QT_SCALE_FACTOR=$s setsid "$PROG" > "$OUT/program-scale$s.log" 2>&1 < /dev/null & pid=$!
    wait_for 20 sh -c "xdotool search --onlyvisible --name '^Quelvane\$' | grep -q ."; sleep 2
    id=$(xdotool search --onlyvisible --name '^Quelvane$' | head -1)
    f="$OUT/tree$([ $s = 2 ] && echo -scale2).txt"
    { echo "# QT_SCALE_FACTOR=$s; X11 says the main window is at: $(xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width/{w=$NF} /Height/{h=$NF} END{print w "x" h "+" x "+" y}') (device pixels)"
      timeout 60 $PY -c "import sys; sys.path.insert(0, '$HERE'); import a11y; a=a11y.app(); print('\n'.join(a11y.dump(a, '/dev/null')) if a else 'program not on AT-SPI')"; } > "$f"
    say "tree at scale $s: $(basename "$f"): $(head -3 "$f" | tr '\n' '|' | cut -c1-300)"
    kill -- -$pid; wait $pid 2>/dev/null
done
exit 0
