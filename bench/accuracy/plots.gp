# SPDX-License-Identifier: MIT
# The plots of docs/accuracy.md, drawn by bench/accuracy/compare.py:
#
#   gnuplot -e "kind='year|eclipses|riseset|local|apsides'; data='DATA'; out='PNG'; heading='TITLE'; limit=S" plots.gp
#
# year: the errors of an instant against the year (columns: decimal year,
# UT error in minutes, UT minus TT error in seconds); eclipses: the error of
# greatest eclipse against the year (decimal year, minutes, 1 solar or
# 2 lunar); riseset: the share of the rise and set errors per bin (bin
# centre in seconds, then one column per event, its name as header) within
# -limit..limit seconds; local: the contact errors of eclipses at places
# against the year (decimal year, seconds, 1 C1/C4, 2 MAX, 3 C2/C3,
# 4 lunar contacts), clipped to -limit..limit; apsides: the errors of the
# apsides (decimal year, minutes, km, 1 perigee or 2 apogee).
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
if (kind eq "local") {
  set title heading
  set xlabel "year"
  set ylabel "error (s)"
  set xrange [1900:2101]
  set xtics 20
  set yrange [-limit:limit]
  set key top right vertical
  clip(y) = y > limit ? limit : (y < -limit ? -limit : y)
  array names[4] = ["solar C1, C4", "solar maximum", "solar C2, C3", "lunar contacts"]
  array colours[4] = ["#e67e22", "#c0392b", "#27ae60", "#1f4e99"]
  plot for [g=4:1:-1] data using 1:($3==g?clip($2):1/0) with points pt 7 ps 0.25 \
       lc rgb colours[g] title names[g]
}
if (kind eq "apsides") {
  set multiplot layout 2,1 title heading
  set xrange [2000:2101]
  set xtics 10
  set key top right horizontal
  set ylabel "instant (min)"
  plot data using 1:($4==1?$2:1/0) with points pt 7 ps 0.3 lc rgb "#c0392b" title "perigee", \
       data using 1:($4==2?$2:1/0) with points pt 7 ps 0.3 lc rgb "#1f4e99" title "apogee"
  set ylabel "distance (km)"
  set xlabel "year"
  unset key
  plot data using 1:($4==1?$3:1/0) with points pt 7 ps 0.3 lc rgb "#c0392b" title "perigee", \
       data using 1:($4==2?$3:1/0) with points pt 7 ps 0.3 lc rgb "#1f4e99" title "apogee"
  unset multiplot
}
