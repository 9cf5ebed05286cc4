// Events, simple fields and notes of the export.
#include <algorithm>

#include "folder/fic_dupli.h"
#include "folder/fic_notes.h"
#include "gedcom/export_gedcom_interne.h"
#include "gedcom/import_gedcom.h"
#include "gedcom/lignes_gardees.h"

namespace kyb {
namespace {

std::string SansBlancsFinaux(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// Note texts: RTF reduced to its text, line ends as line feeds.
std::string TexteNote(const AnsiString& texte) {
  std::string s = AnsiVersUtf8(TexteSansRtf(texte));
  std::erase(s, '\r');
  while (!s.empty() && s.back() == '\n') s.pop_back();
  return s;
}

}  // namespace

std::string TExporteur::Tag(const AnsiString& libelle) const {
  // A field without tag is written as "_" and its label.
  std::string propre = AnsiVersUtf8(libelle);
  propre.insert(propre.begin(), '_');
  const TChpCs* c = defs_.RechercheChampsInternePtr(libelle);
  if (!c) return propre;
  // CHAN is the record's change structure, not a field's value.
  for (int i = 0; i < c->GetNbTagGedCom(); ++i)
    if (std::string t = c->GetTagGedCom(i); !t.empty() && t != "CHAN") return t;
  return propre;
}

const TChpCs* TExporteur::ChampDeStructure(const AnsiString& libelle) const {
  const TChpCs* c = defs_.RechercheChampsInternePtr(libelle);
  if (!c || c->GetNbTagGedCom() == 0) return nullptr;
  const auto it = structures_.find(c->GetTagGedCom(0));
  if (it == structures_.end()) return nullptr;
  return std::find(it->second.begin(), it->second.end(), c) != it->second.end() ? c : nullptr;
}

std::string TExporteur::Texte(TFicDupli* table, int32_t no) const {
  return table && no > 0 ? UnicodeVersUtf8(table->Charge(no)) : std::string();
}

void TExporteur::EcritChampsSimples(const std::vector<const TChpsSimple*>& champs, int niveau) {
  // Fields of one structure (the pieces of ADDR) are gathered under one line.
  std::map<std::string, std::vector<const TChpsSimple*>> structures;
  for (const TChpsSimple* c : champs) {
    if (const TChpCs* s = ChampDeStructure(c->Enreg.LibelleChamps)) {
      structures[s->GetTagGedCom(0)].push_back(c);
      continue;
    }
    ecr_.Ligne(niveau, Tag(c->Enreg.LibelleChamps), UnicodeVersUtf8(c->Enreg.Donnee));
    ++bilan_.champsSimples;
  }
  for (const auto& [tag, membres] : structures) {
    ecr_.Ligne(niveau, tag);
    for (const TChpsSimple* c : membres) {
      ecr_.Ligne(niveau + 1, ChampDeStructure(c->Enreg.LibelleChamps)->SousTagGedCom[0], UnicodeVersUtf8(c->Enreg.Donnee));
      ++bilan_.champsSimples;
    }
  }
}

void TExporteur::EcritEvenement(TEvenement& e, int niveau) {
  const TChpCs* def = defs_.RechercheChampsInternePtr(e.Enreg.LibelleChamps);
  const std::string donnee = UnicodeVersUtf8(e.Enreg.Donnee);
  // The datum: pieces under their sub-tags, the piece without sub-tag on the line.
  std::string valeur;
  std::vector<std::pair<std::string, std::string>> pieces;
  bool addrPiece = false;
  if (def && def->NbMorceaux > 1) {
    const AnsiString ansi = UnicodeVersAnsi(e.Enreg.Donnee);
    for (int i = 0; i < def->NbMorceaux; ++i) {
      const std::string sous = static_cast<size_t>(i) < def->SousTagGedCom.size() ? def->SousTagGedCom[static_cast<size_t>(i)] : std::string();
      addrPiece = addrPiece || sous == "ADDR";
      const std::string texte = SansBlancsFinaux(AnsiVersUtf8(def->GetMorceauNo(ansi, i + 1)));
      if (sous.empty()) valeur = texte;
      else if (!texte.empty()) pieces.emplace_back(sous, texte);
    }
  } else if (def && !def->SousTagGedCom.empty() && !def->SousTagGedCom[0].empty()) {
    addrPiece = def->SousTagGedCom[0] == "ADDR";
    if (!donnee.empty()) pieces.emplace_back(def->SousTagGedCom[0], donnee);
  } else {
    valeur = donnee;
  }
  ecr_.Ligne(niveau, Tag(e.Enreg.LibelleChamps), valeur);
  for (const auto& [sous, texte] : pieces) ecr_.Ligne(niveau + 1, sous, texte);
  // Date, place and citations with the lines an import kept beside them.
  const TRubriquesGardees gardees = RubriquesGardees(dossier_, e.Enreg.Note);
  if (!EcritDateEvenement(ecr_, e.Enreg.Date, gardees.date, niveau + 1))
    ++bilan_.datesSansForme;
  if (e.Enreg.Lieu > 0) {
    // A place longer than the places table keeps its whole text in the event's note.
    std::string lieu;
    if (e.Enreg.Note > 0 && dossier_.FicNotes) lieu = TexteNote(TNote(dossier_.FicNotes.get(), e.Enreg.Note).RecupNoteTxt(kTitreLieuGedcom));
    if (lieu.empty()) lieu = Texte(dossier_.GetFicLieux(), e.Enreg.Lieu);
    ecr_.Ligne(niveau + 1, "PLAC", lieu);
    TBlocsGardes(gardees.lieu).EcritSousLignes(ecr_, "PLAC", lieu, niveau + 1);
  }
  if (!e.Enreg.LieuDit.empty()) ecr_.Ligne(niveau + 1, addrPiece ? "_LIEUDIT" : "ADDR", UnicodeVersUtf8(e.Enreg.LieuDit));
  for (const TPersAssociee& pa : e.PersAssociees()) {
    if (Sexe(pa.Lien.No) == 0) continue;
    ecr_.Pointeur(niveau + 1, "ASSO", "@I" + std::to_string(pa.Lien.No) + "@");
    const std::string qualite = Texte(dossier_.GetFicQualites(), pa.Qualite);
    if (v7_) {
      ecr_.Ligne(niveau + 2, "ROLE", "OTHER");
      if (!qualite.empty()) ecr_.Ligne(niveau + 3, "PHRASE", qualite);
    } else if (!qualite.empty()) {
      ecr_.Ligne(niveau + 2, "RELA", qualite);
    }
    if (const std::string parente = Texte(dossier_.GetFicParentes(), pa.Parente); !parente.empty())
      ecr_.Ligne(niveau + 2, "_KINSHIP", parente);
  }
  TBlocsGardes citations(gardees.citations);
  for (const TSourceEven& s : e.Sources()) {
    ecr_.Pointeur(niveau + 1, "SOUR", Source(s));
    citations.EcritSousLignes(ecr_, "SOUR", CleCitation(s.Descriptif), niveau + 1);
  }
  for (const TIllustrationEven& m : e.Illustrations()) ecr_.Pointeur(niveau + 1, "OBJE", Media(m.Chemin));
  EcritNote(e.Enreg.Note, niveau + 1, e.Enreg.Lieu > 0);
  ++bilan_.evenements;
}

void TExporteur::EcritNote(int32_t note, int niveau, bool evenement) {
  if (note <= 0 || !dossier_.FicNotes) return;
  TNote n(dossier_.FicNotes.get(), note);
  for (const AnsiString& titre : n.Titres()) {
    const std::string texte = TexteNote(n.RecupNoteTxt(titre));
    if (texte.empty() || (evenement && titre == kTitreLieuGedcom)) continue;
    // Kept beside the event's date, place and citations, and written with them.
    if (titre == kTitreDateGedcom || titre == kTitreDetailLieuGedcom || titre == kTitreCitationsGedcom) continue;
    if (titre == kTitreBalisesGedcom) {
      // Structures kept by an import, written back as they came, one line each.
      size_t debut = 0;
      while (debut < texte.size()) {
        size_t fin = texte.find('\n', debut);
        if (fin == std::string::npos) fin = texte.size();
        const std::string ligne = texte.substr(debut, fin - debut);
        debut = fin + 1;
        const size_t a = ligne.find(' ');
        long long relatif = 0;
        if (a == std::string::npos || !TexteVersEntier(ligne.substr(0, a), relatif) || relatif < 1) continue;
        const size_t b = ligne.find(' ', a + 1);
        const std::string tag = ligne.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
        const std::string valeur = b == std::string::npos ? std::string() : ligne.substr(b + 1);
        const bool pointeur = valeur.size() > 2 && valeur.front() == '@' && valeur.back() == '@' &&
                              valeur.find(' ') == std::string::npos;
        const int niv = static_cast<int>(relatif) - 1 + niveau;
        if (pointeur) ecr_.Pointeur(niv, tag, valeur);
        else ecr_.Ligne(niv, tag, valeur);
      }
      continue;
    }
    ecr_.Ligne(niveau, "NOTE", texte);
    if (titre != kTitreNoteGedcom) ecr_.Ligne(niveau + 1, "_TITRE", AnsiVersUtf8(titre));
    ++bilan_.notes;
  }
}

std::string TExporteur::Source(const TSourceEven& s) {
  const auto [it, nouvelle] = sources_.try_emplace({s.Type, s.Descriptif}, static_cast<int>(sources_.size() + 1));
  if (nouvelle) {
    ordreSources_.push_back(&*it);
    ++bilan_.sources;
  }
  return "@S" + std::to_string(it->second) + "@";
}

std::string TExporteur::Media(const AnsiString& chemin) {
  const auto [it, nouveau] = medias_.try_emplace(AnsiVersUtf8(chemin), static_cast<int>(medias_.size() + 1));
  if (nouveau) {
    ordreMedias_.push_back(&*it);
    ++bilan_.medias;
  }
  return "@O" + std::to_string(it->second) + "@";
}

}  // namespace kyb
