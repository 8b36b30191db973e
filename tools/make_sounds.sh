#!/usr/bin/env bash
# Makes the demo sounds under <assets>/Audio: music in BGM, effects and the "Default" fallback in SFX, voice-over
# lines in Voiceovers, in each of the formats the engine reads (WAV, OGG/Vorbis, FLAC). sox -R keeps every run's
# bytes the same. Every sound the game's scripts and levels play by name is here.
set -euo pipefail
out="$1/Audio"
mkdir -p "$out/BGM" "$out/SFX" "$out/Voiceovers"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sx() { sox -R -q "$@"; }

# The many short files are made side by side; each one's status is still checked.
pids=()
later() {
  "$@" &
  pids+=($!)
}

# Joins plucked notes of the given length into one file, with a tail of reverb.
melody() {
  local target=$1 length=$2
  shift 2
  local parts=() index=0
  for note in "$@"; do
    local part="$work/${target##*/}-$index.wav"
    sx -n -r 44100 -c 2 "$part" synth "$length" pluck "$note" fade 0 "$length" 0.2
    parts+=("$part")
    index=$((index + 1))
  done
  sx "${parts[@]}" "$target" reverb 40 norm -4
}

# The splash level's looping music: four bars of arpeggios.
later melody "$out/BGM/bgm_splash.ogg" 0.4 A3 C4 E4 A4 F3 A3 C4 F4 C3 E3 G3 C4 G3 B3 D4 G4
later melody "$out/BGM/bgm_respawn.flac" 0.25 C4 E4 G4 C5
later melody "$out/BGM/bgm_truedeath.wav" 0.5 A4 F4 D4 A3
# The game's music: the menu, the tomb, the boss, the credits and the in-level cutscenes.
later melody "$out/BGM/bgm_menu.ogg" 0.3 E4 G4 B4 E5 D4 F4 A4 D5 C4 E4 G4 C5 B3 D4 F4 B4
later melody "$out/BGM/bgm_tomb.ogg" 0.5 D3 F3 A3 D4 C3 E3 G3 C4 A2 C3 E3 A3 D3 F3 A3 D4
later melody "$out/BGM/bgm_boss.ogg" 0.2 E3 E3 G3 E3 A3 E3 B3 A3 E3 E3 G3 E3 C4 B3 A3 G3
later melody "$out/BGM/bgm_credits.ogg" 0.4 C4 E4 G4 C5 A3 C4 E4 A4 F3 A3 C4 F4 G3 B3 D4 G4
later melody "$out/BGM/CutScene_BGM.ogg" 0.6 A3 E4 A4 C5 G3 D4 G4 B4

sx -n -r 44100 -c 1 "$out/SFX/Default.wav" synth 0.15 sine 880 fade 0 0.15 0.05 gain -6
sx -n -r 44100 -c 1 "$out/SFX/sfx_MenuButtonClick.wav" synth 0.05 square 1200 fade 0 0.05 0.04 gain -12
sx -n -r 44100 -c 1 "$out/SFX/sfx_MenuButtonRollOver.wav" synth 0.08 sine 660 fade 0 0.08 0.06 gain -9
sx -n -r 44100 -c 1 "$out/SFX/sfx_ItemPickUp.flac" synth 0.3 sine 600-1200 fade 0 0.3 0.1 gain -6
sx -n -r 44100 -c 1 "$out/SFX/sfx_jump.ogg" synth 0.25 sine 200-500 fade 0 0.25 0.1 gain -6
# Stereo on purpose: effects are placed, so it is mixed down to mono when loaded.
sx -n -r 44100 -c 2 "$out/SFX/sfx_CheckPointSound.wav" synth 0.6 sine 523 sine 659 fade 0 0.6 0.3 gain -9

# The splash level's sparks: a soft crackle that loops where the emitter is.
sx -n -r 44100 -c 1 "$out/SFX/sfx_Sparks.wav" synth 2 pinknoise lowpass 3000 tremolo 9 80 fade 0.02 2 0.02 gain -18

# effect <name> <seconds> <synth arguments...>: a short mono effect that fades out over its last third.
effect() {
  local name=$1 length=$2
  shift 2
  later sx -n -r 22050 -c 1 "$out/SFX/$name.ogg" synth "$length" "$@" fade 0 "$length" \
    "$(awk "BEGIN { print $length / 3 }")" norm -8
}
effect sfx_PauseMenuPopUp 0.15 sine 440-880
effect sfx_footsteps 0.3 brownnoise tremolo 7 90
effect sfx_dash 0.2 sine 900-1400
effect sfx_PlayerDash_3 0.2 pinknoise highpass 1500
effect sfx_PlayerAttackSound_1 0.15 pinknoise bandpass 1200 300
effect sfx_PlayerAttackSound_2 0.15 pinknoise bandpass 1600 300
effect sfx_PlayerAttackSound_3 0.2 pinknoise bandpass 900 300
effect sfx_PlayerHurt 0.3 sawtooth 300-120
effect sfx_TurretAttack 0.25 sine 1500-600
effect sfx_chargerSpawn 0.4 sawtooth 80-200
effect sfx_dooropen 0.8 brownnoise lowpass 400
effect sfx_DoorCrumble 1.0 brownnoise lowpass 300 tremolo 12 80
effect sfx_doorbreak 0.6 brownnoise lowpass 600
effect sfx_melt 0.6 pinknoise lowpass 2000 tremolo 20 60
effect sfx_icedeath 0.4 sine 2000-800
effect sfx_firedeath 0.4 pinknoise lowpass 900
effect sfx_fire 0.8 brownnoise lowpass 1500 tremolo 15 70
effect sfx_BombTicking 0.08 square 1800
effect sfx_construction 1.5 brownnoise lowpass 500 tremolo 4 60
effect sfx_BoxHit 0.12 brownnoise lowpass 800
effect sfx_BoxBreak 0.4 brownnoise lowpass 1200
effect sfx_GroundShake 0.8 brownnoise lowpass 200 tremolo 10 90
effect sfx_GroundBreaking 0.6 brownnoise lowpass 500
effect sfx_BossCharging 1.0 sawtooth 60-240
effect sfx_BossChargeAttack 0.6 sawtooth 240-40
effect sfx_BossAttack 0.3 square 400-200
effect sfx_SetScream 1.0 sawtooth 500-200 tremolo 8 50
effect sfx_SpellBreak 0.5 sine 1200-300
effect sfx_pylonHit 0.2 square 300
effect sfx_pylonHitWithShield 0.2 sine 1800
effect sfx_pylonBreak 0.7 brownnoise lowpass 900
effect sfx_ThrowEnemy 0.4 pinknoise highpass 800
effect sfx_drop 0.3 sine 400-100
effect sfx_CoffinDrop 0.6 brownnoise lowpass 250

# The 2D cutscenes' voice-over, one murmured line per panel: cutscene n, panel m.
for panels in "1 6" "2 5" "3 5" "4 4"; do
  set -- $panels
  for panel in $(seq 1 "$2"); do
    pitch=$((110 + 10 * $1 + 7 * panel))
    later sx -n -r 22050 -c 1 "$out/Voiceovers/CutScene_$1_Panel_$panel.ogg" synth 1.5 sawtooth "$pitch" \
      tremolo $((4 + panel)) 70 lowpass 900 fade 0.05 1.5 0.3 norm -6
  done
done

sx -n -r 22050 -c 1 "$out/Voiceovers/vo_welcome.ogg" synth 1.2 sawtooth 130 tremolo 5 70 lowpass 900 fade 0.05 1.2 0.2 norm -6
for pid in "${pids[@]}"; do
  wait "$pid"
done
