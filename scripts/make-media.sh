#!/usr/bin/env bash
# make-media.sh FOLDER: fills FOLDER with short movie and sound files made by Debian's ffmpeg
# (AVI, MPEG, WMV, ASF, MOV, WAV, MP3, WMA, AIFF, AU), a MIDI file written byte by byte, an AVI
# whose first two seconds are black, an all-red AVI whose picture can be recognised on the screen,
# and FLV and MP4 files for the external-player plug-ins.
set -euo pipefail
out=$1
mkdir -p "$out"
[ -f "$out/.complete-2" ] && exit 0
cd "$out"
ff() { ffmpeg -nostdin -loglevel error -y "$@"; }
video="testsrc=size=160x120:rate=10"
ff -f lavfi -i "$video" -t 3 -c:v mpeg4 clip.avi
ff -f lavfi -i "$video" -t 3 -r 25 -c:v mpeg1video clip.mpg
ff -f lavfi -i "$video" -t 3 -c:v wmv2 clip.wmv
ff -f lavfi -i "$video" -f lavfi -i "sine=frequency=550:duration=3" -t 3 -c:v wmv2 -c:a wmav2 clip.asf
ff -f lavfi -i "$video" -t 3 -c:v mpeg4 clip.mov
ff -f lavfi -i "$video" -t 3 -c:v flv1 clip.flv
ff -f lavfi -i "$video" -t 3 -c:v mpeg4 clip.mp4
ff -f lavfi -i "color=black:size=160x120:rate=10:duration=2" -f lavfi -i "$video" -t 5 \
   -filter_complex "[0:v][1:v]concat=n=2:v=1[v]" -map "[v]" -t 5 -c:v mpeg4 dark-start.avi
ff -f lavfi -i "color=red:size=160x120:rate=10:duration=4" -c:v mpeg4 red.avi
ff -f lavfi -i "sine=frequency=440:duration=1" tone.wav
ff -f lavfi -i "sine=frequency=660:duration=1" -c:a libmp3lame tone.mp3
ff -f lavfi -i "sine=frequency=770:duration=1" -c:a wmav2 tone.wma
ff -f lavfi -i "sine=frequency=880:duration=1" tone.aif
ff -f lavfi -i "sine=frequency=990:duration=1" tone.au
# One track: a note on and off, then the end of the track.
printf 'MThd\0\0\0\6\0\0\0\1\0\140MTrk\0\0\0\14\0\220\74\100\140\200\74\0\0\377\57\0' > note.mid
touch .complete-2
