#include "fields/csdefchps.h"

#include <algorithm>

#include "fields/csdefaut.h"
#include "fields/csstruct_interne.h"
#include "platform/fichiers.h"

namespace kyb {

using namespace csinterne;

namespace {

constexpr int64_t kTailleMaxFichier = 16 * 1024 * 1024;
constexpr int kMaxCopies = 1000;

// The file as lines, CR LF or LF; false when it cannot be read whole. coupe: the last line has
// no line end (the file was cut while being written); it is left out.
bool LitLignes(const AnsiString& fichier, std::vector<AnsiString>& lignes, bool& coupe) {
  const int64_t taille = TailleFichier(fichier);
  if (taille <= 0 || taille > kTailleMaxFichier) return false;
  const TFichier f = TFichier::Ouvre(fichier, TAcces::Lecture, TCreation::Existant);
  if (!f) return false;
  std::string contenu(static_cast<size_t>(taille), '\0');
  if (f.LitA(0, contenu.data(), contenu.size()) != taille) return false;
  for (std::string_view ligne : Decoupe(contenu, '\n')) {
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    lignes.emplace_back(ligne);
  }
  coupe = !lignes.empty() && !lignes.back().empty();
  lignes.pop_back();  // after the last line end, or the cut line
  return true;
}

bool ControleHorsTab(std::string_view ligne) {
  return std::any_of(ligne.begin(), ligne.end(), [](char c) {
    return c != '\t' && (static_cast<unsigned char>(c) < 0x20 || c == 0x7F);
  });
}

AnsiString ListeVersLigne(const std::vector<AnsiString>& items) {
  std::vector<AnsiString> propres;
  for (const AnsiString& item : items) {
    AnsiString p = SansControle(RogneAnsi(item));
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
  lignes.push_back(SansControle(Libelle));
  lignes.push_back(SansControle(Compagnon));
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
  bool pertes = false, complet = false;
  if (!Lit(lu, pertes, complet)) {
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
  CopieBlocs(lu);
  etat_ = depuisDefaut ? etCree : etCharge;
  const int ajoutes = MiseAJour();

  if (pertes) {
    const AnsiString nom = ExtraitNomFichier(fichier_);
    const AnsiString copie = lectureSeule_ ? AnsiString() : CopieDeCote();
    if (copie.empty()) {
      lectureSeule_ = true;
      Previent(A("Le fichier des définitions de champs « ") + nom +
               A(" » est endommagé : une partie des définitions n'a pas pu être lue. Il n'a pas "
                 "été modifié."));
      return;
    }
    etat_ = etRepare;
    Sauvegarde();
    Previent(A("Le fichier des définitions de champs « ") + nom +
             A(" » était endommagé : les définitions lisibles ont été gardées et complétées par "
               "les définitions par défaut. L'ancien fichier a été conservé sous le nom « ") +
             ExtraitNomFichier(copie) + A(" »."));
    return;
  }
  if (ajoutes > 0 || !complet || depuisDefaut) Sauvegarde();
}

bool TDefChpsCs::Lit(TDefChpsCs& lu, bool& pertes, bool& complet) const {
  std::vector<AnsiString> lignes;
  bool coupe = false;
  if (!LitLignes(fichier_, lignes, coupe) || lignes.empty()) return false;
  if (coupe) pertes = true;
  // A count line that is missing or not a number is a loss, not the end of the reading.
  const int nombre = EntierOuDefaut(lignes[0], -1);
  size_t no = lignes[0].find('\t') == AnsiString::npos ? 1 : 0;
  if (nombre < 0) pertes = true;
  int nbLignes = 0;
  for (; no < lignes.size() && lignes[no].find('\t') != AnsiString::npos; ++no) {
    ++nbLignes;
    if (ControleHorsTab(lignes[no]) || !Creat(lu.liste_, lignes[no])) pertes = true;
  }
  if (lu.liste_.empty()) return false;
  if (nbLignes != nombre) pertes = true;
  complet = lu.EquivNaissance.Rest(lignes, no) && lu.EquivDeces.Rest(lignes, no) &&
            lu.EquivUnion.Rest(lignes, no) && lu.EquivDivorce.Rest(lignes, no) &&
            LitListe(lignes, no, lu.EvenStandardPersonne) &&
            LitListe(lignes, no, lu.EvenStandardCouple) && lu.EquivResidence.Rest(lignes, no) &&
            no < lignes.size();
  if (complet) {
    lu.VersionFichier = RogneAnsi(lignes[no++]);
    complet =
        LitListe(lignes, no, lu.CategoriesPersonne) && LitListe(lignes, no, lu.CategoriesCouple);
  }
  return true;
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
  lignes.push_back(SansControle(VersionFichier));
  lignes.push_back(ListeVersLigne(CategoriesPersonne));
  lignes.push_back(ListeVersLigne(CategoriesCouple));
  std::string contenu;
  for (const AnsiString& l : lignes) contenu += l + "\r\n";

  const AnsiString temporaire = fichier_ + ".tmp";
  const AnsiString ancien = fichier_ + ".bak";
  bool ok = false;
  {
    TFichier f = TFichier::Ouvre(temporaire, TAcces::LectureEcriture, TCreation::Ecrase);
    ok = f && f.EcritA(0, contenu.data(), contenu.size()) == static_cast<int64_t>(contenu.size()) &&
         f.Synchronise();
  }
  if (ok) {
    if (FichierExiste(fichier_)) {
      // The old file is set aside until the new one has its name.
      SupprimeFichier(ancien);
      ok = RenommeFichier(fichier_, ancien);
      if (ok && !RenommeFichier(temporaire, fichier_)) {
        ok = false;
        (void)RenommeFichier(ancien, fichier_);
      }
      if (ok) SupprimeFichier(ancien);
    } else {
      ok = RenommeFichier(temporaire, fichier_);
    }
  }
  if (!ok) {
    SupprimeFichier(temporaire);
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

int TDefChpsCs::MiseAJour() {
  int ajoutes = 0;
  for (const AnsiString& ligne : LignesDefaut())
    if (!IsChampExist(TChpCs(ligne).LibelleInterne) && Creat(liste_, ligne)) ++ajoutes;
  return ajoutes;
}

// ---- Lists and searches ----

TChpCs* TDefChpsCs::Creat(TListe& liste, std::string_view ligne) {
  auto chp = std::make_unique<TChpCs>(ligne);
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
  int ajoutes = 0;
  for (const AnsiString& l : chp->GetEquivalences(cascade, this))
    if (std::find(liste.begin(), liste.end(), l) == liste.end()) {
      liste.push_back(l);
      ++ajoutes;
    }
  return ajoutes;
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
