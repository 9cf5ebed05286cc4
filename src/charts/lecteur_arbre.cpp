#include "charts/lecteur_arbre.h"

#include "folder/fic_dupli.h"
#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "index/annees_vie.h"
#include "index/gest_fic_index.h"
#include "names/gest_elt_index.h"
#include "persons/gest_pers.h"
#include "platform/chaines.h"

namespace kyb {
namespace {

// "MARTIN Jean Baptiste": the surname in capitals, then the given names.
std::string NomAffiche(const TEnregPublic& p) {
  std::string nom = UnicodeVersUtf8(MajusculesUnicode(p.Nom));
  if (!p.Prenoms.empty()) nom += (nom.empty() ? "" : " ") + UnicodeVersUtf8(p.Prenoms);
  return nom.empty() ? "(sans nom)" : nom;
}

// The place of the birth event (or of its companion, the baptism): the dictionary's name, else
// the locality.
std::string LieuNaissance(TPerson& p, TGestFichier& dossier) {
  const TEvenement* e = p.GetEvenNaissance();
  if (!e) return {};
  if (TFicDupli* lieux = dossier.GetFicLieux(); lieux && e->Enreg.Lieu > 0)
    if (const UnicodeString lieu = lieux->Charge(e->Enreg.Lieu); !lieu.empty()) return UnicodeVersUtf8(lieu);
  return UnicodeVersUtf8(e->Enreg.LieuDit);
}

}  // namespace

std::string TexteAnneesArbre(int declareeMin, int declareeMax, int indexMin, int indexMax) {
  const auto annee = [](int declaree, int index) {
    if (declaree > 0) return std::to_string(declaree);
    return index > 0 ? "~" + std::to_string(index) : std::string("?");
  };
  if (declareeMin <= 0 && declareeMax <= 0 && indexMin <= 0 && indexMax <= 0) return {};
  return annee(declareeMin, indexMin) + "-" + annee(declareeMax, indexMax);
}

const TPersonneArbre* TLecteurArbre::Personne(long no) {
  if (const auto it = lues_.find(no); it != lues_.end()) return &it->second;
  if (absentes_.count(no)) return nullptr;
  TPersonneArbre p;
  if (!Lit(no, p)) {
    absentes_.insert(no);
    return nullptr;
  }
  return &lues_.emplace(no, std::move(p)).first->second;
}

std::pair<int, int> TLecteurArbre::AnneesIndex(long no) {
  if (!indexLu_) {
    indexLu_ = true;
    TFicIndexPerson* index = TFicIndexPerson::De(dossier_);
    if (index && index->Index())
      for (const TEltIndex& e : index->Index()->Elements()) {
        if (e.NoPers <= 0 || e.FicheSupprimee == 'O') continue;
        const auto n = static_cast<size_t>(e.NoPers);
        if (n >= anneesIndex_.size()) anneesIndex_.resize(n + 1);
        anneesIndex_[n] = {e.AnneeMin, e.AnneeMax};  // every entry of a person holds its years
      }
  }
  if (no < 1 || static_cast<size_t>(no) >= anneesIndex_.size()) return {0, 0};
  return anneesIndex_[static_cast<size_t>(no)];
}

bool TLecteurArbre::Lit(long no, TPersonneArbre& p) {
  TFicPersons* f = dossier_.GetFicPersons();
  if (!f || no < 1 || !f->IsNoPersOk(no)) return false;
  TPerson personne(f, no, true);
  if (personne.FicheSupprimee()) return false;
  const TEnregPublic& pub = personne.Public;
  const auto dansLaPlage = [f](long n) { return n > 0 && n <= f->NbEnreg ? n : 0L; };
  p.No = no;
  p.Sexe = pub.Sexe;
  p.Pere = dansLaPlage(pub.Pere.No);
  p.Mere = dansLaPlage(pub.Mere.No);
  for (const TLienConj& c : pub.Conjoints)
    if (const long n = dansLaPlage(c.Lien.No)) p.Conjoints.push_back(n);
  for (const TLienPers& e : pub.Enfants)
    if (const long n = dansLaPlage(e.No)) p.Enfants.push_back(n);
  p.Nom = NomAffiche(pub);
  const TAnneesVie declarees = personne.FicheChargee() ? AnneesVie(personne.Fiche()) : TAnneesVie{};
  const auto [indexMin, indexMax] = AnneesIndex(no);
  p.Annees = TexteAnneesArbre(declarees.Min, declarees.Max, indexMin, indexMax);
  if (personne.FicheChargee()) p.Lieu = LieuNaissance(personne, dossier_);
  return true;
}

}  // namespace kyb
