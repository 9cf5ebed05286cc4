#include "names/gest_elt_index.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "names/bo_chn1.h"
#include "names/vue_fichier_index.h"
#include "platform/fichier_projete.h"
#include "platform/date_heure.h"
#include "platform/erreur.h"

namespace kyb {

namespace {

constexpr char kMarqueur[5] = {'U', 'T', 'F', '-', '8'};
constexpr int kPasMaxProgression = 1000;
// The clock is read every so many elements: reading it costs more than handling an element.
constexpr int kElementsParLectureHorloge = 256;
constexpr double kUneSeconde = 1.0 / 86400.0;
constexpr int32_t kFinChaine = -1;

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

TGestEltIndex::TGestEltIndex(int tailleInitiale, TGestFichier* gestFichier) : gestFichier_(gestFichier) {
  Reserve(static_cast<size_t>(std::max(tailleInitiale, 0)));
}

void TGestEltIndex::Raz() {
  stock_.clear();
  ordre_.clear();
  suivant_.clear();
  tete_.clear();
  hors_.clear();
  libres_.clear();
}

void TGestEltIndex::Reserve(size_t n) {
  stock_.reserve(n);
  ordre_.reserve(n);
  suivant_.reserve(n);
}

size_t TGestEltIndex::OctetsMemoire() const {
  return stock_.capacity() * sizeof(TEltIndex) + ordre_.capacity() * sizeof(int32_t) +
         suivant_.capacity() * sizeof(int32_t) + tete_.capacity() * sizeof(int32_t) +
         hors_.capacity() * sizeof(int32_t) + libres_.capacity() * sizeof(int32_t);
}

void TGestEltIndex::Lie(int32_t slot) {
  const int32_t no = stock_[static_cast<size_t>(slot)].NoPers;
  // Person numbers far beyond the count of entries come only from a damaged file: they wait in a
  // list rather than widen the table of first slots.
  const size_t limite = 4 * stock_.capacity() + 65536;
  if (no < 0 || static_cast<size_t>(no) >= std::max(limite, tete_.size())) {
    suivant_[static_cast<size_t>(slot)] = kFinChaine;
    hors_.push_back(slot);
    return;
  }
  if (static_cast<size_t>(no) >= tete_.size()) tete_.resize(static_cast<size_t>(no) + 1, kFinChaine);
  suivant_[static_cast<size_t>(slot)] = tete_[static_cast<size_t>(no)];
  tete_[static_cast<size_t>(no)] = slot;
}

void TGestEltIndex::Delie(int32_t slot) {
  const int32_t no = stock_[static_cast<size_t>(slot)].NoPers;
  if (no >= 0 && static_cast<size_t>(no) < tete_.size()) {
    for (int32_t* lien = &tete_[static_cast<size_t>(no)]; *lien != kFinChaine; lien = &suivant_[static_cast<size_t>(*lien)])
      if (*lien == slot) {
        *lien = suivant_[static_cast<size_t>(slot)];
        return;
      }
  }
  const auto it = std::find(hors_.begin(), hors_.end(), slot);
  if (it != hors_.end()) hors_.erase(it);
}

void TGestEltIndex::RelieTout() {
  tete_.clear();
  hors_.clear();
  suivant_.assign(stock_.size(), kFinChaine);
  std::vector<bool> libre(stock_.size(), false);
  for (const int32_t slot : libres_) libre[static_cast<size_t>(slot)] = true;
  for (size_t slot = 0; slot < stock_.size(); ++slot)
    if (!libre[slot]) Lie(static_cast<int32_t>(slot));
}

int32_t TGestEltIndex::Place(const TEltIndex& elt) {
  int32_t slot = 0;
  if (libres_.empty()) {
    stock_.push_back(elt);
    suivant_.push_back(kFinChaine);
    slot = static_cast<int32_t>(stock_.size() - 1);
  } else {
    slot = libres_.back();
    libres_.pop_back();
    stock_[static_cast<size_t>(slot)] = elt;
  }
  Lie(slot);
  return slot;
}

void TGestEltIndex::Libere(int32_t slot) {
  Delie(slot);
  libres_.push_back(slot);
}

int TGestEltIndex::Ajoute(const TEltIndex& elt) {
  const int32_t slot = Place(elt);
  ordre_.push_back(slot);
  return GetNbElt();
}

int TGestEltIndex::AjouteClasse(const TEltIndex& elt, TEltIndex& /*tmp*/, bool forceFin, bool& ajoute) {
  ajoute = true;
  if (forceFin || ordre_.empty()) {
    ordre_.push_back(Place(elt));
    return GetNbElt() - 1;
  }
  int pos = 0;
  bool egal = false, avant = false;
  RechercheApprochee(GetNbElt(), -1, [&](int i) { return elt.EltCmp(stock_[Slot(i)]); }, pos, egal, avant);
  if (egal) {
    ajoute = false;
    return pos;
  }
  if (!avant) {
    ordre_.push_back(Place(elt));
    return GetNbElt() - 1;
  }
  ordre_.insert(ordre_.begin() + pos, Place(elt));
  return pos;
}

int TGestEltIndex::RechercheDicoth(const TEltIndex& cle, TEltIndex& /*tmp*/, int debut, bool approche) const {
  const int n = GetNbElt();
  debut = std::max(debut, 0);
  if (n == 0 || debut >= n) return -1;
  const auto elt = [this](int i) -> const TEltIndex& { return stock_[Slot(i)]; };
  int lo = debut, hi = n - 1;
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    // Both possible next middles are fetched while this one is compared: a large index misses
    // the cache at nearly every step.
    const char* bas = reinterpret_cast<const char*>(&elt((lo + mid) / 2));
    const char* haut = reinterpret_cast<const char*>(&elt((mid + hi) / 2));
    __builtin_prefetch(bas);
    __builtin_prefetch(bas + 64);  // the first names usually lie on the element's next line
    __builtin_prefetch(haut);
    __builtin_prefetch(haut + 64);
    if (cle.EltCmp(elt(mid)) > 0)
      lo = mid;
    else
      hi = mid;
  }
  if (elt(lo) == cle) return lo;
  if (elt(hi) == cle) return hi;
  if (!approche) return -1;
  return cle <= elt(lo) ? lo : hi;
}

const TEltIndex& TGestEltIndex::Lit(int pos) const {
  static const TEltIndex vide{};
  return (pos >= 0 && pos < GetNbElt()) ? stock_[Slot(pos)] : vide;
}

void TGestEltIndex::Supprime(int pos, TEltIndex& elt) {
  if (pos < 0 || pos >= GetNbElt()) return;
  const int32_t slot = Slot(pos);
  elt = stock_[static_cast<size_t>(slot)];
  ordre_.erase(ordre_.begin() + pos);
  Libere(slot);
}

void TGestEltIndex::Compacte() {
  bool identite = libres_.empty();
  for (size_t i = 0; identite && i < ordre_.size(); ++i) identite = ordre_[i] == static_cast<int32_t>(i);
  if (!identite) {
    TVecteur<TEltIndex> range;
    range.reserve(std::max(stock_.capacity(), ordre_.size()));
    for (const int32_t slot : ordre_) range.push_back(stock_[static_cast<size_t>(slot)]);
    stock_.swap(range);
  }
  ordre_.resize(stock_.size());
  std::iota(ordre_.begin(), ordre_.end(), 0);
  libres_.clear();
}

void TGestEltIndex::Classement(TEltIndex& /*tmp1*/, TEltIndex& /*tmp2*/) {
  Compacte();
  // The entries themselves are sorted, so that the store lies in index order.
  std::sort(stock_.begin(), stock_.end(), [](const TEltIndex& a, const TEltIndex& b) { return a < b; });
  RelieTout();
}

bool TGestEltIndex::Sauvegarde(const AnsiString& nomFichier, TProgression* barre, uint64_t derniereLigne) const {
  TSortieFichier flux(nomFichier);
  if (!flux.Ouvert()) return false;
  flux.EcritOctets(kMarqueur, sizeof kMarqueur);
  bool ok = Sauvegarde(flux, barre);
  if (ok) {
    TVueFichierIndex::EcritAnnexe(flux, Elements(), ConstruitTableCodes(Elements()), derniereLigne);
    ok = flux.Vide();
  }
  return flux.Ferme() && ok;
}

bool TGestEltIndex::Sauvegarde(TSortieBinaire& flux, TProgression* barre) const {
  const int nb = GetNbElt();
  TSuiviProgression suivi(barre, nb);
  flux.EcritEntier32(nb);
  for (int i = 0; i < nb; ++i) {
    suivi.Element(i);
    stock_[Slot(i)].Sauvegarde(flux);
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
  const int64_t reste = flux.Restant();
  if (reste == 0) return;  // a file of the former layout
  // What follows the entries must be the appendix describing them; its table of codes is kept.
  const TFichierProjete projection(nomFichier);
  const TVueFichierIndex vue(projection.Octets());
  if (!vue.Valide() || vue.size() != ordre_.size() ||
      vue.FinEntrees() != projection.Octets().size() - static_cast<uint64_t>(reste))
    Endommage(*this);
  codesLus_ = vue.Codes();
  derniereLigneLue_ = vue.DerniereLigne();
}

void TGestEltIndex::Restauration(TEntreeBinaire& flux, TProgression* barre) {
  Raz();
  codesLus_.clear();
  derniereLigneLue_ = 0;
  int32_t nb = 0;
  if (!flux.LitEntier32(nb) || nb < 0 || nb > flux.Restant() / TEltIndex::kTailleMinFichier)
    Endommage(*this);
  // The count is now backed by the bytes the file holds.
  Reserve(static_cast<size_t>(nb));
  TSuiviProgression suivi(barre, nb);
  for (int i = 0; i < nb; ++i) {
    suivi.Element(i);
    if (!stock_.emplace_back().Restauration(flux)) Endommage(*this);
    ordre_.push_back(i);
    suivant_.push_back(kFinChaine);
    Lie(i);
  }
  suivi.Fin();
}

TGestEltIndex::TVecteur<int32_t>::const_iterator TGestEltIndex::PremierNonInferieur(const TEltIndex& cle) const {
  return std::lower_bound(ordre_.begin(), ordre_.end(), cle,
                          [this](int32_t slot, const TEltIndex& v) { return stock_[static_cast<size_t>(slot)] < v; });
}

int TGestEltIndex::PositionDuSlot(int32_t slot) const {
  const TEltIndex& e = stock_[static_cast<size_t>(slot)];
  // In a sorted index the slot lies among the entries equal to its own; otherwise (entries
  // appended for a later sort) it is looked for everywhere.
  for (auto it = PremierNonInferieur(e); it != ordre_.end() && stock_[static_cast<size_t>(*it)] == e; ++it)
    if (*it == slot) return static_cast<int>(it - ordre_.begin());
  const auto trouve = std::find(ordre_.begin(), ordre_.end(), slot);
  return trouve == ordre_.end() ? -1 : static_cast<int>(trouve - ordre_.begin());
}

int TGestEltIndex::SupprimeClefPersNo(int32_t noPers) {
  std::vector<int> positions;
  std::vector<int32_t> slots;
  std::vector<int32_t> chaine;
  if (noPers >= 0 && static_cast<size_t>(noPers) < tete_.size())
    for (int32_t s = tete_[static_cast<size_t>(noPers)]; s != kFinChaine; s = suivant_[static_cast<size_t>(s)])
      chaine.push_back(s);
  for (const int32_t s : hors_)
    if (stock_[static_cast<size_t>(s)].NoPers == noPers) chaine.push_back(s);
  for (const int32_t s : chaine) {
    const int pos = PositionDuSlot(s);
    if (pos < 0) continue;
    positions.push_back(pos);
    slots.push_back(s);
  }
  if (positions.empty()) return 0;
  std::sort(positions.begin(), positions.end());
  // The runs between removed positions shift down, each once.
  auto ecrit = ordre_.begin() + positions.front();
  for (size_t k = 0; k < positions.size(); ++k) {
    const auto debut = ordre_.begin() + positions[k] + 1;
    const auto fin = k + 1 < positions.size() ? ordre_.begin() + positions[k + 1] : ordre_.end();
    ecrit = std::copy(debut, fin, ecrit);
  }
  ordre_.erase(ecrit, ordre_.end());
  for (const int32_t slot : slots) Libere(slot);
  return static_cast<int>(positions.size());
}

bool TGestEltIndex::RemplaceClasse(const TEltIndex& ancien, const TEltIndex& nouveau) {
  TEltIndex tmp;
  const int depart = RechercheDicoth(ancien, tmp, 0, false);
  const auto premierPas = [&] { return static_cast<int>(PremierNonInferieur(nouveau) - ordre_.begin()); };
  const int place = premierPas();
  const bool present = place < GetNbElt() && Lit(place) == nouveau;
  if (depart < 0 || (present && depart != place)) {
    if (depart >= 0) Supprime(depart, tmp);
    if (present) return false;
    ordre_.insert(ordre_.begin() + premierPas(), Place(nouveau));
    return true;
  }
  // The entry keeps its slot; the slot numbers between the old and the new place shift by one
  // towards the old place.
  const int32_t slot = Slot(depart);
  Delie(slot);
  stock_[static_cast<size_t>(slot)] = nouveau;
  Lie(slot);
  const auto source = ordre_.begin() + depart;
  const auto cible = ordre_.begin() + place;
  if (cible > source) {
    std::move(source + 1, cible, source);
    *(cible - 1) = slot;
  } else {
    std::move_backward(cible, source, source + 1);
    *cible = slot;
  }
  return true;
}

void TGestEltIndex::InitClefIndexOfNoPers(TMapNoPers& map) const {
  map.clear();
  for (int i = 0; i < GetNbElt(); ++i) map.emplace(Lit(i).NoPers, i);
}

int TGestEltIndex::FindClefIndexOfNoPers(const TMapNoPers& map, int32_t noPers,
                                         std::vector<int>* positions) const {
  std::vector<int> trouves;
  const auto [debut, fin] = map.equal_range(noPers);
  for (auto it = debut; it != fin; ++it)
    if (it->second >= 0 && it->second < GetNbElt() && Lit(it->second).NoPers == noPers)
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
