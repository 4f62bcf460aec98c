# Shared by the benchmarks (sourced): timing, medians, peak memory and ffmpeg's last-frame time.
# Each measurement goes through $out/time.txt, so $out must be set.

measure() { # appends "seconds maxrss_kb" of the command to the file $1
  local log=$1; shift
  /usr/bin/time -f "%e %M" -o "$out/time.txt" "$@" >/dev/null 2>&1; cat "$out/time.txt" >> "$log"; }
median() { sort -n | awk '{a[NR]=$1} END{print (NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2}'; }
peak() { cut -d' ' -f2 "$1" | sort -n | tail -1; }
last_time() { # the duration less one frame interval, as ffmpeg users compute it
  local d r
  d=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$1")
  r=$(ffprobe -v error -select_streams v:0 -show_entries stream=avg_frame_rate -of csv=p=0 "$1")
  awk -v d="$d" -v r="$r" 'BEGIN{split(r,a,"/"); t=d-a[2]/a[1]; if(t<0)t=0; printf "%.6f", t}'; }
