#include "platform/flux_binaire.h"

#include <algorithm>
#include <cstring>

namespace kyb {

namespace {

constexpr size_t kTailleBlocLecture = size_t{1} << 20;
constexpr size_t kTailleTamponEcriture = size_t{1} << 16;

}  // namespace

// --- Output -------------------------------------------------------------------------------------

void TSortieBinaire::EcritOctets(const void* source, size_t n) {
  if (erreur_) return;
  const char* p = static_cast<const char*>(source);
  while (n > 0) {
    if (plein_ == tampon_.size() && !Vide()) return;
    const size_t k = std::min(n, tampon_.size() - plein_);
    std::memcpy(tampon_.data() + plein_, p, k);
    plein_ += k;
    p += k;
    n -= k;
  }
}

void TSortieBinaire::EcritEntier16(int16_t v) {
  const auto u = static_cast<uint16_t>(v);
  const uint8_t o[2] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8)};
  EcritOctets(o, 2);
}

void TSortieBinaire::EcritEntier32(int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  const uint8_t o[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8),
                        static_cast<uint8_t>(u >> 16), static_cast<uint8_t>(u >> 24)};
  EcritOctets(o, 4);
}

bool TSortieBinaire::Vide() {
  if (!erreur_ && plein_ > 0 && !Transmet(tampon_.data(), plein_)) erreur_ = true;
  plein_ = 0;
  return !erreur_;
}

TSortieFichier::TSortieFichier(const AnsiString& chemin)
    : TSortieBinaire(kTailleTamponEcriture), ecriture_(chemin) {}

bool TSortieFichier::Ferme() { return Ouvert() && Vide() && ecriture_.Valide(); }

bool TSortieFichier::Transmet(const char* octets, size_t n) { return ecriture_.Ajoute(octets, n); }

const std::string& TSortieMemoire::Contenu() {
  (void)Vide();
  return contenu_;
}

bool TSortieMemoire::Transmet(const char* octets, size_t n) {
  contenu_.append(octets, n);
  return true;
}

// --- Input --------------------------------------------------------------------------------------

bool TEntreeBinaire::LitOctetsLent(char* dest, size_t n) {
  if (erreur_) return false;
  while (n > 0) {
    if (pos_ == fin_ && !Recharge()) {
      erreur_ = true;
      return false;
    }
    const size_t k = std::min(n, static_cast<size_t>(fin_ - pos_));
    std::memcpy(dest, pos_, k);
    pos_ += k;
    dest += k;
    n -= k;
  }
  return true;
}

TEntreeFichier::TEntreeFichier(const AnsiString& chemin)
    : fichier_(TFichier::Ouvre(chemin, TAcces::Lecture, TCreation::Existant)) {
  const int64_t taille = fichier_.Valide() ? fichier_.Taille() : -1;
  if (taille < 0) {
    erreur_ = true;
    return;
  }
  restantSource_ = taille;
  tampon_.resize(static_cast<size_t>(std::min<int64_t>(restantSource_, kTailleBlocLecture)));
}

bool TEntreeFichier::Recharge() {
  if (!fichier_.Valide() || restantSource_ <= 0 || tampon_.empty()) return false;
  const size_t demande = static_cast<size_t>(std::min<int64_t>(restantSource_, tampon_.size()));
  const int64_t lus = fichier_.LitA(position_, tampon_.data(), demande);
  if (lus <= 0) return false;
  position_ += lus;
  restantSource_ -= lus;
  pos_ = tampon_.data();
  fin_ = pos_ + lus;
  return true;
}

TEntreeMemoire::TEntreeMemoire(std::string_view octets) {
  pos_ = octets.data();
  fin_ = octets.data() + octets.size();
}

// --- Texts --------------------------------------------------------------------------------------

namespace {

bool EstAscii(std::string_view octets) {
  size_t i = 0;
  for (; i + 8 <= octets.size(); i += 8) {
    uint64_t mot;
    std::memcpy(&mot, octets.data() + i, 8);
    if (mot & 0x8080808080808080ULL) return false;
  }
  for (; i < octets.size(); ++i)
    if (static_cast<unsigned char>(octets[i]) >= 0x80) return false;
  return true;
}

}  // namespace

bool DecodeUtf8Strict(std::string_view octets, char16_t* dest, size_t capacite,
                      size_t* lg) noexcept {
  // Plain ASCII, most names: widened with no decoding.
  if (EstAscii(octets)) {
    const size_t k = std::min(octets.size(), capacite);
    for (size_t i = 0; i < k; ++i) dest[i] = static_cast<char16_t>(static_cast<unsigned char>(octets[i]));
    *lg = k;
    return true;
  }
  size_t n = 0;
  const auto pose = [&](char16_t u) {
    if (n < capacite) dest[n] = u;
    ++n;
  };
  const auto* p = reinterpret_cast<const unsigned char*>(octets.data());
  const auto* fin = p + octets.size();
  while (p < fin) {
    const unsigned c = *p++;
    if (c < 0x80) {
      pose(static_cast<char16_t>(c));
      continue;
    }
    int suite;
    uint32_t cp, minimum;
    if ((c & 0xE0) == 0xC0) {
      suite = 1, cp = c & 0x1F, minimum = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      suite = 2, cp = c & 0x0F, minimum = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      suite = 3, cp = c & 0x07, minimum = 0x10000;
    } else {
      return false;
    }
    if (fin - p < suite) return false;
    for (int k = 0; k < suite; ++k) {
      if ((p[k] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (p[k] & 0x3F);
    }
    p += suite;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      pose(static_cast<char16_t>(0xD800 + (cp >> 10)));
      pose(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      pose(static_cast<char16_t>(cp));
    }
  }
  *lg = std::min(n, capacite);
  return true;
}

void EncodeUtf8(std::u16string_view texte, std::string& sortie) {
  for (size_t i = 0; i < texte.size(); ++i) {
    uint32_t cp = texte[i];
    if (cp < 0x80) {
      sortie.push_back(static_cast<char>(cp));
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < texte.size() && texte[i + 1] >= 0xDC00 &&
        texte[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (texte[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x800) {
      sortie.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    } else if (cp < 0x10000) {
      sortie.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      sortie.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    } else {
      sortie.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      sortie.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      sortie.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    }
    sortie.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void WriteUnicodeString(TSortieBinaire& flux, std::u16string_view texte) {
  std::string octets;
  EncodeUtf8(texte, octets);
  flux.EcritEntier32(static_cast<int32_t>(octets.size()));
  flux.EcritOctets(octets.data(), octets.size());
}

bool ReadUnicodeString(TEntreeBinaire& flux, UnicodeString& texte, int32_t maxOctets) {
  texte.clear();
  int32_t l = 0;
  if (!flux.LitEntier32(l) || l < 0 || l > maxOctets || l > flux.Restant()) return false;
  std::string octets(static_cast<size_t>(l), '\0');
  if (!flux.LitOctets(octets.data(), octets.size())) return false;
  texte.resize(octets.size());  // UTF-16 never needs more units than UTF-8 has bytes
  size_t lg = 0;
  if (!DecodeUtf8Strict(octets, texte.data(), texte.size(), &lg)) {
    texte.clear();
    return false;
  }
  texte.resize(lg);
  return true;
}

}  // namespace kyb
