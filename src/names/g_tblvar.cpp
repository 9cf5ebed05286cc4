#include "names/g_tblvar.h"

#include <cstring>
#include <limits>
#include <new>

#include "platform/erreur.h"

namespace kyb {

namespace {

constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int kMorceau = 32768;  // bytes per piece when streaming the areas
// A restored mean element size beyond this is taken for damage: it would size the next growth.
constexpr int32_t kMaxTailleMoyenne = 1024;
// Restored capacities never exceed twice what the data needs plus this margin.
constexpr int64_t kMargeCapacite = 1024;

template <typename V>
void Redimensionne(V& v, int64_t taille, const char* messageTaille, const char* messageAlloc) {
  if (taille < 0 || taille > kMax32) throw ErreurKy(messageTaille);
  try {
    v.resize(static_cast<size_t>(taille));
  } catch (const std::bad_alloc&) {
    throw ErreurKy(messageAlloc);
  } catch (const std::length_error&) {
    throw ErreurKy(messageAlloc);
  }
}

}  // namespace

// --- TEltBaseTV helpers -------------------------------------------------------------------------

void TEltBaseTV::EcritMemoire(char*& p, const void* source, size_t n) {
  if (n) std::memcpy(p, source, n);
  p += n;
}

void TEltBaseTV::EcritChn(char*& p, const char* texte) {
  const size_t n = texte ? std::strlen(texte) : 0;
  EcritMemoire(p, texte ? texte : "", n);
  *p++ = '\0';
}

void TEltBaseTV::LitCar(const char*& p, char& c) const {
  if (borne_ && p >= limite_) {
    c = '\0';
    return;
  }
  c = *p++;
}

void TEltBaseTV::LitMemoire(const char*& p, void* dest, size_t n) const {
  size_t k = n;
  if (borne_) k = p >= limite_ ? 0 : std::min(n, static_cast<size_t>(limite_ - p));
  if (k) std::memcpy(dest, p, k);
  if (k < n) std::memset(static_cast<char*>(dest) + k, 0, n - k);
  p += k;
}

void TEltBaseTV::LitChn(const char*& p, std::string& texte, size_t n) const {
  texte.clear();
  while (!(borne_ && p >= limite_)) {
    const char c = *p++;
    if (c == '\0') break;
    if (texte.size() < n) texte.push_back(c);
  }
}

// --- TTableTV -----------------------------------------------------------------------------------

TTableTV::TTableTV(int nbInitial, int pas, int tailleMoyenne)
    : nbInitial_(std::max(nbInitial, 0)), pas_(std::max(pas, 1)),
      tailleMoyenne_(std::max(tailleMoyenne, 0)) {
  Redimensionne(offsets_, nbInitial_, "Erreur allocation mémoire GL DI",
                "Erreur allocation mémoire GL DI");
  Redimensionne(tampon_, int64_t{nbInitial_} * tailleMoyenne_, "Erreur allocation mémoire GL DC",
                "Erreur allocation mémoire GL DC");
}

void TTableTV::Raz() {
  nb_ = 0;
  utilises_ = 0;
}

void TTableTV::AgranditIndex() {
  const int64_t capacite = static_cast<int64_t>(offsets_.size());
  if (capacite > nb_) return;
  const int64_t ajout = std::max<int64_t>(pas_, capacite / 2);
  // Beyond 32 bits the new table cannot be addressed; a refused allocation is the resize error.
  Redimensionne(offsets_, capacite + ajout, "Erreur allocation mémoire GL DI ATI",
                "Erreur allocation mémoire GRA DI ATI");
}

void TTableTV::AgranditTampon(int tailleMax) {
  const int64_t besoin = int64_t{utilises_} + std::max(tailleMax, 0);
  int64_t capacite = static_cast<int64_t>(tampon_.size());
  if (besoin < capacite) return;
  const int64_t moyenne = nb_ > 0 ? utilises_ / nb_ : tailleMoyenne_;
  const int64_t ajout = std::max<int64_t>(pas_, static_cast<int64_t>(offsets_.size()) / 2) *
                        std::max<int64_t>(moyenne, 1);
  // One step usually suffices; an element larger than a step takes as many as it needs.
  const int64_t pas = (besoin - capacite) / ajout + 1;
  capacite += pas * ajout;
  Redimensionne(tampon_, capacite, "Erreur allocation mémoire GL DC ATC",
                "Erreur allocation mémoire ATC");
}

int TTableTV::EcritALaFin(const TEltBaseTV& elt) {
  AgranditTampon(elt.GetTailleMax());
  const int offset = utilises_;
  char* fin = elt.Ecrit(tampon_.data() + offset);
  utilises_ = static_cast<int32_t>(fin - tampon_.data());
  return offset;
}

void TTableTV::LitOffset(int32_t offset, TEltBaseTV& elt) const {
  elt.offset_ = offset;
  elt.borne_ = true;
  elt.limite_ = tampon_.data() + utilises_;
  elt.Lit(tampon_.data(), offset);
}

int TTableTV::Ajoute(TEltBaseTV& elt) {
  AgranditIndex();
  const int offset = EcritALaFin(elt);
  elt.offset_ = offset;
  offsets_[nb_++] = offset;
  return nb_ - 1;
}

int TTableTV::Insere(int pos, TEltBaseTV& elt, TNotifieDeplacement notifie, void* ctx) {
  const int k = Ajoute(elt);
  if (pos < 0 || pos > k) return 0;
  if (pos != k) {
    if (notifie) notifie(ctx, k - 1, pos - 1, false);
    Deplace(k, pos);
  }
  return pos;
}

int TTableTV::AjouteClasse(TEltBaseTV& elt, TEltBaseTV& tmp, TNotifieDeplacement notifie,
                           void* ctx) {
  const int k = Ajoute(elt);
  if (nb_ < 2) return k;
  int pos = 0;
  bool egal = false, avant = false;
  RechercheDichotomiqueApprochee(nb_ - 2, pos, egal, tmp, elt, avant);
  if (!avant || pos == k) return k;
  if (notifie) notifie(ctx, k - 1, pos - 1, false);
  Deplace(k, pos);
  return pos;
}

int TTableTV::ChangeClasse(int pos, TEltBaseTV& elt, TEltBaseTV& tmp,
                           TNotifieDeplacement notifie, void* ctx) {
  if (pos < 0 || pos >= nb_) return pos;
  int cible = 0;
  bool egal = false, avant = false;
  RechercheDichotomiqueApprochee(-1, cible, egal, tmp, elt, avant);
  if (!avant) ++cible;              // elt goes after the element found
  if (cible > pos) --cible;         // the slot of pos itself is freed on the way down
  if (cible != pos) {
    if (notifie) notifie(ctx, pos, cible, true);
    Deplace(pos, cible);
  }
  Change(cible, elt, tmp);
  return cible;
}

void TTableTV::Deplace(int de, int vers) {
  const int32_t offset = offsets_[de];
  if (de > vers)
    std::memmove(&offsets_[vers + 1], &offsets_[vers], sizeof(int32_t) * (de - vers));
  else
    std::memmove(&offsets_[de], &offsets_[de + 1], sizeof(int32_t) * (vers - de));
  offsets_[vers] = offset;
}

void TTableTV::Change(int pos, TEltBaseTV& elt, TEltBaseTV& tmp) {
  if (pos < 0 || pos >= nb_) return;
  LitOffset(offsets_[pos], tmp);
  if (elt.GetTaille() <= tmp.GetTaille()) {
    elt.Ecrit(tampon_.data() + offsets_[pos]);
    elt.offset_ = offsets_[pos];
  } else {
    offsets_[pos] = EcritALaFin(elt);
    elt.offset_ = offsets_[pos];
  }
}

void TTableTV::Lit(int pos, TEltBaseTV& elt) const {
  if (pos < 0) return;
  if (pos >= CapaciteIndex())
    throw ErreurKy("Indice alloc erreur : " + std::to_string(pos) + " " +
                   std::to_string(CapaciteIndex()));
  LitOffset(offsets_[pos], elt);
}

void TTableTV::Supprime(int pos, TEltBaseTV& /*elt*/) {
  if (pos < 0 || pos >= nb_) return;
  std::memmove(&offsets_[pos], &offsets_[pos + 1], sizeof(int32_t) * (nb_ - pos - 1));
  offsets_[--nb_] = 0;
}

void TTableTV::Echange(int a, int b) {
  if (a < 0 || b < 0 || a >= nb_ || b >= nb_) return;
  std::swap(offsets_[a], offsets_[b]);
}

void TTableTV::ChangePtr(int pos, const TEltBaseTV& elt) {
  if (pos < 0 || pos >= nb_ || elt.offset_ < 0 || elt.offset_ > utilises_) return;
  offsets_[pos] = elt.offset_;
}

void TTableTV::ReorganiseTableChn(TEltBaseTV& tmp) {
  int64_t total = 0;
  for (int i = 0; i < nb_; ++i) {
    LitOffset(offsets_[i], tmp);
    total += tmp.GetTaille();
  }
  std::vector<char> neuf;
  Redimensionne(neuf, std::max<int64_t>(total + 1, static_cast<int64_t>(tampon_.size())),
                "Erreur allocation mémoire GL DC RTC", "Erreur allocation mémoire GL DC RTC");
  char* p = neuf.data();
  for (int i = 0; i < nb_; ++i) {
    LitOffset(offsets_[i], tmp);
    offsets_[i] = static_cast<int32_t>(p - neuf.data());
    p = tmp.Ecrit(p);
  }
  tampon_.swap(neuf);
  utilises_ = static_cast<int32_t>(p - tampon_.data());
}

// --- Searches and sorting -----------------------------------------------------------------------

int TTableTV::RechercheDicoth(const TEltBaseTV& cle, TEltBaseTV& tmp, int debut,
                              bool approche) const {
  debut = std::max(debut, 0);
  if (nb_ == 0 || debut >= nb_) return -1;
  int lo = debut, hi = nb_ - 1;
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    LitOffset(offsets_[mid], tmp);
    if (cle.EltCmp(tmp) > 0)
      lo = mid;
    else
      hi = mid;
  }
  LitOffset(offsets_[lo], tmp);
  const int cmpLo = cle.EltCmp(tmp);
  if (cmpLo == 0) return lo;
  LitOffset(offsets_[hi], tmp);
  if (cle.EltCmp(tmp) == 0) return hi;
  if (!approche) return -1;
  return cmpLo < 1 ? lo : hi;
}

void TTableTV::RechercheDichotomiqueApprochee(int limite, int& pos, bool& egal, TEltBaseTV& tmp,
                                              const TEltBaseTV& cle, bool& avant) const {
  const auto compare = [&](int i) {
    LitOffset(offsets_[i], tmp);
    return cle.EltCmp(tmp);
  };
  RechercheApprochee(nb_, limite, compare, pos, egal, avant);
}

void TTableTV::Classement(TEltBaseTV& tmp1, TEltBaseTV& tmp2, TProgression* barre) {
  if (nb_ > 1) TriShell(0, nb_ - 1, barre, tmp1, tmp2);
}

void TTableTV::TriShell(int debut, int fin, TProgression* barre, TEltBaseTV& tmp1,
                        TEltBaseTV& tmp2) {
  debut = std::max(debut, 0);
  fin = std::min(fin, nb_ - 1);
  if (fin <= debut) return;
  // Largest gap of 1, 4, 13, 40… below a ninth of the range (1 for short ranges).
  const int borne = (fin - debut + 1) / 9;
  int h = 1, passes = 1;
  while (3 * h + 1 < borne) {
    h = 3 * h + 1;
    ++passes;
  }
  if (barre) barre->Position(0);
  for (int passe = 1; h > 0; h /= 3, ++passe) {
    for (int i = debut + h; i <= fin; ++i) {
      const int32_t v = offsets_[i];
      LitOffset(v, tmp1);
      int j = i;
      while (j >= debut + h) {
        LitOffset(offsets_[j - h], tmp2);
        if (!(tmp1 < tmp2)) break;
        offsets_[j] = offsets_[j - h];
        j -= h;
      }
      offsets_[j] = v;
    }
    if (barre) {
      barre->Position(passe * 100 / passes);
      if (barre->Interface()) barre->Interface()->TraiteMessages();
    }
  }
}

// --- Streams ------------------------------------------------------------------------------------

void TTableTV::Sauvegarde(TFluxSortie& flux) const {
  flux.EcritEntier32(nb_);
  flux.EcritEntier32(CapaciteIndex());
  flux.EcritEntier32(nbInitial_);
  flux.EcritEntier32(utilises_);
  flux.EcritEntier32(CapaciteTampon());
  flux.EcritEntier32(tailleMoyenne_);
  for (int i = 0; i < nb_; ++i) flux.EcritEntier32(offsets_[i]);
  for (int fait = 0; fait < utilises_; fait += kMorceau)
    flux.EcritOctets(tampon_.data() + fait, std::min(kMorceau, utilises_ - fait));
}

bool TTableTV::Restauration(TFluxEntree& flux) {
  const int32_t nb = flux.LitEntier32(), capIndex = flux.LitEntier32();
  const int32_t nbInitial = flux.LitEntier32(), utilises = flux.LitEntier32();
  const int32_t capTampon = flux.LitEntier32(), moyenne = flux.LitEntier32();
  if (flux.Echec() || nb < 0 || capIndex < nb || nbInitial < 0 || utilises < 0 ||
      capTampon < utilises || moyenne < 0 || moyenne > kMaxTailleMoyenne ||
      static_cast<uint64_t>(nb) * 4 + static_cast<uint64_t>(utilises) > flux.Restant())
    return false;
  const auto borne = [](int64_t besoin, int64_t sauve) {
    return std::min(sauve, std::min(besoin * 2 + kMargeCapacite, kMax32));
  };
  std::vector<int32_t> offsets;
  std::vector<char> tampon;
  Redimensionne(offsets, borne(nb, capIndex), "Erreur allocation mémoire GL DI",
                "Erreur allocation mémoire GL DI");
  Redimensionne(tampon, borne(utilises, capTampon), "Erreur allocation mémoire GL DC",
                "Erreur allocation mémoire GL DC");
  for (int i = 0; i < nb; ++i) {
    const int32_t o = flux.LitEntier32();
    if (flux.Echec() || o < 0 || o > utilises) return false;
    offsets[i] = o;
  }
  if (utilises > 0 && !flux.LitOctets(tampon.data(), static_cast<size_t>(utilises))) return false;
  nb_ = nb;
  nbInitial_ = nbInitial;
  utilises_ = utilises;
  tailleMoyenne_ = moyenne;
  offsets_.swap(offsets);
  tampon_.swap(tampon);
  return true;
}

}  // namespace kyb
