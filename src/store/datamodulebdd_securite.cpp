// Safety of the store's data: repair report, indexes restored at opening, store analysis, and
// the French wording of engine failures.
#include "platform/journal.h"
#include "store/analyse_bdd.h"
#include "store/datamodulebdd_maintenance_interne.h"
#include "store/schema_bdd.h"

namespace kyb {
namespace {

std::string Nombre(int64_t n) { return std::to_string(n); }

std::string Lignes(int64_t n) { return Nombre(n) + (n > 1 ? " lignes" : " ligne"); }

}  // namespace

std::vector<std::string> TMaintenanceBDD::RapportReparation() const {
  const TBilanReparation& b = bilanReparation_;
  std::vector<std::string> lignes;
  for (const auto& t : b.tables) {
    std::string l = t.table + " : " + Lignes(t.gardees) + " gardée" + (t.gardees > 1 ? "s" : "");
    if (t.perdues > 0) l += ", " + Lignes(t.perdues) + " perdue" + (t.perdues > 1 ? "s" : "");
    if (t.perteInconnue) l += ", d'autres lignes illisibles ont pu être perdues";
    if (t.definitionsReconstruites) l += " (définitions reconstruites)";
    lignes.push_back(l);
  }
  if (b.reconstruite)
    lignes.push_back("La base endommagée est conservée dans « " + AnsiVersUtf8(b.fichierEndommage) + " ».");
  return lignes;
}

int TMaintenanceBDD::RetablitIndex() {
  if (EstLectureSeule() || !base_->Connected() || base_->InTransaction()) return 0;
  int retablis = 0;
  for (const auto& def : SchemaBDD()) {
    TACRTable t(*base_, def.nom);
    TACRFieldDefs champs;
    TACRIndexDefs index;
    if (!t.Exists() || !t.ReadDefs(champs, index)) continue;
    for (const auto& i : def.index) {
      const bool catalogue = TrouveIndex(index, i.nom) != nullptr;
      bool ok = true;
      if (!catalogue) ok = t.AddIndex(i);
      else if (!base_->IndexPhysiqueEnPlace(def.nom, i)) ok = base_->RecreeIndexPhysique(def.nom, i);
      else continue;
      AjouteJournal("LogBDD.log", "Index " + i.nom + " de la table " + def.nom +
                                      (ok ? " rétabli à l'ouverture" : " manquant, non rétabli : " +
                                                                           base_->DerniereErreur()));
      if (ok) ++retablis;
    }
  }
  return retablis;
}

TAnalyseBDD TMaintenanceBDD::AnalyseBDD() { return AnalyseBase(*base_, Interface(), TVerificationBDD::Complete); }

std::string TexteErreurBDD(TErreurMoteur code, const std::string& chemin) {
  switch (code) {
    case TErreurMoteur::DisquePlein:
      return "le disque est plein : la base de données « " + chemin +
             " » n'a pas pu être écrite (rien de ce qui était enregistré n'est perdu)";
    case TErreurMoteur::Occupe:
      return "la base de données « " + chemin + " » est déjà ouverte par un autre programme";
    case TErreurMoteur::PasUneBase:
      return "le fichier « " + chemin + " » n'est pas une base de données de généalogie (il n'a pas été modifié)";
    case TErreurMoteur::Endommagee:
      return "la base de données « " + chemin + " » est endommagée : lancez « kyb reparer » sur ce dossier";
    case TErreurMoteur::LectureSeule:
    case TErreurMoteur::Refusee:
    case TErreurMoteur::Ouverture:
      return "vous n'avez pas le droit d'écrire dans « " + chemin + " » (fichier ou dossier protégé)";
    default:
      return "la base de données « " + chemin + " » n'a pas pu être lue ou écrite";
  }
}

}  // namespace kyb
