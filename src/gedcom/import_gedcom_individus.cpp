// Persons and families of an import: INDI records written as persons with their links, FAM
// records as the couple events of the husband (the wife when there is none), kept whole when
// there is neither.
#include <algorithm>

#include "gedcom/gedcom_gardees.h"
#include "gedcom/import_gedcom_interne.h"
#include "gedcom/noms_gedcom.h"
#include "folder/gest_fic_pers.h"
#include "index/gest_fic_index.h"
#include "platform/caracteres.h"

namespace kyb {
namespace {

std::string RogneBlancs(std::string_view s) {
  const auto debut = s.find_first_not_of(' ');
  if (debut == std::string_view::npos) return {};
  return std::string(s.substr(debut, s.find_last_not_of(' ') - debut + 1));
}

}  // namespace

void TImporteur::LitNom(const TNoeudGedcom& nom, TEnregPublic& p, std::vector<const TNoeudGedcom*>& restes) {
  // "Jean Baptiste /Martin/ fils": first names before the slashes, the surname between them,
  // what follows joins the first names. Without slashes, GIVN and SURN, else the whole as names.
  const std::string& v = nom.valeur;
  const auto a = v.find('/');
  std::string prenoms, patronyme;
  if (a != std::string::npos) {
    const auto b = v.find('/', a + 1);
    patronyme = RogneBlancs(v.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1));
    prenoms = RogneBlancs(v.substr(0, a));
    if (b != std::string::npos) {
      const std::string suite = RogneBlancs(v.substr(b + 1));
      if (!suite.empty()) prenoms = prenoms.empty() ? suite : prenoms + " " + suite;
    }
  } else {
    prenoms = RogneBlancs(v);
  }
  // The prefix and suffix written around the name ("Dr. Jean /Martin/ Jr.") have their fields.
  if (const TNoeudGedcom* x = nom.Enfant("NPFX"); x && !x->valeur.empty() && prenoms.starts_with(x->valeur + " "))
    prenoms = RogneBlancs(prenoms.substr(x->valeur.size()));
  if (const TNoeudGedcom* x = nom.Enfant("NSFX"); x && !x->valeur.empty() && prenoms.ends_with(" " + x->valeur))
    prenoms = RogneBlancs(prenoms.substr(0, prenoms.size() - x->valeur.size()));
  if (const TNoeudGedcom* s = nom.Enfant("SURN"); s && patronyme.empty()) patronyme = s->valeur;
  if (const TNoeudGedcom* g = nom.Enfant("GIVN"); g && prenoms.empty()) prenoms = g->valeur;
  p.Nom = PremiersCaracteres(Utf8VersUnicode(patronyme), kLongueurNom);
  p.Prenoms = PremiersCaracteres(Utf8VersUnicode(prenoms), kLongueurPrenoms);
  if (NombreCaracteres(Utf8VersUnicode(patronyme)) > kLongueurNom ||
      NombreCaracteres(Utf8VersUnicode(prenoms)) > kLongueurPrenoms)
    Avertit(nom.ligne, "Ligne " + std::to_string(nom.ligne) + " : nom ou prénoms trop longs, coupés.");
  for (const TNoeudGedcom& e : nom.enfants)
    if (e.tag != "SURN" && e.tag != "GIVN") restes.push_back(&e);
}

std::string TImporteur::XrefIndividu(const TNoeudGedcom& r) {
  return r.xref.empty() ? "@ligne " + std::to_string(r.ligne) + "@" : r.xref;
}

void TImporteur::EcritIndividu(const TNoeudGedcom& r) {
  const int32_t no = PersonneConnue(XrefIndividu(r));
  if (no <= 0 || ecrit_[static_cast<size_t>(no)] || ligneIndi_[static_cast<size_t>(no)] != r.ligne) return;
  ecrit_[static_cast<size_t>(no)] = 1;
  TEnregPublic p;
  p.FicheSupprimee = 'N';
  p.Sexe = sexe_[static_cast<size_t>(no)];
  Liens(no, p);
  int32_t note = 0;
  if (const auto it = notesEnAttente_.find(no); it != notesEnAttente_.end()) note = it->second;
  bool nomLu = false;
  std::string liens;
  for (const TNoeudGedcom& e : r.enfants) {
    if (e.tag == "NAME" && !nomLu) {
      nomLu = true;
      std::vector<const TNoeudGedcom*> restes;
      LitNom(e, p, restes);
      // Name pieces that a field takes (NICK); the others kept under a NAME of their own.
      TNoeudGedcom reste{e.ligne, 1, {}, "NAME", {}, false, {}};
      for (const TNoeudGedcom* s : restes) {
        const auto it = parSousTag_.find("NAME");
        const TChpCs* champ = nullptr;
        if (it != parSousTag_.end())
          for (const TChpCs* c : it->second)
            if (c->SousTagGedCom[0] == s->tag) champ = c;
        const bool piece = s->tag == "NPFX" || s->tag == "SPFX" || s->tag == "NSFX";
        if (champ) EcritChampSimple(champ->LibelleInterne, s->valeur, no, 0);
        else if (piece && s->enfants.empty()) EcritChampSimple(DefinitionNom(s->tag), s->valeur, no, 0);
        else reste.enfants.push_back(*s);
      }
      note = AjouteNote(note, kTitreNomGedcom,
                        NomAGarder(e, UnicodeVersUtf8(p.Nom), UnicodeVersUtf8(p.Prenoms)));
      if (!reste.enfants.empty()) Garde(reste, note);
      continue;
    }
    if (e.tag == "NAME") {  // the model holds one name: the others are kept as written
      Garde(e, note);
      continue;
    }
    if (e.tag == "SEX") {
      // A sex the model has no letter for (X of 7.0) is kept beside the unknown one.
      if (e.valeur != "M" && e.valeur != "F" && e.valeur != "U" && !e.valeur.empty())
        note = AjouteNote(note, kTitreSexeGedcom, e.valeur);
      continue;
    }
    if (e.tag == "FAMC" || e.tag == "FAMS") {
      // The links themselves are the families'; a link to no family (7.0) is kept as written.
      if (e.Nul()) Garde(e, note);
      else if (!LienSansConjoint(e, liens)) LienFamille(e, liens);
      continue;
    }
    if (e.tag == "_TEMOIN") {  // a person known only as a witness
      p.TypePersonne = 'T';
      continue;
    }
    if (e.tag == "NOTE" || e.tag == "SNOTE") {  // SNOTE: a shared note of 7.0
      note = AjouteNoteLue(note, e, e.tag == "SNOTE" && !e.Nul() ? kTitreNotePartagee : kTitreNoteGedcom);
      continue;
    }
    if (!EcritStructure(e, no, 0, false, note)) Garde(e, note);
  }
  if (!rangSansConjoint_.empty()) LiensNonNommes(no, liens);
  if (!liens.empty()) liensGardes_ += (liensGardes_.empty() ? "" : "\n") + ("0 INDI " + PointeurGardePersonne(no)) + "\n" + liens;
  note = AjouteNote(note, kTitreFiliationGedcom, PediPaireB(no));
  note = AjouteNote(note, kTitreUnionGedcom, UnionDesParents(no));
  p.Note = note;
  if (!bdd_.WritePerson(p, no)) {
    Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : l'individu " + XrefIndividu(r) + " n'a pas pu être enregistré.");
    return;
  }
  if (TNoParent paire; PaireAdoptive(no, paire) && !bdd_.WriteNoParents(no, paire))
    Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : les parents adoptifs de " + XrefIndividu(r) +
                         " n'ont pas pu être enregistrés.");
  personnesEcrites_.Ecrite(no, p);
  ++bilan_.personnes;
}

void TImporteur::EcritFamille(const TNoeudGedcom& r) {
  if (r.xref.empty()) return;
  const auto f = FamilleConnue(r.xref);
  if (f <= 0 || familleEcrite_[static_cast<size_t>(f)]) return;
  const TFamilleLue& fam = familles_[static_cast<size_t>(f - 1)];
  if (fam.ligne != r.ligne) return;
  familleEcrite_[static_cast<size_t>(f)] = 1;
  if (fam.mari != 0 || fam.femme != 0) ++bilan_.couples;
  const int32_t titulaire = fam.mari != 0 ? fam.mari : fam.femme;
  if (titulaire == 0) return GardeSansConjoint(r, f);
  const int32_t partenaire = fam.mari != 0 ? fam.femme : 0;
  // The family's notes and kept tags go to the holder's note, read only when some are there;
  // a holder not yet written takes them when it is.
  const bool titulaireEcrit = titulaire != 0 && ecrit_[static_cast<size_t>(titulaire)];
  const bool besoinNote = titulaire != 0 && std::any_of(r.enfants.begin(), r.enfants.end(), [&](const TNoeudGedcom& e) {
    if (e.tag == "HUSB" || e.tag == "WIFE" || e.tag == "CHIL") return MembreAGarder(e);
    const TChpCs* def = Definition(e.tag, true);
    return !def || !def->IsEvenement();
  });
  int32_t note = 0;
  TEnregPublic p;
  if (besoinNote && titulaireEcrit && bdd_.ReadPerson(p, titulaire)) note = p.Note;
  else if (const auto it = notesEnAttente_.find(titulaire); besoinNote && it != notesEnAttente_.end()) note = it->second;
  const int32_t noteAvant = note;
  for (const TNoeudGedcom& e : r.enfants) {
    if ((e.tag == "HUSB" || e.tag == "WIFE" || e.tag == "CHIL") && !MembreAGarder(e)) continue;
    if (e.tag == "SNOTE" && !e.Nul()) {  // kept, its note written back as one record
      Garde(e, note, (kTitreBalisesFamille + std::to_string(partenaire)).c_str());
      continue;
    }
    if (e.tag == "NOTE" || e.tag == "SNOTE") {
      // Under a heading naming the partner, so that the export writes it back under this FAM.
      note = AjouteNoteLue(note, e, (std::string(kTitreNoteFamille) + " " + std::to_string(partenaire)).c_str(),
                           (kTitreBalisesFamille + std::to_string(partenaire)).c_str());
      continue;
    }
    if (!EcritStructure(e, titulaire, partenaire, true, note))
      Garde(e, note, (kTitreBalisesFamille + std::to_string(partenaire)).c_str());
  }
  if (note == noteAvant) return;
  if (!titulaireEcrit) {
    notesEnAttente_[titulaire] = note;
  } else if (bdd_.ReadPerson(p, titulaire)) {
    p.Note = note;
    (void)bdd_.WritePerson(p, titulaire);
  }
}

void TImporteur::Ecrit(const TNoeudGedcom& r) {
  if (r.tag == "INDI") EcritIndividu(r);
  else if (r.tag == "FAM") EcritFamille(r);
}

void TImporteur::Comble() {
  for (size_t no = 1; no < ecrit_.size(); ++no) {
    if (ecrit_[no]) continue;
    TEnregPublic p;
    p.FicheSupprimee = 'O';
    if (bdd_.WritePerson(p, static_cast<long>(no))) (void)bdd_.AddPersSuppr(static_cast<long>(no));
  }
}

void TImporteur::Termine() {
  EcritSansConjoint();
  EcritGardesGenealogie();
  (void)defs_.Sauvegarde();
  if (TFicPersons* personnes = dossier_.GetFicPersons()) personnes->LectureEntete();
  bilan_.lieux = static_cast<long>(lieux_.size());
  LibereRecensement();
  if (TFicIndexPerson* index = TFicIndexPerson::De(dossier_)) (void)index->RemplitApresImport(personnesEcrites_);
  dossier_.Flush();
}

}  // namespace kyb
