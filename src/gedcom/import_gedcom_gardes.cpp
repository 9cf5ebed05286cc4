// What an import keeps beside the model: counts of what nothing keeps, pointers of kept lines
// resolved, the genealogy's kept records, the fields made for name pieces.
#include <algorithm>

#include "folder/fic_notes.h"
#include "gedcom/gedcom_gardees.h"
#include "gedcom/import_gedcom_interne.h"
#include "gedcom/lignes_gardees.h"

namespace kyb {

void TImporteur::CompteIgnorees(const TNoeudGedcom& n, std::initializer_list<std::string_view> pris) {
  for (const TNoeudGedcom& c : n.enfants)
    if (std::find(pris.begin(), pris.end(), c.tag) == pris.end()) ++bilan_.balisesIgnorees[n.tag + "." + c.tag];
}

bool TImporteur::RecenseMedia(const TNoeudGedcom& r) {
  const TNoeudGedcom* f = r.Enfant("FILE");
  if (!f && r.valeur.empty()) {
    objetsGardes_.insert(r.xref);
    return false;
  }
  objets_[r.xref] = f ? f->valeur : r.valeur;
  for (const TNoeudGedcom& e : r.enfants)
    if (&e != f || !e.enfants.empty()) ++bilan_.balisesConservees["OBJE." + e.tag];
  mediasLus_.push_back(r);
  return true;
}

void TImporteur::LienMedia(const TNoeudGedcom& n, const std::string& chemin, std::string& gardees) {
  const TNoeudGedcom* f = n.Enfant("FILE");
  if (n.enfants.empty() || (n.enfants.size() == 1 && f && f->enfants.empty())) return;
  for (const TNoeudGedcom& e : n.enfants)
    if (&e != f || !e.enfants.empty()) ++bilan_.balisesConservees["OBJE." + e.tag];
  TNoeudGedcom bloc{n.ligne, 1, {}, "OBJE", CleMedia(chemin), false, n.enfants};
  if (!gardees.empty()) gardees += '\n';
  gardees += Lignes(Resolu(std::move(bloc)), 1);
}

void TImporteur::LienFamille(const TNoeudGedcom& n, std::string& gardees) {
  // PEDI is the pair's kind, which the links hold; its own lines (a PHRASE) are counted.
  if (n.enfants.empty() || (n.enfants.size() == 1 && n.enfants[0].tag == "PEDI" && n.enfants[0].enfants.empty())) return;
  TNoeudGedcom bloc{n.ligne, 1, {}, n.tag, {}, false, {}};
  for (const TNoeudGedcom& c : n.enfants)
    if (c.tag == "PEDI") CompteIgnorees(c, {});
    else bloc.enfants.push_back(c);
  if (bloc.enfants.empty()) return;
  const int32_t f = FamilleConnue(n.valeur);
  for (const TNoeudGedcom& c : bloc.enfants) ++(f > 0 ? bilan_.balisesConservees : bilan_.balisesIgnorees)[n.tag + "." + c.tag];
  if (f <= 0) return;
  const TFamilleLue& fam = familles_[static_cast<size_t>(f - 1)];
  bloc.valeur = PointeurGardeFamille(fam.mari, fam.femme);
  if (!gardees.empty()) gardees += '\n';
  gardees += Lignes(Resolu(std::move(bloc)), 1);
}

TNoeudGedcom TImporteur::Resolu(TNoeudGedcom n) const {
  if (n.pointeur) {
    if (n.tag == "NOTE") {
      if (const auto it = notes_.find(n.valeur); it != notes_.end()) {
        n.tag = "NOTE";
        n.valeur = it->second;
        n.pointeur = false;
      }
    } else if (n.tag == "OBJE") {
      if (const auto it = objets_.find(n.valeur); it != objets_.end()) {
        objetsCites_.insert(n.valeur);
        n.valeur.clear();
        n.pointeur = false;
        n.enfants.insert(n.enfants.begin(), {n.ligne, n.niveau + 1, {}, "FILE", it->second, false, {}});
      }
    }
    // A person pointer keeps the file's name: LigneGardee turns it into the person's number.
  }
  for (TNoeudGedcom& e : n.enfants) e = Resolu(std::move(e));
  return n;
}

void TImporteur::EcritGardesGenealogie() {
  std::string sources, enregistrements;
  for (const std::string& xref : ordreSources_) {
    const TSourceLue& s = sources_[xref];
    if (s.reste.enfants.empty() || !sourcesCitees_.count(xref)) continue;
    // Found again by the export under the description and type its citations have.
    TNoeudGedcom bloc = Resolu(s.reste);
    bloc.valeur = CleCitation(Utf8VersUnicode(s.titre).substr(0, kLongueurDescriptif));
    const std::u16string type = Utf8VersUnicode(s.type).substr(0, kLongueurTypeSource);
    if (!type.empty()) bloc.enfants.insert(bloc.enfants.begin(), {0, 1, {}, "_TYPE", UnicodeVersUtf8(type), false, {}});
    sources += (sources.empty() ? "" : "\n") + Lignes(bloc, 0);
  }
  for (const TNoeudGedcom& r : enregistrementsGardes_)
    enregistrements += (enregistrements.empty() ? "" : "\n") + Lignes(Resolu(r), 0);
  // A source record no citation points to is kept whole, under its own cross-reference.
  for (const std::string& xref : ordreSources_) {
    if (sourcesCitees_.count(xref)) continue;
    const TSourceLue& s = sources_[xref];
    TNoeudGedcom r{s.reste.ligne, 0, xref, "SOUR", s.tagTitre.empty() ? s.titre : std::string(), false, s.reste.enfants};
    if (!s.type.empty()) r.enfants.insert(r.enfants.begin(), {r.ligne, 1, {}, "_TYPE", s.type, false, {}});
    if (!s.tagTitre.empty()) r.enfants.insert(r.enfants.begin(), {r.ligne, 1, {}, s.tagTitre, s.titre, false, {}});
    enregistrements += (enregistrements.empty() ? "" : "\n") + Lignes(Resolu(std::move(r)), 0);
  }
  // A medium record's first file is the medium; all the rest (that file's FORM and TITL, other
  // files, notes, citations) is kept under its path. One cited nowhere is kept whole.
  std::string medias;
  for (TNoeudGedcom& m : mediasLus_) {
    if (!objetsCites_.count(m.xref)) {
      enregistrements += (enregistrements.empty() ? "" : "\n") + Lignes(Resolu(m), 0);
      continue;
    }
    const TNoeudGedcom* f = m.Enfant("FILE");
    if (m.enfants.size() == 1 && f && f->enfants.empty()) continue;
    TNoeudGedcom bloc{m.ligne, 0, {}, "OBJE", CleMedia(objets_[m.xref]), false, std::move(m.enfants)};
    medias += (medias.empty() ? "" : "\n") + Lignes(Resolu(std::move(bloc)), 0);
  }
  mediasLus_.clear();
  objetsCites_.clear();
  objetsGardes_.clear();
  std::string liens = std::move(liensGardes_);
  liensGardes_.clear();
  const std::string schema = std::move(schema_);
  schema_.clear();
  if (sources.empty() && enregistrements.empty() && medias.empty() && liens.empty() && schema.empty()) return;
  long long avant = 0;
  (void)TexteVersEntier(bdd_.GetInfoChps(kCleNoteGedcom), avant);
  int32_t note = static_cast<int32_t>(avant);
  note = AjouteNote(note, kTitreSourcesGedcom, sources);
  note = AjouteNote(note, kTitreEnregistrementsGedcom, enregistrements);
  note = AjouteNote(note, kTitreImagesGedcom, medias);
  note = AjouteNote(note, kTitreLiensGedcom, liens);
  note = AjouteNote(note, kTitreSchemaGedcom, schema);
  if (note != avant && !bdd_.MAJInfoChps(kCleNoteGedcom, Utf8VersUnicode(std::to_string(note))))
    Avertit(0, "Les enregistrements GEDCOM gardés n'ont pas pu être rattachés à la généalogie.");
}

AnsiString TImporteur::DefinitionNom(const std::string& sousTag) {
  AnsiString libelle = Utf8VersAnsi("NOM_" + sousTag).substr(0, kLongueurLibelle);
  if (defs_.IsChampExist(libelle)) libelle = defs_.NouveauLibelleInterne(libelle, nullptr);
  const AnsiString ligne = libelle + "\t" + libelle + "\tCPA\tBalise GEDCOM NAME." + Utf8VersAnsi(sousTag) +
                           "\t1\t100\t\tNAME\t" + Utf8VersAnsi(sousTag) + "\t\tO\tP";
  if (const TChpCs* c = defs_.CreatChpCs(ligne)) {
    parSousTag_["NAME"].push_back(c);
    creees_.insert(c);
  }
  return libelle;
}

}  // namespace kyb
