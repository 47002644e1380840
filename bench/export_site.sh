#!/usr/bin/env bash
# The command-line export over a generated site against copying the same tree:
# `cp -r` then `sync`, in the same run, on the same disk. Prints the wall times,
# their ratio and the export's peak memory for a tenth of the pages and for all
# of them (flat memory: the two should be about the same).
# Usage: bench/export_site.sh <path to velloran> [pages] [KiB per page] [rounds] [pages per folder]
set -euo pipefail
velloran=$(realpath "${1:?path to the velloran program}")
pages=${2:-10000}
kib=${3:-40}
rounds=${4:-3}
per_folder=${5:-100}

# Beside the build by default: the temporary folder may be a small tmpfs.
work=$(mktemp -d "${BENCH_DIR:-$(dirname "$velloran")}/export-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config

# per_folder pages a folder, each a little HTML page of about kib KiB with CR LF lines
# and a body tag to replace.
awk -v pages="$pages" -v kib="$kib" -v per="$per_folder" -v root="$work/site" 'BEGIN {
  line = "<p>Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor <a href=\"x.html\">lien</a>.</p>\r\n"
  body = ""
  while (length(body) < kib * 1024 - 200) body = body line
  for (i = 0; i < pages; i++) {
    folder = sprintf("%s/d%03d", root, int(i / per))
    if (i % per == 0) system("mkdir -p " folder)
    file = sprintf("%s/page%05d.html", folder, i)
    printf "<!DOCTYPE html>\r\n<html><head><title>Page %d</title></head>\r\n<body bgcolor=\"#ffffff\" text=\"#000000\">\r\n%s</body></html>\r\n", i, body > file
    close(file)
  }
}'
printf '<body bgcolor="#FFFFCC" text="#000080" link="#0000FF" vlink="#800080" alink="#FF0000" leftmargin="10">\r\n' >"$work/model.html"
find "$work/site" -name '*.html' | sort >"$work/list"
sync

seconds() { awk -v s="$1" -v e="$2" 'BEGIN { printf "%.3f", (e - s) / 1e9 }'; }

echo "pages: $pages of $kib KiB, $per_folder a folder ($(du -sh "$work/site" | cut -f1)), rounds: $rounds"
ratios=()
for ((r = 1; r <= rounds; r++)); do
  # Copies stay until the end: deleting one frees blocks whose discards (the
  # disk is mounted with discard) would land in the next timed sync.
  sync
  sleep 3
  start=$(date +%s%N)
  cp -r "$work/site" "$work/copy$r"
  sync
  end=$(date +%s%N)
  copy=$(seconds "$start" "$end")

  sleep 3
  start=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$work/rss" "$velloran" --export --quiet --from "$work/model.html" - <"$work/list" 2>"$work/log" ||
    { cat "$work/log"; exit 1; }
  sync
  end=$(date +%s%N)
  ours=$(seconds "$start" "$end")
  ratio=$(awk -v a="$ours" -v b="$copy" 'BEGIN { printf "%.2f", a / b }')
  ratios+=("$ratio")
  echo "round $r: cp -r + sync ${copy} s, velloran --export + sync ${ours} s, ratio ${ratio}, peak RSS $(cat "$work/rss") KiB ($(tail -n 1 "$work/log"))"
done
echo "median ratio: $(printf '%s\n' "${ratios[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')"

tenth=$((pages / 10))
head -n "$tenth" "$work/list" >"$work/list-tenth"
/usr/bin/time -f '%M' -o "$work/rss-tenth" "$velloran" --export --quiet --from "$work/model.html" - <"$work/list-tenth" 2>/dev/null
echo "peak RSS: $(cat "$work/rss-tenth") KiB for $tenth pages, $(cat "$work/rss") KiB for $pages pages"
