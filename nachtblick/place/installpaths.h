// SPDX-License-Identifier: MIT
// Where an installed program finds its chart module and the system's
// place file: at the configured install folders when it runs from the
// configured BINDIR (the Debian package: /usr/bin, /usr/lib/.../nachtblick,
// /etc/nachtblick), else relative to its own folder, so that a tree
// installed with `cmake --install build --prefix P` works where it lies.
#ifndef NACHTBLICK_INSTALLPATHS_H
#define NACHTBLICK_INSTALLPATHS_H

#include <string>

// The folder of the running program (/proc/self/exe, links resolved);
// empty when /proc does not tell.
std::string program_folder(void);

// The folder of the installed chart module: LIBDIR/nachtblick.
std::string installed_chart_folder(void);

// The folder of the system's place file: SYSCONFDIR/nachtblick (/etc for
// the prefix /usr, which stays absolute wherever the program lies).
std::string system_place_folder(void);

#endif
