#!/bin/sh
# Plays the game under Wine on the current X display, with sound (make play).
#   play.sh BUILD_DIR     (the Windows build tree; JOBS jobs build it, default 2)
#
# In this order: checks the display and the ALSA sequencer; installs what
# playing needs (install-deps.sh play); configures BUILD_DIR and builds only
# VARLO.EXE and VARLO.CHM; copies both into the data folder
# ($XDG_DATA_HOME/varlo, by default ~/.local/share/varlo), where VARLO.DAT, the
# ranking, stays beside them whatever happens to the build tree, and where the
# Wine prefix for playing is kept; then plays from there.
#
# Wine sends the game's notes to the ALSA sequencer. When no synthesizer is
# there, this starts FluidSynth as a sequencer client, with neither its command
# shell on a terminal nor its network server: its shell reads a FIFO that only
# this script holds open, so it ends with this script, however that ends. It
# waits for the port the game opens as MIDI device 0 and routes that port to
# FluidSynth. When the game ends, or Ctrl-C ends this script, it ends the
# game's Wine (this prefix's wineserver -k), takes the routes away and stops
# FluidSynth. Wine's own messages go to a log in the data folder.
#
# The game listens to MIDI input device 0; Wine subscribes its own input port
# to that port and takes events from it alone. When the game has opened it,
# this looks for the first MIDI keyboard (a readable sequencer port that is not
# the System client, Midi Through, a synthesizer or Wine) and says what the
# player can answer with: the keyboard when it is that port itself, or when it
# can be connected into the Midi Through port the game listens to; the mouse
# otherwise. When the game would listen to the very port its own notes go to,
# it would mark its own question notes: that input is cut off first.
#
# VARLO_SEQUENCER names the sequencer device instead of /dev/snd/seq (for tests).
build=$1
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/.." && pwd)
say() { echo "make play: $*"; }
fail() { echo "make play: $*" >&2; exit 1; }

# 1. What playing needs from this machine, before anything is installed or built.
if [ -z "${DISPLAY:-}" ]; then
    fail "the game needs a display, and DISPLAY is not set.
Run it in a desktop session (or point DISPLAY at an X server)."
fi
sequencer=${VARLO_SEQUENCER:-/dev/snd/seq}
if [ ! -d "$(dirname "$sequencer")" ]; then
    fail "this machine has no sound device ($(dirname "$sequencer") is missing), and the game
cannot run without a MIDI output. Watch a recorded game instead: make demo"
fi
if [ ! -e "$sequencer" ]; then
    fail "the ALSA sequencer is not loaded ($sequencer is missing), so the game
has no MIDI output. Load it, then run make play again: sudo modprobe snd-seq"
fi
if [ ! -r "$sequencer" ] || [ ! -w "$sequencer" ]; then
    fail "you may not use the ALSA sequencer ($sequencer). Join the group that owns it
(usually: sudo adduser $(id -un) audio), log in again, then run make play again."
fi

# 2. What playing needs installed, and the program and its help file only.
"$here/install-deps.sh" play || exit 1
say "building VARLO.EXE and VARLO.CHM in $build (no test programs)."
# The build is a make of its own, not a part of the make that may have called this.
unset MAKEFLAGS MFLAGS MAKELEVEL
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$source" -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
fi
cmake --build "$build" --target varlo varlo_help -j"${JOBS:-2}" || exit 1

# 3. The data folder: the program and its help file, fresh from the build, the
# ranking beside them, and the Wine prefix.
case ${XDG_DATA_HOME:-} in
/*) data=$XDG_DATA_HOME/varlo ;;
*)  data=$HOME/.local/share/varlo ;;
esac
mkdir -p "$data" || exit 1
# One game at a time: a second one would share the ranking and the wineserver.
exec 8>"$data/.play.lock"
flock -n 8 || fail "a game is already being played from $data."
for file in VARLO.EXE VARLO.CHM; do
    # A new file renamed into place, so a program still running keeps its own.
    cp "$build/bin/$file" "$data/$file.new" && mv -f "$data/$file.new" "$data/$file" || exit 1
done
# The ranking of a game played before the data folder existed.
if [ ! -e "$data/VARLO.DAT" ] && [ -f "$build/bin/VARLO.DAT" ]; then
    cp "$build/bin/VARLO.DAT" "$data/VARLO.DAT" && say "copied the ranking of earlier games from $build/bin to $data."
fi
prefix=$data/wineprefix
"$source/tests/wine/make-prefix.sh" "$prefix" play 8>&- || exit 1
say "the ranking is kept in $data/VARLO.DAT (make clean leaves it alone)."
say "the help (F1) shows empty pages under Wine: run make help to read it in your browser."

# 4. Sound.
# "client 128: 'FLUID Synth (4711)' [type=user,pid=4711]" -> 128, for the first
# client whose name matches the pattern.
client_named() {
    aconnect -l 2>/dev/null | sed -n "s/^client \([0-9]*\): '\($1\)[^']*'.*/\1/p" | head -n 1
}
# The destination ("14:0") of the connections of Wine's own client: the port the
# game opened as its MIDI output.
wine_destination() {
    aconnect -l 2>/dev/null | awk '/^client / { wine = tolower($0) ~ /wine/ }
        wine && /Connecting To:/ { sub(/.*Connecting To: */, ""); sub(/[,\[].*/, ""); print; exit }'
}

# The first readable port of the first MIDI keyboard and the client's name
# ("20:0 USB Keyboard"); nothing when there is none.
first_keyboard() {
    aconnect -i 2>/dev/null | awk -F"'" '
        /^client / { split($1, w, /[ :]+/); client = w[2]; name = $2
                     keyboard = client != 0 && tolower(name) !~ /^midi through|synth|timidity|wine/ }
        keyboard && /^ +[0-9]+ / { split($1, w, " "); print client ":" w[1] " " name; exit }'
}
# The port the game listens to and Wine's input port subscribed to it
# ("14:0 129:1"); nothing while the game has opened no MIDI input.
wine_input() {
    aconnect -l 2>/dev/null | awk '/^client / { wine = tolower($0) ~ /wine/; client = $2; sub(/:$/, "", client) }
        /^ +[0-9]+ / { port = $1 }
        wine && /Connected From:/ { sub(/.*Connected From: */, ""); sub(/[,\[ ].*/, ""); print $0, client ":" port; exit }'
}
# The name of the client of a port ("14:0" -> "Midi Through").
client_of() {
    aconnect -l 2>/dev/null | sed -n "s/^client ${1%%:*}: '\([^']*\)'.*/\1/p"
}

synth=""
started_synth=""
route=""
keys=""
keys_into=""
game=""
work=""
# Wine writes its own messages in the Japanese locale's code page (CP932), other
# libraries in UTF-8: the log is kept in UTF-8, line by line.
readable_log() {
    while IFS= read -r line || [ -n "$line" ]; do
        if printf '%s\n' "$line" | iconv -f UTF-8 -t UTF-8 >/dev/null 2>&1; then
            printf '%s\n' "$line"
        else
            printf '%s\n' "$line" | iconv -f CP932 -t UTF-8 -c
        fi
    done <"$1" >"$2" && rm -f "$1"
}
cleanup() {
    trap '' INT TERM HUP
    # Every Wine process of this prefix: the game and whatever it started.
    [ -n "$game" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null
    [ -n "$game" ] && readable_log "$wine_log.raw" "$wine_log"
    [ -n "$route" ] && aconnect -d "$route" "$synth:0" 2>/dev/null
    [ -n "$keys" ] && aconnect -d "$keys" "$keys_into" 2>/dev/null
    if [ -n "$started_synth" ]; then
        exec 7>&-   # FluidSynth's shell reads the end of its input and quits
        kill "$started_synth" 2>/dev/null
        wait "$started_synth" 2>/dev/null
    fi
    [ -n "$work" ] && rm -rf "$work"
    game=""; route=""; keys=""; started_synth=""; work=""
}
trap 'cleanup' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

synth=$(client_named 'FLUID Synth\|TiMidity')
if [ -n "$synth" ]; then
    say "sending the notes to the synthesizer already running (ALSA client $synth)."
else
    soundfont=/usr/share/sounds/sf2/FluidR3_GM.sf2
    [ -f "$soundfont" ] || soundfont=/usr/share/sounds/sf2/TimGM6mb.sf2
    # PulseAudio or PipeWire when a sound server runs, ALSA directly otherwise.
    driver=alsa
    if command -v pactl >/dev/null 2>&1 && pactl info >/dev/null 2>&1; then driver=pulseaudio; fi
    log=$data/fluidsynth.log
    work=$(mktemp -d) && mkfifo "$work/shell" || exit 1
    # Held open for reading and writing by this script alone: FluidSynth's shell
    # waits on it for commands that never come, and reads its end when it closes.
    exec 7<>"$work/shell"
    fluidsynth -a "$driver" -m alsa_seq -g 0.7 "$soundfont" <"$work/shell" >"$log" 2>&1 7>&- 8>&- &
    started_synth=$!
    for _ in $(seq 50); do
        synth=$(client_named 'FLUID Synth')
        [ -n "$synth" ] && break
        kill -0 "$started_synth" 2>/dev/null || break
        sleep 0.2
    done
    if [ -z "$synth" ]; then
        echo "make play: FluidSynth did not start (its messages are in $log); the game will be silent." >&2
        exec 7>&-
        kill "$started_synth" 2>/dev/null
        wait "$started_synth" 2>/dev/null
        started_synth=""
    else
        say "FluidSynth plays the notes ($driver, $(basename "$soundfont"))."
    fi
fi

# 5. The game, from the data folder. Wine's messages (its errors, not its
# notes on what it lacks) go to a log.
wine_log=$data/wine.log
rm -f "$wine_log"
(
    cd "$data" &&
    exec env WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:-fixme-all}" WINEDLLOVERRIDES='mscoree,mshtml=' \
        LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 wine "$data/VARLO.EXE"
) >"$wine_log.raw" 2>&1 7>&- 8>&- &
game=$!

# The game opens its output at start-up. If that port is not the synthesizer
# itself, route it there (the usual case is the kernel's "Midi Through").
destination=""
for _ in $(seq 150); do
    destination=$(wine_destination)
    [ -n "$destination" ] && break
    kill -0 "$game" 2>/dev/null || break
    sleep 0.2
done
if [ -n "$synth" ]; then
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

# Right after its output the game opens its input, when there is one.
connect_keyboard() {
    input=""
    for _ in $(seq 10); do
        input=$(wine_input)
        [ -n "$input" ] && break
        kill -0 "$game" 2>/dev/null || return 0
        sleep 0.2
    done
    heard=${input%% *}
    keyboard=$(first_keyboard)
    keyboard_port=${keyboard%% *}
    keyboard_name="${keyboard#* } ($keyboard_port)"
    if [ -n "$input" ] && [ "$heard" = "$destination" ] && [ "$heard" != "$keyboard_port" ]; then
        # One port both ways, such as Midi Through, passes the question's notes
        # back as played keys (a keyboard's own port has a cable each way).
        if error=$(aconnect -d "$heard" "${input#* }" 2>&1); then
            say "the game's MIDI input is its own output ($heard, $(client_of "$heard")): it would mark"
            say "its own question notes, so that input is cut off; answer with the mouse."
        else
            echo "make play: the game's MIDI input is its own output ($heard) and cannot be cut off ($error);" >&2
            echo "make play: the game may mark its own question notes; cut it off by hand: aconnect -d $heard ${input#* }" >&2
        fi
    elif [ -z "$keyboard" ]; then
        say "no MIDI keyboard was found: answer with the mouse (plug one in before make play to play on it)."
    elif [ -z "$input" ]; then
        say "the game opened no MIDI input, so $keyboard_name is not heard: answer with the mouse (see $wine_log)."
    elif [ "$heard" = "$keyboard_port" ]; then
        say "the game listens to $keyboard_name directly."
    elif [ "$(client_of "$heard")" = "Midi Through" ]; then
        if error=$(aconnect "$keyboard_port" "$heard" 2>&1); then
            keys=$keyboard_port keys_into=$heard
            say "connected $keyboard_name to the game's MIDI input."
        elif echo "$error" | grep -qi 'already'; then
            say "$keyboard_name was already connected to the game's MIDI input."
        else
            echo "make play: $keyboard_name cannot be connected to the game's MIDI input ($heard: $error); answer with the mouse." >&2
        fi
    else
        say "the game listens to $heard ($(client_of "$heard")), not to $keyboard_name: answer with the mouse."
    fi
}
connect_keyboard
wait "$game"
status=$?
if [ "$status" -ne 0 ]; then
    echo "make play: Wine could not run the game (status $status); Wine's messages are in $wine_log" >&2
    exit 1
fi
