#!/usr/bin/env bash
# Screenshots for the documents, taken under Wine and Xvfb from the demo program folder (scripts/demo.sh):
# the main window in each shipped skin, and the launcher item, WEB item, global settings and special folder
# dialogs over it, at DPI (default 96), saved as docs/main-<skin>-<dpi>.png and docs/<dialog>-<dpi>.png; at
# 96 DPI the dialogs also go to data/help/ for the help page.
set -euo pipefail
cd "$(dirname "$0")/.."
dpi=${1:-96}
env -u DISPLAY bash scripts/demo.sh >/dev/null  # builds and lays out build/demo (program folder and prefix)

demo=$PWD/build/demo
program=$demo/Zanmel
docs=$PWD/docs
mkdir -p "$docs"
export WINEPREFIX=$demo/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$demo/shots-display" </dev/null >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$demo/shots-display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$demo/shots-display")"
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
"$WINESERVER" -w

# The computer's settings file (its folder is the one beside the sheets "fixed" and "portable"): the main
# window at a known place, in the given skin.
computer=$(find "$program/data" -mindepth 1 -maxdepth 1 -type d ! -name fixed ! -name portable | head -n 1)
settings=$computer/setting.ini
place() {
    python3 - "$settings" "$1" <<'PY'
import re, sys
path, skin = sys.argv[1], sys.argv[2]
try:
    text = open(path, 'rb').read().decode('cp932')
except FileNotFoundError:
    text = ''
text = re.sub(r'\[MainForm\]\r\n(?:[^\[\r\n][^\r\n]*\r\n)*', '', text)
values = [('Top', '40'), ('Left', '40'), ('Width', '480'), ('Height', '360'), ('Splitter->Left', '200'),
          ('SkinName', skin)]
text = '[MainForm]\r\n' + ''.join('%s=%s\r\n' % pair for pair in values) + text
open(path, 'wb').write(text.encode('cp932'))
PY
}

# What the windows cover of the desktop, its plain background trimmed away, into $1; prints its size.
capture() {
    import -window root "$1.tmp.png"
    convert "$1.tmp.png" -bordercolor '#256f95' -border 1 -fuzz 3% -trim +repage -bordercolor '#256f95' \
        -border 10 "$1" 2>/dev/null
    rm -f "$1.tmp.png"
    # Size and pixels: a dialog may open inside the main window's rectangle.
    echo "$(identify -format %wx%h "$1") $(convert "$1" rgb:- | md5sum | cut -c1-32)"
}

# Starts the launcher in a Wine virtual desktop (it draws the window frames), waits for its window, sends the
# keys and waits for what they open (a busy machine is slow), saves the shot, ends the launcher.
shoot() {
    local out=$1 size before
    shift
    (cd "$program" && "$WINE" explorer /desktop=Zanmel,1600x1200 ./Zanmel.exe </dev/null >/dev/null 2>&1 &)
    # The window is there once two shots a second apart show the same, larger than nothing.
    before=none
    for i in $(seq 90); do
        sleep 1
        size=$(capture "$out")
        [ "${size%%x*}" -gt 100 ] 2>/dev/null && [ "$size" = "$before" ] && break
        before=$size
        [ "$i" -eq 90 ] && echo "$out: no window after 90 s" >&2
    done
    if [ $# -gt 0 ]; then
        for key in "$@"; do
            xdotool key "$key"
            sleep 1
        done
        for i in $(seq 30); do
            [ "$(capture "$out")" != "$before" ] && break
            sleep 1
            [ "$i" -eq 30 ] && echo "$out: nothing opened after $*" >&2
        done
        sleep 1
        capture "$out" >/dev/null
    fi
    "$WINESERVER" -k || true
    sleep 1
}

for skin in デフォルト:default 夕凪:yunagi 月影:tsukikage; do
    place "${skin%%:*}"
    shoot "$docs/main-${skin##*:}-$dpi.png"
done
place デフォルト
shoot "$docs/launcher-item-$dpi.png" alt+a l
shoot "$docs/web-item-$dpi.png" alt+a w
shoot "$docs/setting-$dpi.png" alt+p a
shoot "$docs/special-folder-$dpi.png" alt+p f
# The help page shows the dialogs as they are at 96 DPI.
if [ "$dpi" = 96 ]; then
    for dialog in launcher-item web-item setting special-folder; do
        cp "$docs/$dialog-96.png" "$PWD/data/help/$dialog.png"
    done
fi
echo "Screenshots at $dpi DPI saved in $docs"
