#!/bin/sh
# Makes the demo with tools/demo.sh and checks what it made: an mp4 with an
# H.264 picture of the window's size and an AAC sound, both as long as the
# recording, the sound not silent, and a contact sheet of nine tiles.
#   tests/demo/check_demo.sh BUILD_DIR OUT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$1
out=$2
rm -rf "$out"
sh "$here/../../tools/demo.sh" "$build" "$out" || { echo "FAIL: tools/demo.sh failed"; exit 1; }

failures=0
check() {  # check DESCRIPTION CONDITION...
    what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
# Whether the awk expression over a and b holds.
holds() { awk -v a="$1" -v b="$2" "BEGIN { exit !($3) }"; }
figure() { sed -n "s/^$1 //p" "$out/work/demo.txt"; }
probe() {  # probe STREAM ENTRY: one entry of the first stream of that kind
    ffprobe -v error -select_streams "$1:0" -show_entries "stream=$2" -of default=nw=1:nk=1 "$out/varlo-demo.mp4"
}

mp4=$out/varlo-demo.mp4
check "the video exists" test -s "$mp4"
check "the picture is H.264, yuv420p, 630 x 250" \
    test "$(probe v codec_name),$(probe v pix_fmt),$(probe v width)x$(probe v height)" = "h264,yuv420p,630x250"
check "the sound is AAC" test "$(probe a codec_name)" = aac
video=$(probe v duration)
audio=$(probe a duration)
echo "video $video s, audio $audio s"
check "the picture has a duration" holds "$video" 0 'a > 0'
check "the sound has a duration" holds "$audio" 0 'a > 0'

# The picture lasts as long as the recording (one frame every 40 ms), which
# spans the whole game; the sound lasts as long as the picture.
recorded=$(figure video_ms)
game=$(($(figure game_end_ms) - $(figure game_start_ms)))
echo "recorded $recorded ms, the game $game ms from its start to the new ranking"
check "the picture lasts as long as the recording" holds "$video" "$recorded" 'a * 1000 > b - 100 && a * 1000 < b + 100'
check "the recording spans the game" holds "$recorded" "$game" 'a >= b && b > 60000'
check "the sound lasts as long as the picture" holds "$audio" "$video" 'a > b - 0.5 && a < b + 0.5'
check "the last note ends within the picture" holds "$(figure last_note_off_ms)" "$video" 'a > 0 && a < b * 1000'

# The first note is heard when the log says it began: the MIDI file's clock is
# the frames' clock.
onset=$(ffmpeg -nostdin -hide_banner -i "$mp4" -map 0:a -af silencedetect=noise=-60dB:d=0.3 -f null - 2>&1 |
    sed -n 's/.*silence_end: \([0-9.]*\).*/\1/p' | head -n 1)
echo "the first note is heard at ${onset:-?} s and was logged at $(figure first_note_on_ms) ms"
check "the first note is heard within 0.1 s of its time in the log" \
    holds "${onset:--1}" "$(figure first_note_on_ms)" 'a * 1000 > b - 100 && a * 1000 < b + 100'

volumes=$(ffmpeg -nostdin -hide_banner -i "$mp4" -map 0:a -af volumedetect -f null - 2>&1 | grep -E 'max_volume|mean_volume')
echo "$volumes"
max=$(echo "$volumes" | sed -n 's/.*max_volume: \(-\{0,1\}[0-9.]*\) dB.*/\1/p')
check "the sound is not silence (max_volume > -40 dB)" holds "${max:--999}" 0 'a > -40'

sheet=$out/contact-sheet.png
check "the contact sheet exists" test -s "$sheet"
size=$(identify -format '%w %h' "$sheet" 2>/dev/null)
echo "contact sheet $size pixels"
# Three tiles of 630 x 250 a row with 6 pixels around each, three rows each with a label under its tiles.
check "the contact sheet holds three rows of three tiles" holds "${size% *}" "${size#* }" \
    'a == 3 * (630 + 12) && b > 3 * (250 + 12) && b < 3 * (250 + 12 + 40)'

if [ "$failures" -ne 0 ]; then
    echo "$failures checks failed; the demo is in $out"
    exit 1
fi
echo "all checks passed; the demo is in $out"
