#include "gedcom/lecteur_gedcom.h"

#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kyb {

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


// Byte by byte: the tags compared are a few bytes long, shorter than a call to memcmp.
bool Egal(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
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

// Length of the well-formed UTF-8 sequence of two to four bytes at p (n bytes available), 0 when
// it is ill-formed, overlong, a surrogate or a C1 control (U+0080-U+009F).
std::size_t SequenceUtf8(const unsigned char* p, std::size_t n) noexcept {
  const unsigned c = p[0];
  std::size_t suite = 0;
  char32_t point = 0, minimum = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    suite = 1, point = c & 0x1F, minimum = 0xA0;
  } else if (c >= 0xE0 && c <= 0xEF) {
    suite = 2, point = c & 0x0F, minimum = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    suite = 3, point = c & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (suite >= n) return 0;
  for (std::size_t k = 1; k <= suite; ++k) {
    const unsigned s = p[k];
    if ((s & 0xC0) != 0x80) return 0;
    point = (point << 6) | (s & 0x3F);
  }
  if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return 0;
  return suite + 1;
}

// The end of a line and what its bytes need, found in one pass: sixteen bytes at a time, byte
// by byte only at a byte that is not printable ASCII or is an "@".
struct TBalayage {
  std::size_t fin = std::string_view::npos;  // index of the CR or LF, npos when not in the buffer
  bool ascii = true;     // printable ASCII and tabs only: reads as it is in every set
  bool utf8 = true;      // well-formed UTF-8 with no control character but the tab
  bool arobase = false;  // an "@" somewhere: "@@" may need reading as one "@"
};

bool Ordinaire(char c) noexcept {
  return static_cast<signed char>(c) >= 0x20 && c != 0x7F && c != '@';
}

// Notes the byte at p[k] (not Ordinaire); true at a line end. A UTF-8 sequence moves suivant
// past its last byte.
bool NoteOctet(const char* p, std::size_t k, std::size_t n, TBalayage& b,
               std::size_t& suivant) noexcept {
  const char c = p[k];
  if (c == '\n' || c == '\r') return true;
  if (c == '@') {
    b.arobase = true;
  } else if (static_cast<signed char>(c) < 0) {
    b.ascii = false;
    const std::size_t longueur =
        SequenceUtf8(reinterpret_cast<const unsigned char*>(p) + k, n - k);
    if (longueur == 0) b.utf8 = false;
    suivant = k + std::max<std::size_t>(longueur, 1);
  } else if (c != '\t') {
    b.ascii = b.utf8 = false;
  }
  return false;
}

TBalayage Balaye(std::string_view t, std::size_t debut) noexcept {
  TBalayage b;
  const char* p = t.data();
  const std::size_t n = t.size();
  std::size_t i = debut;
  std::size_t suivant = debut;  // bytes before it belong to a sequence already checked
#if defined(__SSE2__)
  const auto masque = [](__m128i octets) { return static_cast<unsigned>(_mm_movemask_epi8(octets)); };
  const __m128i espace = _mm_set1_epi8(0x20);
  for (; i + 16 <= n; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const unsigned fins =
        masque(_mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(x, _mm_set1_epi8('\r'))));
    // The bytes of this line in the sixteen: all, or those before its end.
    const unsigned ligne = fins != 0 ? (fins & (0U - fins)) - 1 : 0xFFFFU;
    const unsigned hauts = masque(x) & ligne;
    // Signed: the bytes from 0x80 compare below the space too, and are taken out.
    const unsigned controles =
        (masque(_mm_or_si128(_mm_cmplt_epi8(x, espace), _mm_cmpeq_epi8(x, _mm_set1_epi8(0x7F)))) &
         ~masque(_mm_cmpeq_epi8(x, _mm_set1_epi8('\t'))) & ~hauts) & ligne;
    if ((masque(_mm_cmpeq_epi8(x, _mm_set1_epi8('@'))) & ligne) != 0) b.arobase = true;
    if (controles != 0) b.ascii = b.utf8 = false;
    for (unsigned m = hauts; m != 0; m &= m - 1) {
      const std::size_t k = i + static_cast<std::size_t>(__builtin_ctz(m));
      if (k >= suivant) NoteOctet(p, k, n, b, suivant);
    }
    if (fins != 0) {
      b.fin = i + static_cast<std::size_t>(__builtin_ctz(fins));
      return b;
    }
  }
#endif
  for (i = std::max(i, suivant); i < n; i = std::max(i + 1, suivant)) {
    if (!Ordinaire(p[i]) && NoteOctet(p, i, n, b, suivant)) {
      b.fin = i;
      return b;
    }
  }
  return b;
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

bool TLecteurGedcom::RemplitTampon() {
  // What is left (the start of a line) goes to the front of the buffer; the chunk follows it.
  if (position_ > 0) {
    tampon_.erase(0, position_);
    position_ = 0;
  }
  if (finSource_) return false;
  const std::size_t reste = tampon_.size();
  char* cible = nullptr;
  if (utf16_) {
    morceau_.resize(kTailleMorceau);
    cible = morceau_.data();
  } else {
    tampon_.resize(reste + kTailleMorceau);
    cible = tampon_.data() + reste;
  }
  const int64_t n = source_->Lit(cible, kTailleMorceau);
  if (n <= 0) {
    if (!utf16_) tampon_.resize(reste);
    if (n < 0)
      Avertit(numeroLigne_, "Erreur de lecture du fichier après la ligne " +
                                std::to_string(numeroLigne_) + " : la suite est perdue.");
    finSource_ = true;
    if (utf16_) utf16_->Termine(tampon_);
    return false;
  }
  octetsLus_ += n;
  if (utf16_)
    utf16_->Decode(std::string_view(morceau_.data(), static_cast<std::size_t>(n)), tampon_);
  else
    tampon_.resize(reste + static_cast<std::size_t>(n));
  return true;
}

bool TLecteurGedcom::LigneBruteSuivante(std::string_view& octets, long& numero) {
  for (;;) {
    if (crPrecedent_) {
      if (position_ >= tampon_.size() && RemplitTampon()) continue;
      if (position_ < tampon_.size() && tampon_[position_] == '\n') ++position_;
      crPrecedent_ = false;
    }
    const std::string_view tampon(tampon_);
    const TBalayage b = Balaye(tampon, position_);
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
        const TBalayage coupee = Balaye(octets, 0);  // the cut may split a sequence
        propre_ = coupee.ascii || (coupee.utf8 && EnUtf8());
        return true;
      }
      if (RemplitTampon()) continue;
      if (position_ >= tampon_.size()) return false;
      ++numeroLigne_;
      numero = numeroLigne_;
      octets = std::string_view(tampon_).substr(position_);
      position_ = tampon_.size();
      return !std::all_of(octets.begin(), octets.end(), Blanc);
    }
    ++numeroLigne_;
    numero = numeroLigne_;
    octets = tampon.substr(position_, b.fin - position_);
    position_ = b.fin + 1;
    if (tampon[b.fin] == '\r') crPrecedent_ = true;
    if (!std::all_of(octets.begin(), octets.end(), Blanc)) return true;
  }
}

bool TLecteurGedcom::Demarre() {
  RemplitTampon();
  while (tampon_.size() < 4 && RemplitTampon()) {
  }
  const auto octet = [&](std::size_t i) -> int {
    return i < tampon_.size() ? static_cast<unsigned char>(tampon_[i]) : -1;
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
    std::string brut = tampon_.substr(saut);
    tampon_.clear();
    utf16_->Decode(brut, tampon_);
    if (finSource_) utf16_->Termine(tampon_);
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

bool TLecteurGedcom::LigneAnalysee(std::string_view octets, long numero, TLigneVue& ligne) {
  std::string_view l = octets;
  ligne.arobase = arobase_;
  if (!propre_) {
    l = Converti(octets, numero);
    ligne.arobase = true;  // the converted text was not scanned
  }
  std::size_t i = 0;
  while (i < l.size() && Blanc(l[i])) ++i;
  int niveau = -1;
  std::size_t chiffres = 0;
  while (i < l.size() && l[i] >= '0' && l[i] <= '9' && chiffres < 3) {
    niveau = (niveau < 0 ? 0 : niveau * 10) + (l[i++] - '0');
    ++chiffres;
  }
  if (niveau < 0 || niveau > 99 || i >= l.size() || !Blanc(l[i])) {
    if (!pile_.empty()) {
      pile_.back().noeud->valeur += '\n';
      pile_.back().noeud->valeur += l;
      AvertitLigne(numero, "ligne sans numéro de niveau, rattachée au texte de la ligne précédente.");
    } else {
      AvertitLigne(numero, "ligne sans numéro de niveau, ignorée.");
    }
    return false;
  }
  while (i < l.size() && Blanc(l[i])) ++i;
  ligne.numero = numero;
  ligne.niveau = niveau;
  ligne.xref = {};
  if (i < l.size() && l[i] == '@') {
    const std::size_t fin = l.find('@', i + 1);
    if (fin == std::string_view::npos) {
      AvertitLigne(numero, "identifiant « @ » non fermé, ligne ignorée.");
      return false;
    }
    ligne.xref = l.substr(i, fin + 1 - i);
    i = fin + 1;
    while (i < l.size() && Blanc(l[i])) ++i;
  }
  const std::size_t debutTag = i;
  while (i < l.size() && !Blanc(l[i])) ++i;
  ligne.tag = l.substr(debutTag, i - debutTag);
  if (ligne.tag.empty()) {
    AvertitLigne(numero, "ligne sans étiquette, ignorée.");
    return false;
  }
  if (i < l.size()) ++i;  // the one delimiter before the value
  ligne.valeur = l.substr(std::min(i, l.size()));
  ligne.pointeur = EstPointeur(ligne.valeur);
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

void TLecteurGedcom::Remplit(TNoeudGedcom& noeud, const TLigneVue& ligne) const {
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
  AjouteValeur(noeud.valeur, ligne);
}

void TLecteurGedcom::Remonte(std::size_t profondeur) {
  while (pile_.size() > profondeur) {
    const TEtage& e = pile_.back();
    if (e.noeud->enfants.size() > e.enfants) e.noeud->enfants.resize(e.enfants);
    pile_.pop_back();
  }
}

void TLecteurGedcom::Place(const TLigneVue& ligne) {
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
      const TBalayage b = Balaye(octets, 0);
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
      std::swap(enregistrement, courant_);
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
    if (rendu) std::swap(enregistrement, courant_);
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

}  // namespace kyb
