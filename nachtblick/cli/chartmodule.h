// SPDX-License-Identifier: MIT
// The chart's drawing function from the module nachtblick-chart. The module
// alone of nachtblick-report's parts links cairo, and with it X11,
// fontconfig and freetype; GModule opens it only when a chart is drawn, so
// that the text views start without those libraries.
#ifndef NACHTBLICK_CHARTMODULE_H
#define NACHTBLICK_CHARTMODULE_H

#include <string>

#include "nachtblick/views/chart.h"

// chart_report (kChartEntryPoint) of the module NB_CHART_MODULE: the file
// beside the running program when there is one (the build tree), else the
// installed one in installed_chart_folder() (installpaths.h). The module stays loaded. Null when
// it cannot be loaded, with a message without line end in err that names the
// file and why (GModule's error).
ChartReportFunction load_chart_module(std::string &err);

#endif
