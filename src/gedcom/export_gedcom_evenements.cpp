// Events, simple fields and notes of the export.
#include <algorithm>

#include "folder/fic_dupli.h"
#include "folder/fic_notes.h"
#include "gedcom/export_gedcom_interne.h"
#include "gedcom/dates_gedcom.h"
#include "gedcom/import_gedcom.h"
#include "gedcom/lignes_gardees.h"
#include "gedcom/versions_gedcom.h"

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

// "Note", or "Note 2", "Note 3"... that an import gives to the untitled notes after the first.
bool TitreParDefaut(std::string_view titre) {
  const std::string_view base = kTitreNoteGedcom;
  if (!titre.starts_with(base)) return false;
  titre.remove_prefix(base.size());
  if (titre.empty()) return true;
  if (titre.size() < 2 || titre[0] != ' ' || titre[1] == '0') return false;
  return std::all_of(titre.begin() + 1, titre.end(), [](char c) { return c >= '0' && c <= '9'; });
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
    std::string tag = Tag(c->Enreg.LibelleChamps), valeur = UnicodeVersUtf8(c->Enreg.Donnee), type;
    const std::string_view dessus[] = {enregistrement_};
    const bool traduit = TraduitChamp(tag, valeur, type, dessus, ecr_.Version());
    ecr_.Ligne(niveau, tag, valeur);
    if (traduit && !type.empty()) ecr_.Ligne(niveau + 1, "TYPE", type);
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

void TExporteur::Donnee(const TChpCs* def, const TEvenement& e, std::string& valeur,
                        std::vector<std::pair<std::string, std::string>>& pieces, bool& addrPiece) const {
  // Pieces under their sub-tags, the piece without sub-tag on the line; when every piece has a
  // sub-tag, the first one of our own ("_DESCR" of EVEN) is the line's value, as the import reads it.
  const std::string donnee = UnicodeVersUtf8(e.Enreg.Donnee);
  if (def && def->NbMorceaux > 1) {
    const auto sousTag = [&](int i) {
      return static_cast<size_t>(i) < def->SousTagGedCom.size() ? std::string(def->SousTagGedCom[static_cast<size_t>(i)]) : std::string();
    };
    int surLaLigne = -1;
    for (int i = 0; i < def->NbMorceaux && surLaLigne < 0; ++i)
      if (sousTag(i).empty()) surLaLigne = i;
    for (int i = 0; i < def->NbMorceaux && surLaLigne < 0; ++i)
      if (sousTag(i).starts_with('_')) surLaLigne = i;
    const AnsiString ansi = UnicodeVersAnsi(e.Enreg.Donnee);
    for (int i = 0; i < def->NbMorceaux; ++i) {
      const std::string sous = sousTag(i);
      addrPiece = addrPiece || sous == "ADDR";
      const std::string texte = SansBlancsFinaux(AnsiVersUtf8(def->GetMorceauNo(ansi, i + 1)));
      if (i == surLaLigne) valeur = texte;
      else if (!texte.empty() && !sous.empty()) pieces.emplace_back(sous, texte);
    }
  } else if (def && !def->SousTagGedCom.empty() && !def->SousTagGedCom[0].empty()) {
    addrPiece = def->SousTagGedCom[0] == "ADDR";
    if (!donnee.empty()) pieces.emplace_back(def->SousTagGedCom[0], donnee);
  } else {
    valeur = donnee;
  }
}

void TExporteur::EcritEvenement(TEvenement& e, int niveau) {
  const TChpCs* def = defs_.RechercheChampsInternePtr(e.Enreg.LibelleChamps);
  if (def && EcritLienDirect(*def, e, niveau)) return;
  std::string valeur;
  std::vector<std::pair<std::string, std::string>> pieces;
  bool addrPiece = false;
  Donnee(def, e, valeur, pieces, addrPiece);
  const std::string morceaux = def && !def->SousTagGedCom.empty() ? ValeurEtMorceaux(e.Enreg.Note, valeur, pieces) : std::string();
  std::string tag = Tag(e.Enreg.LibelleChamps);
  // Date, place and citations with the lines an import kept beside them.
  const TRubriquesGardees gardees = RubriquesGardees(dossier_, e.Enreg.Note);
  // The alternative of its definition's tags the event was read under.
  if (def && !gardees.balise.empty())
    for (int i = 0; i < def->GetNbTagGedCom(); ++i)
      if (def->GetTagGedCom(i) == gardees.balise) tag = gardees.balise;
  const TTraduitPointeur traduit = [this](const std::string& v) { return PointeurGarde(v); };
  // An event known by nothing but its tag says that it happened.
  const bool avecDate = !e.Enreg.Date.Vide() || !gardees.date.empty();
  if (valeur.empty() && !avecDate && e.Enreg.Lieu <= 0 && EvenementOui(tag)) valeur = "Y";
  // A tag of the other version in the form of this one.
  std::string type;
  const std::string_view enregistrement[] = {enregistrement_};
  if (TraduitChamp(tag, valeur, type, enregistrement, ecr_.Version()) && !type.empty()) pieces.emplace_back("TYPE", type);
  std::string_view dessus[] = {enregistrement_, tag, {}};  // above its lines, then a line of it
  const auto sous = [&](std::string_view t) {
    dessus[2] = t;
    return TContexteGarde(dessus);
  };
  ecr_.Ligne(niveau, tag, valeur);
  EcritMorceaux(def, pieces, morceaux, niveau + 1, dessus);
  if (!EcritDateEvenement(ecr_, e.Enreg.Date, gardees.date, niveau + 1, TContexteGarde(dessus, 2))) ++bilan_.datesSansForme;
  if (e.Enreg.Lieu > 0) {
    // A place longer than the places table keeps its whole text in the event's note.
    std::string lieu;
    if (e.Enreg.Note > 0 && dossier_.FicNotes) lieu = TexteNote(TNote(dossier_.FicNotes.get(), e.Enreg.Note).RecupNoteTxt(kTitreLieuGedcom));
    if (lieu.empty()) lieu = Texte(dossier_.GetFicLieux(), e.Enreg.Lieu);
    ecr_.Ligne(niveau + 1, "PLAC", lieu);
    TBlocsGardes(gardees.lieu).EcritSousLignes(ecr_, "PLAC", lieu, niveau + 1, sous("PLAC"), nullptr, &traduit);
  }
  if (!e.Enreg.LieuDit.empty()) ecr_.Ligne(niveau + 1, addrPiece ? "_LIEUDIT" : "ADDR", UnicodeVersUtf8(e.Enreg.LieuDit));
  for (const TPersAssociee& pa : e.PersAssociees()) EcritAssociation(pa, niveau + 1, true);
  TBlocsGardes citations(gardees.citations);
  for (const TSourceEven& s : e.Sources()) EcritCitation(s, citations, niveau + 1, sous("SOUR"));
  TBlocsGardes images(gardees.images);
  for (const TIllustrationEven& m : e.Illustrations())
    EcritLienMedia(AnsiVersUtf8(m.Chemin), images, niveau + 1, TContexteGarde(dessus, 2), false);
  EcritNote(e.Enreg.Note, niveau + 1, TContexteGarde(dessus, 2), e.Enreg.Lieu > 0);
  ++bilan_.evenements;
}

void TExporteur::EcritAssociation(const TPersAssociee& pa, int niveau, bool evenement) {
  if (Sexe(pa.Lien.No) == 0) return;
  // 5.5.1 has associations only in persons: a person cited by an event is our own structure.
  ecr_.Pointeur(niveau, evenement && !v7_ ? "_ASSO" : "ASSO", "@I" + std::to_string(pa.Lien.No) + "@");
  const std::string qualite = Texte(dossier_.GetFicQualites(), pa.Qualite);
  if (v7_) {
    // A quality named as one of the standard roles is that role; any other is a phrase.
    const bool role = RoleStandard(qualite);
    ecr_.Ligne(niveau + 1, "ROLE", role ? qualite : std::string("OTHER"));
    if (!role && !qualite.empty()) ecr_.Ligne(niveau + 2, "PHRASE", qualite);
  } else if (!qualite.empty()) {
    ecr_.Ligne(niveau + 1, "RELA", qualite);
  }
  if (const std::string parente = Texte(dossier_.GetFicParentes(), pa.Parente); !parente.empty())
    ecr_.Ligne(niveau + 1, "_KINSHIP", parente);
}

void TExporteur::EcritNote(int32_t note, int niveau, TContexteGarde contexte, bool evenement) {
  if (note <= 0 || !dossier_.FicNotes) return;
  TNote n(dossier_.FicNotes.get(), note);
  TBlocsGardes sousNotes(n.Existe(kTitreSousNotesGedcom) ? TexteNote(n.RecupNoteTxt(kTitreSousNotesGedcom)) : std::string());
  for (const AnsiString& titre : n.Titres()) {
    const std::string texte = TexteNote(n.RecupNoteTxt(titre));
    if (texte.empty() || (evenement && titre == kTitreLieuGedcom)) continue;
    // Kept beside the event's date, place and citations, and written with them.
    if (titre == kTitreDateGedcom || titre == kTitreDetailLieuGedcom || titre == kTitreCitationsGedcom || titre == kTitreImagesGedcom ||
        titre == kTitreBaliseGedcom || titre == kTitreFiliationGedcom ||
        titre == kTitreSexeGedcom || titre == kTitreUnionGedcom || titre == kTitreMorceauxGedcom || titre == kTitreValeurGedcom ||
        titre == kTitreNomGedcom || titre == kTitreSousNotesGedcom)
      continue;
    if (titre == kTitreBalisesGedcom) {
      EcritGardees(texte, niveau, contexte);
      continue;
    }
    if (!evenement && titre.starts_with(kTitreBalisesFamille)) {
      GardeesDeFamille(titre, texte);
      continue;
    }
    std::vector<TLigneGardee> sous = SousLignesNote(sousNotes, titre);
    if (EcritNotePartagee(titre, texte, niveau)) {
      EcritSousLignesNote(sous, niveau, contexte);
      continue;
    }
    if (!evenement && NoteDeFamille(titre, texte, sous)) continue;
    ecr_.Ligne(niveau, "NOTE", texte);
    if (!TitreParDefaut(titre)) ecr_.Ligne(niveau + 1, "_TITRE", AnsiVersUtf8(titre));
    EcritSousLignesNote(sous, niveau, contexte);
    ++bilan_.notes;
  }
}

std::vector<TLigneGardee> TExporteur::SousLignesNote(TBlocsGardes& blocs, const AnsiString& titre) {
  std::vector<TLigneGardee> toutes, sous;
  const std::string cle = AnsiVersUtf8(titre);
  // Two notes read under one title share its heading, and each kept its own block.
  for (int racine = 0; blocs.Prend("NOTE", cle, sous, racine);)
    for (TLigneGardee& l : sous) {
      l.niveau -= racine;
      toutes.push_back(std::move(l));
    }
  return toutes;
}

void TExporteur::EcritSousLignesNote(const std::vector<TLigneGardee>& sous, int niveau, TContexteGarde contexte) {
  if (sous.empty()) return;
  std::vector<std::string_view> dessus(contexte.begin(), contexte.end());
  dessus.push_back("NOTE");
  const TTraduitPointeur traduit = [this](const std::string& v) { return PointeurGarde(v); };
  bilan_.lignesGardeesRetirees += EcritLignesGardees(ecr_, sous, 0, sous.size(), niveau, dessus, &traduit);
}

void TExporteur::GardeesDeFamille(const AnsiString& titre, const std::string& texte) {
  long long partenaire = 0;
  if (!TexteVersEntier(titre.substr(std::string_view(kTitreBalisesFamille).size()), partenaire)) return;
  const auto p = static_cast<int32_t>(partenaire);
  const int32_t f = p != 0 && Sexe(p) != 0 ? Famille(individu_, p)
                    : Sexe(individu_) == 'F' ? Famille(0, individu_) : Famille(individu_, 0);
  std::string& gardees = gardeesFamille_[f];
  gardees += (gardees.empty() ? "" : "\n") + texte;
}

bool TExporteur::NoteDeFamille(const AnsiString& titre, const std::string& texte, std::vector<TLigneGardee>& sous) {
  // "Famille <partner>", then " <rank>" for the family's later notes.
  const std::string_view base = kTitreNoteFamille;
  if (!titre.starts_with(base) || titre.size() < base.size() + 2 || titre[base.size()] != ' ') return false;
  const std::string_view reste = std::string_view(titre).substr(base.size() + 1);
  const size_t blanc = reste.find(' ');
  const std::string_view nombre = reste.substr(0, blanc);
  long long partenaire = 0, rang = 0;
  if (!TexteVersEntier(nombre, partenaire) ||
      (blanc != std::string_view::npos && !TexteVersEntier(reste.substr(blanc + 1), rang)))
    return false;
  const auto p = static_cast<int32_t>(partenaire);
  int32_t f = 0;
  if (p == 0) f = Sexe(individu_) == 'F' ? Famille(0, individu_) : Famille(individu_, 0);
  else if (p > 0 && Sexe(p) != 0) f = FamilleExistante(individu_, p);  // a heading that names no spouse stays a note
  if (f == 0) return false;
  notesFamille_[f].push_back({texte, std::move(sous)});
  return true;
}

std::string TExporteur::Source(const TSourceEven& s) {
  const auto [it, nouvelle] = sources_.try_emplace({s.Type, s.Descriptif}, static_cast<int>(sources_.size() + 1));
  if (nouvelle) {
    ordreSources_.push_back(&*it);
    ++bilan_.sources;
  }
  return "@S" + std::to_string(it->second) + "@";
}

std::string TExporteur::Media(const std::string& chemin) {
  const auto [it, nouveau] = medias_.try_emplace(chemin, static_cast<int>(medias_.size() + 1));
  if (nouveau) {
    ordreMedias_.push_back(&*it);
    ++bilan_.medias;
  }
  return "@O" + std::to_string(it->second) + "@";
}

}  // namespace kyb
