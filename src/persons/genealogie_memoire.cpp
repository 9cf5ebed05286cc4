#include "persons/genealogie_memoire.h"

#include <algorithm>
#include <string_view>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "persons/gest_pers.h"
#include "platform/interface_utilisateur.h"
#include "store/datamodulebdd.h"

namespace kyb {

namespace {

constexpr long kPasProgression = 4096;

TSorteEven Sorte(std::string_view libelle) {
  if (libelle == kLibelleNaissance) return TSorteEven::Naissance;
  if (libelle == kLibelleBapteme) return TSorteEven::Bapteme;
  if (libelle == kLibelleDeces) return TSorteEven::Deces;
  if (libelle == kLibelleInhumation) return TSorteEven::Inhumation;
  if (libelle == kLibelleUnion) return TSorteEven::Union;
  return TSorteEven::Autre;
}

void Avance(TProgression* barre, long n) {
  if (barre && n % kPasProgression == 0) barre->Position(static_cast<int>(n));
}

}  // namespace

void TGenealogieMemoire::AjouteLiens(long no, const TEnregPublic& p) {
  TPersonneMemoire& x = personnes_[static_cast<size_t>(no)];
  x.Vivante = p.FicheSupprimee != 'O';
  if (!x.Vivante) return;
  x.Sexe = p.Sexe;
  x.Pere = p.Pere.No;
  x.Mere = p.Mere.No;
  x.Liens = static_cast<uint32_t>(liens_.size());
  for (const TLienConj& c : p.Conjoints)
    if (c.Lien.No > 0) liens_.push_back(c.Lien.No), ++x.NbConjoints;
  for (const TLienPers& e : p.Enfants)
    if (e.No > 0) liens_.push_back(e.No), ++x.NbEnfants;
}

void TGenealogieMemoire::RangeEvenements(std::vector<std::pair<int32_t, TEvenMemoire>>& evens) {
  // Grouped by holder, in the order they were read (a counting sort).
  std::vector<uint32_t> compte(personnes_.size() + 1, 0);
  for (const auto& [no, e] : evens) ++compte[static_cast<size_t>(no) + 1];
  for (size_t i = 1; i < compte.size(); ++i) compte[i] += compte[i - 1];
  for (size_t n = 0; n < personnes_.size(); ++n) personnes_[n].Evens = compte[n];
  evens_.resize(evens.size());
  for (auto& [no, e] : evens) evens_[compte[static_cast<size_t>(no)]++] = e;
}

bool TGenealogieMemoire::ChargeStore(TFicPersons& fichier, TProgression* barre) {
  TModuleBDD* bdd = fichier.Dossier() ? fichier.Dossier()->GetModuleBDD() : nullptr;
  if (!bdd) return false;
  TEnregPublic p;
  long no = 0, lus = 0;
  bdd->BeginParcoursPerson();
  while (bdd->ReadPersonParcours(p, no)) {
    if (no >= 1 && static_cast<size_t>(no) < personnes_.size()) AjouteLiens(no, p);
    Avance(barre, ++lus);
  }
  bdd->EndParcoursPerson();
  std::vector<std::pair<int32_t, TEvenMemoire>> evens;
  TEvenement even(bdd);
  if (!bdd->BeginParcoursEvens()) return false;
  while (bdd->GetEvenParcours(even)) {
    const TEvenement::TEnreg& r = even.Enreg;
    if (r.Date.DateVide() || !Vivante(r.NoPersA)) continue;
    evens.push_back({r.NoPersA, {r.NoPersB, Sorte(r.LibelleChamps), r.Date}});
    // A couple event held by one spouse is the other's too.
    if (r.NoPersB > 0 && r.NoPersB != r.NoPersA && Vivante(r.NoPersB))
      evens.push_back({r.NoPersB, {r.NoPersA, Sorte(r.LibelleChamps), r.Date}});
  }
  bdd->EndParcoursEvens();
  AcheveEvenements(evens);
  return true;
}

void TGenealogieMemoire::AcheveEvenements(std::vector<std::pair<int32_t, TEvenMemoire>>& evens) {
  evens.erase(std::remove_if(evens.begin(), evens.end(), [this](const auto& e) { return !Vivante(e.first); }),
              evens.end());
  // A couple event held by both spouses was read twice: the copies go.
  std::sort(evens.begin(), evens.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    if (a.second.Sorte != b.second.Sorte) return a.second.Sorte < b.second.Sorte;
    if (a.second.Conjoint != b.second.Conjoint) return a.second.Conjoint < b.second.Conjoint;
    return a.second.Date.Texte() < b.second.Date.Texte();
  });
  evens.erase(std::unique(evens.begin(), evens.end(), [](const auto& a, const auto& b) {
                return a.first == b.first && a.second.Conjoint > 0 && a.second.Sorte == b.second.Sorte &&
                       a.second.Conjoint == b.second.Conjoint && a.second.Date.Texte() == b.second.Date.Texte() &&
                       a.second.Date.GetActe() == b.second.Date.GetActe();
              }),
              evens.end());
  RangeEvenements(evens);
}

void TGenealogieMemoire::ChargeParPersonne(TFicPersons& fichier, TProgression* barre) {
  std::vector<std::pair<int32_t, TEvenMemoire>> evens;
  TPerson p(&fichier, 0);
  TDonneesEstimation d;
  for (long no = 1; no <= NbPersonnes(); ++no) {
    Avance(barre, no);
    p.Lecture(no);
    if (p.Numero() != no) continue;
    AjouteLiens(no, p.Public);
    if (p.FicheSupprimee()) continue;
    TSourceEstimationFichier::Extrait(p, d, false);
    const auto ajoute = [&](TSorteEven s, const TDateKY& date, long conjoint) {
      if (!date.DateVide()) evens.push_back({static_cast<int32_t>(no), {static_cast<int32_t>(conjoint), s, date}});
    };
    ajoute(TSorteEven::Naissance, d.Naissance, 0);
    ajoute(TSorteEven::Deces, d.Deces, 0);
    ajoute(TSorteEven::Inhumation, d.Inhumation, 0);
    for (const auto& [conjoint, date] : d.Unions) ajoute(TSorteEven::Union, date, conjoint);
    for (const TDateKY& date : d.Autres) ajoute(TSorteEven::Autre, date, 0);
  }
  RangeEvenements(evens);
}

bool TGenealogieMemoire::Charge(TFicPersons& fichier, TProgression* barre) {
  personnes_.assign(static_cast<size_t>(std::max(fichier.NbEnreg, 0L)) + 1, TPersonneMemoire());
  liens_.clear();
  evens_.clear();
  if (barre) barre->Maximum(static_cast<int>(NbPersonnes()));
  if (fichier.AncienFormat()) {
    ChargeParPersonne(fichier, barre);
    return true;
  }
  if (ChargeStore(fichier, barre)) return true;
  personnes_.assign(1, TPersonneMemoire());
  liens_.clear();
  evens_.clear();
  return false;
}

void TGenealogieMemoire::Debute() {
  personnes_.assign(1, TPersonneMemoire());
  liens_.clear();
  evens_.clear();
  enAttente_.clear();
}

void TGenealogieMemoire::AjoutePersonne(long no, const TEnregPublic& p) {
  if (no < 1) return;
  if (static_cast<size_t>(no) >= personnes_.size()) personnes_.resize(static_cast<size_t>(no) + 1);
  AjouteLiens(no, p);
}

void TGenealogieMemoire::AjouteEvenement(long noA, long noB, std::string_view libelle, const TDateKY& date) {
  if (date.DateVide() || noA < 1) return;
  enAttente_.push_back({static_cast<int32_t>(noA), {static_cast<int32_t>(noB), Sorte(libelle), date}});
  if (noB > 0 && noB != noA)
    enAttente_.push_back({static_cast<int32_t>(noB), {static_cast<int32_t>(noA), Sorte(libelle), date}});
}

void TGenealogieMemoire::Acheve(long nbPersonnes) {
  personnes_.resize(static_cast<size_t>(std::max(nbPersonnes, 0L)) + 1);
  AcheveEvenements(enAttente_);
  std::vector<std::pair<int32_t, TEvenMemoire>>().swap(enAttente_);
}

TGenealogieMemoire::TTranche TGenealogieMemoire::Conjoints(long no) const {
  if (!Valide(no)) return {};
  const TPersonneMemoire& x = personnes_[static_cast<size_t>(no)];
  const int32_t* d = liens_.data() + x.Liens;
  return {d, d + x.NbConjoints};
}

TGenealogieMemoire::TTranche TGenealogieMemoire::Enfants(long no) const {
  if (!Valide(no)) return {};
  const TPersonneMemoire& x = personnes_[static_cast<size_t>(no)];
  const int32_t* d = liens_.data() + x.Liens + x.NbConjoints;
  return {d, d + x.NbEnfants};
}

std::vector<TEvenMemoire> TGenealogieMemoire::Evenements(long no) const {
  if (!Valide(no)) return {};
  const size_t n = static_cast<size_t>(no);
  const uint32_t fin = n + 1 < personnes_.size() ? personnes_[n + 1].Evens : static_cast<uint32_t>(evens_.size());
  return {evens_.begin() + personnes_[n].Evens, evens_.begin() + fin};
}

const TEvenMemoire* TGenealogieMemoire::Premier(long no, TSorteEven sorte) const {
  if (!Valide(no)) return nullptr;
  const size_t n = static_cast<size_t>(no);
  const uint32_t fin = n + 1 < personnes_.size() ? personnes_[n + 1].Evens : static_cast<uint32_t>(evens_.size());
  for (uint32_t i = personnes_[n].Evens; i < fin; ++i)
    if (evens_[i].Sorte == sorte) return &evens_[i];
  return nullptr;
}

bool TGenealogieMemoire::Lit(long no, TDonneesEstimation& d) {
  d = TDonneesEstimation();
  if (!Vivante(no)) return false;
  d.No = no;
  d.Sexe = Sexe(no);
  d.Pere = Pere(no);
  d.Mere = Mere(no);
  for (const int32_t c : Conjoints(no)) d.Conjoints.push_back(c);
  for (const int32_t e : Enfants(no)) d.Enfants.push_back(e);
  for (const TEvenMemoire& e : Evenements(no)) {
    switch (e.Sorte) {
      case TSorteEven::Naissance: if (d.Naissance.DateVide()) d.Naissance = e.Date; break;
      case TSorteEven::Deces: if (d.Deces.DateVide()) d.Deces = e.Date; break;
      case TSorteEven::Inhumation: if (d.Inhumation.DateVide()) d.Inhumation = e.Date; break;
      case TSorteEven::Union: d.Unions.emplace_back(e.Conjoint, e.Date); break;
      default: d.Autres.push_back(e.Date); break;
    }
  }
  return true;
}

}  // namespace kyb
