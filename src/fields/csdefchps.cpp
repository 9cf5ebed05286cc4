#include "fields/csdefchps.h"

#include <algorithm>

#include "fields/csdefaut.h"
#include "fields/csstruct_interne.h"
#include "platform/flux_binaire.h"
#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"
#include "platform/journal.h"

namespace kyb {

using namespace csinterne;

namespace {

constexpr int64_t kTailleMaxFichier = 16 * 1024 * 1024;
constexpr int kMaxCopies = 1000;

// A file re-encoded in UTF-8: a byte-order mark, or bytes from 0x80 up that all form valid UTF-8
// sequences (a Windows-1252 text with accented letters practically never does).
bool EstUtf8(std::string_view contenu) {
  if (contenu.starts_with("\xEF\xBB\xBF")) return true;
  const bool horsAscii = std::any_of(contenu.begin(), contenu.end(),
                                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  size_t lg = 0;
  return horsAscii && DecodeUtf8Strict(contenu, nullptr, 0, &lg);
}

// The file as lines, CR LF or LF, in Windows-1252; false when it cannot be read whole. sansFin:
// the last line has no line end. utf8: the file was in UTF-8 and was converted.
bool LitLignes(const AnsiString& fichier, std::vector<AnsiString>& lignes, bool& sansFin,
               bool& utf8) {
  const int64_t taille = TailleFichier(fichier);
  if (taille <= 0 || taille > kTailleMaxFichier) return false;
  const TFichier f = TFichier::Ouvre(fichier, TAcces::Lecture, TCreation::Existant);
  if (!f) return false;
  std::string contenu(static_cast<size_t>(taille), '\0');
  if (f.LitA(0, contenu.data(), contenu.size()) != taille) return false;
  utf8 = EstUtf8(contenu);
  if (utf8) {
    if (contenu.starts_with("\xEF\xBB\xBF")) contenu.erase(0, 3);
    contenu = Utf8VersAnsi(contenu);
  }
  for (std::string_view ligne : Decoupe(contenu, '\n')) {
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    lignes.emplace_back(ligne);
  }
  sansFin = !lignes.empty() && !lignes.back().empty();
  if (!lignes.empty() && !sansFin) lignes.pop_back();  // the nothing after the last line end
  return true;
}

bool ATab(std::string_view ligne) { return ligne.find('\t') != std::string_view::npos; }

const AnsiString* LigneDefautDe(std::string_view libelle) {
  for (const AnsiString& ligne : LignesDefaut())
    if (ligne.size() > libelle.size() && ligne.compare(0, libelle.size(), libelle) == 0 &&
        ligne[libelle.size()] == '\t')
      return &ligne;
  return nullptr;
}

AnsiString Pluriel(int n, const char* singulier, const char* pluriel) {
  return std::to_string(n) + " " + A(n > 1 ? pluriel : singulier);
}

bool ControleHorsTab(std::string_view ligne) {
  return std::any_of(ligne.begin(), ligne.end(), [](char c) {
    return c != '\t' && (static_cast<unsigned char>(c) < 0x20 || c == 0x7F);
  });
}

AnsiString ListeVersLigne(const std::vector<AnsiString>& items) {
  std::vector<AnsiString> propres;
  for (const AnsiString& item : items) {
    // Control characters become blanks before trimming, so that what is written reads back the same.
    AnsiString p = RogneAnsi(SansControle(item));
    std::replace(p.begin(), p.end(), ',', ';');
    if (!p.empty()) propres.push_back(std::move(p));
  }
  return Joint(propres, ", ");
}

std::vector<AnsiString> LigneVersListe(std::string_view ligne) {
  std::vector<AnsiString> items;
  for (AnsiString& item : DecoupeRogne(ligne, ','))
    if (!item.empty()) items.push_back(std::move(item));
  return items;
}

bool LitListe(const std::vector<AnsiString>& lignes, size_t& no, std::vector<AnsiString>& liste) {
  if (no >= lignes.size()) return false;
  liste = LigneVersListe(lignes[no++]);
  return true;
}

bool Contient(const std::vector<AnsiString>& liste, std::string_view libelle) {
  return !libelle.empty() && std::find(liste.begin(), liste.end(), libelle) != liste.end();
}

}  // namespace

// ---- TEquivChpCs ----

void TEquivChpCs::Sauv(std::vector<AnsiString>& lignes) const {
  lignes.push_back(RogneAnsi(SansControle(Libelle)));
  lignes.push_back(RogneAnsi(SansControle(Compagnon)));
  lignes.push_back(std::to_string(SousChampDate));
}

bool TEquivChpCs::Rest(const std::vector<AnsiString>& lignes, size_t& no) {
  if (no > lignes.size() || lignes.size() - no < 3) return false;
  Libelle = RogneAnsi(lignes[no]);
  Compagnon = RogneAnsi(lignes[no + 1]);
  SousChampDate = EntierOuDefaut(lignes[no + 2], SousChampDate);
  no += 3;
  return true;
}

bool TEquivChpCs::Contient(std::string_view libelle) const {
  return !libelle.empty() && (libelle == Libelle || libelle == Compagnon);
}

// ---- TDefChpsCs: construction and file ----

TDefChpsCs::TDefChpsCs(TGestFichier* dossier, const AnsiString& fichier, TInterfaceUtilisateur* iu,
                       bool lectureSeule, const AnsiString& fichierDefaut)
    : dossier_(dossier), fichier_(fichier), iu_(iu), lectureSeule_(lectureSeule) {
  bool depuisDefaut = false;
  // A save cut between its two renames left the previous file set aside: it takes its name back.
  if (!FichierExiste(fichier_) && !lectureSeule_ && FichierExiste(fichier_ + ".bak"))
    (void)RenommeFichier(fichier_ + ".bak", fichier_);
  if (!FichierExiste(fichier_)) {
    if (!lectureSeule_ && !fichierDefaut.empty() && FichierExiste(fichierDefaut))
      depuisDefaut = CopieFichier(fichierDefaut, fichier_, false);
    if (!depuisDefaut) {
      ChargeDefaut();
      etat_ = etCree;
      Sauvegarde();
      return;
    }
  }

  TDefChpsCs lu;
  TBilan bilan;
  if (!Lit(lu, bilan)) {
    ChargeDefaut();
    const AnsiString nom = ExtraitNomFichier(fichier_);
    const AnsiString copie = lectureSeule_ ? AnsiString() : CopieDeCote();
    if (copie.empty()) {
      etat_ = etMemoire;
      lectureSeule_ = true;  // the unreadable file must stay as it is
      Previent(A("Le fichier des définitions de champs « ") + nom +
               A(" » est illisible. Il n'a pas été modifié et les définitions par défaut sont "
                 "utilisées pour cette session."));
      return;
    }
    etat_ = etRemplace;
    Sauvegarde();
    Previent(A("Le fichier des définitions de champs « ") + nom +
             A(" » est illisible. Il a été conservé sous le nom « ") + ExtraitNomFichier(copie) +
             A(" » et les définitions par défaut ont été rétablies."));
    return;
  }

  liste_ = std::move(lu.liste_);
  for (const auto& chp : liste_) chp->Ensemble.defs = this;
  CopieBlocs(lu);
  etat_ = depuisDefaut ? etCree : etCharge;
  const int versionLue = EntierOuDefaut(VersionFichier, 0);
  ControleEvenementsStandard(bilan);
  const int ajoutes = bilan.Endommage() ? MiseAJour() : MiseAJourDepuis(versionLue);
  const bool versionChangee = versionLue < kVersionDefinitions;
  if (versionChangee) VersionFichier = std::to_string(kVersionDefinitions);

  if (bilan.Endommage()) {
    const AnsiString nom = ExtraitNomFichier(fichier_);
    const bool ouvertEnLecture = lectureSeule_;
    const AnsiString copie = lectureSeule_ ? AnsiString() : CopieDeCote();
    if (copie.empty()) {
      lectureSeule_ = true;
      Previent(A("Le fichier des définitions de champs « ") + nom + A(" » est endommagé. ") +
               TexteDommages(bilan) +
               A(ouvertEnLecture ? " Il n'a pas été modifié : il sera réparé à la prochaine "
                                   "ouverture du dossier en écriture."
                                 : " Il n'a pas été modifié, faute de pouvoir en garder une "
                                   "copie."));
      return;
    }
    etat_ = etRepare;
    Sauvegarde();
    Previent(A("Le fichier des définitions de champs « ") + nom + A(" » était endommagé. ") +
             TexteDommages(bilan) +
             A(" Les définitions lisibles ont été gardées et complétées par les définitions par "
               "défaut. L'ancien fichier a été conservé sous le nom « ") +
             ExtraitNomFichier(copie) + A(" »."));
    return;
  }
  if (ajoutes > 0 || versionChangee || !bilan.complet || depuisDefaut) Sauvegarde();
}

bool TDefChpsCs::Lit(TDefChpsCs& lu, TBilan& bilan) const {
  std::vector<AnsiString> lignes;
  bool sansFin = false;
  if (!LitLignes(fichier_, lignes, sansFin, bilan.utf8) || lignes.empty()) return false;
  // A count line that is missing or not a number is damage, not the end of the reading.
  const bool sansCompte = ATab(lignes[0]);
  const int nombre = sansCompte ? -1 : EntierOuDefaut(lignes[0], -1);
  size_t derniereTab = 0;  // one past the last line holding a TAB
  for (size_t i = 0; i < lignes.size(); ++i)
    if (ATab(lignes[i])) derniereTab = i + 1;

  size_t no = sansCompte ? 0 : 1;
  int nbLignes = 0;
  size_t tabsPrecedents = 0;
  for (; no < lignes.size(); ++no) {
    const AnsiString& ligne = lignes[no];
    if (!ATab(ligne)) {
      // Past the counted lines, or with no definition line after it, it starts the records.
      if (nombre < 0 || nbLignes >= nombre || no + 1 >= derniereTab) break;
      ++nbLignes;
      ++bilan.lignesPerdues;
      continue;
    }
    ++nbLignes;
    const size_t tabs = static_cast<size_t>(std::count(ligne.begin(), ligne.end(), '\t'));
    if (sansFin && no + 1 == lignes.size() && tabs < tabsPrecedents) bilan.derniereCoupee = true;
    tabsPrecedents = tabs;
    if (ControleHorsTab(ligne) || !lu.Creat(lu.liste_, ligne)) ++bilan.lignesPerdues;
  }
  if (lu.liste_.empty()) return false;
  if (nombre > nbLignes) bilan.lignesPerdues += nombre - nbLignes;
  bilan.compteFaux = nombre != nbLignes;

  lu.VersionFichier = "0";  // a file without its version line is of the first version
  bilan.complet = lu.EquivNaissance.Rest(lignes, no) && lu.EquivDeces.Rest(lignes, no) &&
                  lu.EquivUnion.Rest(lignes, no) && lu.EquivDivorce.Rest(lignes, no) &&
                  LitListe(lignes, no, lu.EvenStandardPersonne) &&
                  LitListe(lignes, no, lu.EvenStandardCouple) &&
                  lu.EquivResidence.Rest(lignes, no) && no < lignes.size();
  if (bilan.complet) {
    lu.VersionFichier = RogneAnsi(lignes[no++]);
    bilan.complet =
        LitListe(lignes, no, lu.CategoriesPersonne) && LitListe(lignes, no, lu.CategoriesCouple);
  }
  return true;
}

void TDefChpsCs::ControleEvenementsStandard(TBilan& bilan) {
  // A label no definition bears: a default one gets its definition back (damage when the file
  // held its records: a complete file always holds these definitions), another one is damage of
  // the record itself, which takes its default label back. False: the label is to be dropped.
  const auto controle = [&](AnsiString& libelle, const AnsiString& libelleDefaut) {
    if (libelle.empty() || IsChampExist(libelle)) return true;
    if (const AnsiString* ligne = LigneDefautDe(libelle)) {
      Creat(liste_, *ligne);
      // When lines were lost, the definition was most likely on one of them: already told.
      if (bilan.complet && bilan.lignesPerdues == 0)
        bilan.evenementsEndommages.push_back(libelle + A(" (définition rétablie)"));
      return true;
    }
    const AnsiString ancien = libelle;
    libelle = libelleDefaut;
    if (!libelle.empty() && !IsChampExist(libelle))
      if (const AnsiString* ligne = LigneDefautDe(libelle)) Creat(liste_, *ligne);
    bilan.evenementsEndommages.push_back(
        A("« ") + ancien + A(" » ") +
        (libelle.empty() ? A("retiré") : A("remplacé par ") + libelle));
    return !libelle.empty();
  };
  // The base fields every person has.
  for (const char* base : {"NOM", "PRENOM", "SEXE", "SOSA"}) {
    AnsiString libelle = base;
    controle(libelle, libelle);
  }
  const TDefChpsCs defaut;
  const auto record = [&](TEquivChpCs& e, const TEquivChpCs& d) {
    controle(e.Libelle, d.Libelle);
    controle(e.Compagnon, d.Compagnon);
  };
  record(EquivNaissance, defaut.EquivNaissance);
  record(EquivDeces, defaut.EquivDeces);
  record(EquivUnion, defaut.EquivUnion);
  record(EquivDivorce, defaut.EquivDivorce);
  record(EquivResidence, defaut.EquivResidence);
  for (std::vector<AnsiString>* liste : {&EvenStandardPersonne, &EvenStandardCouple})
    std::erase_if(*liste, [&](AnsiString& libelle) { return !controle(libelle, {}); });
}

AnsiString TDefChpsCs::TexteDommages(const TBilan& bilan) const {
  AnsiString texte;
  const auto phrase = [&texte](const AnsiString& p) { texte += (texte.empty() ? "" : " ") + p; };
  if (bilan.lignesPerdues > 0)
    phrase(Pluriel(bilan.lignesPerdues, "ligne de définition n'a pas pu être lue et a été perdue.",
                   "lignes de définition n'ont pas pu être lues et ont été perdues."));
  else if (bilan.compteFaux)
    phrase(A("Le nombre de définitions de la première ligne manque ou ne correspond pas aux "
             "lignes du fichier."));
  if (bilan.derniereCoupee)
    phrase(A("La dernière ligne, incomplète, n'a été lue qu'en partie."));
  if (bilan.utf8)
    phrase(A("Il était enregistré en UTF-8 au lieu de Windows-1252 : ses textes ont été relus "
             "en Windows-1252."));
  if (!bilan.evenementsEndommages.empty()) {
    AnsiString liste;
    for (const AnsiString& e : bilan.evenementsEndommages) liste += (liste.empty() ? "" : ", ") + e;
    phrase(A("Définitions indispensables endommagées : ") + liste + ".");
  }
  return texte;
}

bool TDefChpsCs::Sauvegarde() {
  if (lectureSeule_ || fichier_.empty()) return false;
  std::vector<AnsiString> lignes;
  lignes.push_back(std::to_string(liste_.size()));
  for (const auto& chp : liste_) lignes.push_back(chp->Code());
  EquivNaissance.Sauv(lignes);
  EquivDeces.Sauv(lignes);
  EquivUnion.Sauv(lignes);
  EquivDivorce.Sauv(lignes);
  lignes.push_back(ListeVersLigne(EvenStandardPersonne));
  lignes.push_back(ListeVersLigne(EvenStandardCouple));
  EquivResidence.Sauv(lignes);
  lignes.push_back(RogneAnsi(SansControle(VersionFichier)));
  lignes.push_back(ListeVersLigne(CategoriesPersonne));
  lignes.push_back(ListeVersLigne(CategoriesCouple));
  std::string contenu;
  for (const AnsiString& l : lignes) contenu += l + "\r\n";

  // One rename over the old file: a crash leaves the old definitions or the new.
  const bool ok = EcritFichierAtomique(fichier_, contenu);
  if (!ok) {
    Previent(A("L'enregistrement du fichier des définitions de champs « ") +
             ExtraitNomFichier(fichier_) + A(" » a échoué."));
  }
  return ok;
}

AnsiString TDefChpsCs::CopieDeCote() const {
  for (int i = 0; i < kMaxCopies; ++i) {
    const AnsiString nom = fichier_ + ".copie" + (i ? std::to_string(i) : AnsiString());
    if (FichierExiste(nom)) continue;
    return CopieFichier(fichier_, nom, false) ? nom : AnsiString();
  }
  return {};
}

void TDefChpsCs::Previent(const AnsiString& texte) const {
  // Logged too: a folder opened without an interface must not hide damage.
  AjouteJournal(kJournal, "Définitions des champs : " + AnsiVersUtf8(texte));
  if (iu_) iu_->Message(AnsiVersUnicode(A("Définitions des champs")), AnsiVersUnicode(texte));
}

void TDefChpsCs::ChargeDefaut() {
  liste_.clear();
  for (const AnsiString& ligne : LignesDefaut()) Creat(liste_, ligne);
  CopieBlocs(TDefChpsCs());
}

void TDefChpsCs::CopieBlocs(const TDefChpsCs& source) {
  EquivNaissance = source.EquivNaissance;
  EquivDeces = source.EquivDeces;
  EquivUnion = source.EquivUnion;
  EquivDivorce = source.EquivDivorce;
  EvenStandardPersonne = source.EvenStandardPersonne;
  EvenStandardCouple = source.EvenStandardCouple;
  EquivResidence = source.EquivResidence;
  VersionFichier = source.VersionFichier;
  CategoriesPersonne = source.CategoriesPersonne;
  CategoriesCouple = source.CategoriesCouple;
}

int TDefChpsCs::MiseAJour() { return MiseAJourDepuis(-1); }

int TDefChpsCs::MiseAJourDepuis(int version) {
  int ajoutes = 0;
  for (const AnsiString& ligne : LignesDefaut()) {
    const AnsiString libelle = TChpCs(ligne).LibelleInterne;
    if (VersionIntroduction(libelle) > version && !IsChampExist(libelle) && Creat(liste_, ligne))
      ++ajoutes;
  }
  return ajoutes;
}

// ---- Lists and searches ----

TChpCs* TDefChpsCs::Creat(TListe& liste, std::string_view ligne) {
  auto chp = std::make_unique<TChpCs>(ligne);
  chp->Ensemble.defs = this;
  if (chp->LibelleInterne.empty()) return nullptr;
  for (const auto& existant : liste)
    if (existant->LibelleInterne == chp->LibelleInterne) return nullptr;
  liste.push_back(std::move(chp));
  return liste.back().get();
}

TChpCs* TDefChpsCs::CreatChpCs(std::string_view ligne) { return Creat(liste_, ligne); }
TChpCs* TDefChpsCs::CreatSecondaryChpCs(std::string_view ligne) {
  return Creat(secondaire_, ligne);
}

TChpCs* TDefChpsCs::GetChpCs(int rg) const {
  return rg >= 0 && rg < Count() ? liste_[static_cast<size_t>(rg)].get() : nullptr;
}

TChpCs* TDefChpsCs::GetSecondaryChpCs(int rg) const {
  return rg >= 0 && rg < CountSecondary() ? secondaire_[static_cast<size_t>(rg)].get() : nullptr;
}

TChpCs* TDefChpsCs::RechercheChampsInternePtr(std::string_view libelle) const {
  return GetChpCs(RechercheChampsInterneRg(libelle));
}

int TDefChpsCs::RechercheChampsInterneRg(std::string_view libelle) const {
  for (size_t i = 0; i < liste_.size(); ++i)
    if (liste_[i]->LibelleInterne == libelle) return static_cast<int>(i);
  return -1;
}

TChpCs* TDefChpsCs::RechercheChampsLibelleEcranPtr(std::string_view libelle) const {
  for (const auto& chp : liste_)
    if (chp->IsLibelleEcran(libelle)) return chp.get();
  return nullptr;
}

AnsiString TDefChpsCs::RetourneLibelleEcran(std::string_view libelleInterne) const {
  const TChpCs* chp = RechercheChampsInternePtr(libelleInterne);
  return chp ? chp->LibelleEcran : AnsiString();
}

TChpCs* TDefChpsCs::RetChpCsRgEven(int n) const {
  for (const auto& chp : liste_)
    if (chp->IsEvenement() && n-- == 0) return chp.get();
  return nullptr;
}

TChpCs* TDefChpsCs::RetChpCsRgPerso(int n) const {
  for (const auto& chp : liste_)
    if (chp->IsPerso() && n-- == 0) return chp.get();
  return nullptr;
}

// ---- Standard events ----

bool TDefChpsCs::IsEvenNaissanceUniquement(std::string_view libelle) const {
  return !libelle.empty() && libelle == EquivNaissance.Libelle;
}

bool TDefChpsCs::IsEvenStandard(std::string_view libelle) const {
  return EquivNaissance.Contient(libelle) || EquivDeces.Contient(libelle) ||
         EquivUnion.Contient(libelle) || EquivDivorce.Contient(libelle) ||
         EquivResidence.Contient(libelle) || Contient(EvenStandardPersonne, libelle) ||
         Contient(EvenStandardCouple, libelle);
}

bool TDefChpsCs::IsDateNaissance(const TChpCs* chp, int sousChamp) const {
  return chp && chp->IsEvenement() && IsEvenNaissance(chp->LibelleInterne) &&
         sousChamp == EquivNaissance.SousChampDate;
}

bool TDefChpsCs::IsDateUnion(const TChpCs* chp, int sousChamp) const {
  return chp && chp->IsEvenement() && IsEvenUnion(chp->LibelleInterne) &&
         sousChamp == EquivUnion.SousChampDate;
}

// ---- Labels, equivalences, order ----

AnsiString TDefChpsCs::NouveauLibelleInterne(std::string_view libelle,
                                             const TDefChpsCs* autre) const {
  const AnsiString base(libelle.substr(0, 17));
  for (long long compteur = 0;; ++compteur) {
    AnsiString candidat = base + std::to_string(compteur);
    if (!IsChampExist(candidat) && !(autre && autre->IsChampExist(candidat))) return candidat;
  }
}

int TDefChpsCs::GetEventAssociated(std::string_view libelle, std::vector<AnsiString>& liste,
                                   bool cascade) const {
  const TChpCs* chp = RechercheChampsInternePtr(libelle);
  if (!chp) return 0;
  // Breadth first through the labels this call adds; those the list already held are not
  // followed.
  std::vector<AnsiString> ajoutes;
  const auto ajoute = [&](const TChpCs& c) {
    for (const AnsiString& l : c.GetEquivalences(false))
      if (l != libelle && std::find(liste.begin(), liste.end(), l) == liste.end()) {
        liste.push_back(l);
        ajoutes.push_back(l);
      }
  };
  ajoute(*chp);
  for (size_t i = 0; cascade && i < ajoutes.size(); ++i)
    if (const TChpCs* suivant = RechercheChampsInternePtr(ajoutes[i])) ajoute(*suivant);
  return static_cast<int>(ajoutes.size());
}

AnsiString TDefChpsCs::GetEventIntercalaire(std::string_view libelle) const {
  if (libelle.empty()) return {};
  for (const auto& chp : liste_)
    if (chp->Categorie == libelle) return chp->LibelleEcran;
  return {};
}

void TDefChpsCs::SortChpCs() {
  const auto groupe = [](const TChpCs& chp) {
    if (chp.IsBase()) return 0;
    if (chp.IsEvenement()) return 1;
    if (chp.IsSimple()) return 2;
    if (chp.IsDateGestSys()) return 3;
    return 4;
  };
  std::stable_sort(liste_.begin(), liste_.end(), [&](const auto& a, const auto& b) {
    const int ga = groupe(*a), gb = groupe(*b);
    if (ga != gb) return ga < gb;
    if (ga == 0 || ga == 3) return a->Type < b->Type;
    return CompareSansCasseAnsi(a->LibelleEcran, b->LibelleEcran) < 0;
  });
}

}  // namespace kyb
