#pragma once
// Rows of the store's Sources and Illustrations tables, as the record operations exchange them.
#include "platform/chaines.h"

namespace kyb {

// A source cited by an event: type (30 characters) and description (300).
struct TSourceBDD {
  long Id = 0;  // ID_SOURCE; 0 for a row not written yet
  long IdEven = 0;
  UnicodeString Type;
  UnicodeString Descriptif;
  long Rang = 0;
};

// A medium attached to an event: its file path (260 characters, 8-bit).
struct TIllustrationBDD {
  long Id = 0;  // ID_ILLUSTRATION; 0 for a row not written yet
  long IdEven = 0;
  AnsiString Chemin;
  long Rang = 0;
  long Tag = 0;
};

}  // namespace kyb
