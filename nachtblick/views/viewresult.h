// SPDX-License-Identifier: MIT
// What a view gives back: its output, or an error of a class. The front end
// alone turns the class into an exit status (bad input 2, a failure to
// read, write or draw 1, a search that found nothing 1) and prints the message as one line; the
// window shows the same message.
#ifndef NACHTBLICK_VIEWRESULT_H
#define NACHTBLICK_VIEWRESULT_H

#include <string>

enum ViewError {
  kViewOk,        // text holds the output
  kViewBadInput,  // an argument the view cannot take
  kViewFailed,    // something could not be read, written or drawn
  kViewNotFound   // a search found nothing (a city search, say)
};

struct ViewResult {
  std::string text;     // the output: a text with its final line end, or a file's bytes
  ViewError error;      // kViewOk, or the class of the error
  std::string message;  // the error, one line without line end
  std::string notes;    // with the output: lines for stderr, each with its line end
};

inline ViewResult view_output(std::string text, std::string notes = "") {
  return ViewResult{std::move(text), kViewOk, "", std::move(notes)};
}

inline ViewResult view_error(ViewError error, std::string message) {
  return ViewResult{"", error, std::move(message), ""};
}

#endif
