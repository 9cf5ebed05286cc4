#include "names/gest_elt_index.h"

#include <algorithm>
#include <cstring>

#include "names/bo_chn1.h"
#include "platform/date_heure.h"
#include "platform/erreur.h"

namespace kyb {

namespace {

constexpr char kMarqueur[5] = {'U', 'T', 'F', '-', '8'};
constexpr int kPasMaxProgression = 1000;
// The clock is read every so many elements: reading it costs more than handling an element.
constexpr int kElementsParLectureHorloge = 256;
constexpr double kUneSeconde = 1.0 / 86400.0;

// Progress over at most 1000 steps, moved at most once a second, and to its maximum at the end.
class TSuiviProgression {
 public:
  TSuiviProgression(TProgression* barre, int nb)
      : barre_(barre), nb_(nb), maximum_(std::min(nb, kPasMaxProgression)) {
    if (!barre_) return;
    dernier_ = Maintenant();
    barre_->Maximum(maximum_);
  }
  void Element(int i) {
    if (!barre_ || i == 0 || i % kElementsParLectureHorloge != 0) return;
    const TDateTime maintenant = Maintenant();
    if (maintenant - dernier_ < kUneSeconde) return;
    dernier_ = maintenant;
    barre_->Position(static_cast<int>(int64_t{i} * maximum_ / nb_));
    if (barre_->Interface()) barre_->Interface()->TraiteMessages();
  }
  void Fin() {
    if (barre_) barre_->Position(maximum_);
  }

 private:
  TProgression* barre_;
  int nb_;
  int maximum_;
  TDateTime dernier_ = 0;
};

[[noreturn]] void Endommage(TGestEltIndex& index) {
  index.Raz();
  throw ErreurKy("Fichier d'index endommagé ou incomplet !");
}

}  // namespace

TGestEltIndex::TGestEltIndex(int tailleInitiale, TGestFichier* gestFichier)
    : TVectorTV(static_cast<size_t>(std::max(tailleInitiale, 0))),
      gestFichier_(gestFichier) {}

bool TGestEltIndex::Sauvegarde(const AnsiString& nomFichier, TProgression* barre) const {
  TSortieFichier flux(nomFichier);
  if (!flux.Ouvert()) return false;
  flux.EcritOctets(kMarqueur, sizeof kMarqueur);
  const bool ok = Sauvegarde(flux, barre);
  return flux.Ferme() && ok;
}

bool TGestEltIndex::Sauvegarde(TSortieBinaire& flux, TProgression* barre) const {
  const int nb = GetNbElt();
  TSuiviProgression suivi(barre, nb);
  flux.EcritEntier32(nb);
  for (int i = 0; i < nb; ++i) {
    suivi.Element(i);
    elts_[i].Sauvegarde(flux);
  }
  suivi.Fin();
  return flux.Vide();
}

void TGestEltIndex::Restauration(const AnsiString& nomFichier, TProgression* barre) {
  Raz();
  TEntreeFichier flux(nomFichier);
  if (!flux.Ouvert()) throw ErreurKy("Impossible de lire le fichier d'index !");
  char marqueur[sizeof kMarqueur] = {};
  if (!flux.LitOctets(marqueur, sizeof marqueur) ||
      std::memcmp(marqueur, kMarqueur, sizeof kMarqueur) != 0)
    throw ErreurKy("Encodage inconnu !");
  Restauration(flux, barre);
}

void TGestEltIndex::Restauration(TEntreeBinaire& flux, TProgression* barre) {
  Raz();
  int32_t nb = 0;
  if (!flux.LitEntier32(nb) || nb < 0 || nb > flux.Restant() / TEltIndex::kTailleMinFichier)
    Endommage(*this);
  // The count is now backed by the bytes the file holds.
  Reserve(static_cast<size_t>(nb));
  TSuiviProgression suivi(barre, nb);
  for (int i = 0; i < nb; ++i) {
    suivi.Element(i);
    if (!elts_.emplace_back().Restauration(flux)) Endommage(*this);
  }
  suivi.Fin();
}

int TGestEltIndex::SupprimeClefPersNo(int32_t noPers) {
  const auto fin = std::remove_if(elts_.begin(), elts_.end(),
                                  [noPers](const TEltIndex& e) { return e.NoPers == noPers; });
  const int nb = static_cast<int>(elts_.end() - fin);
  elts_.erase(fin, elts_.end());
  return nb;
}

bool TGestEltIndex::RemplaceClasse(const TEltIndex& ancien, const TEltIndex& nouveau) {
  TEltIndex tmp;
  const int depart = RechercheDicoth(ancien, tmp, 0, false);
  const auto place = std::lower_bound(elts_.begin(), elts_.end(), nouveau);
  const bool present = place != elts_.end() && *place == nouveau;
  if (depart < 0 || (present && elts_.begin() + depart != place)) {
    if (depart >= 0) elts_.erase(elts_.begin() + depart);
    if (present) return false;
    elts_.insert(std::lower_bound(elts_.begin(), elts_.end(), nouveau), nouveau);
    return true;
  }
  const auto source = elts_.begin() + depart;
  // The elements between the old and the new place shift by one towards the old place.
  if (place > source) {
    std::move(source + 1, place, source);
    *(place - 1) = nouveau;
  } else {
    std::move_backward(place, source, source + 1);
    *place = nouveau;
  }
  return true;
}

void TGestEltIndex::InitClefIndexOfNoPers(TMapNoPers& map) const {
  map.clear();
  for (int i = 0; i < GetNbElt(); ++i) map.emplace(elts_[i].NoPers, i);
}

int TGestEltIndex::FindClefIndexOfNoPers(const TMapNoPers& map, int32_t noPers,
                                         std::vector<int>* positions) const {
  std::vector<int> trouves;
  const auto [debut, fin] = map.equal_range(noPers);
  for (auto it = debut; it != fin; ++it)
    if (it->second >= 0 && it->second < GetNbElt() && elts_[it->second].NoPers == noPers)
      trouves.push_back(it->second);
  std::sort(trouves.begin(), trouves.end());
  const int premier = trouves.empty() ? -1 : trouves.front();
  if (positions) *positions = std::move(trouves);
  return premier;
}

AnsiString TGestEltIndex::FormatIndex(std::string_view texte) { return kyb::FormatIndex(texte); }

UnicodeString TGestEltIndex::FormatIndex(std::u16string_view texte) {
  return kyb::FormatIndex(texte);
}

}  // namespace kyb
