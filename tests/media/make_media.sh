#!/usr/bin/env bash
# Generates the test media (or, with --demo, the demo clips) into the given folder from ffmpeg's own
# sources. Files that already exist are kept, so a second run costs nothing.
#
# clip25.mp4 frames carry their number: a strip along the top (y 0-39) of 10 blocks, 32 px wide, block i
# white when bit i of the frame number is set, black otherwise; below it four flat quarters
# (red top left, green top right, blue bottom left, yellow bottom right, split at x 160 and y 140) and,
# where drawtext works, the number as text on a black box in the middle. clip25.ogv and clip25.mkv carry
# the same code, 8 s at 25 fps; vfr.mp4 too, for a 30 fps grid with every third frame left out, so its
# frames last 1/30 and 2/30 s in turn (about 20 fps on average).
set -euo pipefail
demo=0
if [ "${1:-}" = "--demo" ]; then demo=1; shift; fi
out="${1:?usage: make_media.sh [--demo] OUTDIR}"
mkdir -p "$out"

ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
x264=(-c:v libx264 -preset ultrafast -pix_fmt yuv420p)

# Writes through a temporary name so an interrupted run leaves no half file behind for the cache.
make() {
  local name="$1"; shift
  [ -e "$out/$name" ] && return 0
  local tmp="$out/.tmp.$name"
  "$@" "$tmp"
  mv "$tmp" "$out/$name"
}

font=""
for f in /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf; do
  if [ -r "$f" ]; then font="$f"; break; fi
done

frame_code_filter() {
  local chain="drawbox=x=0:y=40:w=160:h=100:c=red:t=fill"
  chain+=",drawbox=x=160:y=40:w=160:h=100:c=lime:t=fill"
  chain+=",drawbox=x=0:y=140:w=160:h=100:c=blue:t=fill"
  chain+=",drawbox=x=160:y=140:w=160:h=100:c=yellow:t=fill"
  local i
  for i in 0 1 2 3 4 5 6 7 8 9; do
    chain+=",drawbox=x=$((i * 32)):y=0:w=32:h=40:c=white:t=fill:enable='mod(floor(n/$((1 << i))),2)'"
  done
  if [ -n "$font" ] && ff -f lavfi -i color=c=black:s=64x32:d=0.04 \
      -vf "drawtext=fontfile=$font:text='%{frame_num}'" -f null - 2>/dev/null; then
    chain+=",drawtext=fontfile=$font:text='%{frame_num}':fontsize=22:fontcolor=white"
    chain+=":box=1:boxcolor=black:boxborderw=4:x=(w-text_w)/2:y=140-text_h/2"
  fi
  printf '%s' "$chain"
}

clip25() {
  ff -f lavfi -i "color=c=black:s=320x240:r=25:d=10,$(frame_code_filter)" \
     -f lavfi -i sine=frequency=440:sample_rate=48000:duration=10 \
     "${x264[@]}" -g 25 -c:a aac -b:a 64k -t 10 -f mp4 "$1"
}

# Ogg Theora declares no frame rate that mpv reports: the rate has to come from the decoded frames.
clip25ogv() {
  ff -f lavfi -i "color=c=black:s=320x240:r=25:d=8,$(frame_code_filter)" -c:v libtheora -q:v 6 -g 25 -f ogg "$1"
}

# One Theora frame: no rate declared and none to measure.
still() {
  ff -f lavfi -i "color=c=red:s=320x240:r=25:d=0.04" -frames:v 1 -c:v libtheora -f ogg "$1"
}

clip25mkv() {
  ff -f lavfi -i "color=c=black:s=320x240:r=25:d=8,$(frame_code_filter)" "${x264[@]}" -g 25 -f matroska "$1"
}

vfr() {
  ff -f lavfi -i "color=c=black:s=320x240:r=30:d=12,select='not(eq(mod(n\,3)\,2))',$(frame_code_filter)" \
     -fps_mode vfr "${x264[@]}" -g 30 -f mp4 "$1"
}

clip23976() {
  ff -f lavfi -i testsrc=size=320x240:rate=24000/1001:duration=5.005 \
     -f lavfi -i sine=frequency=660:sample_rate=44100:duration=5.005 \
     -frames:v 120 -c:v mpeg4 -q:v 5 -c:a libmp3lame -b:a 96k -shortest -f avi "$1"
}

hd1080() {
  ff -f lavfi -i testsrc2=size=1920x1080:rate=25:duration=20 \
     -f lavfi -i sine=frequency=550:sample_rate=48000:duration=20 \
     "${x264[@]}" -c:a aac -b:a 96k -t 20 -f mp4 "$1"
}

audio10() {
  ff -f lavfi -i sine=frequency=880:sample_rate=44100:duration=10 -c:a pcm_s16le -f wav "$1"
}

notvideo() {
  printf 'This is a text file with a movie name.\nIt holds no audio or video.\n' > "$1"
}

# The first 16 KiB of clip25.mp4: the index sits at the end of the file, so what is left cannot play.
truncated() {
  head -c 16384 "$out/clip25.mp4" > "$1"
}

demo_clip() {
  ff -f lavfi -i testsrc2=size=640x360:rate=25:duration=30 \
     -f lavfi -i sine=frequency=440:sample_rate=48000:duration=30 \
     "${x264[@]}" -c:a aac -b:a 96k -t 30 -f mp4 "$1"
}

demo_audio() {
  ff -f lavfi -i sine=frequency=330:sample_rate=44100:duration=30 -c:a libmp3lame -b:a 128k -f mp3 "$1"
}

if [ "$demo" = 1 ]; then
  make demo.mp4 demo_clip
  make demo-audio.mp3 demo_audio
else
  make clip25.mp4 clip25
  make clip23976.avi clip23976
  make clip25.ogv clip25ogv
  make clip25.mkv clip25mkv
  make still.ogv still
  make vfr.mp4 vfr
  make hd1080.mp4 hd1080
  make audio10.wav audio10
  make notvideo.avi notvideo
  make truncated.mp4 truncated
fi
