#pragma once
// Row readers shared by the store's event files: the same columns from a table cursor or from a
// private query.
#include <string>
#include <unordered_map>

#include "engine/acr_query.h"
#include "store/chps_simple.h"
#include "store/evenement.h"

namespace kyb {

// A query whose columns are found by name once: the readers below ask for each column of each
// row by name, and a query's own look-up compares every name.
class TChargeurChps {
 public:
  TChargeurChps(TACRDatabase& base, std::string sql) : requete(base, std::move(sql)) {}
  TACRField& FieldByName(const std::string& nom) {
    if (positions_.empty())
      for (int i = 0; i < requete.FieldCount(); ++i) positions_.emplace(requete.Fields(i).FieldName(), i);
    const auto it = positions_.find(nom);
    return it == positions_.end() ? requete.FieldByName(nom) : requete.Fields(it->second);
  }
  TACRQuery requete;

 private:
  std::unordered_map<std::string, int> positions_;
};

template <class Curseur>
void LitLigneEven(Curseur& c, TEvenement::TEnreg& e) {
  e.ID = c.FieldByName("ID").AsInteger();
  e.LibelleChamps = c.FieldByName("LibelleChamps").AsAnsiString();
  e.Donnee = c.FieldByName("Donnee").AsUnicodeString();
  e.NoPersA = c.FieldByName("NoPersA").AsInteger();
  e.NoPersB = c.FieldByName("NoPersB").AsInteger();
  e.Date = TDateKY();
  e.Date.SetActe(Rogne(c.FieldByName("Acte").AsAnsiString()));
  const AnsiString calendrier = c.FieldByName("TypeCalend").AsAnsiString();
  e.Date.SetCalendrier(calendrier.empty() ? 0 : calendrier[0]);
  e.Date.SetDate(c.FieldByName("Date").AsAnsiString());
  e.Lieu = c.FieldByName("Lieu").AsInteger();
  e.LieuDit = c.FieldByName("LieuDit").AsUnicodeString();
  e.Note = c.FieldByName("Note").AsInteger();
  e.NoIllustrationParDefaut = c.FieldByName("NoIllustrationParDefaut").AsInteger();
  e.LienExtEven = c.FieldByName("LienExtEven").AsInteger();
  e.RangA = c.FieldByName("RANG_A").AsInteger();
  e.RangB = c.FieldByName("RANG_B").AsInteger();
  e.DateLastModif = c.FieldByName("DateLastModif").AsDateTime();
  e.PersAssociees.clear();
  e.Sources.clear();
  e.Illustrations.clear();
  e.PersAssocieesChargees = e.SourcesChargees = e.IllustrationsChargees = false;
  e.ErreurLecture = false;
}

template <class Curseur>
void LitLigneChps(Curseur& c, TChpsSimple::TEnreg& e) {
  e.ID = c.FieldByName("ID").AsInteger();
  e.Type = static_cast<int8_t>(c.FieldByName("Type").AsInteger());
  e.LibelleChamps = c.FieldByName("LibelleChamps").AsAnsiString();
  e.Donnee = c.FieldByName("Donnee").AsUnicodeString();
  e.NoPersA = c.FieldByName("NoPersA").AsInteger();
  e.NoPersB = c.FieldByName("NoPersB").AsInteger();
  e.RangA = c.FieldByName("RANG_A").AsInteger();
  e.RangB = c.FieldByName("RANG_B").AsInteger();
}

}  // namespace kyb
