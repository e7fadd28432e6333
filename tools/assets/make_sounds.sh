#!/usr/bin/env bash
# Synthesises every Fleetwing sound with SoX and encodes it to MP3 under ASSETS_DIR/sounds, then
# writes their table for ASSETS.md.
# Usage: make_sounds.sh ASSETS_DIR TABLE_FILE
# Repeatable output: -R seeds SoX's noise and pluck generators with a fixed number, -D turns
# dithering off, and the MP3 writer adds no tag, so reruns give identical bytes.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: make_sounds.sh ASSETS_DIR TABLE_FILE" >&2
    exit 2
fi
assets=$1
table=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

RATE=44100
sx() { sox -R -D -V1 "$@"; }

# note OUT TYPE FREQ LENGTH START [EXTRA EFFECTS...]
# One tone with a quick attack and a logarithmic decay over its whole length, placed START
# seconds into the sound. The low-pass takes the edge off the raw waveforms' upper harmonics.
note() {
    local out=$1 type=$2 freq=$3 len=$4 start=$5
    shift 5
    sx -r $RATE -c 1 -n -e floating-point -b 32 "$work/$out.wav" synth "$len" "$type" "$freq" \
        fade l 0.006 "$len" "$len" lowpass 6000 "$@" pad "$start"
}

# noise OUT COLOUR LENGTH START [EXTRA EFFECTS...]
noise() {
    local out=$1 colour=$2 len=$3 start=$4
    shift 4
    sx -r $RATE -c 1 -n -e floating-point -b 32 "$work/$out.wav" synth "$len" "$colour" "$@" \
        pad "$start"
}

# sweep OUT TYPE FROM-TO LENGTH START [EXTRA EFFECTS...]  (exponential sweep)
sweep() {
    local out=$1 type=$2 range=$3 len=$4 start=$5
    shift 5
    sx -r $RATE -c 1 -n -e floating-point -b 32 "$work/$out.wav" synth "$len" "$type" "$range" \
        "$@" pad "$start"
}

# finish NAME PEAK-DB PART... : mix the parts, normalise the peak, encode MP3.
finish() {
    local name=$1 peak=$2
    shift 2
    local inputs=() mixed="$work/mix-${1}.wav"
    for p in "$@"; do inputs+=("$work/$p.wav"); done
    if [ ${#inputs[@]} -gt 1 ]; then
        sx -m "${inputs[@]}" -e floating-point -b 32 "$mixed"
    else
        cp "${inputs[0]}" "$mixed"
    fi
    mkdir -p "$(dirname "$assets/$name.mp3")"
    sx "$mixed" -C 96 "$assets/$name.mp3" gain -n "$peak"
}

rows=()
describe() {
    local secs
    secs=$(printf "%.2f" "$(sox --i -D "$assets/$1.mp3")")
    rows+=("| \`$1.mp3\` | $secs s | $2 |")
}

# Button press: a short soft pluck with a bright tick on top.
note menu_a pluck E6 0.16 0
note menu_b sine C7 0.05 0
finish sounds/sfx/menu -6 menu_a menu_b
describe sounds/sfx/menu "Button click: soft pluck and tick"

# Refusal (a locked level): two short low buzzes, the second a step lower, like "uh-uh".
note refuse_1 square A2 0.11 0.00 lowpass 900
note refuse_2 square F2 0.16 0.14 lowpass 800
note refuse_3 sine A3 0.11 0.00
finish sounds/sfx/refuse -8 refuse_1 refuse_2 refuse_3
describe sounds/sfx/refuse "Refusal: two short low buzzes, the second lower (a locked level)"

# Win: a rising major arpeggio that settles on a bell chord.
note win_1 triangle C5 0.35 0.00
note win_2 triangle E5 0.35 0.11
note win_3 triangle G5 0.35 0.22
note win_4 triangle C6 1.20 0.33
note win_5 sine E6 1.10 0.36
note win_6 sine G6 1.00 0.40
note win_7 pluck C5 1.20 0.33
finish sounds/sfx/win -3 win_1 win_2 win_3 win_4 win_5 win_6 win_7
describe sounds/sfx/win "Level won: rising C major arpeggio into a bell chord"

# Lose: three falling soft notes, the last one wobbling.
note lose_1 triangle G4 0.30 0.00 lowpass 1800
note lose_2 triangle D#4 0.30 0.22 lowpass 1800
note lose_3 triangle C4 0.90 0.44 tremolo 6 35 lowpass 1500
note lose_4 sine C3 0.90 0.44
finish sounds/sfx/lose -3 lose_1 lose_2 lose_3 lose_4
describe sounds/sfx/lose "Level lost: three falling notes, the last one wobbling"

# Wind: a breathy gust, band-limited pink noise swelling and fading.
noise wind_a pinknoise 0.75 0 highpass 250 lowpass 2600 fade h 0.22 0.75 0.45
noise wind_b brownnoise 0.75 0 lowpass 700 fade h 0.3 0.75 0.4
finish sounds/sfx/wind -11 wind_a wind_b
describe sounds/sfx/wind "Fan starts blowing: a soft gust of filtered noise"

# Wind loop: steady breathy noise under a slow swell that is lowest at both ends, so the seam
# of the loop falls in a lull. Played looping while the fan blows.
noise windloop_a pinknoise 2.4 0 highpass 250 lowpass 2400 fade h 0.9 2.4 0.9
noise windloop_b brownnoise 2.4 0 lowpass 650 fade t 0.12 2.4 0.12
noise windloop_c pinknoise 2.4 0 highpass 400 lowpass 1400 vol 0.5 fade t 0.12 2.4 0.12
finish sounds/sfx/windloop -12 windloop_a windloop_b windloop_c
describe sounds/sfx/windloop "Fan blowing, looped: steady filtered noise swelling once a loop"

# Hazard fan: a low motor hum with a soft whirr of air, pulsing once a loop like turning blades.
note fanhum_1 sine 98 1.2 0 fade t 0.15 1.2 0.15 tremolo 12 30
note fanhum_2 triangle 196 1.2 0 lowpass 900 vol 0.4 fade t 0.15 1.2 0.15 tremolo 12 30
noise fanhum_3 pinknoise 1.2 0 highpass 300 lowpass 1800 vol 0.5 fade t 0.15 1.2 0.15
finish sounds/sfx/fanhum -10 fanhum_1 fanhum_2 fanhum_3
describe sounds/sfx/fanhum "Hazard fan, looped: low motor hum and whirring air"

# Star: two quick high bell notes and a sparkle.
note star_1 sine B5 0.25 0.00
note star_2 sine E6 0.40 0.07
note star_3 sine E7 0.30 0.07
note star_4 triangle B6 0.20 0.12
finish sounds/sfx/pickstar -4 star_1 star_2 star_3 star_4
describe sounds/sfx/pickstar "Star picked: two bright bell notes"

# Checkpoint: a friendly rising fourth with a plucked echo.
note cp_1 triangle G5 0.30 0.00
note cp_2 triangle C6 0.55 0.12
note cp_3 pluck C6 0.55 0.12
note cp_4 sine G6 0.45 0.14
finish sounds/sfx/checkpoint -4 cp_1 cp_2 cp_3 cp_4
describe sounds/sfx/checkpoint "Checkpoint touched: rising two-note chime"

# Back to the checkpoint: a warbling swoop down and back up, like a quick rewind.
sweep back_1 sine 1400/300 0.30 0.00 fade t 0.01 0.30 0.05 tremolo 18 40
sweep back_2 sine 300/900 0.35 0.28 fade t 0.02 0.35 0.2 tremolo 18 40
note back_3 triangle G5 0.30 0.58
finish sounds/sfx/gotocheckpoint -9 back_1 back_2 back_3
describe sounds/sfx/gotocheckpoint "Rescued to the checkpoint: warbling swoop down and up"

# Crash: a low thump under a rumbling noise burst.
sweep boom_1 sine 110/35 0.60 0 fade l 0.004 0.60 0.55
noise boom_2 brownnoise 0.90 0 lowpass 500 fade l 0.01 0.90 0.85
noise boom_3 whitenoise 0.25 0 lowpass 3000 fade l 0.002 0.25 0.24
finish sounds/sfx/boom -2 boom_1 boom_2 boom_3
describe sounds/sfx/boom "Crash: low thump with a noise rumble"

# Cannon shot: a short punchy thump with a crack.
sweep shot_1 sine 160/45 0.30 0 fade l 0.003 0.30 0.28
noise shot_2 whitenoise 0.12 0 highpass 800 lowpass 5000 fade l 0.001 0.12 0.11
noise shot_3 brownnoise 0.35 0 lowpass 400 fade l 0.005 0.35 0.33
finish sounds/sfx/cannonshoot -4 shot_1 shot_2 shot_3
describe sounds/sfx/cannonshoot "Cannon fires: short thump and crack"

# music NAME BAR PAD-TYPE PAD-LOWPASS ARP-TYPE ARP-NOTES ARP-LENGTH ARP-LOWPASS REVERB PEAK-DB
#       CHORD1..CHORD4 ARPS1..ARPS4
# A loop of four bars of BAR seconds: a pad chord that swells in and out in every bar (so the
# loop seam is quiet) and an arpeggio of evenly spaced notes over it, in a little reverb.
music() {
    local name=$1 bar=$2 padtype=$3 padlp=$4 arptype=$5 arpnotes=$6 arplen=$7 arplp=$8 \
        reverb=$9 peak=${10}
    shift 10
    local chords=("$1" "$2" "$3" "$4") arps=("$5" "$6" "$7" "$8")
    local step parts=() i j k n start t
    step=$(awk -v b="$bar" -v n="$arpnotes" 'BEGIN { print b / n }')
    for i in 0 1 2 3; do
        start=$(awk -v b="$bar" -v i="$i" 'BEGIN { print b * i }')
        j=0
        for n in ${chords[$i]}; do
            sx -r $RATE -c 1 -n -e floating-point -b 32 "$work/pad_${i}_$j.wav" \
                synth "$bar" "$padtype" "$n" lowpass "$padlp" fade q 0.9 "$bar" 1.3 vol 0.5 \
                pad "$start"
            parts+=("pad_${i}_$j")
            j=$((j + 1))
        done
        k=0
        for n in ${arps[$i]}; do
            t=$(awk -v s="$start" -v k="$k" -v d="$step" 'BEGIN { print s + k * d }')
            sx -r $RATE -c 1 -n -e floating-point -b 32 "$work/arp_${i}_$k.wav" \
                synth "$arplen" "$arptype" "$n" fade l 0.005 "$arplen" \
                "$(awk -v l="$arplen" 'BEGIN { print l - 0.05 }')" lowpass "$arplp" vol 0.35 \
                pad "$t"
            parts+=("arp_${i}_$k")
            k=$((k + 1))
        done
    done
    local inputs=() length
    length=$(awk -v b="$bar" 'BEGIN { print 4 * b }')
    for p in "${parts[@]}"; do inputs+=("$work/$p.wav"); done
    sx -m "${inputs[@]}" -e floating-point -b 32 "$work/music-dry.wav" trim 0 "$length"
    sx "$work/music-dry.wav" -e floating-point -b 32 "$work/music-wet.wav" reverb "$reverb" 50 60 \
        trim 0 "$length"
    mkdir -p "$assets/sounds/music"
    sx "$work/music-wet.wav" -C 96 "$assets/sounds/music/$name.mp3" gain -n "$peak"
    rm -f "$work"/pad_*.wav "$work"/arp_*.wav
}

# Menu music: four soft pad chords (C, A minor, F, G) of 4 s each with a gentle plucked
# arpeggio.
music menu 4 triangle 1200 pluck 8 0.9 3500 40 -9 \
    "C4 E4 G4 C3" "A3 C4 E4 A2" "F3 A3 C4 F2" "G3 B3 D4 G2" \
    "C5 E5 G5 E5 C5 G4 E5 G5" "A4 C5 E5 C5 A4 E4 C5 E5" \
    "F4 A4 C5 A4 F4 C4 A4 C5" "G4 B4 D5 B4 G4 D4 B4 D5"
describe sounds/music/menu \
    "Menu music loop: soft pad chords C, Am, F, G with a plucked arpeggio (play it looping)"

# One track per level sky, each its own key and pace, so a level's mood changes with its light.
music sky1 3 triangle 1400 pluck 8 0.7 4000 35 -10 \
    "G3 B3 D4 G2" "C4 E4 G4 C3" "E3 G3 B3 E2" "D4 F#4 A4 D3" \
    "G4 B4 D5 B4 G4 D5 B4 D5" "C5 E5 G5 E5 C5 G4 E5 G5" \
    "E4 G4 B4 G4 E4 B4 G4 B4" "D5 F#5 A5 F#5 D5 A4 F#5 A4"
describe sounds/music/sky1 "Level music, day sky: G, C, Em, D with a plucked arpeggio (looping)"

music sky2 2.5 triangle 2000 triangle 10 0.22 5000 30 -10 \
    "D4 F#4 A4 D3" "G3 B3 D4 G2" "B3 D4 F#4 B2" "A3 C#4 E4 A2" \
    "D5 F#5 A5 D6 A5 F#5 D5 A4 D5 F#5" "G5 B5 D6 B5 G5 D5 B4 D5 G5 B5" \
    "B4 D5 F#5 B5 F#5 D5 B4 F#4 B4 D5" "A4 C#5 E5 A5 E5 C#5 A4 E4 C#5 E5"
describe sounds/music/sky2 \
    "Level music, bright day: quick bouncing arpeggio over D, G, Bm, A (looping)"

music sky3 4 sine 900 pluck 6 1.2 2600 60 -10 \
    "A#3 D4 F4 A#2" "F3 A3 C4 F2" "G3 A#3 D4 G2" "C4 E4 G4 C3" \
    "A#4 D5 F5 D5 A#4 F4" "A4 C5 F5 C5 A4 F4" "G4 A#4 D5 A#4 G4 D4" "G4 C5 E5 C5 G4 E4"
describe sounds/music/sky3 "Level music, sunset: warm slow pads Bb, F, Gm, C with a soft pluck (looping)"

music sky4 4 sine 800 sine 4 1.6 3000 80 -11 \
    "A3 C4 E4 A2" "F3 A3 C4 F2" "D3 F3 A3 D2" "E3 G#3 B3 E2" \
    "E5 A5 C6 B5" "C5 F5 A5 G5" "D5 F5 A5 F5" "B4 E5 G#5 E5"
describe sounds/music/sky4 "Level music, night: low pads Am, F, Dm, E under slow bell notes (looping)"

{
    echo "| File | Length | What it sounds like |"
    echo "|---|---|---|"
    printf '%s\n' "${rows[@]}"
} >"$table"
