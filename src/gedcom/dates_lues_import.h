#pragma once
// The dates of an import, each distinct text read once: a file repeats the same date texts (a
// birth read by the census and again when written, the same days across persons). What is kept
// of a text: its reading, and whether it must be kept as written beside the value. Bounded: the
// table is emptied when full. One import, one thread.
#include <string>
#include <string_view>
#include <unordered_map>

#include "gedcom/dates_gedcom.h"

namespace kyb {

class TDatesLuesImport {
 public:
  struct TLue {
    TDateGedcom date;     // LitDateGedcom of the text
    bool aGarder = true;  // DateAGarder of the text
  };
  // The reading of texte; valid until the next call.
  [[nodiscard]] const TLue& Lit(std::string_view texte);

 private:
  static constexpr size_t kMax = size_t{1} << 17;
  std::unordered_map<std::string, TLue> lues_;
};

}  // namespace kyb
