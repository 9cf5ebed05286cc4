// Upgrades of older stores: text columns widened, tables brought to the schema, the sortable
// date column added and filled; and the store side of a genealogy's restructuring.
#include <algorithm>

#include "platform/thread_nom.h"
#include "store/datamodulebdd_maintenance_interne.h"
#include "store/evenement_interne.h"
#include "store/schema_bdd.h"

namespace kyb {
namespace {

// The sortable date of one row as a write gives it: an event's from its date value (calendar and
// qualifier included), a system-date simple field's from its datum, 0 for other simple fields.
int32_t DateTriableLigne(TACRTable& t) {
  const AnsiString libelle = t.FieldByName("LibelleChamps").AsAnsiString();
  if (t.FieldByName("Type").AsInteger() != 0)
    return EstDateSysteme(libelle)
               ? DateTriable(TDateKY('G', UnicodeVersAnsi(t.FieldByName("Donnee").AsUnicodeString().substr(0, 10))))
               : 0;
  TDateKY date;
  if (TACRField* acte = t.FindField("Acte")) date.SetActe(Rogne(acte->AsAnsiString()));
  if (TACRField* calendrier = t.FindField("TypeCalend")) {
    const AnsiString c = calendrier->AsAnsiString();
    date.SetCalendrier(c.empty() ? 0 : c[0]);
  }
  date.SetDate(t.FieldByName("Date").AsAnsiString());
  return DateTriable(date);
}

// The same indexes, whatever their order in the catalogue: an import re-adds the indexes it
// suspended after the others, which changes nothing in the store.
bool MemesIndex(TACRIndexDefs a, TACRIndexDefs b) {
  const auto parNom = [](const TACRIndexDef& x, const TACRIndexDef& y) { return x.nom < y.nom; };
  std::sort(a.begin(), a.end(), parNom);
  std::sort(b.begin(), b.end(), parNom);
  return a == b;
}

}  // namespace

bool TMaintenanceBDD::MetAuSchema(const std::string& nom, TProgression& progression,
                             const UnicodeString& texte) {
  const TDefinitionTable& def = DefinitionTable(nom);
  TACRTable t(*base_, nom);
  if (!t.Exists()) return CreeTable(nom);
  TACRFieldDefs champs;
  TACRIndexDefs index;
  if (!t.ReadDefs(champs, index)) return false;
  if (champs == def.champs && MemesIndex(index, def.index)) return true;
  progression.Texte(texte);
  progression.Texte(u"Mise à jour de la table \"" + AnsiVersUnicode(nom) + u"\"");
  if (!t.RestructureTable(def.champs, def.index)) {
    BDDError(nom, base_->DerniereErreur());
    return false;
  }
  return true;
}

void TMaintenanceBDD::AjouterTypeDateEven() {
  TACRTable t(*base_, "Evenements");
  TACRFieldDefs champs;
  TACRIndexDefs index;
  if (!t.ReadDefs(champs, index)) return;
  if (!TrouveChamp(champs, "_DATE") && !t.AddField({"_DATE", TTypeChamp::Int32, 0, false})) return;
  if (!t.Open()) return;
  TACRTransaction transaction(*base_);
  for (t.First(); !t.Eof(); t.Next()) {
    t.Edit();
    t.FieldByName("_DATE").SetInteger(DateTriableLigne(t));
    (void)t.Post();
  }
  if (transaction.Active()) (void)transaction.Commit();
}

bool TMaintenanceBDD::BesoinMiseAJour() {
  for (const auto& def : SchemaBDD()) {
    if (def.nom == "PersonnesSuppr" || def.nom == "Personnes" || def.nom == "Lieux") continue;
    TACRTable t(*base_, def.nom);
    TACRFieldDefs champs;
    TACRIndexDefs index;
    if (!t.ReadDefs(champs, index) || champs != def.champs || !MemesIndex(index, def.index)) return true;
  }
  return false;
}

void TMaintenanceBDD::UpdateOldBase() {
  if (!EstThreadPrincipal() || EstLectureSeule() || !base_->Connected() || !BesoinMiseAJour()) return;
  // Whether the sortable date column must be filled, decided before any restructuring adds it.
  bool sansDateTriable = false;
  {
    TACRTable t(*base_, "Evenements");
    TACRFieldDefs champs;
    TACRIndexDefs index;
    sansDateTriable = t.ReadDefs(champs, index) && !TrouveChamp(champs, "_DATE");
  }
  TProgression progression(Interface(), u"Mise à jour de la base de données...", 9);
  const UnicodeString simple = u"Mise à jour de la base de données...";
  const UnicodeString unicode = u"Mise à jour de la base de données (Gestion Unicode)...";
  // Text columns of older stores become wide strings first.
  for (const char* nom : {"Evenements", "Sources", "IndexNomPrenoms"}) {
    TACRTable t(*base_, nom);
    TACRFieldDefs champs;
    TACRIndexDefs index;
    if (!t.ReadDefs(champs, index)) continue;
    const auto& cible = DefinitionTable(nom).champs;
    bool texteEtroit = false;
    for (const auto& c : champs)
      if (const TACRFieldDef* d = TrouveChamp(cible, c.nom))
        texteEtroit |= d->type == TTypeChamp::WideString && EstTypeTexte8Bits(c.type);
    if (texteEtroit) (void)MetAuSchema(nom, progression, unicode);
  }
  const char* etapes[] = {"NotesTranscription", "Geolocalisation", "RechercheVastrelNet",
                          "IndexNomPrenoms"};
  for (const char* nom : etapes) {
    progression.Avance();
    (void)MetAuSchema(nom, progression, simple);
  }
  progression.Avance();
  {
    TACRTable geo(*base_, "Geolocalisation");
    TACRFieldDefs champs;
    TACRIndexDefs index;
    if (geo.ReadDefs(champs, index) && !TrouveChamp(champs, "CurrentAddress"))
      (void)geo.AddField({"CurrentAddress", TTypeChamp::WideString, 120, false});
  }
  progression.Avance();
  if (sansDateTriable) AjouterTypeDateEven();
  for (const char* nom : {"Evenements", "IDParents", "TabInformations", "Illustrations"}) {
    progression.Avance();
    (void)MetAuSchema(nom, progression, simple);
  }
}

bool TMaintenanceBDD::RestructurationBDD() {
  if (!base_->Connected() || EstLectureSeule()) return false;
  (void)RetablitIndex();
  return base_->ExecuteSql("ANALYZE");
}

}  // namespace kyb
