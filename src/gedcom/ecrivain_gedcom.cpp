#include "gedcom/ecrivain_gedcom.h"

#include <utility>

namespace kyb {

namespace {

constexpr std::size_t kLigneMax551 = 255;
constexpr std::size_t kPiece = 64 * 1024;

bool Suite(char c) noexcept { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The level as written, without going through a string (levels are one digit but for deep
// kept lines).
void AjouteNiveau(std::string& texte, int niveau) {
  if (niveau >= 0 && niveau < 10) texte += static_cast<char>('0' + niveau);
  else texte += std::to_string(niveau);
}

std::size_t ChiffresNiveau(int niveau) {
  return niveau >= 0 && niveau < 10 ? 1 : std::to_string(niveau).size();
}

// Cut point of at most `place` bytes: not inside a UTF-8 sequence, not next to a blank when
// another point exists (readers that trim lines would lose the blank).
std::size_t Coupure(std::string_view v, std::size_t place) {
  if (v.size() <= place) return v.size();
  std::size_t p = place;
  while (p > 1 && (Suite(v[p]) || v[p] == ' ' || v[p - 1] == ' ')) --p;
  if (p > 1) return p;
  p = place;
  while (p > 1 && Suite(v[p])) --p;
  return p;
}

}  // namespace

std::string DoubleArobases(std::string_view valeur, TVersionGedcom version) {
  if (version == TVersionGedcom::V70)
    return valeur.starts_with('@') ? "@" + std::string(valeur) : std::string(valeur);
  std::string r;
  r.reserve(valeur.size() + 2);
  for (const char c : valeur) {
    r += c;
    if (c == '@') r += '@';
  }
  return r;
}

TEcrivainGedcom::TEcrivainGedcom(TVersionGedcom version, TSortie sortie)
    : version_(version), sortie_(std::move(sortie)) {}

void TEcrivainGedcom::Vide(bool tout) {
  if (!sortie_ || (!tout && texte_.size() < kPiece)) return;
  sortie_(texte_);
  texte_.clear();
}

void TEcrivainGedcom::Brute(int niveau, std::string_view xref, std::string_view tag,
                            std::string_view valeur) {
  AjouteNiveau(texte_, niveau);
  texte_ += ' ';
  if (!xref.empty()) {
    texte_ += xref;
    texte_ += ' ';
  }
  texte_ += tag;
  if (!valeur.empty()) {
    texte_ += ' ';
    texte_ += valeur;
  }
  texte_ += "\r\n";
  Vide(false);
}

void TEcrivainGedcom::Morceau(int niveau, std::string_view xref, std::string_view tag,
                              std::string_view ligne, int niveauConc) {
  if (version_ == TVersionGedcom::V70) {
    Brute(niveau, xref, tag, ligne);
    return;
  }
  const auto place = [&](std::size_t prefixe) {
    return kLigneMax551 > prefixe + 1 ? kLigneMax551 - prefixe - 1 : 1;
  };
  const std::size_t prefixe = ChiffresNiveau(niveau) + 1 + (xref.empty() ? 0 : xref.size() + 1) + tag.size();
  std::size_t n = Coupure(ligne, place(prefixe));
  Brute(niveau, xref, tag, ligne.substr(0, n));
  if (n == ligne.size()) return;  // most lines need no CONC
  ligne.remove_prefix(n);
  const std::size_t prefixeConc = ChiffresNiveau(niveauConc) + 1 + 4;
  while (!ligne.empty()) {
    n = Coupure(ligne, place(prefixeConc));
    Brute(niveauConc, {}, "CONC", ligne.substr(0, n));
    ligne.remove_prefix(n);
  }
}

void TEcrivainGedcom::Ligne(int niveau, std::string_view tag, std::string_view valeur,
                            std::string_view xref) {
  // "@" is doubled line by line: 7.0 doubles the leading "@" of each CONT line too.
  bool premiere = true;
  for (;;) {
    const std::size_t fin = valeur.find('\n');
    std::string_view brute = valeur.substr(0, fin);
    if (!brute.empty() && brute.back() == '\r') brute.remove_suffix(1);
    // Most values hold no "@" and are written as they stand.
    std::string doublee;
    if (brute.find('@') != std::string_view::npos) doublee = DoubleArobases(brute, version_);
    const std::string_view ligne = doublee.empty() ? brute : doublee;
    // CONT and CONC both stand one level below the line they continue.
    if (premiere)
      Morceau(niveau, xref, tag, ligne, niveau + 1);
    else
      Morceau(niveau + 1, {}, "CONT", ligne, niveau + 1);
    premiere = false;
    if (fin == std::string_view::npos) break;
    valeur.remove_prefix(fin + 1);
  }
}

void TEcrivainGedcom::Pointeur(int niveau, std::string_view tag, std::string_view xref,
                               std::string_view xrefLigne) {
  Brute(niveau, xrefLigne, tag, xref);
}

bool TEcrivainGedcom::Date(int niveau, const TDateKY& date) {
  const std::string texte = EcritDateGedcom(date, version_);
  if (texte.empty()) return false;
  Brute(niveau, {}, "DATE", texte);
  return true;
}

void TEcrivainGedcom::Entete(std::string_view source, std::string_view versionSource,
                             std::string_view date) {
  // 7.0 files start with a byte-order mark.
  if (version_ == TVersionGedcom::V70) texte_ += "\xEF\xBB\xBF";
  Brute(0, {}, "HEAD", {});
  if (version_ == TVersionGedcom::V70) {
    Brute(1, {}, "GEDC", {});
    Brute(2, {}, "VERS", "7.0");
  }
  Ligne(1, "SOUR", source);
  if (!versionSource.empty()) Ligne(2, "VERS", versionSource);
  if (!date.empty()) Brute(1, {}, "DATE", date);
  if (version_ == TVersionGedcom::V551) {
    Brute(1, {}, "GEDC", {});
    Brute(2, {}, "VERS", "5.5.1");
    Brute(2, {}, "FORM", "LINEAGE-LINKED");
    Brute(1, {}, "CHAR", "UTF-8");
  }
}

void TEcrivainGedcom::Fin() {
  Brute(0, {}, "TRLR", {});
  Vide(true);
}

}  // namespace kyb
