#!/usr/bin/env bash
# Generates the test media into the given folder from ffmpeg's own sources, or with --demo the demo
# disc beside the player: kelmora.ini (run by "vistrel AUTORUN"), the special's making.ini and the
# demo/ folder with the movie, a second language, two subtitle tracks and the special's movie. Files
# that already exist are kept, so a second run costs nothing.
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
out="${1:?usage: make_media.sh [--demo] OUTDIR (with --demo: the folder of the player)}"
mkdir -p "$out"

ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
x264=(-c:v libx264 -preset ultrafast -pix_fmt yuv420p)

# Writes through a temporary name so an interrupted run leaves no half file behind for the cache.
make() {
  local name="$1"; shift
  [ -e "$out/$name" ] && return 0
  local tmp; tmp="$(dirname "$out/$name")/.tmp.$(basename "$name")"
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

# Three minutes of the frame code: a movie is resumed more than a minute from either end, so one left at
# 1:30 needs to be longer than two and a half.
clip180() {
  ff -f lavfi -i "color=c=black:s=320x240:r=25:d=180,$(frame_code_filter)" "${x264[@]}" -g 25 -f mp4 "$1"
}

# The same three minutes in Matroska with AAC sound: the sound's encoder delay starts the frames about
# half a frame after the grid of the rate, as in many movies.
clip180mkv() {
  ff -f lavfi -i "color=c=black:s=320x240:r=25:d=180,$(frame_code_filter)" \
     -f lavfi -i sine=frequency=440:sample_rate=48000:duration=180 \
     "${x264[@]}" -g 25 -c:a aac -b:a 16k -f matroska "$1"
}

# The frame code with text tracks of its own. texttracks.mkv: English SubRip first, French ASS second and
# marked default; movtext.mp4: MP4 timed text; webvtt.mkv: WebVTT.
en_srt() {
  printf '1\n00:00:02,000 --> 00:00:03,000\n<i>English</i> one\n\n2\n00:00:04,000 --> 00:00:06,000\nEnglish two\n'
}
fr_ass() {
  cat <<'ASS'
[Script Info]
ScriptType: v4.00+

[V4+ Styles]
Format: Name, Fontname, Fontsize, PrimaryColour, Bold, Italic, Alignment, MarginL, MarginR, MarginV, Encoding
Style: Default,Arial,20,&H00FFFFFF,0,0,2,10,10,10,1

[Events]
Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text
Dialogue: 0,0:00:02.00,0:00:03.00,Default,,0,0,0,,{\i1}Français{\i0} un
Dialogue: 0,0:00:04.00,0:00:06.00,Default,,0,0,0,,Deux\Nlignes
ASS
}
en_vtt() { printf 'WEBVTT\n\n00:02.000 --> 00:03.000\n<b>Web</b> one &amp; all\n'; }

texttracks() {
  ff -f lavfi -i "color=c=black:s=320x240:r=25:d=8,$(frame_code_filter)" -i <(en_srt) -i <(fr_ass) \
     -map 0:v -map 1 -map 2 "${x264[@]}" -g 25 -c:s:0 srt -c:s:1 ass -metadata:s:s:0 language=eng \
     -metadata:s:s:1 language=fre -metadata:s:s:1 title=Français -disposition:s:0 0 -disposition:s:1 default \
     -f matroska "$1"
}
movtext() {
  ff -f lavfi -i "color=c=black:s=320x240:r=25:d=8,$(frame_code_filter)" -i <(en_srt) -map 0:v -map 1 \
     "${x264[@]}" -g 25 -c:s mov_text -metadata:s:s:0 language=eng -f mp4 "$1"
}
webvttmkv() {
  ff -f lavfi -i "color=c=black:s=320x240:r=25:d=8,$(frame_code_filter)" -f webvtt -i <(en_vtt) -map 0:v -map 1 \
     "${x264[@]}" -g 25 -c:s webvtt -f matroska "$1"
}

# The movie's own tracks: 12 s of the frame code with two sound tracks of different tones (English
# 440 Hz marked default, French 1000 Hz), two SubRip tracks (English marked default, French with a
# title), a VobSub picture track (a magenta box at x 40-139, y 170-209 from 0.5 s to 5.5 s, a cyan one at
# x 180-279 from 6 s to 11.5 s) and three chapters at 0, 4 and 8 s, the last without a title. The
# English track has a cue from 3 s to 9 s to seek into.
tracks_en() { printf '1\n00:00:00,500 --> 00:00:02,000\nOne\n\n2\n00:00:03,000 --> 00:00:09,000\nTwo long\n\n3\n00:00:10,000 --> 00:00:11,000\nThree\n'; }
tracks_fr() { printf '1\n00:00:01,000 --> 00:00:02,500\nUn\n\n2\n00:00:05,000 --> 00:00:07,000\nDeux\n'; }
tracks_chapters() {
  printf ';FFMETADATA1\n'
  printf '[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\nEND=4000\ntitle=Opening\n'
  printf '[CHAPTER]\nTIMEBASE=1/1000\nSTART=4000\nEND=8000\ntitle=Middle\n'
  printf '[CHAPTER]\nTIMEBASE=1/1000\nSTART=8000\nEND=12000\n'
}
tracks() {
  local pictures; pictures="$(mktemp -d)"
  "${VISTREL_MAKE_VOBSUB:?the VobSub generator, built by CMake}" "$pictures/pictures" 320x240 \
    500-5500:40,170,100,40:ff00ff 6000-11500:180,170,100,40:00ffff
  ff -f lavfi -i "color=c=black:s=320x240:r=25:d=12,$(frame_code_filter)" \
     -f lavfi -i sine=frequency=440:sample_rate=48000:duration=12 \
     -f lavfi -i sine=frequency=1000:sample_rate=48000:duration=12 \
     -i <(tracks_en) -i <(tracks_fr) -i "$pictures/pictures.idx" -f ffmetadata -i <(tracks_chapters) \
     -map 0:v -map 1:a -map 2:a -map 3 -map 4 -map 5 -map_chapters 6 \
     "${x264[@]}" -g 25 -c:a aac -b:a 32k -c:s:0 srt -c:s:1 srt -c:s:2 copy \
     -metadata:s:a:0 language=eng -metadata:s:a:1 language=fre \
     -metadata:s:s:0 language=eng -metadata:s:s:1 language=fre -metadata:s:s:1 title=Français \
     -metadata:s:s:2 language=eng -metadata:s:s:2 title=Pictures \
     -disposition:a:0 default -disposition:a:1 0 -disposition:s:0 default -disposition:s:1 0 -disposition:s:2 0 \
     -f matroska "$1"
  rm -rf "$pictures"
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

# Encoded as movies are (B-frames, CABAC): the engine benchmark sets drawing against its decoding.
hd720() {
  ff -f lavfi -i testsrc2=size=1280x720:rate=25:duration=12 \
     -f lavfi -i sine=frequency=550:sample_rate=48000:duration=12 \
     -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac -b:a 96k -t 12 -f mp4 "$1"
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

# The picture shows the movie's time, large, over ffmpeg's colour bars (which show it small where
# drawtext is missing).
timed_clip() {
  local source="$1" seconds="$2" tone="$3" label="$4" chain="$1"
  if [ -n "$font" ]; then
    chain+=",drawbox=x=150:y=110:w=340:h=140:c=black@0.6:t=fill"
    chain+=",drawtext=fontfile=$font:text='$label':fontsize=20:fontcolor=white:x=(w-text_w)/2:y=120"
    chain+=",drawtext=fontfile=$font:text='%{pts\:hms}':fontsize=44:fontcolor=white:x=(w-text_w)/2:y=150"
    chain+=",drawtext=fontfile=$font:text='frame %{frame_num}':fontsize=22:fontcolor=white:x=(w-text_w)/2:y=210"
  fi
  ff -f lavfi -i "$chain" -f lavfi -i "sine=frequency=$tone:beep_factor=2:sample_rate=48000:duration=$seconds" \
     "${x264[@]}" -c:a aac -b:a 96k -t "$seconds" -f mp4 "$5"
}

demo_movie() { timed_clip testsrc2=size=640x360:rate=25:duration=30 30 440 'VISTREL DEMO' "$1"; }
demo_making() { timed_clip smptebars=size=640x360:rate=25:duration=10 10 550 'MAKING OF' "$1"; }

demo_audio() {
  ff -f lavfi -i sine=frequency=330:beep_factor=4:sample_rate=44100:duration=30 -c:a libmp3lame -b:a 128k -f mp3 "$1"
}

# Text files with CR LF line ends, as the player's own formats have them.
crlf() { sed 's/$/\r/' > "$1"; }

demo_ini() {
  crlf "$1" <<'INI'
; The demo disc: run "vistrel AUTORUN" beside this file. Folders keep backslashes and names
; may differ in letter case from the files, as on discs mastered elsewhere.
[MAIN]
Title=Vistrel Demo
[MOVIE]
Directory=demo
AVIName=Movie.MP4
[SUBTITLES]
Default=1
Directory=demo\subs
1=en English
File=english.srt
2=fr Français
File=francais.srt
[LANGUAGES]
Primary=en English
Directory=demo\audio
1=de Deutsch
File=deutsch.mp3
[SPECIAL]
CD=1
Directory=.
1=making.ini Making of
[CHAPTERS]
1=0 Opening
2=250 Ten seconds
3=500 Twenty seconds
INI
}

# Beside kelmora.ini: a special's media are found from the program folder in autorun mode and from
# its own folder otherwise, and here the two are one.
making_ini() {
  crlf "$1" <<'INI'
[MAIN]
Title=Making of
[MOVIE]
Directory=demo\extra
AVIName=making.mp4
[SUBTITLES]
Directory=demo\subs
1=en English
File=making.srt
INI
}

english_srt() {
  crlf "$1" <<'SRT'
1
00:00:00,500 --> 00:00:04,000
Welcome to the Vistrel demo disc

2
00:00:05,000 --> 00:00:09,000
The picture shows the movie's time

3
00:00:10,000 --> 00:00:14,000
Chapter two starts at ten seconds

4
00:00:15,000 --> 00:00:19,000
Languages and subtitle tracks:
Pref, then Player

5
00:00:20,000 --> 00:00:24,000
Chapter three: twenty seconds

6
00:00:25,000 --> 00:00:29,000
Specials and chapters:
the Special and Chapters buttons
SRT
}

francais_srt() {
  crlf "$1" <<'SRT'
1
00:00:00,500 --> 00:00:04,000
Bienvenue sur le disque de démonstration

2
00:00:05,000 --> 00:00:09,000
L'image montre le temps du film

3
00:00:10,000 --> 00:00:14,000
Le deuxième chapitre commence à dix secondes

4
00:00:15,000 --> 00:00:19,000
Langues et sous-titres :
Pref, puis Player

5
00:00:20,000 --> 00:00:24,000
Troisième chapitre : vingt secondes

6
00:00:25,000 --> 00:00:29,000
Fin de la démonstration. À bientôt !
SRT
}

making_srt() {
  crlf "$1" <<'SRT'
1
00:00:00,500 --> 00:00:04,000
Behind the scenes of the demo

2
00:00:05,000 --> 00:00:09,000
"MAIN MOVIE" in Special goes back
SRT
}

if [ "$demo" = 1 ]; then
  mkdir -p "$out/demo/subs" "$out/demo/audio" "$out/demo/extra"
  make demo/movie.mp4 demo_movie
  make demo/audio/deutsch.mp3 demo_audio
  make demo/extra/making.mp4 demo_making
  # The texts are cheap and always written afresh, so an edit here reaches every build.
  english_srt "$out/demo/subs/english.srt"
  francais_srt "$out/demo/subs/francais.srt"
  making_srt "$out/demo/subs/making.srt"
  demo_ini "$out/kelmora.ini"
  making_ini "$out/making.ini"
else
  make clip25.mp4 clip25
  make clip23976.avi clip23976
  make clip25.ogv clip25ogv
  make clip25.mkv clip25mkv
  make still.ogv still
  make vfr.mp4 vfr
  make clip180.mp4 clip180
  make clip180.mkv clip180mkv
  make texttracks.mkv texttracks
  make tracks.mkv tracks
  make movtext.mp4 movtext
  make webvtt.mkv webvttmkv
  make hd1080.mp4 hd1080
  make hd720.mp4 hd720
  make audio10.wav audio10
  make notvideo.avi notvideo
  make truncated.mp4 truncated
fi
