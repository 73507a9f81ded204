#!/usr/bin/env bash
# Makes the demo game's music, sounds, videos and animated picture from FFmpeg's lavfi sources;
# writes the MIDI theme note by note itself. Run after make-demo; the outputs are committed.
#   tools/demo/make-demo-media.sh [DEMO_DIR]
set -euo pipefail

DEMO="${1:-$(cd "$(dirname "$0")/../.." && pwd)/demo}"
AREAS="$DEMO/Areas"
FRAMES="$DEMO/Frames"
mkdir -p "$AREAS" "$FRAMES"

ff() { ffmpeg -hide_banner -loglevel error -nostdin -y "$@"; }

# Music for the shore (Ogg Vorbis): pink noise, low-passed, swelling like waves. Its loop point
# falls silent for a moment, so it loops without a click. Levels: music is made to play about
# 6 dB under the sound effects in the game (see the README's demo section for the figures).
ff -f lavfi -i "anoisesrc=color=pink:amplitude=0.6:sample_rate=22050:duration=8" \
  -af "lowpass=f=900,volume='1.1+0.6*sin(2*PI*t/4)':eval=frame,afade=t=in:d=0.05,afade=t=out:st=7.95:d=0.05" \
  -ac 1 -c:a libvorbis -q:a 0 "$AREAS/waves.ogg"
# Music inside the lighthouse (MP3): two low tones beating against each other.
ff -f lavfi -i "aevalsrc=0.25*sin(2*PI*110*t)+0.2*sin(2*PI*110.7*t)+0.1*sin(2*PI*220*t):s=22050:d=8" \
  -ac 1 -c:a libmp3lame -b:a 24k "$AREAS/drone.mp3"

# Sound effects, in the formats of the era.
ff -f lavfi -i "aevalsrc=0.5*sin(2*PI*(180+120*t)*t)*exp(-2*t)*(1+0.5*sin(2*PI*30*t)):s=11025:d=1.0" \
  -ac 1 -c:a pcm_s16le "$FRAMES/creak.wav"
ff -f lavfi -i "aevalsrc=0.4*sin(2*PI*(1400-900*t)*t)*exp(-6*t)+0.3*sin(2*PI*(1800-1200*t)*t)*exp(-6*(t-0.25))*gt(t\,0.25):s=22050:d=0.6" \
  -ac 1 -c:a adpcm_ms "$FRAMES/squawk.wav"
ff -f lavfi -i "aevalsrc=0.4*sin(2*PI*1318*t)*exp(-5*t)+0.3*sin(2*PI*1975*t)*exp(-5*(t-0.12))*gt(t\,0.12):s=22050:d=0.7" \
  -ac 1 -c:a pcm_s16le "$FRAMES/chime.wav"
ff -f lavfi -i "anoisesrc=color=white:amplitude=0.8:sample_rate=11025:duration=0.8" \
  -af "highpass=f=500,lowpass=f=4000,afade=t=out:st=0.05:d=0.75" -ac 1 -c:a pcm_mulaw -f au "$FRAMES/splash.au"

# The cut-scene when the lamp is lit (AVI, Cinepak with PCM sound): a beam sweeping round a dark
# bay, with a rising chord.
ff -f lavfi -i "color=c=0x0A0E28:size=240x180:rate=12:duration=3,format=rgb24,geq=r='clip(10+230*pow(max(0\,cos(atan2(Y-70\,X-120)-T*2.4))\,12)*exp(-hypot(X-120\,Y-70)/160)+40*exp(-hypot(X-120\,Y-70)/12)\,0\,255)':g='clip(14+220*pow(max(0\,cos(atan2(Y-70\,X-120)-T*2.4))\,12)*exp(-hypot(X-120\,Y-70)/160)+40*exp(-hypot(X-120\,Y-70)/12)\,0\,255)':b='clip(40+150*pow(max(0\,cos(atan2(Y-70\,X-120)-T*2.4))\,12)*exp(-hypot(X-120\,Y-70)/160)\,0\,255)'" \
  -f lavfi -i "aevalsrc=0.2*sin(2*PI*262*t)+0.15*sin(2*PI*330*t)*gt(t\,0.8)+0.15*sin(2*PI*392*t)*gt(t\,1.6):s=11025:d=3" \
  -c:v cinepak -c:a pcm_u8 -ac 1 "$FRAMES/beam.avi"

# The lamp's flame in the lighthouse, a looping hotspot video (MPEG-1, no sound).
ff -f lavfi -i "color=c=0x3A3028:size=48x64:rate=25:duration=2,format=rgb24,geq=r='clip(58+200*exp(-(pow((X-24-3*sin(T*9+Y/7))/(9-Y/10)\,2)+pow((Y-38)/18\,2)))\,0\,255)':g='clip(48+150*exp(-(pow((X-24-3*sin(T*9+Y/7))/(8-Y/10)\,2)+pow((Y-40)/16\,2)))\,0\,255)':b='clip(40+40*exp(-(pow((X-24)/5\,2)+pow((Y-46)/8\,2)))\,0\,255)'" \
  -c:v mpeg1video -q:v 6 -f mpeg "$FRAMES/flame.mpg"

# A glint that sparkles in the sand (animated GIF): a four-pointed star that grows and shrinks,
# transparent around it (one palette entry kept for transparency, no dithering) so the sand
# shows through unspeckled.
K='max(1-min(1\,hypot(X-12\,Y-12)/(2+4*abs(sin(PI*T/1.2))))\,max(exp(-abs(X-12)*0.9-abs(Y-12)/(1+6*abs(sin(PI*T/1.2))))\,exp(-abs(Y-12)*0.9-abs(X-12)/(1+6*abs(sin(PI*T/1.2))))))'
ff -f lavfi -i "color=c=black:size=24x24:rate=10:duration=1.2,format=rgba,geq=r='255':g='250':b='clip(225+30*$K\,0\,255)':a='255*gt($K\,0.3)',split[a][b];[a]palettegen=reserve_transparent=1:max_colors=16[p];[b][p]paletteuse=dither=none:alpha_threshold=128" \
  -loop 0 "$AREAS/glint.gif"

# The title theme (MIDI): a sea shanty in D minor on a fiddle, doubled an octave lower by a cello,
# 120 beats a minute, both at full channel volume.
python3 - "$AREAS/theme.mid" <<'PY'
import struct, sys
notes = [(62,1),(65,1),(69,2),(67,1),(65,1),(64,2),(62,1),(64,1),(65,1),(67,1),(69,3),(0,1),
         (69,1),(72,1),(74,2),(72,1),(69,1),(67,2),(65,1),(64,1),(62,1),(61,1),(62,3),(0,1)]
def var(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, (n & 0x7F) | 0x80)
        n >>= 7
    return bytes(out)
# Violin on channel 1, cello on channel 2: programs, then channel volume 127.
track = bytes([0, 0xC0, 40, 0, 0xC1, 42, 0, 0xB0, 7, 127, 0, 0xB1, 7, 127])
rest = 0
for pitch, beats in notes:
    ticks = beats * 480
    if pitch == 0:
        rest += ticks
        continue
    track += var(rest) + bytes([0x90, pitch, 120]) + bytes([0, 0x91, pitch - 12, 110])
    track += var(ticks - 20) + bytes([0x80, pitch, 64]) + bytes([0, 0x81, pitch - 12, 64])
    rest = 20
track += var(rest) + b'\xFF\x2F\x00'
with open(sys.argv[1], 'wb') as f:
    f.write(b'MThd' + struct.pack('>IHHH', 6, 0, 1, 480) + b'MTrk' + struct.pack('>I', len(track)) + track)
PY

du -ch "$AREAS"/{waves.ogg,drone.mp3,glint.gif,theme.mid} "$FRAMES"/{creak.wav,squawk.wav,chime.wav,splash.au,beam.avi,flame.mpg} | tail -1
