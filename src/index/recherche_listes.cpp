// Pick lists over the person index and the store: distinct surnames, given names, professions and
// places with their counts, surnames of a place, persons of Sosa generations.
#include <algorithm>
#include <map>

#include "folder/fic_dupli.h"
#include "folder/gest_fic.h"
#include "folder/gest_fic_sosa.h"
#include "index/gest_fic_index.h"
#include "index/recherche_simple.h"
#include "index/recherche_simple_interne.h"
#include "names/bo_chn1.h"
#include "names/masque.h"
#include "store/datamodulebdd.h"
#include "store/evenement.h"

namespace kyb {

namespace {

// The sex rule of the lists: an entry of the other sex is left out ('?' asks for both).
bool SexeOk(char entree, char demande) {
  return !((entree == 'F' && demande == 'M') || (entree == 'M' && demande == 'F'));
}

UnicodeString CleLettre(std::u16string_view lettre) {
  return TransformeEnCaractereIndex(UpperANSIChaineAS(EffBlancs(lettre), 2));
}

// Values counted under their plain upper-case key, shown as first met; sorted by key.
class TCompteur {
 public:
  void Ajoute(const UnicodeString& valeur, long n = 1) {
    const UnicodeString cle = UpperANSIChaineAS(EffBlancs(valeur), 2);
    if (cle.empty()) return;
    auto [it, nouveau] = comptes_.try_emplace(cle, TNomCompte{EffBlancs(valeur), 0});
    it->second.Nombre += n;
  }
  [[nodiscard]] std::vector<TNomCompte> Liste() const {
    std::vector<TNomCompte> liste;
    for (const auto& [cle, c] : comptes_) liste.push_back(c);
    return liste;
  }

 private:
  std::map<UnicodeString, TNomCompte> comptes_;
};

// The distinct persons of each surname of a walk that meets the surnames one after the other:
// a person seen again under the same surname (several given names) counts once. A surname
// with no person is not listed.
class TComptePatronymes {
 public:
  explicit TComptePatronymes(size_t personnes) : marques_(personnes + 1, 0) {}
  [[nodiscard]] bool Ouvert() const { return tour_ > 0; }
  [[nodiscard]] const UnicodeString& NomCourant() const { return nom_; }
  void Nom(UnicodeString nom) {
    Clos();
    nom_ = std::move(nom);
    ++tour_;
  }
  void Personne(int32_t no) {
    const auto i = static_cast<size_t>(no);
    if (i >= marques_.size()) marques_.resize(i + 1, 0);
    if (marques_[i] == tour_) return;
    marques_[i] = tour_;
    ++n_;
  }
  [[nodiscard]] std::vector<TNomCompte> Liste() {
    Clos();
    return std::move(liste_);
  }

 private:
  void Clos() {
    if (n_ > 0) liste_.push_back({nom_, n_});
    n_ = 0;
  }
  std::vector<uint32_t> marques_;  // per person, the last surname (tour_) it was counted under
  uint32_t tour_ = 0;
  UnicodeString nom_;
  long n_ = 0;
  std::vector<TNomCompte> liste_;
};

}  // namespace

std::vector<TNomCompte> TRechercheIndex::RetournePatronyme(std::u16string_view lettre, char sexe,
                                                           const TRechSimple* criteres) {
  const UnicodeString cle = CleLettre(lettre);
  const size_t personnes = static_cast<size_t>(std::max<long>(index_.NbPersonnesConnues(), 0));
  const auto retenue = [sexe](bool nomVide, char sexeEntree, char supprimee) {
    return !nomVide && supprimee != 'O' && SexeOk(sexeEntree, sexe);
  };
  // Over the file read in place: each entry's surname compared as bytes and decoded only when it
  // changes, the other texts skipped.
  if (const TVueFichierIndex* vue = index_.VueFichier()) {
    TComptePatronymes compte(personnes);
    const auto [debut, fin] = Plage(*vue, cle, true);
    std::string_view precedent;
    TVueFichierIndex::TEntreeNom e;
    for (size_t k = debut; k < fin && !vue->Endommage(); ++k) {
      if (k % 256 == 0 && abandon_.load()) break;
      if (!vue->LitNom(k, e) || !retenue(e.NomUtf8.empty(), e.Sexe, e.FicheSupprimee)) continue;
      if (!compte.Ouvert() || e.NomUtf8 != precedent) {
        compte.Nom(vue->DecodeNom(e.NomUtf8));
        precedent = e.NomUtf8;
      }
      if (!criteres || !IsExclu(e.NoPers, criteres)) compte.Personne(e.NoPers);
    }
    // A damaged entry: the walk runs again over the index read whole.
    if (!index_.VueEndommagee()) return compte.Liste();
  }
  const TGestEltIndex* index = index_.Index();
  if (!index) return {};
  TComptePatronymes compte(personnes);
  const TVueEltIndex& elts = index->Elements();
  const auto [debut, fin] = Plage(elts, cle, true);
  for (size_t k = debut; k < fin; ++k) {
    if (k % 256 == 0 && abandon_.load()) break;
    const TEltIndex& e = elts[k];
    if (!retenue(e.Nom().empty(), e.Sexe, e.FicheSupprimee)) continue;
    if (!compte.Ouvert() || e.Nom() != compte.NomCourant()) compte.Nom(UnicodeString(e.Nom()));
    if (!criteres || !IsExclu(e.NoPers, criteres)) compte.Personne(e.NoPers);
  }
  return compte.Liste();
}

std::vector<UnicodeString> TRechercheIndex::RetourneListPatronyme(std::u16string_view lettre, char sexe) {
  std::vector<UnicodeString> noms;
  for (TNomCompte& n : RetournePatronyme(lettre, sexe, nullptr)) noms.push_back(std::move(n.Nom));
  return noms;
}

std::vector<TNomCompte> TRechercheIndex::RetourneListPrenom(std::u16string_view lettre, char sexe) {
  TCompteur compteur;
  TGestEltIndex* index = index_.Index();
  if (!index) return {};
  const UnicodeString cle = CleLettre(lettre);
  for (const TEltIndex& e : index->Elements()) {
    // One entry per (person, given name): those of the first surname.
    if (e.Prenom().empty() || e.RgNom > 1 || e.FicheSupprimee == 'O' || !SexeOk(e.Sexe, sexe)) continue;
    if (e.Prenom().substr(0, cle.size()) != cle) continue;
    compteur.Ajoute(UnicodeString(e.Prenom()));
  }
  return compteur.Liste();
}

std::vector<UnicodeString> TRechercheIndex::RetourneToutPrenom(std::u16string_view lettre) {
  std::vector<UnicodeString> prenoms;
  for (TNomCompte& p : RetourneListPrenom(lettre, '?')) prenoms.push_back(std::move(p.Nom));
  return prenoms;
}

std::vector<TNomCompte> TRechercheIndex::RetourneProfession(std::u16string_view debut) {
  TCompteur compteur;
  TModuleBDD* m = dossier_.GetModuleBDD();
  if (!m || !m->BeginParcoursEvens("ParID", "PROFESSION")) return {};
  const UnicodeString cle = UpperANSIChaineAS(EffBlancs(debut), 2);
  TEvenement even(m);
  while (!m->EofParcoursEvens() && m->GetEvenParcours(even)) {
    const UnicodeString& valeur = even.Enreg.Donnee;
    if (UpperANSIChaineAS(valeur, 2).substr(0, cle.size()) == cle) compteur.Ajoute(valeur);
  }
  m->EndParcoursEvens();
  return compteur.Liste();
}

std::vector<TNomCompte> TRechercheIndex::RetourneLieux(std::u16string_view debut) {
  TCompteur compteur;
  TModuleBDD* m = dossier_.GetModuleBDD();
  const TFicDupli* lieux = dossier_.GetFicLieux();
  if (!m || !lieux || !m->BeginParcoursEvens("ParLieu")) return {};
  std::map<long, long> parLieu;
  TEvenement even(m);
  while (!m->EofParcoursEvens() && m->GetEvenParcours(even))
    if (even.Enreg.Lieu > 0) ++parLieu[even.Enreg.Lieu];
  m->EndParcoursEvens();
  const UnicodeString cle = CleLieu(debut);
  for (const auto& [no, n] : parLieu) {
    const UnicodeString commune = lieux->RetCommune(no);
    if (CleLieu(commune).substr(0, cle.size()) == cle) compteur.Ajoute(commune, n);
  }
  return compteur.Liste();
}

std::vector<TNomCompte> TRechercheIndex::RetournePatronymeLieu(std::u16string_view lieu) {
  TCompteur compteur;
  TGestEltIndex* index = index_.Index();
  if (!index || lieu.empty()) return {};
  const std::set<long> titulaires = PlacesCorrespondant(lieu);
  if (titulaires.empty()) return {};
  for (const TEltIndex& e : index->Elements())
    if (!e.Nom().empty() && e.RgPrenom <= 1 && e.FicheSupprimee != 'O' && titulaires.count(e.NoPers))
      compteur.Ajoute(UnicodeString(e.Nom()));
  return compteur.Liste();
}

namespace {

// Persons of the folder whose Sosa generation passes the test, in number order.
template <class Test>
std::vector<int32_t> ParGeneration(TGestFichier& dossier, long nbPersonnes, Test&& garde) {
  std::vector<int32_t> personnes;
  TFicSosas* sosas = dossier.GetFicSosas();
  if (!sosas) return personnes;
  for (long no = 1; no <= nbPersonnes; ++no) {
    const NTL::ZZ sosa = sosas->LectureNoStrado(no);
    if (sosa <= 0) continue;
    if (garde(static_cast<int>(NTL::NumBits(sosa)))) personnes.push_back(static_cast<int32_t>(no));
  }
  return personnes;
}

}  // namespace

std::vector<int32_t> TRechercheIndex::RetourneSosaInfGenerationNo(int generation) {
  return ParGeneration(dossier_, index_.NbPersonnesConnues(), [generation](int g) { return g < generation; });
}

std::vector<int32_t> TRechercheIndex::RetourneSosaEgalGenerationNo(int generation) {
  return ParGeneration(dossier_, index_.NbPersonnesConnues(), [generation](int g) { return g == generation; });
}

}  // namespace kyb
