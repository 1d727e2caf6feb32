#!/bin/sh
# Checks tools/play.sh (make play): the order of its checks, the data folder,
# the routes (the game's notes to the synthesizer, a MIDI keyboard into the
# game's input), and the end of all it started after the game and after Ctrl-C.
# It runs from a copy of the tree's pieces it uses, with a stand-in for
# tools/install-deps.sh, and stand-ins on PATH for cmake, wine, wineboot,
# wineserver, aconnect, pactl and fluidsynth (tests/wine/make-prefix.sh is the
# real one, over the Wine stand-ins). Where the real FluidSynth is installed, the
# Ctrl-C run uses it, writing its sound to /dev/null: it must stay up with no
# shell on a terminal and no server, and nothing the run started may listen on
# a socket.
#   check_play.sh SOURCE_DIR SCRATCH_DIR
set -u
source=$(cd "$1" && pwd)
rm -rf "$2" && mkdir -p "$2" && scratch=$(cd "$2" && pwd) || exit 1
passed=0
failed=0
check() {  # check WHAT COMMAND...: one check, passed when the command succeeds
    what=$1
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what" >&2; fi
}
has() { grep -q -- "$2" "$1"; }            # has FILE PATTERN
lacks() { ! grep -q -- "$2" "$1"; }
# The line number of the first line matching PATTERN in FILE (0 when none).
line_of() { n=$(grep -n -- "$2" "$1" | head -n 1 | cut -d: -f1); echo "${n:-0}"; }
alive() { [ -n "$1" ] && kill -0 "$1" 2>/dev/null; }
gone() { [ -n "$1" ] && ! kill -0 "$1" 2>/dev/null; }
eventually() { for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done; return 1; }  # within 10 s
before() { a=$(line_of "$1" "$2"); b=$(line_of "$1" "$3"); [ "$a" -gt 0 ] && [ "$b" -gt "$a" ]; }

# A copy of the tree's pieces play.sh runs, with install-deps.sh standing in.
tree=$scratch/tree
mkdir -p "$tree/tools" "$tree/tests/wine" "$scratch/bin" "$scratch/state"
cp "$source/tools/play.sh" "$tree/tools/"
cp "$source/tests/wine/make-prefix.sh" "$source/tests/wine/"*.reg "$tree/tests/wine/"
log=$scratch/calls.log
state=$scratch/state
stand_in() {  # stand_in NAME <<'EOF' ... EOF: a script that knows $log and $state
    { echo '#!/bin/sh'; echo "log='$log' state='$state'"; cat; } >"$scratch/bin/$1"
    chmod +x "$scratch/bin/$1"
}
stand_in install-deps.sh <<'EOF'
echo "install-deps $*" >>"$log"
EOF
mv "$scratch/bin/install-deps.sh" "$tree/tools/"
stand_in cmake <<'EOF'
echo "cmake $*" >>"$log"
if [ "$1" = --build ]; then
    mkdir -p "$2/bin" && echo "exe $STAMP" >"$2/bin/VARLO.EXE" && echo "chm $STAMP" >"$2/bin/VARLO.CHM"
fi
EOF
stand_in pactl <<'EOF'
exit 1
EOF
stand_in wineboot <<'EOF'
echo "wineboot $* prefix=$WINEPREFIX" >>"$log"
mkdir -p "$WINEPREFIX"
EOF
# wineserver -k ends the game: the wine stand-in below.
stand_in wineserver <<'EOF'
echo "wineserver $* prefix=$WINEPREFIX" >>"$log"
if [ "$1" = -k ] && [ -f "$state/wine" ]; then kill "$(cat "$state/wine")"; rm -f "$state/wine"; fi
EOF
# The game runs until the test writes its exit status into state/quit; while it
# runs, Wine's ALSA client is connected to Midi Through, and its input port to
# the port named in state/input.
stand_in wine <<'EOF'
if [ "$1" = regedit ]; then echo "wine regedit prefix=$WINEPREFIX" >>"$log"; exit 0; fi
echo "wine $* prefix=$WINEPREFIX cwd=$(pwd)" >>"$log"
echo "a message of Wine's own" >&2
printf '\203\121\201\133\203\200\n' >&2   # "ゲーム" in Wine's Japanese code page, CP932
echo $$ >"$state/wine"
while [ ! -f "$state/quit" ]; do sleep 0.1; done
rm -f "$state/wine"
exit "$(cat "$state/quit")"
EOF
stand_in aconnect <<'EOF'
case $1 in
-l|-i) printf "client 0: 'System' [type=kernel]\n    0 'Timer'\n"
    echo "client 14: 'Midi Through' [type=kernel]"
    echo "    0 'Midi Through Port-0'"
    echo "    1 'Midi Through Port-1'"
    [ -f "$state/keyboard" ] && printf "client 20: 'USB Keyboard' [type=kernel,card=1]\n    0 'USB Keyboard MIDI 1'\n"
    [ -f "$state/other-synth" ] && echo "client 130: 'TiMidity' [type=user,pid=1]"
    synth=$(cat "$state/synth" 2>/dev/null) && echo "client 128: 'FLUID Synth ($synth)' [type=user,pid=$synth]"
    if [ -f "$state/wine" ]; then
        echo "client 129: 'WINE midi driver' [type=user,pid=1]"
        echo "    0 'WINE ALSA Output #0'"
        printf '\tConnecting To: 14:0\n'
        [ -f "$state/input" ] && printf "    1 'WINE ALSA Input'\n\tConnected From: %s\n" "$(cat "$state/input")"
    fi ;;
-d) echo "aconnect unroute $2 $3" >>"$log" ;;
*)  echo "aconnect route $1 $2" >>"$log" ;;
esac
EOF
# FluidSynth's stand-in: its shell reads commands from its input until that ends.
stand_in fluidsynth <<'EOF'
echo "fluidsynth $*" >>"$log"
[ -p /dev/stdin ] && echo "fluidsynth reads a fifo" >>"$log"
echo $$ >"$state/synth"
exec cat >/dev/null
EOF
# The real one, with its audio written to /dev/null instead of a sound card.
real_fluidsynth=$(command -v fluidsynth)
stand_in real-fluidsynth <<EOF
echo "fluidsynth \$*" >>"\$log"
echo \$\$ >"\$state/synth"
n=\$#
while [ "\$n" -gt 0 ]; do
    a=\$1; shift; n=\$((n - 1))
    if [ "\$a" = -a ]; then shift; n=\$((n - 1)); set -- "\$@" -a file -o audio.file.name=/dev/null
    else set -- "\$@" "\$a"; fi
done
exec '$real_fluidsynth' "\$@"
EOF
mkdir -p "$scratch/real" && mv "$scratch/bin/real-fluidsynth" "$scratch/real/fluidsynth"

mkdir -p "$scratch/snd" && : >"$scratch/snd/seq"
export VARLO_SEQUENCER="$scratch/snd/seq" HOME="$scratch/home" DISPLAY=:99
unset XDG_DATA_HOME WINEPREFIX
path=$scratch/bin:$PATH
build=$scratch/build
reset() { rm -f "$log" "$state"/*; : >"$log"; }
# play STAMP [PATH]: play.sh in a session of its own, with SIGINT not ignored,
# as a terminal's foreground job: the session's id is its process id. STAMP
# marks the files the cmake stand-in builds.
play() {
    STAMP=$1 PATH=${2:-$path} python3 -c 'import os, signal, sys
signal.signal(signal.SIGINT, signal.SIG_DFL); os.setsid(); os.execvp("sh", ["sh"] + sys.argv[1:])' \
        "$tree/tools/play.sh" "$build" >"$scratch/out" 2>"$scratch/err" &
    session=$!
}
wait_for() {  # wait_for FILE: up to 10 s
    for _ in $(seq 100); do [ -e "$1" ] && return 0; sleep 0.1; done
    return 1
}
# The processes of a session, from /proc (after the command's name: state, parent, group, session).
members() {
    for stat in /proc/[0-9]*/stat; do
        [ "$(sed 's/.*) //' "$stat" 2>/dev/null | cut -d' ' -f4)" = "$1" ] && basename "$(dirname "$stat")"
    done
}
session_ended() {
    for _ in $(seq 30); do [ -z "$(members "$1")" ] && return 0; sleep 0.1; done
    return 1
}
# Sockets that listen: TCP in LISTEN (0A), any UDP socket, and Unix sockets that accept (00010000).
listening() {
    { awk 'FNR > 1 && $4 == "0A" { print $10 }' /proc/net/tcp /proc/net/tcp6
      awk 'FNR > 1 { print $10 }' /proc/net/udp /proc/net/udp6
      awk 'FNR > 1 && $4 == "00010000" { print $7 }' /proc/net/unix; } 2>/dev/null | sort -u
}
listening_in_session() {
    listening >"$scratch/listening"
    for pid in $(members "$1"); do
        ls -l "/proc/$pid/fd" 2>/dev/null | sed -n 's/.*socket:\[\([0-9]*\)\].*/\1/p'
    done | sort -u | comm -12 - "$scratch/listening"
}

# 1. The order of the checks: the display first, then the sequencer, before
# anything is installed or built.
reset
DISPLAY="" VARLO_SEQUENCER=$scratch/none/seq PATH=$path sh "$tree/tools/play.sh" "$build" 2>"$scratch/err"
check "without a display it fails" [ $? -ne 0 ]
check "the display is checked first" has "$scratch/err" 'DISPLAY is not set'
VARLO_SEQUENCER=$scratch/none/seq PATH=$path sh "$tree/tools/play.sh" "$build" 2>"$scratch/err"
check "without a sound device it fails" [ $? -ne 0 ]
check "the missing sound device is named" has "$scratch/err" "$scratch/none is missing"
mkdir -p "$scratch/nosequencer"
VARLO_SEQUENCER=$scratch/nosequencer/seq PATH=$path sh "$tree/tools/play.sh" "$build" 2>"$scratch/err"
check "without the sequencer it fails" [ $? -ne 0 ]
check "the missing sequencer is named" has "$scratch/err" 'modprobe snd-seq'
check "nothing was installed or built before the checks" [ ! -s "$log" ]

# 2. A game that ends by itself, played from ~/.local/share/varlo, with the
# ranking of an earlier game in the build tree brought along.
reset
mkdir -p "$build/bin" && echo "old ranking" >"$build/bin/VARLO.DAT"
touch "$state/keyboard" && echo 14:1 >"$state/input"
data=$HOME/.local/share/varlo
play 1
wait_for "$state/wine"
check "the game started" [ -f "$state/wine" ]
sleep 0.5
check "only what playing needs is installed" has "$log" '^install-deps play$'
check "only VARLO.EXE and VARLO.CHM are built" has "$log" '^cmake --build .* --target varlo varlo_help'
check "nothing else is built" [ "$(grep -c '^cmake --build' "$log")" = 1 ]
check "installing comes before building" before "$log" '^install-deps' '^cmake'
check "the program is fresh in the data folder" grep -qx 'exe 1' "$data/VARLO.EXE"
check "the help file is fresh in the data folder" grep -qx 'chm 1' "$data/VARLO.CHM"
check "the earlier ranking is in the data folder" grep -qx 'old ranking' "$data/VARLO.DAT"
check "the play prefix is made in the data folder" has "$log" "^wineboot -i prefix=$data/wineprefix\$"
check "the game runs from the data folder" has "$log" "^wine $data/VARLO.EXE prefix=$data/wineprefix cwd=$data\$"
check "FluidSynth is started" has "$log" '^fluidsynth .*-m alsa_seq'
check "FluidSynth has no server" lacks "$log" '^fluidsynth.* \(-[a-zA-Z]*s\|--server\)\( \|$\)'
check "FluidSynth keeps its shell" lacks "$log" '^fluidsynth.* \(-[a-zA-Z]*i\|--no-shell\)\( \|$\)'
check "FluidSynth's shell reads a fifo" has "$log" '^fluidsynth reads a fifo'
check "the game's port is routed to FluidSynth" has "$log" '^aconnect route 14:0 128:0$'
check "the keyboard is named" eventually has "$scratch/out" 'connected USB Keyboard (20:0)'
check "the keyboard is routed into the game's input" has "$log" '^aconnect route 20:0 14:1$'
synth=$(cat "$state/synth" 2>/dev/null)
check "the ranking's place is said" has "$scratch/out" "$data/VARLO.DAT"
check "make help is mentioned once" [ "$(grep -c 'make help' "$scratch/out")" = 1 ]
echo 0 >"$state/quit"
wait "$session"
check "a game that ends ends make play with 0" [ $? = 0 ]
check "the prefix's wineserver is ended" has "$log" "^wineserver -k prefix=$data/wineprefix\$"
check "the route is taken away" has "$log" '^aconnect unroute 14:0 128:0$'
check "the keyboard's route is taken away" has "$log" '^aconnect unroute 20:0 14:1$'
check "FluidSynth ends" gone "$synth"
check "nothing is left running" session_ended "$session"

# 3. Ctrl-C, played from $XDG_DATA_HOME/varlo over an earlier game's files,
# with the real FluidSynth where it is installed.
reset
export XDG_DATA_HOME="$scratch/xdg"
data=$XDG_DATA_HOME/varlo
mkdir -p "$data" && echo "exe 0" >"$data/VARLO.EXE" && echo "kept ranking" >"$data/VARLO.DAT"
echo 14:1 >"$state/input"
if [ -n "$real_fluidsynth" ]; then play 2 "$scratch/real:$path"; else play 2; fi
wait_for "$state/wine"
check "the game started" [ -f "$state/wine" ]
sleep 1
check "the program is replaced by the fresh one" grep -qx 'exe 2' "$data/VARLO.EXE"
check "the ranking is kept" grep -qx 'kept ranking' "$data/VARLO.DAT"
check "the game runs from \$XDG_DATA_HOME/varlo" has "$log" "^wine $data/VARLO.EXE prefix=$data/wineprefix"
synth=$(cat "$state/synth" 2>/dev/null)
check "FluidSynth stays up" alive "$synth"
check "nothing listens on a socket" [ -z "$(listening_in_session "$session")" ]
check "without a keyboard the mouse is the way to answer" eventually has "$scratch/out" 'no MIDI keyboard was found'
# A second make play at the same time is refused.
STAMP=3 PATH=$path sh "$tree/tools/play.sh" "$build" >/dev/null 2>"$scratch/err2"
check "a second game at once is refused" has "$scratch/err2" 'already being played'
python3 -c 'import os, signal, sys; os.killpg(int(sys.argv[1]), signal.SIGINT)' "$session"
wait "$session"
check "Ctrl-C ends make play with 130" [ $? = 130 ]
check "Ctrl-C ends the game by its prefix's wineserver" has "$log" "^wineserver -k prefix=$data/wineprefix\$"
check "Ctrl-C takes the route away" has "$log" '^aconnect unroute 14:0 128:0$'
check "Ctrl-C ends FluidSynth" session_ended "$session"
check "the game is gone" [ ! -f "$state/wine" ]

# 4. Wine fails, with a synthesizer already running: its log is named.
reset
touch "$state/other-synth"
echo 3 >"$state/quit"
play 4
wait "$session"
check "a failing Wine fails make play" [ $? -ne 0 ]
check "the running synthesizer is used" has "$scratch/out" 'already running (ALSA client 130)'
check "no FluidSynth is started beside it" lacks "$log" '^fluidsynth'
check "the failure names Wine's log" has "$scratch/err" "$data/wine.log"
check "Wine's log holds Wine's messages" has "$data/wine.log" "a message of Wine's own"
check "Wine's log is in UTF-8" has "$data/wine.log" 'ゲーム'

# 5. The game's input is its own output, Midi Through: it is cut off, with no keyboard routed in.
reset
touch "$state/keyboard" && echo 14:0 >"$state/input"
play 5
wait_for "$state/wine"
check "the game's own notes cannot reach its input" eventually has "$log" '^aconnect unroute 14:0 129:1$'
check "the keyboard is not routed into Midi Through" lacks "$log" '^aconnect route 20:0'
echo 0 >"$state/quit"
wait "$session"

echo "play.sh: $passed passed, $failed failed"
[ "$failed" = 0 ]
