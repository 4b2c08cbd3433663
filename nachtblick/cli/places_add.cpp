// SPDX-License-Identifier: MIT
// nachtblick-report places --add NAME LAT LON [ZONE].
#include "nachtblick/cli/places_add.h"

#include "nachtblick/place/placeadd.h"
#include "nachtblick/place/places.h"
#include "nachtblick/text/textbuf.h"
#include "nachtblick/views/placetable.h"

int run_places_add(int argc, const char *const argv[], const std::string &system_dir,
                   std::string &out, std::string &err) {
  out.clear();
  std::string path, detail;
  int index;
  const PlaceAddStatus status = argc < 3 || argc > 4
                                    ? kAddStatuses
                                    : add_place(argv[0], argv[1], argv[2], argc > 3 ? argv[3] : "",
                                                system_dir, &path, &index, &detail);
  if (status != kPlaceAdded) {
    err = "nachtblick-report: places --add: ";
    err += status == kAddStatuses ? "needs NAME LAT LON [ZONE]" : place_add_message(status, false);
    err += detail.empty() ? " (see --help)" : ": " + detail;
    mask_controls(err);
    err += "\n";
    return status == kAddNotWritten ? 1 : 2;
  }
  out = place_table_text(load_places(system_dir).table);
  err = "nachtblick-report: place " + std::to_string(index) + " added to " + path + "\n";
  return 0;
}
