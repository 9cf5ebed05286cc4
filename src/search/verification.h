#pragma once
// The check of a whole genealogy for impossible dates and links: deaths before births, parents
// too young or too old, children born after a parent's death, unions out of age or after a
// death, siblings born too close, lifetimes too long, persons who are their own ancestors, dates
// in the future. The limits are those of the data-entry settings (GConsConfigSais, raw).
//
// A date stands for the interval of years it allows (CalculAnneeFloatOuFourchette): a finding is
// made only when every reading of the dates involved is impossible, so a date known to the year
// alone never makes a doubtful one. The genealogy is read, never written.
#include <cstdint>
#include <string>
#include <vector>

#include "dates/consconfigsais.h"
#include "persons/genealogie_memoire.h"

namespace kyb {

class TFicPersons;
class TProgression;

// In the order of the report.
enum class TSorteConstat : uint8_t {
  DecesAvantNaissance,        // death before the birth or the baptism
  InhumationAvantDeces,
  EvenementApresInhumation,
  ParentTropJeune,            // at a child's birth (Autre: the child)
  ParentTropAge,
  NaissanceApresDecesPere,    // more than MoisNaissanceApresDecesPere months after (Autre: the father)
  NaissanceApresDecesMere,
  UnionAvantAgeMinimum,       // Autre: the spouse
  UnionApresDeces,            // the union after this person's death (Autre: the spouse)
  FreresTropRapproches,       // born less than MoisEntreNaissances months after Autre, not twins
  VieTropLongue,              // over AgeMaxDeces
  PropreAncetre,              // on a loop of the parent links
  DateFuture,
};
inline constexpr int kNbSortesConstat = 13;

struct TConstat {
  TSorteConstat Sorte{};
  long No = 0;
  long Autre = 0;      // the other person concerned, 0 when none
  std::string Detail;  // the dates in question, UTF-8
};

struct TBilanVerification {
  std::vector<TConstat> Constats;  // grouped by sort, then by person number
  long PersonnesVerifiees = 0;
  bool Lue = false;  // false when the genealogy could not be read
  [[nodiscard]] long Compte(TSorteConstat sorte) const;
};

// The French heading of a sort, and its short name for a spreadsheet.
[[nodiscard]] const char* LibelleSorteConstat(TSorteConstat sorte);
[[nodiscard]] const char* CodeSorteConstat(TSorteConstat sorte);

// Checks the genealogy in memory; aujourdhui is today's date ("DD/MM/YYYY" date value).
[[nodiscard]] TBilanVerification VerifieGenealogie(const TGenealogieMemoire& g, const TConsConfigSais& reglages,
                                                   const TDateKY& aujourdhui, TProgression* barre = nullptr);
// Reads the persons file into memory, then checks it against today's date of the platform clock.
[[nodiscard]] TBilanVerification VerifieGenealogie(TFicPersons& fichier, TProgression* barre = nullptr);

}  // namespace kyb
