# SPDX-License-Identifier: MIT
# The plots of docs/accuracy.md, drawn by bench/accuracy/compare.py:
#
#   gnuplot -e "kind='year|eclipses|riseset'; data='DATA'; out='PNG'; heading='TITLE'; limit=S" plots.gp
#
# year: the errors of an instant against the year (columns: decimal year,
# UT error in minutes, UT minus TT error in seconds); eclipses: the error of
# greatest eclipse against the year (decimal year, minutes, 1 solar or
# 2 lunar); riseset: the share of the rise and set errors per bin (bin
# centre in seconds, then one column per event, its name as header) within
# -limit..limit seconds.
set terminal pngcairo size 800,450 font "DejaVu Sans,10"
set grid lc rgb "#dddddd"
set key top center horizontal
set output out
if (kind eq "year") {
  # upper panel: the error as shown (UT); lower panel: what Delta T and the
  # year adjustment add
  set multiplot
  set lmargin 10
  set rmargin 3
  set xrange [1000:3001]
  set xtics 200
  set size 1,0.66
  set origin 0,0.34
  set bmargin 1
  set format x ""
  set title heading
  set ylabel "UT error (min)"
  plot data using 1:2 with dots lc rgb "#1f4e99" notitle
  set size 1,0.34
  set origin 0,0
  set tmargin 0.5
  set bmargin 3
  set format x "%g"
  unset title
  set xlabel "year"
  set ylabel "UT minus TT error (s)"
  set ytics 5
  plot data using 1:3 with points pt 7 ps 0.15 lc rgb "#c0392b" notitle
  unset multiplot
}
if (kind eq "eclipses") {
  set title heading
  set xlabel "year"
  set ylabel "error (min)"
  set xrange [1000:3001]
  set xtics 200
  plot data using 1:($3==1?$2:1/0) with points pt 7 ps 0.3 lc rgb "#e67e22" title "solar", \
       data using 1:($3==2?$2:1/0) with points pt 7 ps 0.3 lc rgb "#1f4e99" title "lunar"
}
if (kind eq "riseset") {
  array colours[5] = ["#e67e22", "#1f4e99", "#27ae60", "#8e44ad", "#7f8c8d"]
  set title heading
  set xlabel "error (s)"
  set ylabel "share of events (%)"
  set logscale y
  set yrange [0.001:*]
  set key top right vertical
  set xrange [-limit:limit]
  plot for [i=2:6] data using 1:i with histeps lw 1.5 lc rgb colours[i - 1] title columnhead
}
