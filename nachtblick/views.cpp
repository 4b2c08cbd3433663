#include "nachtblick/reports.h"

ReportText view_report(int view, const ReportInput &in) {
  switch (view) {
    case VIEW_RISESET: return riseset_report(in);
    case VIEW_SEASONS: return seasons_report(in);
    case VIEW_MOONPHASE: return moonphase_report(in);
    default: return calendar_report(in);
  }
}
