// SPDX-License-Identifier: MIT
#include "nachtblick/cli/chartmodule.h"

#include <gmodule.h>

#include "nachtblick/place/installpaths.h"

ChartReportFunction load_chart_module(std::string &err) {
  std::string path = program_folder() + "/" NB_CHART_MODULE;
  if (!g_file_test(path.c_str(), G_FILE_TEST_EXISTS))
    path = installed_chart_folder() + "/" NB_CHART_MODULE;
  GModule *module = g_module_open(path.c_str(), G_MODULE_BIND_LOCAL);
  gpointer entry = nullptr;
  if (module && g_module_symbol(module, kChartEntryPoint, &entry)) {
    g_module_make_resident(module);
    return reinterpret_cast<ChartReportFunction>(entry);
  }
  err = std::string("the chart module could not be loaded: ") + g_module_error();
  if (module) g_module_close(module);
  return nullptr;
}
