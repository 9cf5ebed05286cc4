#include "gedcom/lignes_gardees.h"

#include <algorithm>

#include "folder/fic_notes.h"
#include "gedcom/dates_gedcom.h"
#include "gedcom/import_gedcom.h"
#include "gedcom/versions_gedcom.h"
#include "platform/references_ansi.h"
#include "store/evenement.h"
#include "store/datamodulebdd.h"

namespace kyb {

namespace {

// The text (UTF-8) of a heading of note number note; empty when there is none.
std::string TexteRubrique(const TGestFichier& dossier, int32_t note, const char* titre) {
  if (note <= 0 || !dossier.FicNotes) return {};
  std::string s = AnsiVersUtf8(TNote(dossier.FicNotes.get(), note).LectureNote(titre));
  std::erase(s, '\r');
  return s;
}

}  // namespace

std::vector<TLigneGardee> LitLignesGardees(std::string_view texte) {
  std::vector<TLigneGardee> lignes;
  while (!texte.empty()) {
    const std::size_t fin = std::min(texte.find('\n'), texte.size());
    std::string_view ligne = texte.substr(0, fin);
    texte.remove_prefix(std::min(fin + 1, texte.size()));
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    std::size_t a = ligne.find(' ');
    long long niveau = 0;
    if (a == std::string_view::npos || !TexteVersEntier(std::string(ligne.substr(0, a)), niveau) || niveau < 0 ||
        niveau > 99)
      continue;
    TLigneGardee l;
    l.niveau = static_cast<int>(niveau);
    if (a + 1 < ligne.size() && ligne[a + 1] == '@') {
      const std::size_t x = ligne.find(' ', a + 1);
      if (x == std::string_view::npos) continue;
      l.xref = std::string(ligne.substr(a + 1, x - a - 1));
      a = x;
    }
    const std::size_t b = ligne.find(' ', a + 1);
    l.tag = std::string(ligne.substr(a + 1, b == std::string_view::npos ? std::string_view::npos : b - a - 1));
    if (b != std::string_view::npos) l.valeur = std::string(ligne.substr(b + 1));
    if (!l.tag.empty()) lignes.push_back(std::move(l));
  }
  return lignes;
}

namespace {

bool EstPointeurGarde(const std::string& v) {
  return v.size() > 2 && v.front() == '@' && v.back() == '@' && v.find(' ') == std::string::npos;
}

// One kept line; retire is the level of a line left out, whose sub-lines go with it (0: none).
// False when the line is left out.
bool EcritLigneGardee(TEcrivainGedcom& ecr, const TLigneGardee& l, int decalage, const TTraduitPointeur* traduit,
                      int& retire) {
  if (retire > 0 && l.niveau + 1 > retire) return true;
  retire = 0;
  if (!EstPointeurGarde(l.valeur)) {
    ecr.Ligne(l.niveau + decalage, l.tag, l.valeur, l.xref);
    return true;
  }
  const std::string cible = traduit ? (*traduit)(l.valeur) : l.valeur[1] != '#' ? l.valeur : std::string();
  if (cible.empty()) {
    retire = l.niveau + 1;
    return false;
  }
  // A shared note is a NOTE record in 5.5.1.
  const bool note551 = l.tag == "SNOTE" && ecr.Version() == TVersionGedcom::V551;
  ecr.Pointeur(l.niveau + decalage, note551 ? "NOTE" : l.tag, cible, l.xref);
  return true;
}

}  // namespace

long EcritLignesGardees(TEcrivainGedcom& ecr, const std::vector<TLigneGardee>& lignes, std::size_t debut,
                        std::size_t fin, int decalage, TContexteGarde contexte, const TTraduitPointeur* traduit) {
  fin = std::min(fin, lignes.size());
  if (debut >= fin) return 0;
  std::vector<TLigneGardee> traduites(lignes.begin() + static_cast<long>(debut), lignes.begin() + static_cast<long>(fin));
  TraduitLignesGardees(traduites, contexte, ecr.Version());
  int retire = 0;
  long retirees = 0;
  for (const TLigneGardee& l : traduites)
    if (!EcritLigneGardee(ecr, l, decalage, traduit, retire)) ++retirees;
  return retirees;
}

TBlocsGardes::TBlocsGardes(std::string_view texte) : lignes_(LitLignesGardees(texte)) {
  if (lignes_.empty()) return;
  int racine = lignes_.front().niveau;
  for (const TLigneGardee& l : lignes_) racine = std::min(racine, l.niveau);
  for (std::size_t i = 0; i < lignes_.size(); ++i)
    if (lignes_[i].niveau == racine) debuts_.push_back(i);
  if (debuts_.empty() || debuts_.front() != 0) debuts_.insert(debuts_.begin(), 0);
  pris_.assign(debuts_.size(), false);
  debuts_.push_back(lignes_.size());
}

bool TBlocsGardes::EcritSousLignes(TEcrivainGedcom& ecr, std::string_view tag, std::string_view valeur, int niveau,
                                   TContexteGarde contexte, const std::string* type, const TTraduitPointeur* traduit) {
  for (std::size_t k = 0; k + 1 < debuts_.size(); ++k) {
    const TLigneGardee& r = lignes_[debuts_[k]];
    if (pris_[k] || r.tag != tag || r.valeur != valeur) continue;
    const std::size_t debut = debuts_[k] + 1, fin = debuts_[k + 1];
    if (type) {
      const auto t = std::find_if(lignes_.begin() + static_cast<long>(debut), lignes_.begin() + static_cast<long>(fin),
                                  [&](const TLigneGardee& l) { return l.niveau == r.niveau + 1 && l.tag == "_TYPE"; });
      const std::string typeGarde = t == lignes_.begin() + static_cast<long>(fin) ? std::string() : t->valeur;
      if (typeGarde != *type) continue;
    }
    pris_[k] = true;
    std::vector<TLigneGardee> sous;
    for (std::size_t i = debut; i < fin; ++i)
      if (!type || lignes_[i].niveau != r.niveau + 1 || lignes_[i].tag != "_TYPE") sous.push_back(lignes_[i]);
    (void)EcritLignesGardees(ecr, sous, 0, sous.size(), niveau - r.niveau, contexte, traduit);
    return true;
  }
  return false;
}

bool TBlocsGardes::Prend(std::string_view tag, std::string_view valeur, std::vector<TLigneGardee>& sous, int& racine) {
  for (std::size_t k = 0; k + 1 < debuts_.size(); ++k) {
    const TLigneGardee& r = lignes_[debuts_[k]];
    if (pris_[k] || r.tag != tag || r.valeur != valeur) continue;
    pris_[k] = true;
    racine = r.niveau;
    sous.assign(lignes_.begin() + static_cast<long>(debuts_[k]) + 1, lignes_.begin() + static_cast<long>(debuts_[k + 1]));
    return true;
  }
  return false;
}

bool TBlocsGardes::EcritBloc(TEcrivainGedcom& ecr, std::string_view tag, std::string_view valeur, int niveau,
                             TContexteGarde contexte, const TTraduitPointeur* traduit) {
  for (std::size_t k = 0; k + 1 < debuts_.size(); ++k) {
    const std::size_t debut = debuts_[k], fin = debuts_[k + 1];
    const TLigneGardee& r = lignes_[debut];
    if (pris_[k] || r.tag != tag || r.valeur != valeur) continue;
    const bool fichier = std::any_of(lignes_.begin() + static_cast<long>(debut) + 1, lignes_.begin() + static_cast<long>(fin),
                                     [&](const TLigneGardee& l) { return l.niveau == r.niveau + 1 && l.tag == "FILE"; });
    if (!fichier) continue;
    pris_[k] = true;
    std::vector<TLigneGardee> bloc(lignes_.begin() + static_cast<long>(debut), lignes_.begin() + static_cast<long>(fin));
    bloc.front().valeur.clear();
    (void)EcritLignesGardees(ecr, bloc, 0, bloc.size(), niveau - r.niveau, contexte, traduit);
    return true;
  }
  return false;
}

std::string CleCitation(const UnicodeString& descriptif) {
  std::string s = UnicodeVersUtf8(descriptif);
  std::replace_if(s.begin(), s.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return s;
}

std::string CleMedia(std::string_view chemin) {
  return AnsiVersUtf8(CoupeAnsiCaracteres(Utf8VersAnsi(std::string(chemin)), kLongueurChemin));
}

bool EcritDateEvenement(TEcrivainGedcom& ecr, const TDateKY& valeur, std::string_view gardee, int niveau,
                        TContexteGarde contexte) {
  if (gardee.empty()) return valeur.Vide() || ecr.Date(niveau, valeur);
  std::vector<TLigneGardee> lignes;
  std::string texte;
  if (gardee.starts_with("1 DATE")) {
    lignes = LitLignesGardees(gardee);
    texte = lignes.front().valeur;
  } else {
    // Folders of earlier imports: the heading holds the text alone.
    texte = std::string(gardee.substr(0, gardee.find('\n')));
  }
  const TDateGedcom lue = LitDateGedcom(texte);
  const bool vaut = lue.lue ? lue.date.ExportInString() == valeur.ExportInString() : valeur.Vide();
  if (!vaut) return valeur.Vide() || ecr.Date(niveau, valeur);
  const TDateEcrite d = texte.empty() ? TDateEcrite{} : DateGardeeGedcom(texte, ecr.Version());
  if (!d.lisible) {
    if (!ecr.Date(niveau, valeur)) ecr.Ligne(niveau, "DATE");
  } else if (d.valeur.empty()) {
    ecr.Ligne(niveau, "DATE");
  } else {
    ecr.Pointeur(niveau, "DATE", d.valeur);  // escapes "@#D…@" as they stand
  }
  if (!d.phrase.empty()) ecr.Ligne(niveau + 1, "PHRASE", d.phrase);
  std::vector<std::string_view> dessus(contexte.begin(), contexte.end());
  dessus.push_back("DATE");
  (void)EcritLignesGardees(ecr, lignes, 1, lignes.size(), niveau - 1, dessus);
  return true;
}

TRubriquesGardees RubriquesGardees(const TGestFichier& dossier, int32_t note) {
  TRubriquesGardees r;
  if (note <= 0 || !dossier.FicNotes) return r;
  TNote n(dossier.FicNotes.get(), note);
  const auto texte = [&](const char* titre) {
    std::string s = AnsiVersUtf8(n.LectureNote(titre));
    std::erase(s, '\r');
    return s;
  };
  r.date = texte(kTitreDateGedcom);
  r.lieu = texte(kTitreDetailLieuGedcom);
  r.citations = texte(kTitreCitationsGedcom);
  r.balise = texte(kTitreBaliseGedcom);
  r.images = texte(kTitreImagesGedcom);
  return r;
}

bool NoteAutreQue(const TGestFichier& dossier, int32_t note, const char* titre) {
  if (note <= 0 || !dossier.FicNotes) return false;
  for (const AnsiString& t : TNote(dossier.FicNotes.get(), note).Titres())
    if (t != titre) return true;
  return false;
}

std::string TexteGardeGenealogie(const TGestFichier& dossier, const char* titre) {
  TModuleBDD* bdd = dossier.GetModuleBDD();
  long long note = 0;
  if (!bdd || !TexteVersEntier(bdd->GetInfoChps(kCleNoteGedcom), note)) return {};
  return TexteRubrique(dossier, static_cast<int32_t>(note), titre);
}

}  // namespace kyb
