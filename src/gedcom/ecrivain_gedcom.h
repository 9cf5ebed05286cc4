#pragma once
// TEcrivainGedcom: writes GEDCOM lines in UTF-8, for 5.5.1 or 7.0.
//
// A value is written on its line and continued as needed: each line feed of the value starts a
// CONT line one level below; in 5.5.1 a line longer than 255 characters (level, id, tag, value
// and delimiters, line end excluded) goes on in CONC lines, cut between two characters that are
// not blanks and never inside a UTF-8 sequence. "@" in a value is doubled (7.0: only the leading
// "@" of each line, CONT lines included); pointers and dates are written as they stand. Lines end
// with CR LF; a 7.0 file starts with a byte-order mark.
//
// The text goes to the sortie function by pieces of about 64 KiB (or stays in Texte() when there
// is none), so an export holds one piece in memory, not the whole file.
#include <functional>
#include <string>
#include <string_view>

#include "dates/bo_jours.h"
#include "gedcom/dates_gedcom.h"

namespace kyb {

class TEcrivainGedcom {
 public:
  using TSortie = std::function<void(std::string_view)>;
  explicit TEcrivainGedcom(TVersionGedcom version, TSortie sortie = {});
  ~TEcrivainGedcom() = default;
  TEcrivainGedcom(const TEcrivainGedcom&) = delete;
  TEcrivainGedcom& operator=(const TEcrivainGedcom&) = delete;

  // HEAD with GEDC.VERS, (5.5.1) FORM and CHAR UTF-8, SOUR with its version, and the date of
  // the export when given ("5 DEC 2026").
  void Entete(std::string_view source, std::string_view versionSource, std::string_view date = {});
  // A line with a text value (maybe empty), continued by CONT / CONC.
  void Ligne(int niveau, std::string_view tag, std::string_view valeur = {},
             std::string_view xref = {});
  // A line whose value is a pointer "@I1@" (not doubled).
  void Pointeur(int niveau, std::string_view tag, std::string_view xref,
                std::string_view xrefLigne = {});
  // A DATE line; false (nothing written) when the date has no GEDCOM form.
  [[nodiscard]] bool Date(int niveau, const TDateKY& date);
  // TRLR, then the last piece goes to the output.
  void Fin();

  [[nodiscard]] const std::string& Texte() const { return texte_; }
  [[nodiscard]] TVersionGedcom Version() const { return version_; }

 private:
  void Brute(int niveau, std::string_view xref, std::string_view tag, std::string_view valeur);
  void Morceau(int niveau, std::string_view xref, std::string_view tag, std::string_view ligne,
               int niveauConc);
  void Vide(bool tout);

  TVersionGedcom version_;
  TSortie sortie_;
  std::string texte_;
};

// Value with "@" doubled as the version asks.
[[nodiscard]] std::string DoubleArobases(std::string_view valeur, TVersionGedcom version);

}  // namespace kyb
