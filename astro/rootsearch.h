// SPDX-License-Identifier: MIT
// Searches in time that the eclipse computations share: a root by
// stepping and bisection, and a minimum by golden-section search. Every
// search takes a bounded number of steps.
#ifndef NACHTBLICK_ROOTSEARCH_H
#define NACHTBLICK_ROOTSEARCH_H

// A function of the time t (a Julian Date) with its context.
using TimeFunction = double (*)(double t, const void *context);

// Status of steproot.
enum RootStatus { kRootFound = 0, kRootNotFound = 1 };

// Steps from t0 by step (days; negative for backward) at most steps times
// until f changes sign against f(t0), then bisects the last step until the
// bracket is shorter than tolerance (days). Writes the midpoint of the
// final bracket to *root and returns kRootFound; kRootNotFound when f
// keeps its sign (or is 0 at t0), *root untouched.
int steproot(TimeFunction f, const void *context, double t0, double step, int steps,
             double tolerance, double *root);

// The abscissa of the least of the samples of f at t0 + i step,
// i = -steps..steps, refined by golden-section search over the step on
// either side to tolerance (days). Finds the minimum when f has one in
// that window and is unimodal within a step of it.
double minimumsearch(TimeFunction f, const void *context, double t0, double step, int steps,
                     double tolerance);

#endif
