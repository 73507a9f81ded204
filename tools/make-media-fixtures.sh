#!/usr/bin/env bash
# Makes the small media fixtures of the media tests from FFmpeg's lavfi test sources; writes the
# MIDI files byte by byte itself. Run from anywhere; the outputs are committed.
#
# Every format the era's games ship is covered except Indeo video: FFmpeg decodes Indeo 3/4/5
# but has no encoder for it, so no Indeo fixture can be made here.
set -euo pipefail

OUT="${1:-$(cd "$(dirname "$0")/.." && pwd)/tests/media/fixtures}"
mkdir -p "$OUT"
cd "$OUT"

ff() { ffmpeg -hide_banner -loglevel error -nostdin -y "$@"; }

# A 441 Hz tone (ten whole periods per 1/44.1 s) at half of full scale: the amplitude tests know
# exactly what the file holds. 0.5 s long.
TONE="aevalsrc=0.5*sin(2*PI*441*t):s=22050:d=0.5"

# Sounds.
ff -f lavfi -i "$TONE" -ac 1 -c:a pcm_s16le tone.wav
ff -f lavfi -i "$TONE" -ar 11025 -ac 1 -c:a adpcm_ms tone-adpcm-ms.wav
ff -f lavfi -i "$TONE" -ar 11025 -ac 1 -c:a adpcm_ima_wav tone-adpcm-ima.wav
ff -f lavfi -i "$TONE" -ac 1 -c:a libmp3lame -b:a 32k tone.mp3
ff -f lavfi -i "$TONE" -ac 1 -c:a wmav2 -b:a 32k -f asf tone.wma
ff -f lavfi -i "$TONE" -ac 1 -c:a libvorbis -q:a 0 tone.ogg
ff -f lavfi -i "$TONE" -ar 8000 -ac 1 -c:a pcm_mulaw -f au tone.au
# The same sound under the extensions the sound channels tell apart by name.
cp tone.au tone.snd
cp tone.wma tone.wm
# A 0.1 s tone for loop tests: short, so many passes stay cheap.
ff -f lavfi -i "aevalsrc=0.5*sin(2*PI*441*t):s=22050:d=0.1" -ac 1 -c:a pcm_s16le short.wav

# Videos: FFmpeg's test pattern with a tone, 1 s at small sizes.
VID="testsrc=size=96x64:rate=25:duration=1"
AUD="sine=frequency=441:sample_rate=22050:duration=1"
ff -f lavfi -i "$VID" -f lavfi -i "$AUD" -c:v mpeg1video -q:v 12 -c:a mp2 -b:a 32k -ac 1 \
  -f mpeg clip-mpeg1.mpg
ff -f lavfi -i "$VID" -f lavfi -i "$AUD" -c:v mpeg2video -q:v 12 -c:a mp2 -b:a 32k -ac 1 \
  -f vob clip-mpeg2.mpg
ff -f lavfi -i "testsrc=size=96x64:rate=10:duration=1" -f lavfi -i "$AUD" -c:v cinepak \
  -c:a pcm_u8 -ar 11025 -ac 1 clip-cinepak.avi
ff -f lavfi -i "testsrc=size=96x64:rate=10:duration=1" -f lavfi -i "$AUD" -c:v msvideo1 \
  -c:a adpcm_ms -ar 11025 -ac 1 clip-msvideo1.avi
ff -f lavfi -i "$VID" -f lavfi -i "$AUD" -c:v wmv2 -q:v 12 -c:a wmav2 -b:a 32k -ac 1 clip.wmv
ff -f lavfi -i "$VID" -f lavfi -i "$AUD" -c:v wmv1 -q:v 12 -c:a wmav1 -b:a 32k -ac 1 \
  -f asf clip.asf
# A silent video (no sound track): its pictures keep time by the clock alone.
ff -f lavfi -i "testsrc=size=64x48:rate=25:duration=1" -c:v mpeg1video -q:v 12 -f mpeg silent.mpg
# An animated GIF of four frames, 100 ms each.
ff -f lavfi -i "testsrc=size=32x24:rate=10:duration=0.4" -loop 0 animated.gif

# Damaged files: cut short, overwritten in the middle, or not media at all.
head -c 600 clip-mpeg1.mpg > damaged-truncated.mpg
head -c 300 tone.mp3 > damaged-truncated.mp3
head -c 60 tone.wav > damaged-header-only.wav
cp clip-cinepak.avi damaged-garbled.avi
# Overwrites bytes 2000..3999 with a fixed pattern, so the file is the same on every run.
printf 'QUILLORA%.0s' {1..250} | dd of=damaged-garbled.avi bs=1 seek=2000 conv=notrunc status=none
printf 'This is not a sound file at all.\r\n' > damaged-text.wav

# MIDI: a type-0 file of one track, 480 ticks a quarter note at 120 beats a minute (0.5 s a
# beat): program 0, then C4, E4, G4 held a quarter note each; then end of track.
midi_track() {
  # delta, event ... ; program change, three notes, end of track
  printf '\x00\xC0\x00'
  printf '\x00\x90\x3C\x64' ; printf '\x83\x60\x80\x3C\x40'
  printf '\x00\x90\x40\x64' ; printf '\x83\x60\x80\x40\x40'
  printf '\x00\x90\x43\x64' ; printf '\x83\x60\x80\x43\x40'
  printf '\x00\xFF\x2F\x00'
}
midi_file() {
  local track
  track="$(midi_track | od -An -v -tx1 | tr -d ' \n')"
  local length=$(( ${#track} / 2 ))
  printf 'MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0'
  printf 'MTrk'
  printf "$(printf '\\x%02X\\x%02X\\x%02X\\x%02X' $((length >> 24 & 255)) $((length >> 16 & 255)) \
    $((length >> 8 & 255)) $((length & 255)))"
  midi_track
}
midi_file > tune.mid
# The same tune a second time, to tell two MIDI files apart.
cp tune.mid tune2.mid
# An RMI file: the MIDI data inside a RIFF "RMID" form, chunk "data".
le32() { printf "$(printf '\\x%02X\\x%02X\\x%02X\\x%02X' $(($1 & 255)) $(($1 >> 8 & 255)) \
  $(($1 >> 16 & 255)) $(($1 >> 24 & 255)))"; }
midsize=$(stat -c %s tune.mid)
{
  printf 'RIFF'; le32 $((4 + 8 + midsize + (midsize & 1)))
  printf 'RMIDdata'; le32 "$midsize"
  cat tune.mid
  [ $((midsize & 1)) -eq 1 ] && printf '\x00'
  true
} > tune.rmi
head -c 20 tune.mid > damaged-truncated.mid

ls -l "$OUT" | awk 'NR > 1 { total += $5; print $5, $9 } END { print total, "bytes in all" }'
