#!/bin/sh
# Plays one recorded game of VARLO.EXE under Xvfb, with no display or sound
# needed: the demo program of the Windows build tree BUILD_DIR plays it under
# Wine beside the recording MIDI double, streaming the window's frames to ffmpeg
# through a FIFO; its MIDI file is rendered by FluidSynth and muxed in. Makes
#   OUT_DIR/varlo-demo.mp4       H.264 + AAC, 630 x 250, 25 frames a second
#   OUT_DIR/contact-sheet.png    the key moments, three to a row
# and keeps the pieces (frames, demo.mid, demo.wav, the logs) in OUT_DIR/work.
#   tools/demo.sh BUILD_DIR OUT_DIR
set -eu
if [ $# -ne 2 ]; then
    echo "usage: tools/demo.sh BUILD_DIR OUT_DIR" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
work=$out/work
demo=$build/bin/varlo_demo_game.exe

die() {
    echo "demo: $*" >&2
    exit 1
}

for tool in ffmpeg fluidsynth montage; do
    command -v "$tool" >/dev/null 2>&1 || die "$tool is missing (tools/install-deps.sh installs it)"
done
[ -f "$demo" ] || die "$demo is missing; build the Windows tree first (make windows)"
soundfont=/usr/share/sounds/sf2/FluidR3_GM.sf2
[ -f "$soundfont" ] || soundfont=/usr/share/sounds/sf2/TimGM6mb.sf2
[ -f "$soundfont" ] || die "no General MIDI soundfont in /usr/share/sounds/sf2"

rm -rf "$work"
mkdir -p "$work"
# Z: is the Linux root under Wine.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

# 1. The game, played and captured. ffmpeg encodes the raw frames as they come.
# Should the encoder fail, the game would block on the FIFO for good: then its
# Wine is ended, and the game's run fails.
mkfifo "$work/frames.bgr"
(
    ffmpeg -nostdin -loglevel error -y -f rawvideo -pix_fmt bgr24 -video_size 630x250 -framerate 25 \
        -i "$work/frames.bgr" -c:v libx264 -preset veryfast -crf 20 -pix_fmt yuv420p \
        "$work/video.mp4" 2>"$work/ffmpeg-video.log" ||
        { WINEPREFIX=$build/wineprefix-long wineserver -k 2>/dev/null; exit 1; }
) &
encoder=$!
echo "Playing the demo game under Wine (about two minutes)..."
started=$(date +%s)
status=0
VARLO_EXE=$build/bin/VARLO.EXE VARLO_DOUBLES=$build/doubles VARLO_SCRATCH=$work/scratch \
    "$build/run-wine-long.sh" "$demo" "$(winpath "$work")" >"$work/demo.log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    # The encoder may still wait for the FIFO to be opened.
    pkill -P "$encoder" 2>/dev/null || true
    wait "$encoder" 2>/dev/null || true
    cat "$work/demo.log" >&2
    die "the demo game failed (status $status); its log is $work/demo.log"
fi
wait "$encoder" || die "ffmpeg could not encode the frames: $(cat "$work/ffmpeg-video.log")"
# The program writes its figures last. Wine may report status 0 for a program
# ended from outside, as by another run's wineserver -k on the same prefix.
[ -s "$work/demo.txt" ] || die "the demo game ended before its end (ended from outside?); its log is $work/demo.log"
echo "Played in $(($(date +%s) - started)) s: $(grep -E '^(frames|score|misses)' "$work/demo.txt" | tr '\n' ' ')"

# 2. The sound: the MIDI log as a standard MIDI file, rendered offline.
fluidsynth -ni -F "$work/demo.wav" -r 44100 "$soundfont" "$work/demo.mid" >"$work/fluidsynth.log" 2>&1 ||
    die "FluidSynth could not render demo.mid: $(cat "$work/fluidsynth.log")"
[ -s "$work/demo.wav" ] || die "FluidSynth wrote no sound"

# 3. Picture and sound together. The notes end with the game; the sound is
# padded with silence to the last frame of the ranking after it.
ffmpeg -nostdin -loglevel error -y -i "$work/video.mp4" -i "$work/demo.wav" -map 0:v -map 1:a \
    -c:v copy -af apad -c:a aac -b:a 128k -shortest -movflags +faststart "$out/varlo-demo.mp4" ||
    die "ffmpeg could not mux video and sound"

# 4. The contact sheet of the key moments.
set --
for shot in 1-title:Title 2-question:Question 3-marks:"Marked keys" 4-verdict:Verdict \
    5-stage-clear:"Stage clear" 6-celebration:Celebration 7-results:Results \
    8-name-entry:"Name entry" 9-ranking:"New ranking"; do
    file=$work/${shot%%:*}.bmp
    [ -f "$file" ] || die "the key frame $file is missing"
    set -- "$@" -label "${shot#*:}" "$file"
done
montage "$@" -tile 3x -geometry +6+6 -background '#202020' -fill white -pointsize 16 \
    -depth 8 -define png:compression-level=9 "$out/contact-sheet.png" || die "montage could not make the contact sheet"

echo "Made in $out:"
echo "  varlo-demo.mp4     $(du -k "$out/varlo-demo.mp4" | cut -f1) KB"
echo "  contact-sheet.png  $(du -k "$out/contact-sheet.png" | cut -f1) KB"
echo "  work/              frames, demo.mid, demo.wav and the logs"
