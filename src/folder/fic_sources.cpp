#include "folder/fic_sources.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "store/datamodulebdd.h"

namespace kyb {
namespace {

// A legacy record file of a 2009 folder, read only; its count within the records present.
class TFicAncien : public TFicBase {
 public:
  TFicAncien(TGestFichier* dossier, TGestFichier::TTypeFichier type, size_t taille, const char* nomCourt,
             size_t positionTexte)
      : TFicBase(dossier, type, taille, nomCourt, false, false, false), positionTexte_(positionTexte) {
    if (Valide()) LectureEntete();
  }

  // positionTexte_ 0: int32 count at offset 0; otherwise a decimal text at that offset.
  void LectureEntete() override {
    NbEnreg = 0;
    const int64_t taille = TailleFichier();
    if (taille < static_cast<int64_t>(TailleEnreg())) return;
    std::vector<char> entete(TailleEnreg());
    if (!LitEntete(entete.data())) return;
    long compte = 0;
    if (positionTexte_ == 0) {
      int32_t n = 0;
      std::memcpy(&n, entete.data(), sizeof n);
      compte = n;
    } else {
      const char* debut = entete.data() + positionTexte_;
      const char* fin = debut + strnlen(debut, TailleEnreg() - positionTexte_);
      (void)std::from_chars(debut, fin, compte);
    }
    const long presents = static_cast<long>(taille / static_cast<int64_t>(TailleEnreg())) - 1;
    NbEnreg = std::clamp(compte, 0L, presents);
  }
  void EcritureEntete() override {}  // never written

 private:
  size_t positionTexte_;
};

// The record no of a reference file of a 2009 folder: its event and rank into pub, the rest by
// remplit. False when out of the file or unreadable.
template <class TPublic, class FRemplit>
bool LitAncienne(const TFicReferencesEven* fichier, long no, size_t posEven, size_t posRang, TPublic& pub,
                 FRemplit remplit) {
  TFicBase* ancien = fichier ? fichier->Ancien() : nullptr;
  if (!ancien || no < 1 || no > ancien->NbEnreg) return false;
  const TEnregKy e(ancien, no);
  if (ancien->Dossier()->Erreur) return false;
  pub.Id = no;
  pub.IdEven = e.LitEntier32(posEven);
  pub.Rang = e.LitEntier32(posRang);
  remplit(e);
  return true;
}

// Reads record no (kEnregCourant: pub's own) into an emptied pub: the legacy record of a 2009
// folder through ancienne, else the store's row through depuisStore.
template <class TPublic, class FAncienne, class FStore>
bool LitReference(const TFicReferencesEven* fichier, long no, TPublic& pub, FAncienne ancienne, FStore depuisStore) {
  if (no == kEnregCourant) no = pub.Id;
  pub = TPublic();
  pub.Id = no;
  if (!fichier || no < 1) return false;
  if (fichier->Dossier()->IsVersion2009()) return ancienne(no);
  TModuleBDD* m = fichier->Module();
  return m && depuisStore(*m, no, pub);
}

// Writes pub through the store, never in a read-only folder or one in error.
template <class TPublic, class FStore>
bool EcritReference(const TFicReferencesEven* fichier, long no, TPublic& pub, FStore versStore) {
  if (no != kEnregCourant) pub.Id = no;
  if (!fichier || fichier->Dossier()->IsReadOnly() || fichier->Dossier()->Erreur || !fichier->Module())
    return false;
  return versStore(*fichier->Module(), pub);
}

}  // namespace

TFicReferencesEven::TFicReferencesEven(TGestFichier* dossier, TGestFichier::TTypeFichier type,
                                       size_t tailleAncien, const char* nomCourt)
    : dossier_(dossier) {
  if (!dossier_->IsVersion2009() || !FichierExiste(dossier_->FabriqueNomFichier(type))) return;
  const size_t positionTexte = type == TGestFichier::tfIllustrations ? TIllustration::kChemin : 0;
  ancien_ = std::make_unique<TFicAncien>(dossier_, type, tailleAncien, nomCourt, positionTexte);
}

TModuleBDD* TFicReferencesEven::Module() const { return dossier_->GetModuleBDD(); }

long TFicReferencesEven::GetNbEnreg() const {
  if (dossier_->IsVersion2009()) return ancien_ ? ancien_->NbEnreg : 0;
  return Module() ? static_cast<long>(Module()->NombreLignes(Table())) : 0;
}

void TFicReferencesEven::AnnuleSiInconnu(long& no, int* compte) const {
  if (no == 0 || NoValide(no)) return;
  no = 0;
  if (compte) ++*compte;
}

// --- sources ---

TFicSources::TFicSources(TGestFichier* dossier)
    : TFicReferencesEven(dossier, TGestFichier::tfSources, kTailleAncien, "FicSource") {}

long TFicSources::ReturnNewNum() const { return Module() ? Module()->ReturnNewNumSource() : 0; }

bool TFicSources::NoSourceValide(long no) const { return Module() && Module()->NoSourceExists(no); }

void TFicSources::PreProcessSearch() const {
  if (Module()) Module()->BeginParcoursSources();
}

bool TFicSources::GetSourceParcours(TSourceBDD& source) const {
  return Module() && Module()->GetSourceParcours(source);
}

void TFicSources::PostProcessSearch() const {
  if (Module()) Module()->EndParcoursSources();
}

TSource::TSource(TFicSources* fichier, long no) : fichier_(fichier) {
  if (no > 0) (void)Lecture(no);
}

bool TSource::LectureAncien(long no) {
  // TransfertVersPublic: the 8-bit fields into the store's form.
  return LitAncienne(fichier_, no, kEven, kRang, Public, [this](const TEnregKy& e) {
    Public.Type = AnsiVersUnicode(e.LitTexte(kType, kTailleType));
    Public.Descriptif = AnsiVersUnicode(e.LitTexte(kDescriptif, kTailleDescriptif));
  });
}

bool TSource::Lecture(long no) {
  return LitReference(
      fichier_, no, Public, [this](long n) { return LectureAncien(n); },
      [](TModuleBDD& m, long n, TSourceBDD& p) { return m.LectureSource(n, p); });
}

bool TSource::Enregistrement(long no) {
  return EcritReference(fichier_, no, Public, [](TModuleBDD& m, TSourceBDD& p) { return m.EcritureSource(p); });
}

// --- illustrations ---

TFicIllustrations::TFicIllustrations(TGestFichier* dossier)
    : TFicReferencesEven(dossier, TGestFichier::tfIllustrations, kTailleAncien, "FicIllustration") {}

long TFicIllustrations::ReturnNewNum() const { return Module() ? Module()->ReturnNewNumIllustration() : 0; }

bool TFicIllustrations::NoIllustrationValide(long no) const {
  return Module() && Module()->NoIllustrationExists(no);
}

void TFicIllustrations::PreProcessSearch() const {
  if (Module()) Module()->BeginParcoursIllustrations();
}

bool TFicIllustrations::GetIllustrationParcours(TIllustrationBDD& illustration) const {
  return Module() && Module()->GetIllustrationParcours(illustration);
}

void TFicIllustrations::PostProcessSearch() const {
  if (Module()) Module()->EndParcoursIllustrations();
}

TIllustration::TIllustration(TFicIllustrations* fichier, long no) : fichier_(fichier) {
  if (no > 0) (void)Lecture(no);
}

bool TIllustration::LectureAncien(long no) {
  return LitAncienne(fichier_, no, kEven, kRang, Public,
                     [this](const TEnregKy& e) { Public.Chemin = e.LitTexte(kChemin, kTailleChemin); });
}

bool TIllustration::Lecture(long no) {
  return LitReference(
      fichier_, no, Public, [this](long n) { return LectureAncien(n); },
      [](TModuleBDD& m, long n, TIllustrationBDD& p) { return m.LectureIllustration(n, p); });
}

bool TIllustration::Enregistrement(long no) {
  return EcritReference(fichier_, no, Public,
                        [](TModuleBDD& m, TIllustrationBDD& p) { return m.EcritureIllustration(p); });
}

AnsiString TIllustration::GetExpandFilename() const {
  const AnsiString chemin = NormaliseChemin(Public.Chemin);
  if (chemin.empty()) return chemin;
  const bool absolu = chemin[0] == '/' || (chemin.size() > 1 && chemin[1] == ':');
  if (absolu || !fichier_ || !fichier_->Dossier()) return chemin;
  // The folder's images directory: the external one in import mode 4 (and mode 1), else "Images/".
  return fichier_->Dossier()->GetDirImages() + chemin;
}

}  // namespace kyb
