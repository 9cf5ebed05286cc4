#include "gedcom/lecteur_gedcom.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "gedcom/balayage_gedcom.h"

namespace kyb {

// The steps run for every line are put inside the reading loop: their calls cost as much as
// their work on a short line.
#define KYB_CHAQUE_LIGNE [[gnu::always_inline]] inline

namespace {

constexpr std::size_t kTailleMorceau = 64 * 1024;
constexpr std::size_t kLigneMax = 1024 * 1024;
constexpr std::size_t kAvertissementsMax = 10000;
constexpr std::size_t kLignesEnteteMax = 10000;

class TSourceFichier final : public TSourceGedcom {
 public:
  explicit TSourceFichier(TFichier fichier) : fichier_(std::move(fichier)) {}
  int64_t Lit(char* tampon, std::size_t taille) override {
    const int64_t n = fichier_.LitA(position_, tampon, taille);
    if (n > 0) position_ += n;
    return n;
  }

 private:
  TFichier fichier_;
  int64_t position_ = 0;
};

class TSourceTexte final : public TSourceGedcom {
 public:
  explicit TSourceTexte(std::string_view texte) : texte_(texte) {}
  int64_t Lit(char* tampon, std::size_t taille) override {
    const std::size_t n = std::min(taille, texte_.size() - position_);
    std::copy_n(texte_.data() + position_, n, tampon);
    position_ += n;
    return static_cast<int64_t>(n);
  }

 private:
  std::string texte_;
  std::size_t position_ = 0;
};

bool Blanc(char c) noexcept { return c == ' ' || c == '\t'; }
bool Chiffre(char c) noexcept { return c >= '0' && c <= '9'; }

// Index of the first blank among the 8 bytes at p, 8 when there is none: the bytes are compared
// all at once in a word (a byte equal to the blank gives 0 after the XOR; the lowest zero byte
// found by the borrow trick is exact).
std::size_t PremierBlanc(const char* p) noexcept {
  if constexpr (std::endian::native != std::endian::little) {
    std::size_t i = 0;
    while (i < 8 && !Blanc(p[i])) ++i;
    return i;
  }
  uint64_t mot = 0;
  std::memcpy(&mot, p, sizeof mot);
  constexpr uint64_t kUns = 0x0101010101010101ULL, kHauts = 0x8080808080808080ULL;
  const auto zeros = [](uint64_t v) { return (v - kUns) & ~v & kHauts; };
  const uint64_t blancs = zeros(mot ^ (kUns * ' ')) | zeros(mot ^ (kUns * '\t'));
  return blancs == 0 ? 8 : static_cast<std::size_t>(__builtin_ctzll(blancs)) / 8;
}

// Replaces in a UTF-8 line every control character a terminal would obey (C0 but the tab, NUL
// included, DEL, C1) by U+FFFD, keeping what follows; returns how many were replaced.
std::size_t RemplaceControles(std::string& texte) {
  std::size_t n = 0;
  std::string sortie;
  for (std::size_t i = 0; i < texte.size(); ++i) {
    const auto c = static_cast<unsigned char>(texte[i]);
    const bool c1 = c == 0xC2 && i + 1 < texte.size() && static_cast<unsigned char>(texte[i + 1]) <= 0x9F &&
                    static_cast<unsigned char>(texte[i + 1]) >= 0x80;
    if ((c < 0x20 && c != '\t') || c == 0x7F || c1) {
      if (n++ == 0) sortie.assign(texte, 0, i);
      sortie += "\xEF\xBF\xBD";
      if (c1) ++i;
    } else if (n > 0) {
      sortie += texte[i];
    }
  }
  if (n > 0) texte = std::move(sortie);
  return n;
}

// Loose split of a raw header line into level, tag and value (ASCII part only).
bool DecoupeBrute(std::string_view l, int& niveau, std::string_view& tag,
                  std::string_view& valeur) {
  std::size_t i = 0;
  while (i < l.size() && Blanc(l[i])) ++i;
  if (i >= l.size() || l[i] < '0' || l[i] > '9') return false;
  niveau = 0;
  std::size_t chiffres = 0;
  while (i < l.size() && l[i] >= '0' && l[i] <= '9' && chiffres++ < 3)
    niveau = niveau * 10 + (l[i++] - '0');
  if (niveau > 99 || i >= l.size() || !Blanc(l[i])) return false;  // as LigneAnalysee reads it
  while (i < l.size() && Blanc(l[i])) ++i;
  if (i < l.size() && l[i] == '@') {
    const std::size_t fin = l.find('@', i + 1);
    if (fin == std::string_view::npos) return false;
    i = fin + 1;
    while (i < l.size() && Blanc(l[i])) ++i;
  }
  std::size_t debut = i;
  while (i < l.size() && !Blanc(l[i])) ++i;
  tag = l.substr(debut, i - debut);
  if (i < l.size()) ++i;
  valeur = l.substr(std::min(i, l.size()));
  while (!valeur.empty() && (Blanc(valeur.back()))) valeur.remove_suffix(1);
  return !tag.empty();
}


// The tags compared are a few bytes long, shorter than a call to memcmp: from 4 to 8 bytes, as
// two words of 4 bytes (the first and the last, overlapping), else byte by byte.
bool Egal(std::string_view a, std::string_view b) noexcept {
  const std::size_t n = a.size();
  if (n != b.size()) return false;
  if (n >= 4 && n <= 8) {
    uint32_t a1 = 0, a2 = 0, b1 = 0, b2 = 0;
    std::memcpy(&a1, a.data(), 4);
    std::memcpy(&b1, b.data(), 4);
    std::memcpy(&a2, a.data() + n - 4, 4);
    std::memcpy(&b2, b.data() + n - 4, 4);
    return ((a1 ^ b1) | (a2 ^ b2)) == 0;
  }
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

bool EstPointeur(std::string_view v) noexcept {
  if (v.size() < 3 || v.front() != '@' || v.back() != '@' || v[1] == '#' || v[1] == '@')
    return false;
  for (std::size_t i = 1; i + 1 < v.size(); ++i)
    if (v[i] == '@' || Blanc(v[i])) return false;
  return true;
}

// Member by member: cheaper than std::swap's three moves through a temporary node.
void Echange(TNoeudGedcom& a, TNoeudGedcom& b) noexcept {
  std::swap(a.ligne, b.ligne);
  std::swap(a.niveau, b.niveau);
  a.xref.swap(b.xref);
  a.tag.swap(b.tag);
  a.valeur.swap(b.valeur);
  std::swap(a.pointeur, b.pointeur);
  a.enfants.swap(b.enfants);
}

}  // namespace

const TNoeudGedcom* TNoeudGedcom::Enfant(std::string_view tagCherche) const {
  for (const auto& e : enfants)
    if (e.tag == tagCherche) return &e;
  return nullptr;
}

TLecteurGedcom::TLecteurGedcom() = default;

bool TLecteurGedcom::EnUtf8() const noexcept {
  return codage_ == TCodageGedcom::Utf8 || codage_ == TCodageGedcom::Utf16LE ||
         codage_ == TCodageGedcom::Utf16BE;
}
TLecteurGedcom::~TLecteurGedcom() = default;

bool TLecteurGedcom::Ouvre(const AnsiString& chemin) {
  TFichier fichier = TFichier::Ouvre(chemin, TAcces::Lecture, TCreation::Existant);
  if (!fichier) {
    erreur_ = "Impossible d'ouvrir le fichier GEDCOM « " + AnsiVersUtf8(chemin) + " ».";
    return false;
  }
  source_ = std::make_unique<TSourceFichier>(std::move(fichier));
  return Demarre();
}

bool TLecteurGedcom::OuvreTexte(std::string_view contenu) {
  source_ = std::make_unique<TSourceTexte>(contenu);
  return Demarre();
}

void TLecteurGedcom::Avertit(long ligne, std::string message) {
  if (avertissements_.size() < kAvertissementsMax) {
    avertissements_.push_back({ligne, std::move(message)});
  } else if (avertissements_.size() == kAvertissementsMax) {
    avertissements_.push_back({0, "Trop d'avertissements : les suivants ne sont pas listés."});
  }
}

void TLecteurGedcom::AjouteAuTampon(std::string_view octets) {
  if (tampon_.size() < taille_ + octets.size()) tampon_.resize(taille_ + octets.size());
  std::copy(octets.begin(), octets.end(), tampon_.data() + taille_);
  taille_ += octets.size();
}

bool TLecteurGedcom::RemplitTampon() {
  // What is left (the start of a line) goes to the front of the buffer; the chunk follows it.
  // The buffer only grows: its bytes past taille_ are room for the next chunk, never cleared.
  carteAJour_ = false;
  if (position_ > 0) {
    std::copy(tampon_.data() + position_, tampon_.data() + taille_, tampon_.data());
    taille_ -= position_;
    position_ = 0;
  }
  if (finSource_) return false;
  char* cible = nullptr;
  if (utf16_) {
    morceau_.resize(kTailleMorceau);
    cible = morceau_.data();
  } else {
    if (tampon_.size() < taille_ + kTailleMorceau) tampon_.resize(taille_ + kTailleMorceau);
    cible = tampon_.data() + taille_;
  }
  const int64_t n = source_->Lit(cible, kTailleMorceau);
  if (n <= 0) {
    if (n < 0)
      Avertit(numeroLigne_, "Erreur de lecture du fichier après la ligne " +
                                std::to_string(numeroLigne_) + " : la suite est perdue.");
    finSource_ = true;
    if (utf16_) {
      decode_.clear();
      utf16_->Termine(decode_);
      AjouteAuTampon(decode_);
    }
    return false;
  }
  octetsLus_ += n;
  if (utf16_) {
    decode_.clear();
    utf16_->Decode(std::string_view(morceau_.data(), static_cast<std::size_t>(n)), decode_);
    AjouteAuTampon(decode_);
  } else {
    taille_ += static_cast<std::size_t>(n);
  }
  return true;
}

namespace {
// A line of blanks only is skipped; a line mostly starts with its level, not a blank.
bool QueDesBlancs(std::string_view octets) noexcept {
  return octets.empty() || (Blanc(octets[0]) && std::all_of(octets.begin(), octets.end(), Blanc));
}
}  // namespace

KYB_CHAQUE_LIGNE bool TLecteurGedcom::LigneBruteSuivante(std::string_view& octets, long& numero) {
  for (;;) {
    if (crPrecedent_) {
      if (position_ >= taille_ && RemplitTampon()) continue;
      if (position_ < taille_ && tampon_[position_] == '\n') ++position_;
      crPrecedent_ = false;
    }
    const std::string_view tampon = Tampon();
    if (!carteAJour_) {
      CarteOctets(tampon, carte_);
      carteAJour_ = true;
    }
    const TBalayage b = Balaye(tampon, position_, carte_);
    propre_ = b.ascii || (b.utf8 && EnUtf8());
    arobase_ = b.arobase;
    if (b.fin == std::string_view::npos) {
      if (tampon.size() - position_ > kLigneMax) {
        ++numeroLigne_;
        Avertit(numeroLigne_, "Ligne " + std::to_string(numeroLigne_) +
                                  " : ligne de plus de 1 Mio, coupée.");
        numero = numeroLigne_;
        octets = tampon.substr(position_, kLigneMax);
        position_ += kLigneMax;
        const TBalayage coupee = BalayeLigne(octets);  // the cut may split a sequence
        propre_ = coupee.ascii || (coupee.utf8 && EnUtf8());
        return true;
      }
      if (RemplitTampon()) continue;
      if (position_ >= taille_) return false;
      ++numeroLigne_;
      numero = numeroLigne_;
      octets = Tampon().substr(position_);
      position_ = taille_;
      return !QueDesBlancs(octets);
    }
    ++numeroLigne_;
    numero = numeroLigne_;
    octets = tampon.substr(position_, b.fin - position_);
    position_ = b.fin + 1;
    if (tampon[b.fin] == '\r') {  // CRLF: the LF goes with it, now or after the next chunk
      if (position_ < taille_)
        position_ += tampon[position_] == '\n' ? 1 : 0;
      else
        crPrecedent_ = true;
    }
    if ((!octets.empty() && !Blanc(octets[0])) || !QueDesBlancs(octets)) return true;
  }
}

bool TLecteurGedcom::Demarre() {
  RemplitTampon();
  while (taille_ < 4 && RemplitTampon()) {
  }
  const auto octet = [&](std::size_t i) -> int {
    return i < taille_ ? static_cast<unsigned char>(tampon_[i]) : -1;
  };
  std::size_t saut = 0;
  if (octet(0) == 0xEF && octet(1) == 0xBB && octet(2) == 0xBF) {
    bomUtf8_ = true;
    saut = 3;
  } else if (octet(0) == 0xFF && octet(1) == 0xFE) {
    codage_ = TCodageGedcom::Utf16LE;
    saut = 2;
  } else if (octet(0) == 0xFE && octet(1) == 0xFF) {
    codage_ = TCodageGedcom::Utf16BE;
    saut = 2;
  } else if (octet(0) == '0' && octet(1) == 0) {
    codage_ = TCodageGedcom::Utf16LE;
  } else if (octet(0) == 0 && octet(1) == '0') {
    codage_ = TCodageGedcom::Utf16BE;
  }
  if (codage_ == TCodageGedcom::Utf16LE || codage_ == TCodageGedcom::Utf16BE) {
    utf16_ = std::make_unique<TDecodeurUtf16>(codage_ == TCodageGedcom::Utf16BE);
    const std::string brut(Tampon().substr(saut));
    taille_ = 0;
    decode_.clear();
    utf16_->Decode(brut, decode_);
    if (finSource_) utf16_->Termine(decode_);
    AjouteAuTampon(decode_);
    carteAJour_ = false;
  } else {
    position_ = saut;
  }

  // The header, raw, up to the next level-0 line.
  std::string_view octets;
  long numero = 0;
  int niveau = 0;
  std::string_view tag, valeur;
  if (!LigneBruteSuivante(octets, numero) || !DecoupeBrute(octets, niveau, tag, valeur) ||
      niveau != 0 || tag != "HEAD") {
    erreur_ = "Ce fichier n'est pas un fichier GEDCOM : il doit commencer par la ligne « 0 HEAD ».";
    return false;
  }
  enAttente_.push_back({numero, std::string(octets)});
  while (enAttente_.size() < kLignesEnteteMax && LigneBruteSuivante(octets, numero)) {
    const bool niveau0 = DecoupeBrute(octets, niveau, tag, valeur) && niveau == 0;
    enAttente_.push_back({numero, std::string(octets)});
    if (niveau0) break;
  }
  ChoisitCodage(enAttente_);
  return true;
}

void TLecteurGedcom::ChoisitCodage(const std::vector<TLigneBrute>& entete) {
  std::string nomChar;
  long ligneChar = 0;
  bool dansGedc = false;
  for (std::size_t i = 1; i < entete.size(); ++i) {
    int niveau = 0;
    std::string_view tag, valeur;
    if (!DecoupeBrute(entete[i].octets, niveau, tag, valeur)) continue;
    if (niveau == 0) break;
    if (niveau == 1) {
      dansGedc = tag == "GEDC";
      if (tag == "CHAR" && ligneChar == 0) {
        nomChar = std::string(valeur);
        ligneChar = entete[i].numero;
      }
    } else if (niveau == 2 && dansGedc && tag == "VERS" && version_.empty()) {
      version_ = std::string(valeur);
    }
  }
  version7_ = !version_.empty() && version_[0] == '7';
  if (utf16_) return;
  codage_ = TCodageGedcom::Utf8;
  if (bomUtf8_ || (nomChar.empty() && version7_)) return;
  if (nomChar.empty()) {
    Avertit(0, "L'en-tête ne déclare pas de jeu de caractères (HEAD.CHAR) : le fichier est lu "
               "comme UTF-8.");
    return;
  }
  TCodageGedcom declare = TCodageGedcom::Utf8;
  std::size_t invalides = 0;
  if (!CodageDuNomChar(nomChar, declare)) {
    Avertit(ligneChar, "Ligne " + std::to_string(ligneChar) + " : jeu de caractères « " +
                           Utf8Valide(nomChar, true, invalides) +
                           " » inconnu : le fichier est lu comme UTF-8.");
    return;
  }
  if (declare == TCodageGedcom::Utf16LE || declare == TCodageGedcom::Utf16BE) {
    Avertit(ligneChar, "Ligne " + std::to_string(ligneChar) +
                           " : CHAR UNICODE sans marque d'ordre des octets en UTF-16 : le "
                           "fichier est lu comme UTF-8.");
    return;
  }
  codage_ = declare;
}

TBalayage TLecteurGedcom::BalayeLigne(std::string_view octets) {
  CarteOctets(octets, carteLigne_);
  return Balaye(octets, 0, carteLigne_);
}

void TLecteurGedcom::AvertitLigne(long numero, std::string_view texte) {
  Avertit(numero, "Ligne " + std::to_string(numero) + " : " + std::string(texte));
}

std::string_view TLecteurGedcom::Converti(std::string_view octets, long numero) {
  std::size_t invalides = 0;
  converti_ = LigneVersUtf8(octets, codage_, invalides);
  if (invalides > 0)
    AvertitLigne(numero, std::to_string(invalides) +
                             " octet(s) invalide(s) pour le jeu de caractères " +
                             NomCodage(codage_) + ", remplacé(s).");
  if (const std::size_t controles = RemplaceControles(converti_); controles > 0)
    AvertitLigne(numero, std::to_string(controles) +
                             " caractère(s) de contrôle remplacé(s) par U+FFFD, le reste de la "
                             "ligne est gardé.");
  return converti_;
}

KYB_CHAQUE_LIGNE bool TLecteurGedcom::LigneAnalysee(std::string_view octets, long numero, TLigneVue& ligne) {
  std::string_view l = octets;
  ligne.arobase = arobase_;
  if (!propre_) {
    l = Converti(octets, numero);
    ligne.arobase = true;  // the converted text was not scanned
  }
  const char* p = l.data();
  const char* const fin = p + l.size();
  int niveau = -1;
  if (l.size() >= 2 && Chiffre(p[0]) && p[1] == ' ') {  // most lines: one digit, one space
    niveau = p[0] - '0';
    ++p;
  } else {
    while (p < fin && Blanc(*p)) ++p;
    for (const char* const chiffres = p; p < fin && p - chiffres < 3 && Chiffre(*p); ++p)
      niveau = (niveau < 0 ? 0 : niveau * 10) + (*p - '0');
  }
  if (niveau < 0 || niveau > 99 || p >= fin || !Blanc(*p)) {
    if (!pile_.empty()) {
      pile_.back().noeud->valeur += '\n';
      pile_.back().noeud->valeur += l;
      AvertitLigne(numero, "ligne sans numéro de niveau, rattachée au texte de la ligne précédente.");
    } else {
      AvertitLigne(numero, "ligne sans numéro de niveau, ignorée.");
    }
    return false;
  }
  while (p < fin && Blanc(*p)) ++p;
  ligne.numero = numero;
  ligne.niveau = niveau;
  ligne.xref = {};
  if (p < fin && *p == '@') {
    const auto* ferme = static_cast<const char*>(std::memchr(p + 1, '@', static_cast<std::size_t>(fin - p - 1)));
    if (ferme == nullptr) {
      AvertitLigne(numero, "identifiant « @ » non fermé, ligne ignorée.");
      return false;
    }
    ligne.xref = std::string_view(p, static_cast<std::size_t>(ferme + 1 - p));
    p = ferme + 1;
    while (p < fin && Blanc(*p)) ++p;
  }
  const char* const debutTag = p;
  if (fin - p >= 8) p += PremierBlanc(p);  // a tag is mostly shorter than 8 bytes
  while (p < fin && !Blanc(*p)) ++p;
  ligne.tag = std::string_view(debutTag, static_cast<std::size_t>(p - debutTag));
  if (ligne.tag.empty()) {
    AvertitLigne(numero, "ligne sans étiquette, ignorée.");
    return false;
  }
  if (p < fin) ++p;  // the one delimiter before the value
  ligne.valeur = std::string_view(p, static_cast<std::size_t>(fin - p));
  ligne.pointeur = ligne.arobase && EstPointeur(ligne.valeur);
  return true;
}

void TLecteurGedcom::AjouteValeur(std::string& cible, std::string_view valeur) const {
  if (version7_) {
    cible.append(valeur.substr(valeur.starts_with("@@") ? 1 : 0));
    return;
  }
  // "@@" reads as one "@".
  for (std::size_t arobase = valeur.find("@@"); arobase != std::string_view::npos;
       arobase = valeur.find("@@")) {
    cible.append(valeur.substr(0, arobase + 1));
    valeur.remove_prefix(arobase + 2);
  }
  cible.append(valeur);
}

void TLecteurGedcom::AjouteValeur(std::string& cible, const TLigneVue& ligne) const {
  if (ligne.pointeur || !ligne.arobase)
    cible.append(ligne.valeur);
  else
    AjouteValeur(cible, ligne.valeur);
}

KYB_CHAQUE_LIGNE void TLecteurGedcom::Remplit(TNoeudGedcom& noeud, const TLigneVue& ligne) const {
  noeud.ligne = ligne.numero;
  noeud.niveau = ligne.niveau;
  if (ligne.xref.empty())
    noeud.xref.clear();
  else
    noeud.xref.assign(ligne.xref);
  // A node mostly takes the tag it had in the record before: copied only when it differs.
  if (!Egal(noeud.tag, ligne.tag)) noeud.tag.assign(ligne.tag);
  noeud.pointeur = ligne.pointeur;
  noeud.valeur.clear();
  if (ligne.pointeur || !ligne.arobase)
    noeud.valeur.append(ligne.valeur);
  else
    AjouteValeur(noeud.valeur, ligne.valeur);
}

namespace {
// Drops the children a node had in the record before and no longer has.
[[gnu::noinline]] void Tronque(TNoeudGedcom& noeud, std::size_t enfants) { noeud.enfants.resize(enfants); }
}  // namespace

KYB_CHAQUE_LIGNE void TLecteurGedcom::Remonte(std::size_t profondeur) {
  while (pile_.size() > profondeur) {
    const TEtage& e = pile_.back();
    if (e.noeud->enfants.size() > e.enfants) Tronque(*e.noeud, e.enfants);
    pile_.pop_back();
  }
}

KYB_CHAQUE_LIGNE void TLecteurGedcom::Place(const TLigneVue& ligne) {
  const std::size_t profondeur = pile_.size();
  int niveau = ligne.niveau;
  if (static_cast<std::size_t>(niveau) > profondeur) {
    Avertit(ligne.numero, "Ligne " + std::to_string(ligne.numero) + " : saut de niveau (" +
                              std::to_string(niveau) + " après " +
                              std::to_string(profondeur - 1) + "), lu au niveau " +
                              std::to_string(profondeur) + ".");
    niveau = static_cast<int>(profondeur);
  }
  Remonte(static_cast<std::size_t>(niveau));
  TEtage& parent = pile_.back();
  if (ligne.tag == "CONC" || ligne.tag == "CONT") {
    if (ligne.tag == "CONT") parent.noeud->valeur += '\n';
    AjouteValeur(parent.noeud->valeur, ligne);
    return;  // a line under a CONC is a level jump, placed below the CONC's parent
  }
  std::vector<TNoeudGedcom>& enfants = parent.noeud->enfants;
  if (parent.enfants == enfants.size()) enfants.emplace_back();
  TNoeudGedcom& noeud = enfants[parent.enfants++];
  Remplit(noeud, ligne);
  noeud.niveau = niveau;
  pile_.push_back({&noeud, 0});
}

bool TLecteurGedcom::Suivant(TNoeudGedcom& enregistrement) {
  if (fini_) return false;
  std::string_view octets;
  long numero = 0;
  TLigneVue ligne;
  for (;;) {
    bool lue = false;
    if (prochainEnAttente_ < enAttente_.size()) {
      const TLigneBrute& brute = enAttente_[prochainEnAttente_++];
      octets = brute.octets;
      numero = brute.numero;
      const TBalayage b = BalayeLigne(octets);
      propre_ = b.ascii || (b.utf8 && EnUtf8());
      arobase_ = b.arobase;
      lue = true;
    } else {
      if (!enAttente_.empty()) {  // the header lines are all read
        enAttente_.clear();
        enAttente_.shrink_to_fit();
        prochainEnAttente_ = 0;
      }
      if (!trlrVu_) lue = LigneBruteSuivante(octets, numero);
    }
    if (!lue) {
      fini_ = true;
      if (!trlrVu_)
        Avertit(numeroLigne_, "Fichier incomplet : il s'arrête à la ligne " +
                                  std::to_string(numeroLigne_) +
                                  " sans « 0 TRLR » ; il a peut-être été coupé.");
      if (!aCourant_) return false;
      Remonte(0);
      Echange(enregistrement, courant_);
      aCourant_ = false;
      return true;
    }
    derniereLigne_ = numero;
    if (!LigneAnalysee(octets, numero, ligne)) continue;
    if (ligne.niveau != 0) {
      if (!aCourant_) {
        Avertit(numero, "Ligne " + std::to_string(numero) +
                            " : ligne hors de tout enregistrement, ignorée.");
        continue;
      }
      Place(ligne);
      continue;
    }
    const bool trlr = ligne.tag == "TRLR";
    const bool rendu = aCourant_;
    // The record handed back before lends its nodes to the one that starts.
    Remonte(0);
    if (rendu) Echange(enregistrement, courant_);
    Remplit(courant_, ligne);
    aCourant_ = true;
    pile_.push_back({&courant_, 0});
    if (trlr) {
      trlrVu_ = true;
      if (prochainEnAttente_ < enAttente_.size() || LigneBruteSuivante(octets, numero)) {
        Avertit(numeroLigne_, "Ligne " + std::to_string(numeroLigne_) +
                                  " : texte après « 0 TRLR », ignoré.");
      }
      enAttente_.clear();
      prochainEnAttente_ = 0;
    }
    if (rendu) return true;
  }
}

#undef KYB_CHAQUE_LIGNE

}  // namespace kyb
