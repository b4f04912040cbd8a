#!/usr/bin/env bash
# Turns the driver's summaries in a results folder into report.md (tables, ratios, slopes)
# and performance.png (time and peak memory against file size). tools/bench calls it.
#   bench/report.sh build/bench/results
set -euo pipefail
OUT=$1
S=$OUT/summary.tsv
R=$OUT/report.md
# summary.tsv columns: 1 summary 2 group 3 label 4 n 5 visible_med 6 visible_min 7 visible_max
# 8 idle_med 9 exit_med 10 ws_med 11 peak_ws_med 12 peak_ws_min 13 peak_ws_max
# 14 peak_pagefile_med 15 failures

{
  echo "# Benchmark results"
  echo
  echo '```'
  cat "$OUT/machine.txt"
  [ -f "$OUT/footprint.txt" ] && cat "$OUT/footprint.txt"
  echo '```'
  echo

  # Groups where several programs meet one file or none: reminder, setup, probes.
  awk -F'\t' '
    function mib(b) { return sprintf("%.1f", b / 1048576) }
    FILENAME ~ /loads/ { load[$1] = $2 "→" $3; next }
    $2 !~ /^(lines|longline)-/ { n[$2]++; row[$2, n[$2]] = $0; if (!($2 in seen)) { seen[$2]; order[++groups] = $2 }
                                 if ($3 == "mimoruka") { mt[$2] = $5; mm[$2] = $6; mw[$2] = $11 } }
    END {
      if (!groups) exit
      print "## Time until the first window is visible, small file and setup window"
      print ""
      print "| group | program | runs | median ms | min ms | max ms | mimoruka ÷ this (medians) | (mins) | idle ms | exit ms | peak working set MiB | mimoruka ÷ this | peak pagefile MiB | failed | load before→after |"
      print "|---|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|"
      for (g = 1; g <= groups; g++) {
        name = order[g]
        for (i = 1; i <= n[name]; i++) {
          split(row[name, i], f, "\t")
          if (f[4] == 0) { printf "| %s | %s | 0 | | | | | | | | | | | %s | %s |\n", name, f[3], f[15], load[name]; continue }
          printf "| %s | %s | %d | %.0f | %.0f | %.0f | %.2f | %.2f | %.0f | %.0f | %s | %.2f | %s | %d | %s |\n",
            name, f[3], f[4], f[5], f[6], f[7], mt[name] / f[5], mm[name] / f[6], f[8], f[9], mib(f[11]),
            mw[name] / f[11], mib(f[14]), f[15], load[name]
        }
      }
      print ""
    }' "$OUT/loads.tsv" "$S"

  # Large files: one row per series and size.
  awk -F'\t' '
    function mib(b) { return sprintf("%.1f", b / 1048576) }
    FILENAME ~ /loads/ { load[$1] = $2 "→" $3; next }
    $2 ~ /^(lines|longline)-/ {
      split($2, p, "-"); key = $2
      if (!(key in seen)) { seen[key]; order[++k] = key; series[key] = p[1]; size[key] = p[2] }
      t[key, $3] = $5; lo[key, $3] = $6; hi[key, $3] = $7; w[key, $3] = $11; runs[key] = $4
    }
    END {
      if (!k) exit
      print "## Large files: time until the box and peak working set"
      print ""
      print "| series | size MiB | runs | mimoruka median ms (min–max) | floor median ms (min–max) | time ratio | mimoruka peak MiB | floor peak MiB | memory ratio | load before→after |"
      print "|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|"
      for (i = 1; i <= k; i++) {
        key = order[i]
        printf "| %s | %s | %d | %.0f (%.0f–%.0f) | %.0f (%.0f–%.0f) | %.2f | %s | %s | %.2f | %s |\n",
          series[key], size[key], runs[key], t[key, "mimoruka"], lo[key, "mimoruka"], hi[key, "mimoruka"],
          t[key, "floor"], lo[key, "floor"], hi[key, "floor"], t[key, "mimoruka"] / t[key, "floor"],
          mib(w[key, "mimoruka"]), mib(w[key, "floor"]), w[key, "mimoruka"] / w[key, "floor"], load[key]
        print series[key], size[key], t[key, "mimoruka"] / 1000, t[key, "floor"] / 1000,
          w[key, "mimoruka"] / 1048576, w[key, "floor"] / 1048576 > ("'"$OUT"'/" series[key] ".dat")
      }
      print ""
    }' "$OUT/loads.tsv" "$S"

  # Slopes: least squares over the sizes of a series; the long line also gets its exponent.
  for series in lines longline; do
    [ -f "$OUT/$series.dat" ] || continue
    awk -v series="$series" '
      function fit(xcol, ycol,   i, sx, sy, sxx, sxy) {
        for (i = 1; i <= n; i++) { sx += x[i]; sy += v[i, ycol]; sxx += x[i] * x[i]; sxy += x[i] * v[i, ycol] }
        slope = (n * sxy - sx * sy) / (n * sxx - sx * sx); icpt = (sy - slope * sx) / n
      }
      function expo(ycol) { return log(v[n, ycol] / v[n - 1, ycol]) / log(x[n] / x[n - 1]) }
      { n++; x[n] = $2; for (c = 3; c <= 6; c++) v[n, c] = $c }
      END {
        if (n < 2) exit
        printf "%s: ", series
        fit(2, 3); printf "mimoruka time %.1f ms/MiB (+%.0f ms), ", slope * 1000, icpt * 1000
        fit(2, 4); printf "floor time %.1f ms/MiB (+%.0f ms); ", slope * 1000, icpt * 1000
        fit(2, 5); printf "mimoruka peak memory %.2f MiB/MiB (+%.1f MiB), ", slope, icpt
        fit(2, 6); printf "floor %.2f MiB/MiB (+%.1f MiB)", slope, icpt
        printf "; time exponent between the two largest sizes: mimoruka %.2f, floor %.2f\n\n", expo(3), expo(4)
      }' "$OUT/$series.dat"
  done

  if [ -f "$OUT/text_pipeline.txt" ]; then
    echo "## The product's text work in one process (no window)"
    echo
    echo '```'
    cat "$OUT/text_pipeline.txt"
    echo '```'
  fi
} >"$R"

# The plot: time and peak working set against size, many short lines and one long line.
plots=()
for series in lines longline; do [ -f "$OUT/$series.dat" ] && plots+=("$series"); done
[ ${#plots[@]} -gt 0 ] || exit 0
{
  echo "set terminal pngcairo size 1200,$((430 * ${#plots[@]})) font 'sans,10'"
  echo "set output '$OUT/performance.png'"
  echo "set multiplot layout ${#plots[@]},2"
  echo "set decimalsign '.'; set grid; set key bottom right; set logscale xy 2; set xlabel 'file size (MiB)'"
  for series in "${plots[@]}"; do
    title=$([ "$series" = lines ] && echo 'many short lines' || echo 'one long line')
    echo "set title 'Time until the box: $title'; set ylabel 'seconds'"
    echo "plot '$OUT/$series.dat' using 2:3 with linespoints lw 2 pt 7 title 'mimoruka.exe', '' using 2:4 with linespoints lw 2 pt 5 dt 2 title 'floor (C, MessageBoxW)'"
    echo "set title 'Peak working set: $title'; set ylabel 'MiB'"
    echo "plot '$OUT/$series.dat' using 2:5 with linespoints lw 2 pt 7 title 'mimoruka.exe', '' using 2:6 with linespoints lw 2 pt 5 dt 2 title 'floor (C, MessageBoxW)'"
  done
  echo "unset multiplot"
} | LC_ALL=C gnuplot
