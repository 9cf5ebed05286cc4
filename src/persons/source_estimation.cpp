#include "persons/source_estimation.h"

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

// The facts of a person read by the reader of relatives: false when it is not live.
bool Donnees(const TFicheProche& f, TDonneesEstimation& d) {
  d = TDonneesEstimation();
  const TProcheLu& p = f.Personne;
  if (!p.Vivant()) return false;
  d.No = f.No;
  d.Sexe = p.Sexe;
  d.Pere = p.PereAffiche();
  d.Mere = p.MereAffiche();
  for (const int32_t c : p.Conjoints)
    if (c > 0) d.Conjoints.push_back(c);
  for (const int32_t e : p.Enfants)
    if (e > 0) d.Enfants.push_back(e);
  for (const TEvenProche& e : f.Evenements) {
    if (e.Cite) d.Autres.push_back(e.Date);
    else Range(d, e.Libelle, e.Date, e.NoPersA == f.No ? e.NoPersB : e.NoPersA);
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

bool TSourceEstimationFichier::ALire(long no) const {
  return no > 0 && fichier_.NoPersValide(no) && !lus_.count(no);
}

void TSourceEstimationFichier::Garde(const std::vector<TFicheProche>& fiches) {
  if (lus_.size() + fiches.size() > kPersonnesGardees) lus_.clear();
  for (const TFicheProche& f : fiches) {
    if (f.No <= 0 || !fichier_.NoPersValide(f.No)) continue;  // left to a person object
    TDonneesEstimation d;
    const bool vivant = Donnees(f, d);
    lus_.emplace(f.No, std::pair(vivant, std::move(d)));
  }
}

bool TSourceEstimationFichier::Lit(long no, TDonneesEstimation& d) {
  d = TDonneesEstimation();
  if (no > 0 && fichier_.NoPersValide(no)) {
    if (TLecteurProches* l = acces_->Lecteur()) {
      if (!lus_.count(no)) {
        if (!groupe_) groupe_ = std::make_unique<TLecturesGroupees>(l);
        std::vector<TFicheProche> fiches;
        if (l->LitFiches({no}, citations_, fiches)) Garde(fiches);
      }
      if (const auto it = lus_.find(no); it != lus_.end()) {
        d = it->second.second;
        return it->second.first;
      }
    }
  }
  return LitPersonne(no, d);
}

void TSourceEstimationFichier::Precharge(const std::vector<long>& nos) {
  std::vector<long> alire;
  for (const long no : nos)
    if (ALire(no)) alire.push_back(no);
  TLecteurProches* l = alire.empty() ? nullptr : acces_->Lecteur();
  if (!l) return;
  if (!groupe_) groupe_ = std::make_unique<TLecturesGroupees>(l);
  std::vector<TFicheProche> fiches;
  if (l->LitFiches(alire, citations_, fiches)) Garde(fiches);
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
