// Events and fields of an import: the field definitions map tags to labels and sub-tags to
// pieces; dates, places, notes, source and media citations and cited persons are attached to
// each event; what maps to nothing is kept.
#include <algorithm>

#include "folder/elt_dupli.h"
#include "folder/fic_notes.h"
#include "gedcom/dates_gedcom.h"
#include "gedcom/import_gedcom_interne.h"
#include "gedcom/lignes_gardees.h"
#include "platform/references_ansi.h"
#include "store/chps_simple.h"

namespace kyb {
namespace {

std::string L(long ligne) { return "Ligne " + std::to_string(ligne) + " : "; }

// The tag the export writes a definition under: its first one, CHAN aside.
std::string TagEcrit(const TChpCs& def) {
  for (int i = 0; i < def.GetNbTagGedCom(); ++i)
    if (std::string t = def.GetTagGedCom(i); !t.empty() && t != "CHAN") return t;
  return {};
}

}  // namespace

const TChpCs* TImporteur::Definition(const std::string& tag, bool couple) const {
  const int i = couple ? 1 : 0;
  if (const auto it = parTag_[i].find(tag); it != parTag_[i].end()) return it->second;
  if (const auto it = parTag_[1 - i].find(tag); it != parTag_[1 - i].end()) return it->second;
  // Our export writes a field without tag as "_" and its label.
  if (tag.size() > 1 && tag[0] == '_')
    if (const TChpCs* c = defs_.RechercheChampsInternePtr(tag.substr(1)); c && !c->IsBase()) return c;
  return nullptr;
}

AnsiString TImporteur::DefinitionNouvelle(const std::string& tag, bool couple) {
  AnsiString libelle = CoupeAnsi(Utf8VersAnsi(tag[0] == '_' ? tag.substr(1) : tag), kLongueurLibelle);
  if (defs_.IsChampExist(libelle)) libelle = defs_.NouveauLibelleInterne(libelle, nullptr);
  const AnsiString ligne = libelle + "\t" + libelle + "\tCPA\tBalise GEDCOM " + Utf8VersAnsi(tag) + "\t1\t300\t\t" +
                           Utf8VersAnsi(tag) + "\t\t\tO\t" + (couple ? "C" : "P");
  if (const TChpCs* c = defs_.CreatChpCs(ligne)) {
    parTag_[couple ? 1 : 0][tag] = c;
    creees_.insert(c);
  }
  return libelle;
}

bool TImporteur::EcritStructure(const TNoeudGedcom& n, int32_t noA, int32_t noB, bool couple, int32_t& note) {
  // A pointer to no record: the structure is kept as it was written, but for a citation of no
  // record, which is a citation written in place.
  if (n.Nul() && !CitationEnPlace(n)) return false;
  // A structure whose sub-tags belong to several fields (ADDR): each piece to its field.
  if (const auto it = parSousTag_.find(n.tag); it != parSousTag_.end() && it->second.size() > 1) {
    TNoeudGedcom reste{n.ligne, 1, {}, n.tag, {}, false, {}};
    for (const TNoeudGedcom& e : n.enfants) {
      const auto c = std::find_if(it->second.begin(), it->second.end(),
                                  [&](const TChpCs* d) { return d->SousTagGedCom[0] == e.tag; });
      if (c != it->second.end()) EcritChampSimple((*c)->LibelleInterne, e.valeur, noA, noB);
      else reste.enfants.push_back(e);
    }
    // A value on the line itself goes to the first piece when no sub-tag gave it.
    if (!n.valeur.empty() && n.Enfant(it->second.front()->SousTagGedCom[0]) == nullptr)
      EcritChampSimple(it->second.front()->LibelleInterne, n.valeur, noA, noB);
    else reste.valeur = n.valeur;
    if (!reste.enfants.empty() || !reste.valeur.empty()) Garde(reste, note);
    return true;
  }
  // Citations, media and associations of the person or the couple itself become the fields
  // made for them.
  const char* libelleSpecial = nullptr;
  if (n.tag == "SOUR") libelleSpecial = couple ? "SOURF" : "SOUR";
  else if (n.tag == "OBJE") libelleSpecial = couple ? "IMAGE_COUPLE" : "IMAGE";
  else if (n.tag == "ASSO") libelleSpecial = "RELATION";
  if (libelleSpecial) {
    const TChpCs* c = defs_.RechercheChampsInternePtr(libelleSpecial);
    if (!c) return false;
    TNoeudGedcom enveloppe{n.ligne, 1, {}, n.tag, {}, false, {}};
    enveloppe.enfants.push_back(n);
    enveloppe.enfants.back().niveau = 2;
    if (n.tag == "OBJE") {
      // The medium's file is the field's value; a medium record without one is kept whole.
      if (n.pointeur && objetsGardes_.count(n.valeur)) return false;
      std::string fichier = n.pointeur ? (objets_.count(n.valeur) ? objets_[n.valeur] : std::string()) : n.valeur;
      if (n.pointeur) objetsCites_.insert(n.valeur);
      if (const TNoeudGedcom* f = n.Enfant("FILE")) fichier = f->valeur;
      if (fichier.empty()) {
        Avertit(n.ligne, L(n.ligne) + "média " + n.valeur + " absent du fichier ou sans FILE, ignoré.");
        return true;
      }
      LienMedia(n, fichier, lienMedia_);
      enveloppe.enfants.clear();
      enveloppe.enfants.push_back({n.ligne, 2, {}, c->SousTagGedCom.empty() || c->SousTagGedCom[0].empty() ? "FILE" : c->SousTagGedCom[0].c_str(), fichier, false, {}});
      ++bilan_.illustrations;
    }
    EcritEvenement(enveloppe, *c, noA, noB, false);
    return true;
  }
  // A pointer is not a field's text: the line is kept, its pointer written as the record it names.
  if (n.pointeur) return false;
  const TChpCs* def = Definition(n.tag, couple);
  // A field made for a tag of the other kind of record (an INDI's RIN, met again in a FAM) is
  // not taken: this record's tag gets a field of its own kind, written back under its record.
  if (def && creees_.count(def) && def->IsLiaisonCouple() != couple) def = nullptr;
  if (def && creees_.count(def) && n.enfants.empty()) ++bilan_.balisesConservees[n.tag];
  if (!def) {
    if (!n.enfants.empty() || n.valeur.empty() || n.tag.empty()) return false;
    EcritChampSimple(DefinitionNouvelle(n.tag, couple), n.valeur, noA, noB);
    ++bilan_.balisesConservees[n.tag];
    return true;
  }
  if (def->IsEvenement()) {
    EcritEvenement(n, *def, noA, noB);
    return true;
  }
  // A simple field is a value: a structure under its tag is kept whole.
  if (!n.enfants.empty()) return false;
  EcritChampSimple(def->LibelleInterne, n.valeur, noA, noB);
  return true;
}

void TImporteur::EcritEvenement(const TNoeudGedcom& n, const TChpCs& def, int32_t noA, int32_t noB, bool evenement) {
  TEvenement e(&bdd_);
  e.NouvelleFiche();
  e.SetLibelle(def.LibelleInterne);
  e.Enreg.NoPersA = noA;
  e.Enreg.NoPersB = noB;
  const auto estPiece = [&](const std::string& tag) {
    return std::any_of(def.SousTagGedCom.begin(), def.SousTagGedCom.end(), [&](const AnsiString& s) { return !s.empty() && s == tag; });
  };
  // The datum: pieces from their sub-tags, a piece without sub-tag from the line's value.
  const std::string valeur = n.valeur == "Y" ? std::string() : n.valeur;
  std::string donnee;
  bool coupe = false;
  int32_t noteEven = 0;
  if (def.NbMorceaux > 1) {
    std::vector<AnsiString> textes(static_cast<size_t>(def.NbMorceaux));
    const auto sousTag = [&](size_t i) { return i < def.SousTagGedCom.size() ? std::string(def.SousTagGedCom[i]) : std::string(); };
    // The line's value goes to the piece without sub-tag, else to the first piece of one of our
    // own sub-tags ("_DESCR" of EVEN) that no line gave.
    size_t pourValeur = textes.size();
    for (size_t i = 0; i < textes.size() && pourValeur == textes.size(); ++i)
      if (sousTag(i).empty()) pourValeur = i;
    for (size_t i = 0; i < textes.size() && pourValeur == textes.size(); ++i)
      if (sousTag(i).starts_with('_') && !n.Enfant(sousTag(i))) pourValeur = i;
    bool vide = true;
    for (size_t i = 0; i < textes.size(); ++i) {
      const std::string sous = sousTag(i);
      if (const TNoeudGedcom* s = sous.empty() ? nullptr : n.Enfant(sous)) textes[i] = Utf8VersAnsi(s->valeur);
      else if (i == pourValeur) textes[i] = Utf8VersAnsi(valeur);
      coupe = coupe || (i < def.TailleMorceaux.size() && textes[i].size() > static_cast<size_t>(std::max<int>(def.TailleMorceaux[i], 0)));
      vide = vide && textes[i].empty();
    }
    if (!vide) donnee = AnsiVersUtf8(def.GetMultiEdit(textes));
    // A value no piece can take stays in the event's note.
    if (pourValeur == textes.size() && !valeur.empty()) noteEven = AjouteNote(noteEven, kTitreNoteGedcom, valeur);
  } else {
    const std::string sous = def.SousTagGedCom.empty() ? std::string() : std::string(def.SousTagGedCom[0]);
    const TNoeudGedcom* s = sous.empty() ? nullptr : n.Enfant(sous);
    donnee = s ? s->valeur : valeur;
    // The line's own text, which the piece of a sub-tag holds only when the line has no such
    // piece (the 7.0 text of RESI): written back on the line.
    if (!sous.empty()) noteEven = AjouteNote(noteEven, kTitreValeurGedcom, valeur);
  }
  std::string dateGardee, detailLieu, citations, morceaux, medias = std::move(lienMedia_);
  lienMedia_.clear();
  for (const TNoeudGedcom& c : n.enfants) {
    if (estPiece(c.tag)) {
      // A piece is its value: a second line of the same piece is kept, and so are the lines below it.
      if (&c != n.Enfant(c.tag)) {
        Garde(c, noteEven);
      } else if (!c.enfants.empty()) {
        // Its sub-lines (ADR1, CITY...) stay beside it, under its sub-tag.
        morceaux += (morceaux.empty() ? "" : "\n") + Lignes({c.ligne, 1, {}, c.tag, {}, false, c.enfants}, 1);
        for (const TNoeudGedcom& s : c.enfants) ++bilan_.balisesConservees[c.tag + "." + s.tag];
      }
      continue;
    }
    if (c.tag == "DATE" && &c == n.Enfant("DATE")) Date(c, e, dateGardee);
    else if (c.tag == "DATE") Garde(c, noteEven);  // one date per event: a second one is kept
    else if (c.tag == "PLAC" && c.valeur.empty() && c.enfants.empty()) continue;
    else if (c.tag == "PLAC" && (c.valeur.empty() || e.Enreg.Lieu != 0)) Garde(c, noteEven);
    else if (c.tag == "PLAC") {
      e.Enreg.Lieu = Lieu(c.valeur, c.ligne);
      // The places table holds 50 characters: the whole text stays in the event's note.
      if (Utf8VersUnicode(c.valeur).size() > TFicDupli::kLgValeur) noteEven = AjouteNote(noteEven, kTitreLieuGedcom, c.valeur);
      // Its sub-lines (MAP with LATI and LONG, FORM...) stay beside it, under its text.
      if (!c.enfants.empty()) {
        detailLieu += (detailLieu.empty() ? "" : "\n") + Lignes(c, 1);
        for (const TNoeudGedcom& s : c.enfants) ++bilan_.balisesConservees["PLAC." + s.tag];
      }
    }
    else if (c.tag == "_LIEUDIT" || (c.tag == "ADDR" && c.enfants.empty() && e.Enreg.LieuDit.empty() &&
                                     Utf8VersUnicode(c.valeur).size() <= kLongueurLieuDit))
      e.SetLieuDit(Utf8VersUnicode(c.valeur));  // an address the locality cannot hold whole is kept as written
    else if (c.tag == "NOTE" || c.tag == "SNOTE") {
      noteEven = AjouteNoteLue(noteEven, c, c.tag == "SNOTE" && !c.Nul() ? kTitreNotePartagee : kTitreNoteGedcom);
    } else if (c.Nul() && !CitationEnPlace(c)) Garde(c, noteEven);  // a pointer to no record, kept as it was written
    else if (c.tag == "SOUR") Citation(c, e, citations);
    else if (c.tag == "OBJE") {
      if (!Illustration(c, e, medias)) Garde(c, noteEven);
    }
    else if (c.tag == "ASSO" || c.tag == "_ASSO" || ((c.tag == "_WITN" || c.tag == "WITN") && c.pointeur)) {
      PersonneCitee(c, e, !evenement);
      // An association of the person or the couple itself: its citations and notes are the field's.
      if (!evenement)
        for (const TNoeudGedcom& s : c.enfants) {
          if (s.tag == "SOUR" && (!s.Nul() || CitationEnPlace(s))) Citation(s, e, citations);
          else if (s.tag == "NOTE" || s.tag == "SNOTE")
            noteEven = AjouteNoteLue(noteEven, s, s.tag == "SNOTE" && !s.Nul() ? kTitreNotePartagee : kTitreNoteGedcom);
          else if (s.tag == "PHRASE") Garde(s, noteEven);  // the association's own text, beside its role's
        }
    }
    else Garde(c, noteEven);
  }
  noteEven = AjouteNote(noteEven, kTitreDateGedcom, dateGardee);
  noteEven = AjouteNote(noteEven, kTitreDetailLieuGedcom, detailLieu);
  noteEven = AjouteNote(noteEven, kTitreCitationsGedcom, citations);
  noteEven = AjouteNote(noteEven, kTitreImagesGedcom, medias);
  noteEven = AjouteNote(noteEven, kTitreMorceauxGedcom, morceaux);
  // A tag of the definition other than the one the export writes ("BAPM" of "CHR/BAPM").
  if (evenement && n.tag != TagEcrit(def)) {
    for (int i = 0; i < def.GetNbTagGedCom(); ++i)
      if (def.GetTagGedCom(i) == n.tag) noteEven = AjouteNote(noteEven, kTitreBaliseGedcom, n.tag);
  }
  const UnicodeString u = Utf8VersUnicode(donnee);
  if (coupe) Avertit(n.ligne, L(n.ligne) + "texte de " + n.tag + " trop long pour un de ses morceaux, coupé.");
  else if (def.NbMorceaux <= 1 && u.size() > kLongueurDonnee)
    Avertit(n.ligne, L(n.ligne) + "texte de " + n.tag + " trop long, coupé à 300 caractères.");
  e.SetDonnee(u);
  e.Enreg.Note = noteEven;
  e.Enreg.RangA = ++rangA_[static_cast<size_t>(noA)];
  if (noB != 0) e.Enreg.RangB = ++rangB_[static_cast<size_t>(noB)];
  if (!bdd_.AjouteEvenImport(e)) {
    Avertit(n.ligne, L(n.ligne) + "l'événement " + n.tag + " n'a pas pu être enregistré.");
    return;
  }
  personnesEcrites_.Evenement(e.Enreg.NoPersA, e.Enreg.NoPersB, e.Enreg.LibelleChamps, e.Enreg.Date);
  if (evenement) ++bilan_.evenements;
}

void TImporteur::EcritChampSimple(const std::string& libelle, const std::string& valeur, int32_t noA, int32_t noB) {
  TChpsSimple c(&bdd_);
  c.SetLibelle(libelle);
  c.SetDonnee(Utf8VersUnicode(valeur));
  c.Enreg.NoPersA = noA;
  c.Enreg.NoPersB = noB;
  c.Enreg.RangA = ++rangChps_[static_cast<size_t>(noA)];
  if (bdd_.EnregistrementChpsSimple(c)) ++bilan_.champsSimples;
}

namespace {

bool MemeValeur(const TDateGedcom& a, const TDateGedcom& b) {
  return a.lue && b.lue && a.date.ExportInString() == b.date.ExportInString();
}

// A 7.0 date with a PHRASE as the one text 5.5.1 would write: the phrase itself when it reads
// as the same date (a dual year), "INT date (phrase)" when that reads so, "(phrase)" alone for
// an empty date; false when none fits (the PHRASE is then kept as a line).
bool AvecPhrase(const std::string& valeur, const std::string& phrase, std::string& texte) {
  if (valeur.empty()) {
    texte = "(" + phrase + ")";
    return true;
  }
  const TDateGedcom v = LitDateGedcom(valeur);
  for (const std::string& essai : {phrase, "INT " + valeur + " (" + phrase + ")"})
    if (MemeValeur(LitDateGedcom(essai), v)) {
      texte = essai;
      return true;
    }
  return false;
}

}  // namespace

void TImporteur::Date(const TNoeudGedcom& n, TEvenement& e, std::string& texteGarde) {
  std::string texte = n.valeur;
  TNoeudGedcom garde{n.ligne, 1, {}, "DATE", {}, false, {}};
  for (const TNoeudGedcom& c : n.enfants) {
    if (c.tag == "PHRASE" && c.enfants.empty() && AvecPhrase(n.valeur, c.valeur, texte)) continue;
    garde.enfants.push_back(c);
    ++bilan_.balisesConservees["DATE." + c.tag];
  }
  const TDateGedcom d = LitDateGedcom(texte);
  const auto debut = texte.find_first_not_of(' ');
  const bool phrase = debut != std::string::npos && texte[debut] == '(';
  if (d.lue) e.Enreg.Date = d.date;
  else if (!phrase) Avertit(n.ligne, L(n.ligne) + d.erreur + " Elle est gardée comme phrase.");
  // What the value does not say (CAL, FROM … TO …, a dual year, a calendar, a phrase) stays
  // as the file wrote it, beside the value.
  if (garde.enfants.empty() && (debut == std::string::npos || !DateAGarder(texte, d))) return;
  // In its 5.5.1 form, but for a date only 7.0 can write (an extension calendar), kept as written.
  if (debut != std::string::npos) {
    garde.valeur = DateGardeeGedcom(texte, TVersionGedcom::V551).valeur;
    if (garde.valeur.starts_with('(') && DateGardeeGedcom(texte, TVersionGedcom::V70).phrase.empty())
      garde.valeur = texte.substr(debut, texte.find_last_not_of(' ') - debut + 1);
  }
  texteGarde = Lignes(garde, 1);
}

int32_t TImporteur::Lieu(const std::string& texte, long ligne) {
  if (texte.empty()) return 0;
  if (const auto it = lieux_.find(texte); it != lieux_.end()) return it->second;
  TFicDupli* table = dossier_.GetFicLieux();
  if (!table) return 0;
  if (Utf8VersUnicode(texte).size() > TFicDupli::kLgValeur)
    Avertit(ligne, L(ligne) + "lieu « " + texte +
                       " » de plus de 50 caractères : la table des lieux en garde 50, la note de l'événement le texte entier.");
  const int32_t no = Valeur(table, texte);
  lieux_.emplace(texte, no);
  return no;
}

int32_t TImporteur::Valeur(TFicDupli* table, const std::string& texte) {
  if (!table || texte.empty()) return 0;
  const TEltDupWideChn element(Utf8VersUnicode(texte));
  return static_cast<int32_t>(table->Cherche(&element, true));
}

void TImporteur::Citation(const TNoeudGedcom& n, TEvenement& e, std::string& gardees) {
  TSourceEven s;
  if (n.pointeur && !n.Nul()) {
    const auto it = sources_.find(n.valeur);
    if (it == sources_.end()) {
      Avertit(n.ligne, L(n.ligne) + "pointeur " + n.valeur + " vers une source absente du fichier, ignoré.");
      return;
    }
    s.Descriptif = Utf8VersUnicode(it->second.titre);
    s.Type = Utf8VersUnicode(it->second.type);
    sourcesCitees_.insert(n.valeur);
  }
  // A citation written in place: its description is its text (else its TEXT's), and its text is
  // kept to be written back so. 7.0 writes it as a citation of no record, its text as PAGE and
  // the source's text under DATA.
  const bool enPlace = CitationEnPlace(n);
  const TNoeudGedcom* page = n.Nul() ? n.Enfant("PAGE") : nullptr;
  const std::string texteEnPlace = page ? page->valeur : n.valeur;
  if (!n.pointeur || page) {
    const TNoeudGedcom* donnees = n.Enfant("DATA");
    const TNoeudGedcom* t = !texteEnPlace.empty() ? nullptr : n.Enfant("TEXT") ? n.Enfant("TEXT")
                                                    : donnees ? donnees->Enfant("TEXT") : nullptr;
    s.Descriptif = Utf8VersUnicode(t ? t->valeur : texteEnPlace);
  }
  const TNoeudGedcom* type = n.Enfant("_TYPE");
  if (type) s.Type = Utf8VersUnicode(type->valeur);
  s.Descriptif = s.Descriptif.substr(0, kLongueurDescriptif);
  s.Type = s.Type.substr(0, kLongueurTypeSource);
  if (e.AjoutSource(s) < 0) {
    Avertit(n.ligne, L(n.ligne) + "plus de 50 sources pour un événement ; celle-ci est ignorée.");
    return;
  }
  ++bilan_.sources;
  // The citation's own detail (PAGE, QUAY, DATA, NOTE...) is kept under its description's key;
  // a citation written in place, first its mark with its text, then its TEXT as that form holds it.
  TNoeudGedcom detail{n.ligne, 1, {}, "SOUR", CleCitation(s.Descriptif), false, {}};
  TNoeudGedcom donnees{n.ligne, 2, {}, "DATA", {}, false, {}};
  if (enPlace) detail.enfants.push_back({n.ligne, 2, {}, std::string(kMarqueSansSource), texteEnPlace, false, {}});
  for (const TNoeudGedcom& c : n.enfants) {
    if (&c == type || &c == page) continue;
    ++bilan_.balisesConservees["SOUR." + c.tag];
    if (enPlace && c.tag == "DATA") detail.enfants.insert(detail.enfants.end(), c.enfants.begin(), c.enfants.end());
    else if (!n.pointeur && !enPlace && c.tag == "TEXT") donnees.enfants.push_back(c);  // as a citation of a record holds it
    else detail.enfants.push_back(c);
  }
  if (!donnees.enfants.empty()) detail.enfants.insert(detail.enfants.begin(), std::move(donnees));
  if (detail.enfants.empty()) return;
  if (!gardees.empty()) gardees += '\n';
  gardees += Lignes(Resolu(std::move(detail)), 1);
}

bool TImporteur::CitationEnPlace(const TNoeudGedcom& n) {
  if (n.tag != "SOUR" || (n.pointeur && !n.Nul())) return false;
  // 7.0: a citation of no record with its text as PAGE.
  if (n.Nul() && !n.Enfant("PAGE")) return false;
  return std::all_of(n.enfants.begin(), n.enfants.end(), [&](const TNoeudGedcom& c) {
    if (c.tag == "DATA")
      return n.Nul() && std::all_of(c.enfants.begin(), c.enfants.end(), [](const TNoeudGedcom& d) { return d.tag == "TEXT"; });
    return (c.tag == "PAGE" && n.Nul()) || c.tag == "TEXT" || c.tag == "NOTE" || c.tag == "QUAY" || c.tag == "OBJE" ||
           c.tag.starts_with('_');
  });
}

bool TImporteur::Illustration(const TNoeudGedcom& n, TEvenement& e, std::string& gardees) {
  std::string fichier;
  if (n.pointeur) {
    if (objetsGardes_.count(n.valeur)) return false;
    const auto it = objets_.find(n.valeur);
    if (it == objets_.end()) {
      Avertit(n.ligne, L(n.ligne) + "pointeur " + n.valeur + " vers un média absent du fichier, ignoré.");
      return true;
    }
    fichier = it->second;
    objetsCites_.insert(n.valeur);
  } else if (const TNoeudGedcom* f = n.Enfant("FILE")) {
    fichier = f->valeur;
  }
  if (fichier.empty()) {
    CompteIgnorees(n, {});
    return true;
  }
  if (e.AjoutIllustration({0, CoupeAnsiCaracteres(Utf8VersAnsi(fichier), kLongueurChemin), 0}) < 0) {
    Avertit(n.ligne, L(n.ligne) + "plus de 50 médias pour un événement ; celui-ci est ignoré.");
    return true;
  }
  ++bilan_.illustrations;
  LienMedia(n, fichier, gardees);
  return true;
}

void TImporteur::PersonneCitee(const TNoeudGedcom& n, TEvenement& e, bool lien) {
  const int32_t no = n.pointeur ? PersonneConnue(n.valeur) : 0;
  if (!PersonneDefinie(static_cast<int32_t>(no))) {
    Avertit(n.ligne, L(n.ligne) + "pointeur " + n.valeur + " vers un individu absent du fichier, ignoré.");
    return;
  }
  TPersAssociee pa;
  pa.Lien = static_cast<int32_t>(no);
  // A witness of the older dialects is cited as such.
  std::string qualite = n.tag == "ASSO" || n.tag == "_ASSO" ? std::string() : std::string("Témoin");
  if (const TNoeudGedcom* r = n.Enfant("RELA")) qualite = r->valeur;
  if (const TNoeudGedcom* r = n.Enfant("ROLE")) {
    const TNoeudGedcom* phrase = r->Enfant("PHRASE");
    qualite = phrase ? phrase->valeur : r->valeur;
  }
  pa.Qualite = Valeur(dossier_.GetFicQualites(), qualite);
  if (const TNoeudGedcom* k = n.Enfant("_KINSHIP")) pa.Parente = Valeur(dossier_.GetFicParentes(), k->valeur);
  if (lien) CompteIgnorees(n, {"RELA", "ROLE", "_KINSHIP", "SOUR", "NOTE", "SNOTE", "PHRASE"});
  else CompteIgnorees(n, {"RELA", "ROLE", "_KINSHIP"});
  if (e.AjoutPersAssociee(pa) >= 0) ++bilan_.personnesCitees;
}

std::string TImporteur::TexteNote(const TNoeudGedcom& n) {
  if (!n.pointeur || n.Nul()) return n.pointeur ? std::string() : n.valeur;
  const auto it = notes_.find(n.valeur);
  if (it != notes_.end()) return it->second;
  Avertit(n.ligne, L(n.ligne) + "pointeur " + n.valeur + " vers une note absente du fichier, ignoré.");
  return {};
}

namespace {

// A heading is one line of the note's directory.
AnsiString TitreRubrique(const char* titreLu) {
  AnsiString titre = CoupeAnsiCaracteres(Utf8VersAnsi(titreLu), 60);
  std::replace_if(titre.begin(), titre.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }, ' ');
  if (titre.empty()) titre = kTitreNoteGedcom;
  return titre;
}

}  // namespace

int32_t TImporteur::AjouteNote(int32_t note, const char* titreLu, const std::string& texte) {
  if (texte.empty() || !dossier_.FicNotes) return note;
  const AnsiString titre = TitreRubrique(titreLu);
  TNote n(dossier_.FicNotes.get(), note > 0 ? note : 0);
  long no = note;
  if (no < 1) n.NouvelleFiche(no);
  const AnsiString avant = n.LectureNote(titre);
  (void)n.ModifNote(titre, avant.empty() ? Utf8VersAnsi(texte) : avant + "\n" + Utf8VersAnsi(texte));
  return static_cast<int32_t>(n.Numero());
}

int32_t TImporteur::AjouteNoteLue(int32_t note, const TNoeudGedcom& n, const char* titreParDefaut,
                                  const char* titreGarde) {
  ++bilan_.notes;
  std::string titre = titreParDefaut;
  if (const TNoeudGedcom* t = n.Enfant("_TITRE")) {
    titre = t->valeur;
  } else if (note > 0 && dossier_.FicNotes) {
    // Each untitled note under a heading of its own ("Note", "Note 2"...), so that it is written
    // back as a note of its own.
    TNote lue(dossier_.FicNotes.get(), note);
    for (int rang = 2; !lue.LectureNote(Utf8VersAnsi(titre)).empty(); ++rang)
      titre = std::string(titreParDefaut) + " " + std::to_string(rang);
  }
  const bool sousLignes = std::any_of(n.enfants.begin(), n.enfants.end(), [](const TNoeudGedcom& c) { return c.tag != "_TITRE"; });
  const std::string texte = TexteNote(n);
  if (texte.empty()) {
    if (sousLignes) Garde(Resolu(n), note, titreGarde);
    return note;
  }
  note = AjouteNote(note, titre.c_str(), texte);
  if (!sousLignes) return note;
  // The sub-lines under the key of the heading the text went to.
  std::string bloc = "1 NOTE " + AnsiVersUtf8(TitreRubrique(titre.c_str()));
  for (const TNoeudGedcom& c : n.enfants) {
    if (c.tag == "_TITRE") continue;
    bloc += "\n" + Lignes(Resolu(c), 2);
    ++bilan_.balisesConservees["NOTE." + c.tag];
  }
  return AjouteNote(note, kTitreSousNotesGedcom, bloc);
}

std::string TImporteur::Lignes(const TNoeudGedcom& n, int niveau) const {
  std::string tag, valeur;
  LigneGardee(n, tag, valeur);
  std::string s = std::to_string(niveau) + " " + (niveau == 0 && !n.xref.empty() ? n.xref + " " : "") + tag;
  size_t debut = 0;
  bool premiere = true;
  do {
    const size_t fin = valeur.find('\n', debut);
    const std::string morceau = valeur.substr(debut, fin == std::string::npos ? std::string::npos : fin - debut);
    if (premiere) {
      if (!morceau.empty()) s += " " + morceau;
    } else {
      s += "\n" + std::to_string(niveau + 1) + " CONT" + (morceau.empty() ? "" : " " + morceau);
    }
    premiere = false;
    debut = fin == std::string::npos ? fin : fin + 1;
  } while (debut != std::string::npos);
  for (const TNoeudGedcom& e : n.enfants) s += "\n" + Lignes(e, niveau + 1);
  return s;
}

void TImporteur::Garde(const TNoeudGedcom& n, int32_t& note, const char* titre) {
  // Kept with its root at level 1, whatever the level of its owner.
  note = AjouteNote(note, titre, Lignes(n, 1));
  ++bilan_.balisesConservees[n.tag];
}

}  // namespace kyb
