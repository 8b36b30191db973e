#!/usr/bin/env bash
# Makes the demo sounds under <assets>/Audio: music in BGM, effects and the "Default" fallback in SFX, a voice-over
# line in Voiceovers, in each of the formats the engine reads (WAV, OGG/Vorbis, FLAC). sox -R keeps every run's
# bytes the same.
set -euo pipefail
out="$1/Audio"
mkdir -p "$out/BGM" "$out/SFX" "$out/Voiceovers"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sx() { sox -R -q "$@"; }

# Joins plucked notes of the given length into one file, with a tail of reverb.
melody() {
  local target=$1 length=$2
  shift 2
  local parts=() index=0
  for note in "$@"; do
    sx -n -r 44100 -c 2 "$work/note$index.wav" synth "$length" pluck "$note" fade 0 "$length" 0.2
    parts+=("$work/note$index.wav")
    index=$((index + 1))
  done
  sx "${parts[@]}" "$target" reverb 40 norm -4
}

# The splash level's looping music: four bars of arpeggios.
melody "$out/BGM/bgm_splash.ogg" 0.4 A3 C4 E4 A4 F3 A3 C4 F4 C3 E3 G3 C4 G3 B3 D4 G4
melody "$out/BGM/bgm_respawn.flac" 0.25 C4 E4 G4 C5
melody "$out/BGM/bgm_truedeath.wav" 0.5 A4 F4 D4 A3

sx -n -r 44100 -c 1 "$out/SFX/Default.wav" synth 0.15 sine 880 fade 0 0.15 0.05 gain -6
sx -n -r 44100 -c 1 "$out/SFX/sfx_MenuButtonClick.wav" synth 0.05 square 1200 fade 0 0.05 0.04 gain -12
sx -n -r 44100 -c 1 "$out/SFX/sfx_MenuButtonRollOver.wav" synth 0.08 sine 660 fade 0 0.08 0.06 gain -9
sx -n -r 44100 -c 1 "$out/SFX/sfx_ItemPickUp.flac" synth 0.3 sine 600-1200 fade 0 0.3 0.1 gain -6
sx -n -r 44100 -c 1 "$out/SFX/sfx_jump.ogg" synth 0.25 sine 200-500 fade 0 0.25 0.1 gain -6
# Stereo on purpose: effects are placed, so it is mixed down to mono when loaded.
sx -n -r 44100 -c 2 "$out/SFX/sfx_CheckPointSound.wav" synth 0.6 sine 523 sine 659 fade 0 0.6 0.3 gain -9

# The splash level's sparks: a soft crackle that loops where the emitter is.
sx -n -r 44100 -c 1 "$out/SFX/sfx_Sparks.wav" synth 2 pinknoise lowpass 3000 tremolo 9 80 fade 0.02 2 0.02 gain -18

sx -n -r 22050 -c 1 "$out/Voiceovers/vo_welcome.ogg" synth 1.2 sawtooth 130 tremolo 5 70 lowpass 900 fade 0.05 1.2 0.2 norm -6
