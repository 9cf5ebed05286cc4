#include "names/vue_fichier_index.h"

#include "names/plage_nom.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kyb {

namespace {

constexpr size_t kEntete = 9;  // "UTF-8" and the count
constexpr size_t kPied = 28;
constexpr size_t kPiedPrecedent = 20;  // without the last row number
constexpr size_t kTailleCode = 12;
constexpr char kMarqueur[5] = {'U', 'T', 'F', '-', '8'};
constexpr char kMarqueurAnnexe[4] = {'I', 'D', 'X', '3'};
constexpr char kMarqueurPrecedent[4] = {'I', 'D', 'X', '2'};

uint64_t LitLE(const char* p, int octets) {
  uint64_t v = 0;
  for (int k = octets - 1; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(p[k]);
  return v;
}

void EcritLE(TSortieBinaire& flux, uint64_t v, int octets) {
  char t[8];
  for (int k = 0; k < octets; ++k) t[k] = static_cast<char>(v >> (8 * k));
  flux.EcritOctets(t, static_cast<size_t>(octets));
}

// Bytes of one entry in the file (elt_index.h): four text records and 17 bytes of numbers.
uint64_t TailleEntree(const TEltIndex& e) {
  uint64_t taille = TEltIndex::kTailleMinFichier;
  std::string utf8;
  for (const std::u16string_view t : {e.Nom(), e.Prenom(), e.NomSoundex(), e.PrenomSoundex()}) {
    utf8.clear();
    EncodeUtf8(t, utf8);
    taille += utf8.size();
  }
  return taille;
}

}  // namespace

TVueFichierIndex::TVueFichierIndex(std::string_view octets, size_t gardeesMax)
    : octets_(octets), gardeesMax_(std::bit_ceil(std::max<size_t>(gardeesMax, 1))) {
  const size_t taille = octets.size();
  if (taille < kEntete + kPiedPrecedent || std::memcmp(octets.data(), kMarqueur, sizeof kMarqueur) != 0) return;
  const char* fin = octets.data() + taille - sizeof kMarqueurAnnexe;
  size_t lgPied = kPiedPrecedent;
  if (std::memcmp(fin, kMarqueurAnnexe, sizeof kMarqueurAnnexe) == 0) {
    if (taille < kEntete + kPied) return;
    lgPied = kPied;
  } else if (std::memcmp(fin, kMarqueurPrecedent, sizeof kMarqueurPrecedent) != 0) {
    return;
  }
  const char* pied = octets.data() + taille - lgPied;
  const uint64_t n = LitLE(octets.data() + 5, 4);
  const uint64_t table = LitLE(pied, 8);
  if (n != LitLE(pied + 8, 4) || n > 0x7FFFFFFF) return;
  const uint64_t m = LitLE(pied + 12, 4);
  // Every size checked against the file before any product is formed: nothing can wrap.
  if (table < kEntete || table > taille || n > taille / TEltIndex::kTailleMinFichier ||
      m > taille / kTailleCode)
    return;
  if (n * TEltIndex::kTailleMinFichier > table - kEntete) return;
  if (table + 8 * n + kTailleCode * m + lgPied != taille) return;
  if (lgPied == kPied) derniereLigne_ = LitLE(pied + 16, 8);
  n_ = static_cast<size_t>(n);
  m_ = static_cast<size_t>(m);
  table_ = table;
  valide_ = true;
}

uint64_t TVueFichierIndex::Decalage(size_t i) const { return LitLE(octets_.data() + table_ + 8 * i, 8); }

TEltIndex TVueFichierIndex::operator[](size_t i) const {
  if (!valide_ || i >= n_) return {};
  if (const TEltIndex* gardee = Gardee(i)) return *gardee;
  const TEltIndex e = Decode(i);
  if (!endommage_) Garde(i, e);
  return e;
}

TEltIndex TVueFichierIndex::Lit(size_t i) const {
  if (!valide_ || i >= n_) return {};
  return Decode(i);  // a kept entry is the same: looking it up would cost more than decoding
}

namespace {

// First place of position i in a table of taille places (a power of two).
size_t Place(size_t i, size_t taille) { return (i * 0x9E3779B97F4A7C15ULL >> 20) & (taille - 1); }

}  // namespace

const TEltIndex* TVueFichierIndex::Gardee(size_t i) const {
  if (places_.empty()) return nullptr;
  const size_t masque = places_.size() - 1;
  for (size_t k = Place(i, places_.size());; k = (k + 1) & masque) {
    const auto [position, place] = places_[k];
    if (position == 0) return nullptr;
    if (position == i + 1) return &gardees_[place];
  }
}

void TVueFichierIndex::Garde(size_t i, const TEltIndex& e) const {
  if (places_.empty()) {
    places_.resize(2 * gardeesMax_);
    gardees_.reserve(gardeesMax_);
  } else if (gardees_.size() >= gardeesMax_) {
    std::fill(places_.begin(), places_.end(), std::pair<uint32_t, uint32_t>());
    gardees_.clear();
  }
  const size_t masque = places_.size() - 1;
  size_t k = Place(i, places_.size());
  while (places_[k].first != 0) k = (k + 1) & masque;
  places_[k] = {static_cast<uint32_t>(i + 1), static_cast<uint32_t>(gardees_.size())};
  gardees_.push_back(e);
}

TEltIndex TVueFichierIndex::Decode(size_t i) const {
  TEltIndex e;
  const uint64_t debut = Decalage(i);
  if (debut < kEntete || debut >= table_) {
    endommage_ = true;
    return e;
  }
  TEntreeMemoire flux(octets_.substr(debut, table_ - debut));
  if (!e.Restauration(flux) || e.NoPers < 0 || e.NoPers > noPersMax_) {
    endommage_ = true;
    return TEltIndex();
  }
  NoteLue(i);
  return e;
}

void TVueFichierIndex::NoteLue(size_t i) const {
  if (lues_.size() < kLuesNotees && std::find(lues_.begin(), lues_.end(), i) == lues_.end()) lues_.push_back(i);
}

bool TVueFichierIndex::LitNom(size_t i, TEntreeNom& e) const {
  if (!valide_ || i >= n_) return false;
  const uint64_t debut = Decalage(i);
  if (debut < kEntete || debut >= table_) {
    endommage_ = true;
    return false;
  }
  // Four text records (length, bytes) then the numbers: AnneeMin first, NoPers 4 bytes in, the
  // type 14, Sexe 15, the mark 16.
  const char* p = octets_.data() + debut;
  const char* const fin = octets_.data() + table_;
  for (int t = 0; t < 4; ++t) {
    const uint64_t l = fin - p >= 4 ? LitLE(p, 4) : UINT64_MAX;
    if (l > static_cast<uint64_t>(TEltIndex::kMaxOctetsTexte) || l > static_cast<uint64_t>(fin - p - 4)) {
      endommage_ = true;
      return false;
    }
    if (t == 0) e.NomUtf8 = std::string_view(p + 4, static_cast<size_t>(l));
    p += 4 + l;
  }
  if (fin - p < TEltIndex::kTailleMinFichier - 16) {
    endommage_ = true;
    return false;
  }
  e.AnneeMin = static_cast<int16_t>(LitLE(p, 2));
  e.NoPers = static_cast<int32_t>(LitLE(p + 4, 4));
  e.TypePersonne = p[14];
  e.Sexe = p[15];
  e.FicheSupprimee = p[16];
  if (e.NoPers < 0 || e.NoPers > noPersMax_) {
    endommage_ = true;
    return false;
  }
  NoteLue(i);
  return true;
}

UnicodeString TVueFichierIndex::DecodeNom(std::string_view utf8) const {
  char16_t nom[TEltIndex::kLargeurNom];
  size_t lg = 0;
  if (!DecodeUtf8Strict(utf8, nom, TEltIndex::kLargeurNom, &lg)) {
    endommage_ = true;
    return {};
  }
  return UnicodeString(nom, lg);
}

std::pair<size_t, size_t> TVueFichierIndex::Plage(std::u16string_view cle, bool prefixe) const {
  constexpr size_t kPlagesMax = 4096;
  std::pair<UnicodeString, bool> clef(UnicodeString(cle), prefixe);
  if (const auto it = plages_.find(clef); it != plages_.end()) return it->second;
  const std::pair<size_t, size_t> plage = PlageNom(*this, cle, prefixe);
  if (endommage_) return plage;
  if (plages_.size() >= kPlagesMax) plages_.clear();
  plages_.emplace(std::move(clef), plage);
  return plage;
}

std::pair<size_t, size_t> TVueFichierIndex::PlageDepuis(size_t debut) const {
  constexpr size_t kPlagesMax = 4096;
  if (const auto it = plagesDepuis_.find(debut); it != plagesDepuis_.end()) return it->second;
  const std::pair<size_t, size_t> plage =
      kyb::PlageDepuis(*this, debut, [this](std::u16string_view nom) { return Plage(nom, false); });
  if (endommage_) return plage;
  if (plagesDepuis_.size() >= kPlagesMax) plagesDepuis_.clear();
  plagesDepuis_.emplace(debut, plage);
  return plage;
}

std::pair<uint64_t, int32_t> TVueFichierIndex::Code(size_t k) const {
  const char* p = octets_.data() + table_ + 8 * n_ + kTailleCode * k;
  return {LitLE(p, 8), static_cast<int32_t>(LitLE(p + 8, 4))};
}

std::vector<int32_t> TVueFichierIndex::DebutsCode(uint64_t code) const {
  std::vector<int32_t> debuts;
  if (!valide_) return debuts;
  size_t bas = 0, haut = m_;
  while (bas < haut) {
    const size_t milieu = bas + (haut - bas) / 2;
    if (Code(milieu).first < code) bas = milieu + 1;
    else haut = milieu;
  }
  for (size_t k = bas; k < m_ && Code(k).first == code; ++k) {
    const int32_t position = Code(k).second;
    if (position < 0 || static_cast<size_t>(position) >= n_) {
      endommage_ = true;
      continue;
    }
    debuts.push_back(position);
  }
  std::sort(debuts.begin(), debuts.end());
  return debuts;
}

TTableCodes TVueFichierIndex::Codes() const {
  TTableCodes table;
  if (!valide_) return table;
  table.reserve(m_);
  for (size_t k = 0; k < m_; ++k) {
    const auto code = Code(k);
    if (code.second < 0 || static_cast<size_t>(code.second) >= n_ || (!table.empty() && code < table.back())) {
      endommage_ = true;
      return {};
    }
    table.push_back(code);
  }
  return table;
}

void TVueFichierIndex::EcritAnnexe(TSortieBinaire& flux, const TVueEltIndex& elts, const TTableCodes& codes,
                                   uint64_t derniereLigne) {
  uint64_t decalage = kEntete;
  for (const TEltIndex& e : elts) {
    EcritLE(flux, decalage, 8);
    decalage += TailleEntree(e);
  }
  for (const auto& [code, position] : codes) {
    EcritLE(flux, code, 8);
    EcritLE(flux, static_cast<uint32_t>(position), 4);
  }
  EcritLE(flux, decalage, 8);
  EcritLE(flux, elts.size(), 4);
  EcritLE(flux, codes.size(), 4);
  EcritLE(flux, derniereLigne, 8);
  flux.EcritOctets(kMarqueurAnnexe, sizeof kMarqueurAnnexe);
}

}  // namespace kyb
