// SPDX-License-Identifier: MIT
// The digits of pi for the pi report.
#ifndef NACHTBLICK_PI_H
#define NACHTBLICK_PI_H

#include <string>

// Computes the whole text of the pi report afresh: heading, pi to 2799
// decimals from the base-10000 spigot, and the three-line program text.
std::string pi_digits_text(void);

#endif
