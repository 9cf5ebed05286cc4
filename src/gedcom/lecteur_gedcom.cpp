#include "gedcom/lecteur_gedcom.h"

#include <algorithm>
#include <utility>

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


bool EstPointeur(std::string_view v) noexcept {
  if (v.size() < 3 || v.front() != '@' || v.back() != '@' || v[1] == '#' || v[1] == '@')
    return false;
  for (std::size_t i = 1; i + 1 < v.size(); ++i)
    if (v[i] == '@' || Blanc(v[i])) return false;
  return true;
}

}  // namespace

const TNoeudGedcom* TNoeudGedcom::Enfant(std::string_view tagCherche) const {
  for (const auto& e : enfants)
    if (e.tag == tagCherche) return &e;
  return nullptr;
}

TLecteurGedcom::TLecteurGedcom() = default;
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
  tampon_.erase(0, position_);
  position_ = 0;
  if (finSource_) return false;
  std::string morceau(kTailleMorceau, '\0');
  const int64_t n = source_->Lit(morceau.data(), morceau.size());
  if (n <= 0) {
    if (n < 0)
      Avertit(numeroLigne_, "Erreur de lecture du fichier après la ligne " +
                                std::to_string(numeroLigne_) + " : la suite est perdue.");
    finSource_ = true;
    if (utf16_) utf16_->Termine(tampon_);
    return false;
  }
  octetsLus_ += n;
  morceau.resize(static_cast<std::size_t>(n));
  if (utf16_)
    utf16_->Decode(morceau, tampon_);
  else
    tampon_ += morceau;
  return true;
}

bool TLecteurGedcom::LigneBruteSuivante(TLigneBrute& ligne) {
  for (;;) {
    if (crPrecedent_) {
      if (position_ >= tampon_.size() && RemplitTampon()) continue;
      if (position_ < tampon_.size() && tampon_[position_] == '\n') ++position_;
      crPrecedent_ = false;
    }
    const std::size_t fin = tampon_.find_first_of("\r\n", position_);
    if (fin == std::string::npos) {
      if (tampon_.size() - position_ > kLigneMax) {
        ++numeroLigne_;
        Avertit(numeroLigne_, "Ligne " + std::to_string(numeroLigne_) +
                                  " : ligne de plus de 1 Mio, coupée.");
        ligne.numero = numeroLigne_;
        ligne.octets = tampon_.substr(position_, kLigneMax);
        position_ += kLigneMax;
        return true;
      }
      if (RemplitTampon()) continue;
      if (position_ >= tampon_.size()) return false;
      ++numeroLigne_;
      ligne.numero = numeroLigne_;
      ligne.octets = tampon_.substr(position_);
      position_ = tampon_.size();
      if (std::all_of(ligne.octets.begin(), ligne.octets.end(), Blanc)) return false;
      return true;
    }
    ++numeroLigne_;
    ligne.numero = numeroLigne_;
    ligne.octets.assign(tampon_, position_, fin - position_);
    position_ = fin + 1;
    if (tampon_[fin] == '\r') crPrecedent_ = true;
    if (!std::all_of(ligne.octets.begin(), ligne.octets.end(), Blanc)) return true;
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
  TLigneBrute ligne;
  int niveau = 0;
  std::string_view tag, valeur;
  if (!LigneBruteSuivante(ligne) || !DecoupeBrute(ligne.octets, niveau, tag, valeur) ||
      niveau != 0 || tag != "HEAD") {
    erreur_ = "Ce fichier n'est pas un fichier GEDCOM : il doit commencer par la ligne « 0 HEAD ».";
    return false;
  }
  enAttente_.push_back(std::move(ligne));
  while (enAttente_.size() < kLignesEnteteMax && LigneBruteSuivante(ligne)) {
    const bool niveau0 = DecoupeBrute(ligne.octets, niveau, tag, valeur) && niveau == 0;
    enAttente_.push_back(std::move(ligne));
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

bool TLecteurGedcom::LigneAnalysee(const TLigneBrute& brute, TNoeudGedcom& noeud) {
  std::size_t invalides = 0;
  std::string texte = LigneVersUtf8(brute.octets, codage_, invalides);
  // Built only for a warning: most lines have none.
  const auto numero = [&brute] { return "Ligne " + std::to_string(brute.numero); };
  if (invalides > 0)
    Avertit(brute.numero, numero() + " : " + std::to_string(invalides) +
                              " octet(s) invalide(s) pour le jeu de caractères " +
                              NomCodage(codage_) + ", remplacé(s).");
  if (const std::size_t controles = RemplaceControles(texte); controles > 0)
    Avertit(brute.numero, numero() + " : " + std::to_string(controles) +
                              " caractère(s) de contrôle remplacé(s) par U+FFFD, le reste de la ligne est gardé.");
  std::string_view l(texte);
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
      pile_.back()->valeur += '\n';
      pile_.back()->valeur += texte;
      Avertit(brute.numero, numero() + " : ligne sans numéro de niveau, rattachée au texte de la "
                                     "ligne précédente.");
    } else {
      Avertit(brute.numero, numero() + " : ligne sans numéro de niveau, ignorée.");
    }
    return false;
  }
  while (i < l.size() && Blanc(l[i])) ++i;
  noeud = TNoeudGedcom{};
  noeud.ligne = brute.numero;
  noeud.niveau = niveau;
  if (i < l.size() && l[i] == '@') {
    const std::size_t fin = l.find('@', i + 1);
    if (fin == std::string_view::npos) {
      Avertit(brute.numero, numero() + " : identifiant « @ » non fermé, ligne ignorée.");
      return false;
    }
    noeud.xref = std::string(l.substr(i, fin + 1 - i));
    i = fin + 1;
    while (i < l.size() && Blanc(l[i])) ++i;
  }
  const std::size_t debutTag = i;
  while (i < l.size() && !Blanc(l[i])) ++i;
  noeud.tag = std::string(l.substr(debutTag, i - debutTag));
  if (noeud.tag.empty()) {
    Avertit(brute.numero, numero() + " : ligne sans étiquette, ignorée.");
    return false;
  }
  if (i < l.size()) ++i;  // the one delimiter before the value
  std::string_view valeur = l.substr(std::min(i, l.size()));
  if (EstPointeur(valeur)) {
    noeud.pointeur = true;
    noeud.valeur = std::string(valeur);
  } else if (version7_) {
    noeud.valeur = std::string(valeur.substr(valeur.starts_with("@@") ? 1 : 0));
  } else {
    noeud.valeur.reserve(valeur.size());
    for (std::size_t k = 0; k < valeur.size(); ++k) {
      noeud.valeur += valeur[k];
      if (valeur[k] == '@' && k + 1 < valeur.size() && valeur[k + 1] == '@') ++k;
    }
  }
  return true;
}

void TLecteurGedcom::Place(TNoeudGedcom&& noeud) {
  const std::size_t profondeur = pile_.size();
  if (static_cast<std::size_t>(noeud.niveau) > profondeur) {
    Avertit(noeud.ligne, "Ligne " + std::to_string(noeud.ligne) + " : saut de niveau (" +
                             std::to_string(noeud.niveau) + " après " +
                             std::to_string(profondeur - 1) + "), lu au niveau " +
                             std::to_string(profondeur) + ".");
    noeud.niveau = static_cast<int>(profondeur);
  }
  pile_.resize(static_cast<std::size_t>(noeud.niveau));
  TNoeudGedcom* parent = pile_.back();
  if (noeud.tag == "CONC" || noeud.tag == "CONT") {
    if (noeud.tag == "CONT") parent->valeur += '\n';
    parent->valeur += noeud.valeur;
    return;  // a line under a CONC is a level jump, placed below the CONC's parent
  }
  parent->enfants.push_back(std::move(noeud));
  pile_.push_back(&parent->enfants.back());
}

bool TLecteurGedcom::Suivant(TNoeudGedcom& enregistrement) {
  if (fini_) return false;
  TLigneBrute brute;
  for (;;) {
    bool lue = false;
    if (prochainEnAttente_ < enAttente_.size()) {
      brute = std::move(enAttente_[prochainEnAttente_++]);
      if (prochainEnAttente_ == enAttente_.size()) {
        enAttente_.clear();
        enAttente_.shrink_to_fit();
        prochainEnAttente_ = 0;
      }
      lue = true;
    } else if (!trlrVu_) {
      lue = LigneBruteSuivante(brute);
    }
    if (!lue) {
      fini_ = true;
      if (!trlrVu_)
        Avertit(numeroLigne_, "Fichier incomplet : il s'arrête à la ligne " +
                                  std::to_string(numeroLigne_) +
                                  " sans « 0 TRLR » ; il a peut-être été coupé.");
      if (!aCourant_) return false;
      enregistrement = std::move(courant_);
      aCourant_ = false;
      pile_.clear();
      return true;
    }
    derniereLigne_ = brute.numero;
    TNoeudGedcom noeud;
    if (!LigneAnalysee(brute, noeud)) continue;
    if (noeud.niveau != 0) {
      if (!aCourant_) {
        Avertit(noeud.ligne, "Ligne " + std::to_string(noeud.ligne) +
                                 " : ligne hors de tout enregistrement, ignorée.");
        continue;
      }
      Place(std::move(noeud));
      continue;
    }
    const bool trlr = noeud.tag == "TRLR";
    bool rendu = false;
    if (aCourant_) {
      enregistrement = std::move(courant_);
      rendu = true;
    }
    courant_ = std::move(noeud);
    aCourant_ = true;
    pile_.assign(1, &courant_);
    if (trlr) {
      trlrVu_ = true;
      TLigneBrute reste;
      if (prochainEnAttente_ < enAttente_.size() || LigneBruteSuivante(reste)) {
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
