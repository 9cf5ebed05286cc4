#pragma once
// Row readers shared by the store's event files: the same columns from a table cursor or from a
// query, by positions found once (TColonnesCurseur over kColonnesEven).
#include <vector>

#include "store/chps_simple.h"
#include "store/evenement.h"

namespace kyb {

// The columns of Evenements read and written for a record, in this order.
inline constexpr const char* kColonnesEven[] = {
    "ID", "Type", "LibelleChamps", "Donnee", "NoPersA", "NoPersB", "Acte", "TypeCalend", "Date", "Lieu",
    "LieuDit", "Note", "NoIllustrationParDefaut", "LienExtEven", "_DONNEE", "_DATE", "RANG_A", "RANG_B",
    "DateLastModif"};
enum : size_t {
  eID, eType, eLibelle, eDonnee, eNoPersA, eNoPersB, eActe, eCalendrier, eDate, eLieu,
  eLieuDit, eNote, eIllustration, eLienExt, eCleDonnee, eDateTriable, eRangA, eRangB, eModif
};

// System-date simple fields hold "dd/mm/yyyy hh:nn:ss": their day goes to _DATE so that persons
// modified in a period can be found.
inline bool EstDateSysteme(const AnsiString& libelle) {
  return libelle == "DDMF" || libelle == "DCF" || libelle == "DDNOTIF";
}

template <class Curseur>
void LitLigne(Curseur& cur, const std::vector<int>& c, TEvenement::TEnreg& e) {
  const auto champ = [&](size_t i) -> decltype(auto) { return cur.Fields(c[i]); };
  e.ID = champ(eID).AsInteger();
  e.LibelleChamps = champ(eLibelle).AsAnsiString();
  e.Donnee = champ(eDonnee).AsUnicodeString();
  e.NoPersA = champ(eNoPersA).AsInteger();
  e.NoPersB = champ(eNoPersB).AsInteger();
  e.Date = TDateKY();
  e.Date.SetActe(Rogne(champ(eActe).AsAnsiString()));
  const AnsiString calendrier = champ(eCalendrier).AsAnsiString();
  e.Date.SetCalendrier(calendrier.empty() ? 0 : calendrier[0]);
  e.Date.SetDate(champ(eDate).AsAnsiString());
  e.Lieu = champ(eLieu).AsInteger();
  e.LieuDit = champ(eLieuDit).AsUnicodeString();
  e.Note = champ(eNote).AsInteger();
  e.NoIllustrationParDefaut = champ(eIllustration).AsInteger();
  e.LienExtEven = champ(eLienExt).AsInteger();
  e.RangA = champ(eRangA).AsInteger();
  e.RangB = champ(eRangB).AsInteger();
  e.DateLastModif = champ(eModif).AsDateTime();
  e.PersAssociees.clear();
  e.Sources.clear();
  e.Illustrations.clear();
  e.PersAssocieesChargees = e.SourcesChargees = e.IllustrationsChargees = false;
  e.ErreurLecture = false;
}

template <class Curseur>
void LitLigne(Curseur& cur, const std::vector<int>& c, TChpsSimple::TEnreg& e) {
  const auto champ = [&](size_t i) -> decltype(auto) { return cur.Fields(c[i]); };
  e.ID = champ(eID).AsInteger();
  e.Type = static_cast<int8_t>(champ(eType).AsInteger());
  e.LibelleChamps = champ(eLibelle).AsAnsiString();
  e.Donnee = champ(eDonnee).AsUnicodeString();
  e.NoPersA = champ(eNoPersA).AsInteger();
  e.NoPersB = champ(eNoPersB).AsInteger();
  e.RangA = champ(eRangA).AsInteger();
  e.RangB = champ(eRangB).AsInteger();
}

}  // namespace kyb
