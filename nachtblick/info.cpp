#include "nachtblick/reports.h"
ReportText info_report(void) { return ReportText{"", FONT_REPORT}; }
