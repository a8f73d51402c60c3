#!/usr/bin/env bash
# Builds Zanmel.exe, lays out a demo program folder in build/demo/Zanmel and starts the launcher under Wine.
# With a display, the launcher runs until you close it. Without one, it runs under Xvfb, a screenshot is saved
# to build/demo/screenshot.png, and the launcher is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target Zanmel znxp >/dev/null

demo=$PWD/build/demo
program=$demo/Zanmel
mkdir -p "$program"
cmake --install build/windows --prefix "$program" >/dev/null
# A small sheet to start from (CP932 with CR LF, as the program writes its files).
sheet=$program/data/fixed
if [ ! -e "$sheet/keyword.txt" ]; then
    mkdir -p "$sheet/icon"
    stamp="2026/12/09 09:00:00"
    printf '%s\r\n' \
        "メモ帳,Launch,0,,,DEMO,\"$stamp\",\"open,C:\\windows\\notepad.exe,,,1,0\"" \
        "ワードパッド,Launch,0,,,DEMO,\"$stamp\",\"open,C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe,,,1,0\"" \
        "コマンドプロンプト,Launch,0,,,DEMO,\"$stamp\",\"open,C:\\windows\\system32\\cmd.exe,,,1,0\"" \
        "ヘルプ,Launch,0,,,DEMO,\"$stamp\",\"open,.\\index.html,,,1,0\"" \
        "WineHQ,WEB,4,,,DEMO,\"$stamp\",\"open,http://www.winehq.org/,,,1,0\"" \
        "google検索,WEB,4,,,DEMO,\"$stamp\",\"open,http://www.google.co.jp/search?q=\$URL_DIRECT\$,,,1,12\"" \
        | iconv -f UTF-8 -t CP932 > "$sheet/keyword.txt"
    printf '%s\r\n' "#WEB" "	WineHQ" "	google検索" "#Launch" "	メモ帳" "	ワードパッド" "	コマンドプロンプト" \
        "	ヘルプ" "##自動実行-起動時" "##自動実行-終了時" | iconv -f UTF-8 -t CP932 > "$sheet/tree.txt"
fi

export WINEPREFIX=$demo/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$demo/display" </dev/null >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true' EXIT
    for _ in $(seq 100); do [ -s "$demo/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$demo/display")"
    headless=1
else
    headless=0
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix (once) ..."
    "$WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
    # Menus and captions use the system's UI font; link it to the Japanese font so their texts show.
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
        "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
            /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f </dev/null >/dev/null 2>&1 || true
    done
    "$WINESERVER" -w
fi

cd "$program"
if [ "$headless" -eq 0 ]; then
    echo "Starting $program/Zanmel.exe"
    exec "$WINE" ./Zanmel.exe
fi

# A Wine virtual desktop draws the window frames that a window manager would otherwise draw.
"$WINE" explorer /desktop=Zanmel,1280x800 ./Zanmel.exe </dev/null >/dev/null 2>&1 &
sleep 6
import -window root "$demo/screenshot.png"
"$WINESERVER" -k || true
echo "Zanmel ran on $DISPLAY (Xvfb); screenshot saved to $demo/screenshot.png"
