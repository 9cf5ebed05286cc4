// The import's two passes over the file, the census of records, and the report.
#include "gedcom/import_gedcom.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "folder/securite_dossier.h"
#include "gedcom/dates_gedcom.h"
#include "gedcom/import_gedcom_interne.h"
#include "gedcom/versions_gedcom.h"
#include "persons/gest_pers.h"
#include "platform/arborescence.h"
#include "platform/fichiers.h"
#include "index/ouverture_genealogie.h"

namespace kyb {
namespace {

constexpr size_t kAvertissementsMax = 2000;

std::string_view SansArobases(std::string_view xref) {
  if (xref.size() >= 2 && xref.front() == '@' && xref.back() == '@') return xref.substr(1, xref.size() - 2);
  return xref;
}

// Opens the reader on the file or the text; false with the reader's message.
bool Ouvre(TLecteurGedcom& lecteur, const AnsiString& chemin, std::string_view texte, std::string& erreur) {
  const bool ok = texte.empty() ? lecteur.Ouvre(chemin) : lecteur.OuvreTexte(texte);
  if (!ok) erreur = lecteur.Erreur();
  return ok;
}

// The value tables the writing pass adds to (places, qualities, kinships), in bulk: new values
// are numbered as they come and ranked once at the end instead of at each addition.
class TAjoutsEnBloc {
 public:
  explicit TAjoutsEnBloc(const TGestFichier& dossier)
      : tables_{dossier.GetFicLieux(), dossier.GetFicQualites(), dossier.GetFicParentes()} {
    for (TFicDupli* t : tables_)
      if (t) t->DebutAjoutsEnBloc();
  }
  ~TAjoutsEnBloc() {
    for (TFicDupli* t : tables_)
      if (t) t->FinAjoutsEnBloc();
  }
  TAjoutsEnBloc(const TAjoutsEnBloc&) = delete;
  TAjoutsEnBloc& operator=(const TAjoutsEnBloc&) = delete;

 private:
  TFicDupli* tables_[3];
};

}  // namespace

TImporteur::TImporteur(TGestFichier& dossier, TBilanImportGedcom& bilan)
    : dossier_(dossier), bdd_(*dossier.GetModuleBDD()), defs_(*dossier.GetDefChpsCs()), bilan_(bilan) {
  ligneIndi_.push_back(0);
  ligneRefIndi_.push_back(0);
  xrefIndi_.emplace_back();
  sexe_.push_back('?');
  naissance_.push_back(kSansDateNaissance);
  for (int i = 0; i < defs_.Count(); ++i) {
    const TChpCs* c = defs_.GetChpCs(i);
    if (!c || c->IsBase()) continue;
    if (c->LibelleInterne == kLibelleNaissance)
      for (int t = 0; t < c->GetNbTagGedCom(); ++t) tagsNaissance_.push_back(c->GetTagGedCom(t));
    for (int t = 0; t < c->GetNbTagGedCom(); ++t) {
      const std::string tag = c->GetTagGedCom(t);
      if (tag.empty()) continue;
      // Fields that share a tag and differ by their sub-tag split one structure (ADDR, NAME).
      if (c->IsSimple() && c->SousTagGedCom.size() == 1 && !c->SousTagGedCom[0].empty()) {
        parSousTag_[tag].push_back(c);
        if (tag == "NAME") continue;  // the person's name itself is read apart
      }
      parTag_[c->IsLiaisonCouple() ? 1 : 0].try_emplace(tag, c);
    }
  }
}

void TImporteur::Avertit(long ligne, std::string message) {
  if (bilan_.avertissements.size() < kAvertissementsMax)
    bilan_.avertissements.push_back({ligne, std::move(message)});
  else if (bilan_.avertissements.size() == kAvertissementsMax)
    bilan_.avertissements.push_back({0, "Trop d'avertissements : les suivants ne sont pas listés."});
}

int32_t TImporteur::NumeroPersonne(const std::string& xref, long ligne) {
  const int32_t avant = noIndi_.Taille();
  const int32_t no = noIndi_.Numero(SansArobases(xref));
  if (no <= avant) return no;
  ligneIndi_.push_back(0);
  ligneRefIndi_.push_back(ligne);
  xrefIndi_.push_back(xref);
  sexe_.push_back('?');
  naissance_.push_back(kSansDateNaissance);
  return no;
}

int32_t TImporteur::NumeroFamille(const std::string& xref, long ligne) {
  const int32_t avant = noFam_.Taille();
  const int32_t no = noFam_.Numero(SansArobases(xref));
  if (no <= avant) return no;
  familles_.emplace_back();
  familles_.back().ligneReference = ligne;
  xrefFam_.push_back(xref);
  return no;
}

int32_t TImporteur::PersonneConnue(const std::string& xref) const {
  return noIndi_.Cherche(SansArobases(xref));
}

int32_t TImporteur::FamilleConnue(const std::string& xref) const {
  return noFam_.Cherche(SansArobases(xref));
}

bool TImporteur::PersonneDefinie(int32_t no) const {
  return no > 0 && static_cast<size_t>(no) < ligneIndi_.size() && ligneIndi_[static_cast<size_t>(no)] > 0;
}

std::string TImporteur::NomXref(int32_t no) const {
  return no > 0 && static_cast<size_t>(no) < xrefIndi_.size() ? xrefIndi_[static_cast<size_t>(no)] : "?";
}

void TImporteur::Recense(const TNoeudGedcom& r) {
  if (r.tag == "HEAD") {
    if (const TNoeudGedcom* s = r.Enfant("SOUR")) bilan_.logiciel = s->valeur;
    if (const TNoeudGedcom* s = r.Enfant("SCHMA"))
      for (const TNoeudGedcom& t : s->enfants)
        if (t.tag == "TAG" && t.valeur.starts_with('_')) schema_ += (schema_.empty() ? "1 TAG " : "\n1 TAG ") + t.valeur;
    return;
  }
  if (r.tag == "INDI") return RecenseIndividu(r);
  if (r.tag == "FAM") return RecenseFamille(r);
  if (r.tag == "TRLR") return;
  const auto doublon = [&](bool present) {
    if (present) Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : l'enregistrement " + r.xref +
                                      " est défini deux fois ; le second est ignoré.");
    return present;
  };
  if ((r.tag == "NOTE" || r.tag == "SNOTE") && !r.xref.empty()) {
    if (!doublon(notes_.count(r.xref) > 0)) notes_[r.xref] = r.valeur;
    CompteIgnorees(r, {});
    return;
  }
  if (r.tag == "SOUR" && !r.xref.empty()) {
    if (doublon(sources_.count(r.xref) > 0)) return;
    // The title is the description of the citations; the type, the citations' type; the rest
    // of the record is kept and written back with it.
    TSourceLue s;
    const TNoeudGedcom* titre = nullptr;
    for (const char* tag : {"TITL", "ABBR", "AUTH", "TEXT"})
      if (const TNoeudGedcom* t = r.Enfant(tag); t && !titre) titre = t;
    s.titre = titre ? titre->valeur : r.valeur;
    if (titre) s.tagTitre = titre->tag;
    const TNoeudGedcom* type = r.Enfant("_TYPE");
    if (type) s.type = type->valeur;
    s.reste = {r.ligne, 0, {}, "SOUR", {}, false, {}};
    for (const TNoeudGedcom& e : r.enfants)
      if (&e != titre && &e != type) {
        s.reste.enfants.push_back(e);
        ++bilan_.balisesConservees["SOUR." + e.tag];
      }
    ordreSources_.push_back(r.xref);
    sources_[r.xref] = std::move(s);
    return;
  }
  if (r.tag == "OBJE" && !r.xref.empty()) {
    if (doublon(objets_.count(r.xref) > 0)) return;
    if (RecenseMedia(r)) return;
  }
  // The submitter our exports write is the genealogy itself, written again by the export; any
  // other record (REPO, SUBM, SUBN, records of other programs) is kept whole.
  if (r.tag == "SUBM" && r.xref == kSoumetteurGedcom) {
    ++bilan_.balisesIgnorees[r.tag];
    return;
  }
  enregistrementsGardes_.push_back(r);
  ++bilan_.balisesConservees[r.tag];
}

void TImporteur::RecenseIndividu(const TNoeudGedcom& r) {
  const int32_t no = NumeroPersonne(XrefIndividu(r), r.ligne);
  if (r.xref.empty())
    Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : individu sans identifiant « @…@ », gardé sous le numéro " +
                         std::to_string(no) + ".");
  long& ligne = ligneIndi_[static_cast<size_t>(no)];
  if (ligne > 0) {
    Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : l'individu " + r.xref + " est défini deux fois (ligne " +
                         std::to_string(ligne) + ") ; le second est ignoré.");
    return;
  }
  ligne = r.ligne;
  for (const TNoeudGedcom& e : r.enfants) {
    if (e.tag == "SEX" && !e.valeur.empty()) sexe_[static_cast<size_t>(no)] = e.valeur[0] == 'M' || e.valeur[0] == 'F' ? e.valeur[0] : '?';
    // The birth date orders the children of its parents.
    if (naissance_[static_cast<size_t>(no)] == kSansDateNaissance &&
        std::find(tagsNaissance_.begin(), tagsNaissance_.end(), e.tag) != tagsNaissance_.end())
      if (const TNoeudGedcom* d = e.Enfant("DATE"))
        if (const TDateGedcom lue = LitDateGedcom(d->valeur); lue.lue)
          if (const int32_t jour = DateTriable(lue.date); jour > 0) naissance_[static_cast<size_t>(no)] = jour;
    if ((e.tag == "FAMC" || e.tag == "FAMS") && e.pointeur && !e.Nul()) {
      const TNoeudGedcom* pedi = e.tag == "FAMC" ? e.Enfant("PEDI") : nullptr;
      references_.push_back({no, NumeroFamille(e.valeur, e.ligne), e.ligne, e.tag == "FAMC", pedi ? Pedi(pedi->valeur) : '\0'});
    }
  }
}

void TImporteur::RecenseFamille(const TNoeudGedcom& r) {
  if (r.xref.empty()) {
    Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : famille sans identifiant « @…@ », ignorée.");
    return;
  }
  const int32_t f = NumeroFamille(r.xref, r.ligne);
  TFamilleLue& fam = familles_[static_cast<size_t>(f - 1)];
  if (fam.ligne > 0) {
    Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : la famille " + r.xref + " est définie deux fois (ligne " +
                         std::to_string(fam.ligne) + ") ; la seconde est ignorée.");
    return;
  }
  TFamilleLue lue;
  lue.ligne = r.ligne;
  for (const TNoeudGedcom& e : r.enfants) {
    if (e.tag != "HUSB" && e.tag != "WIFE" && e.tag != "CHIL") continue;
    if (e.Nul()) continue;  // an unknown spouse or child
    if (!e.pointeur) {
      Avertit(e.ligne, "Ligne " + std::to_string(e.ligne) + " : " + e.tag + " sans pointeur vers un individu, ignoré.");
      continue;
    }
    const int32_t no = NumeroPersonne(e.valeur, e.ligne);
    if (e.tag == "CHIL") {
      lue.enfants.push_back(no);
    } else if (no != lue.mari && no != lue.femme) {
      // Two WIFE (or two HUSB) make a couple of one sex, the first listed in the father's place.
      const bool femme = e.tag == "WIFE";
      int32_t& place = femme ? lue.femme : lue.mari;
      int32_t& autre = femme ? lue.mari : lue.femme;
      if (place == 0) place = no;
      else if (autre == 0) autre = femme ? std::exchange(place, no) : no;
      else
        Avertit(e.ligne, "Ligne " + std::to_string(e.ligne) + " : la famille " + r.xref + " a déjà deux conjoints ; " +
                             e.valeur + " est ignoré.");
    }
  }
  // Numbers may have been created above: the vector may have moved.
  TFamilleLue& cible = familles_[static_cast<size_t>(f - 1)];
  lue.ligneReference = cible.ligneReference;
  cible = std::move(lue);
}

namespace {

template <class T>
void Libere(T& x) {
  T vide;
  std::swap(x, vide);
}

}  // namespace

void TImporteur::LibereRecensement() {
  Libere(noIndi_), Libere(noFam_), Libere(ligneIndi_), Libere(ligneRefIndi_), Libere(xrefIndi_);
  Libere(sexe_), Libere(naissance_), Libere(familles_), Libere(xrefFam_), Libere(references_);
  Libere(notes_), Libere(sources_), Libere(ordreSources_), Libere(sourcesCitees_), Libere(enregistrementsGardes_), Libere(objets_);
  Libere(famc_), Libere(famcB_), Libere(pedis_), Libere(famsPersonne_), Libere(ordreFams_);
  Libere(rangA_), Libere(rangB_), Libere(rangChps_), Libere(notesEnAttente_), Libere(lieux_);
}

void TImporteur::Resout() {
  CompleteFamilles();
  CalculeLiens();
  CoupeBoucles();
  ecrit_.assign(ligneIndi_.size(), 0);
  familleEcrite_.assign(familles_.size() + 1, 0);
  rangA_.assign(ligneIndi_.size(), 0);
  rangB_.assign(ligneIndi_.size(), 0);
  rangChps_.assign(ligneIndi_.size(), 0);
}

namespace {

// Both passes over the source; false when it cannot be read or the store refuses the batch.
bool DeuxPasses(TImporteur& imp, TGestFichier& dossier, const AnsiString& chemin, std::string_view texte,
                TBilanImportGedcom& bilan, const TAvanceeImport& avancee) {
  const int64_t total = texte.empty() ? TailleFichier(chemin) : static_cast<int64_t>(texte.size());
  TNoeudGedcom r;
  {
    TLecteurGedcom lecteur;
    if (!Ouvre(lecteur, chemin, texte, bilan.erreur)) return false;
    bilan.version = lecteur.Version();
    bilan.codage = NomCodage(lecteur.Codage());
    long n = 0;
    while (lecteur.Suivant(r)) {
      imp.Recense(r);
      if (avancee && ++n % 4096 == 0) avancee(lecteur.OctetsLus(), total, 1);
    }
    for (const auto& a : lecteur.Avertissements()) imp.Avertit(a.ligne, a.message);
  }
  imp.Resout();
  TModuleBDD& bdd = *dossier.GetModuleBDD();
  if (!bdd.BeginImport(true)) {
    bilan.erreur = "la base du dossier refuse l'écriture en lot : import impossible";
    return false;
  }
  TLecteurGedcom lecteur;
  if (!Ouvre(lecteur, chemin, texte, bilan.erreur)) {
    (void)bdd.EndImport(true);
    return false;
  }
  // Any write of the import that fails (a full disk above all) stops it: the import fails whole.
  const uint64_t echecsAvant = EcrituresEchouees();
  const auto echec = [&] { return EcrituresEchouees() != echecsAvant; };
  {
    const TAjoutsEnBloc enBloc(dossier);
    long n = 0;
    while (!echec() && lecteur.Suivant(r)) {
      imp.Ecrit(r);
      if (avancee && ++n % 4096 == 0) avancee(lecteur.OctetsLus(), total, 2);
    }
    if (avancee && !echec()) avancee(total, total, 2);
    if (!echec()) imp.Comble();
  }
  const bool fin = bdd.EndImport(true);
  if (!echec()) imp.Termine();
  if (echec()) {
    bilan.erreur = CauseDerniereEcritureEchouee() == TErreurSysteme::DisquePlein
                       ? "le disque est plein : l'import est arrêté"
                       : "une écriture sur le disque a échoué : l'import est arrêté";
    return false;
  }
  if (!fin) bilan.erreur = "la base du dossier n'a pas pu enregistrer la fin de l'import";
  return fin;
}

}  // namespace

bool ImporteGedcom(TGestFichier& dossier, const AnsiString& chemin, TBilanImportGedcom& bilan,
                   const TAvanceeImport& avancee, std::string_view texte) {
  if (!dossier.GetModuleBDD() || !dossier.GetDefChpsCs() || dossier.Erreur || dossier.IsReadOnly()) {
    bilan.erreur = "le dossier généalogique n'est pas ouvert en écriture";
    return false;
  }
  TImporteur imp(dossier, bilan);
  bilan.reussi = DeuxPasses(imp, dossier, chemin, texte, bilan, avancee);
  // Warnings of both passes and of the reader in the order of the file.
  std::stable_sort(bilan.avertissements.begin(), bilan.avertissements.end(),
                   [](const TAvertissementGedcom& a, const TAvertissementGedcom& b) { return a.ligne < b.ligne; });
  return bilan.reussi;
}

TBilanImportGedcom ImporteFichierGedcom(const AnsiString& cheminGed, const AnsiString& cheminDossier,
                                        const TAvanceeImport& avancee) {
  TBilanImportGedcom bilan;
  {
    // What is not GEDCOM is refused before any folder exists.
    TLecteurGedcom lecteur;
    if (!lecteur.Ouvre(cheminGed)) {
      bilan.erreur = lecteur.Erreur();
      return bilan;
    }
  }
  AnsiString repertoire;
  {
    // Until the import ends the folder stays a creation under way: an import killed midway, even
    // before its first person, leaves a folder that is never opened as a genealogy, and that the
    // next import makes again.
    TGestFichier::TOptionsOuverture creation = TGestFichier::Creation();
    creation.MarqueGardee = kMarqueImport;
    TGestFichier dossier(cheminDossier, AvecIndex(creation));
    if (dossier.Erreur) {
      bilan.erreur = dossier.ReponseNomExistant != 0
                         ? "le dossier « " + AnsiVersUtf8(dossier.Repertoire) + " » existe déjà : choisissez un autre nom"
                         : std::string(dossier.CodeErreurBDD == TErreurMoteur::DisquePlein ? "le disque est plein : " : "") +
                               "le dossier généalogique « " + AnsiVersUtf8(dossier.Repertoire) + " » n'a pas pu être créé";
      return bilan;
    }
    repertoire = dossier.Repertoire;
    if (ImporteGedcom(dossier, cheminGed, bilan, avancee) && LeveMarqueCreation(repertoire))
      return bilan;
    else if (bilan.erreur.empty())
      bilan.erreur = "la fin de l'import n'a pas pu être enregistrée";
    bilan.reussi = false;
  }
  // The folder was made for this import: a failed import leaves none, as before it began.
  if (!SupprimeArborescence(repertoire))
    bilan.erreur += " ; le dossier inachevé « " + AnsiVersUtf8(repertoire) + " » n'a pas pu être retiré";
  return bilan;
}

std::vector<std::string> RapportImport(const TBilanImportGedcom& b) {
  std::vector<std::string> l;
  l.push_back("GEDCOM " + (b.version.empty() ? std::string("sans version") : b.version) + ", " + b.codage +
              (b.logiciel.empty() ? "" : ", écrit par " + b.logiciel));
  l.push_back("Personnes lues : " + std::to_string(b.personnes));
  l.push_back("Couples lus : " + std::to_string(b.couples));
  l.push_back("Événements lus : " + std::to_string(b.evenements));
  l.push_back("Champs simples lus : " + std::to_string(b.champsSimples));
  l.push_back("Lieux : " + std::to_string(b.lieux));
  l.push_back("Notes lues : " + std::to_string(b.notes));
  l.push_back("Sources citées : " + std::to_string(b.sources) + ", médias : " + std::to_string(b.illustrations) +
              ", personnes citées : " + std::to_string(b.personnesCitees));
  long gardees = 0;
  for (const auto& [tag, n] : b.balisesConservees) gardees += n;
  l.push_back("Balises conservées : " + std::to_string(gardees));
  for (const auto& [tag, n] : b.balisesConservees) l.push_back("  " + tag + " : " + std::to_string(n));
  if (!b.balisesIgnorees.empty()) {
    l.push_back("Enregistrements et balises non gardés :");
    for (const auto& [tag, n] : b.balisesIgnorees) l.push_back("  " + tag + " : " + std::to_string(n));
  }
  l.push_back("Avertissements : " + std::to_string(b.avertissements.size()));
  for (const auto& a : b.avertissements) l.push_back("  " + a.message);
  return l;
}

}  // namespace kyb
