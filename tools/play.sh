#!/bin/sh
# Plays the game under Wine on the current X display, with sound.
#   play.sh BUILD_DIR     (the Windows build tree, holding bin/VARLO.EXE)
#
# Wine sends the game's notes to the ALSA sequencer. When no synthesizer is
# there, this starts FluidSynth as a sequencer client, waits for the port the
# game opens as MIDI device 0 and routes that port to FluidSynth; when the game
# ends it takes the route away and stops FluidSynth again.
build=$1
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "$DISPLAY" ]; then
    echo "make play needs a display, and DISPLAY is not set." >&2
    echo "Run it in a desktop session (or point DISPLAY at an X server)." >&2
    exit 1
fi
if [ ! -d /dev/snd ]; then
    echo "make play: this machine has no sound device (/dev/snd is missing), and the game" >&2
    echo "cannot run without a MIDI output. Watch a recorded game instead: make demo" >&2
    exit 1
fi
if [ ! -e /dev/snd/seq ]; then
    echo "make play: the ALSA sequencer is not loaded (/dev/snd/seq is missing), so the game" >&2
    echo "has no MIDI output. Load it, then run make play again: sudo modprobe snd-seq" >&2
    exit 1
fi
prefix="$(cd "$build" && pwd)/play-prefix"
"$here/../tests/wine/make-prefix.sh" "$prefix" play || exit 1

# "client 128: 'FLUID Synth (4711)' [type=user,pid=4711]" -> 128, for the first
# client whose name matches the pattern.
client_named() {
    aconnect -l | sed -n "s/^client \([0-9]*\): '\($1\)[^']*'.*/\1/p" | head -n 1
}
# The destination ("14:0") of the connections of Wine's own client: the port the
# game opened as its MIDI output.
wine_destination() {
    aconnect -l | awk '/^client / { wine = tolower($0) ~ /wine/ }
        wine && /Connecting To:/ { sub(/.*Connecting To: */, ""); sub(/[,\[].*/, ""); print; exit }'
}

synth=$(client_named 'FLUID Synth\|TiMidity')
started_synth=""
route=""
if [ -n "$synth" ]; then
    echo "make play: sending the notes to the synthesizer already running (ALSA client $synth)."
else
    soundfont=/usr/share/sounds/sf2/FluidR3_GM.sf2
    [ -f "$soundfont" ] || soundfont=/usr/share/sounds/sf2/TimGM6mb.sf2
    # PulseAudio or PipeWire when a sound server runs, ALSA directly otherwise.
    driver=alsa
    if command -v pactl >/dev/null 2>&1 && pactl info >/dev/null 2>&1; then driver=pulseaudio; fi
    log="$(cd "$build" && pwd)/play-fluidsynth.log"
    fluidsynth -is -a "$driver" -m alsa_seq -g 0.7 "$soundfont" >"$log" 2>&1 &
    started_synth=$!
    for _ in $(seq 50); do
        synth=$(client_named 'FLUID Synth')
        [ -n "$synth" ] && break
        kill -0 "$started_synth" 2>/dev/null || break
        sleep 0.2
    done
    if [ -z "$synth" ]; then
        echo "make play: FluidSynth did not start (its messages are in $log); the game will be silent." >&2
    else
        echo "make play: FluidSynth plays the notes ($driver, $(basename "$soundfont"))."
    fi
fi

stop_sound() {
    [ -n "$route" ] && aconnect -d "$route" "$synth:0" 2>/dev/null
    [ -n "$started_synth" ] && kill "$started_synth" 2>/dev/null && wait "$started_synth" 2>/dev/null
    route=""; started_synth=""
}
trap 'stop_sound' EXIT
trap 'exit 130' INT TERM

WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' LANG=ja_JP.UTF-8 \
    wine "$build/bin/VARLO.EXE" &
game=$!

# The game opens its output at start-up. If that port is not the synthesizer
# itself, route it there (the usual case is the kernel's "Midi Through").
if [ -n "$synth" ]; then
    for _ in $(seq 150); do
        destination=$(wine_destination)
        [ -n "$destination" ] && break
        kill -0 "$game" 2>/dev/null || break
        sleep 0.2
    done
    case "$destination" in
    "") ;;
    "$synth":*) ;;
    *)  if error=$(aconnect "$destination" "$synth:0" 2>&1); then
            route=$destination
        elif ! echo "$error" | grep -qi 'already'; then
            echo "make play: the game's MIDI device ($destination) cannot be routed to the synthesizer;" >&2
            echo "connect it by hand with aconnect, or choose a synthesizer as the first MIDI port." >&2
        fi ;;
    esac
fi
wait "$game"
