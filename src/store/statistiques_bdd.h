#pragma once
// Counts over a whole genealogy, each read by one grouped query of the store: persons by sex,
// spouse links, events by label, the most frequent surnames and places, the oldest and newest
// dated events. Hidden records (negated holders) and deleted persons are left out.
#include <cstdint>
#include <utility>
#include <vector>

#include "dates/bo_jours.h"
#include "platform/chaines.h"

namespace kyb {

class TModuleBDD;

// A dated event at one end of the genealogy's time span.
struct TEvenementDate {
  long NoPers = 0;
  AnsiString Libelle;  // "NAISSANCE"
  TDateKY Date;
};

struct TDecomptesBDD {
  long Personnes = 0, Hommes = 0, Femmes = 0;
  // Couples: spouse links of the live persons, each couple being linked from both sides.
  long Couples = 0;
  // Events (not simple fields) by label, most frequent first; an event both spouses hold counts once.
  std::vector<std::pair<AnsiString, long>> Evenements;
  // Surnames as written on the person rows, and place numbers of the events, most frequent first
  // (ties in name or number order); at most the number asked.
  std::vector<std::pair<UnicodeString, long>> Noms;
  std::vector<std::pair<long, long>> Lieux;
  // The events with the smallest and the largest sortable date; NoPers 0 when none is dated.
  TEvenementDate PlusAncien, PlusRecent;
};

// Reads every count; false on an engine error (the counts read so far are kept).
[[nodiscard]] bool LitDecomptes(TModuleBDD& store, TDecomptesBDD& d, int nbPremiers = 20);

}  // namespace kyb
