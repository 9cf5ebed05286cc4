#include "persons/source_estimation.h"

#include <optional>

#include "folder/gest_fic.h"
#include "persons/acces_proches.h"
#include "persons/gest_pers.h"
#include "persons/tables_parente.h"
#include "store/datamodulebdd.h"

namespace kyb {

namespace {

constexpr size_t kPersonnesGardees = 256;  // persons read kept by a source

// Places one dated event of the person among the facts.
void Range(TDonneesEstimation& d, std::string_view libelle, const TDateKY& date, long conjoint) {
  if (date.DateVide()) return;
  if (libelle == kLibelleNaissance) {
    if (d.Naissance.DateVide()) d.Naissance = date;
  } else if (libelle == kLibelleDeces) {
    if (d.Deces.DateVide()) d.Deces = date;
  } else if (libelle == kLibelleInhumation) {
    if (d.Inhumation.DateVide()) d.Inhumation = date;
  } else if (libelle == kLibelleUnion) {
    d.Unions.emplace_back(conjoint, date);
  } else {
    d.Autres.push_back(date);
  }
}

// The facts of a person through the reader of relatives: true read, false not live, nothing
// when the store could not be read.
std::optional<bool> LitProche(TLecteurProches& l, long no, bool citations, TDonneesEstimation& d) {
  TProcheLu p;
  std::vector<TEvenProche> evens;
  if (!l.Lit(no, p)) return std::nullopt;
  if (!p.Vivant()) return false;
  if (!l.LitEvenements(no, p.Conjoints, citations, evens)) return std::nullopt;
  d.No = no;
  d.Sexe = p.Sexe;
  d.Pere = p.PereAffiche();
  d.Mere = p.MereAffiche();
  for (const int32_t c : p.Conjoints)
    if (c > 0) d.Conjoints.push_back(c);
  for (const int32_t e : p.Enfants)
    if (e > 0) d.Enfants.push_back(e);
  for (const TEvenProche& e : evens) {
    if (e.Cite) d.Autres.push_back(e.Date);
    else Range(d, e.Libelle, e.Date, e.NoPersA == no ? e.NoPersB : e.NoPersA);
  }
  return true;
}

}  // namespace

TSourceEstimationFichier::TSourceEstimationFichier(TFicPersons& fichier, bool citations)
    : fichier_(fichier), citations_(citations), acces_(std::make_unique<TAccesProches>(fichier)) {}

TSourceEstimationFichier::~TSourceEstimationFichier() {
  groupe_.reset();  // before the reader it holds
}

void TSourceEstimationFichier::Extrait(TPerson& p, TDonneesEstimation& d, bool citations) {
  d = TDonneesEstimation();
  d.No = p.Numero();
  d.Sexe = p.Public.Sexe;
  d.Pere = p.Public.Pere.No;
  d.Mere = p.Public.Mere.No;
  for (const TLienConj& c : p.Public.Conjoints)
    if (c.Lien.No > 0) d.Conjoints.push_back(c.Lien.No);
  for (const TLienPers& e : p.Public.Enfants)
    if (e.No > 0) d.Enfants.push_back(e.No);
  p.LectureComplementaire();
  for (const TEvenementTV& e : p.Fiche().Evenements) {
    const TEvenement::TEnreg& r = e.Even.Enreg;
    const bool titulaire = r.NoPersA == d.No || r.NoPersB == d.No;
    if (!titulaire) {
      if (citations && !r.Date.DateVide()) d.Autres.push_back(r.Date);  // cited as a witness
      continue;
    }
    Range(d, r.LibelleChamps, r.Date, r.NoPersA == d.No ? r.NoPersB : r.NoPersA);
  }
  TModuleBDD* bdd = p.Fichier() && p.Fichier()->Dossier() ? p.Fichier()->Dossier()->GetModuleBDD() : nullptr;
  if (!bdd || !citations) return;
  for (const long id : p.GetCitations()) {
    const TEvenement cite(bdd, id);
    if (!cite.Enreg.Date.DateVide()) d.Autres.push_back(cite.Enreg.Date);
  }
}

bool TSourceEstimationFichier::Lit(long no, TDonneesEstimation& d) {
  d = TDonneesEstimation();
  if (no > 0 && fichier_.NoPersValide(no)) {
    if (TLecteurProches* l = acces_->Lecteur()) {
      if (const auto it = lus_.find(no); it != lus_.end()) {
        d = it->second.second;
        return it->second.first;
      }
      if (!groupe_) groupe_ = std::make_unique<TLecturesGroupees>(l);
      if (const std::optional<bool> lu = LitProche(*l, no, citations_, d)) {
        if (lus_.size() >= kPersonnesGardees) lus_.clear();
        lus_.emplace(no, std::pair(*lu, d));
        return *lu;
      }
    }
    d = TDonneesEstimation();
  }
  return LitPersonne(no, d);
}

bool TSourceEstimationFichier::LitPersonne(long no, TDonneesEstimation& d) {
  TPerson p(&fichier_, 0);
  if (!LitPersonneVivante(fichier_, no, p)) {
    // A link to a person that cannot be read is damage: the folder is told.
    if (no > 0 && fichier_.Dossier() && !fichier_.NoPersValide(no)) fichier_.Dossier()->SetError(true);
    return false;
  }
  Extrait(p, d, citations_);
  return true;
}

}  // namespace kyb
