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
  TFicBase* ancien = fichier_ ? fichier_->Ancien() : nullptr;
  if (!ancien || no < 1 || no > ancien->NbEnreg) return false;
  const TEnregKy e(ancien, no);
  if (ancien->Dossier()->Erreur) return false;
  // TransfertVersPublic: the 8-bit fields into the store's form.
  Public.Id = no;
  Public.IdEven = e.LitEntier32(kEven);
  Public.Rang = e.LitEntier32(kRang);
  Public.Type = AnsiVersUnicode(e.LitTexte(kType, kTailleType));
  Public.Descriptif = AnsiVersUnicode(e.LitTexte(kDescriptif, kTailleDescriptif));
  return true;
}

bool TSource::Lecture(long no) {
  if (no == kEnregCourant) no = Public.Id;
  Public = TSourceBDD();
  Public.Id = no;
  if (!fichier_ || no < 1) return false;
  if (fichier_->Dossier()->IsVersion2009()) return LectureAncien(no);
  TModuleBDD* m = fichier_->Module();
  return m && m->LectureSource(no, Public);
}

bool TSource::Enregistrement(long no) {
  if (no != kEnregCourant) Public.Id = no;
  if (!fichier_ || fichier_->Dossier()->IsReadOnly() || fichier_->Dossier()->Erreur || !fichier_->Module())
    return false;
  return fichier_->Module()->EcritureSource(Public);
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
  TFicBase* ancien = fichier_ ? fichier_->Ancien() : nullptr;
  if (!ancien || no < 1 || no > ancien->NbEnreg) return false;
  const TEnregKy e(ancien, no);
  if (ancien->Dossier()->Erreur) return false;
  Public.Id = no;
  Public.IdEven = e.LitEntier32(kEven);
  Public.Rang = e.LitEntier32(kRang);
  Public.Chemin = e.LitTexte(kChemin, kTailleChemin);
  return true;
}

bool TIllustration::Lecture(long no) {
  if (no == kEnregCourant) no = Public.Id;
  Public = TIllustrationBDD();
  Public.Id = no;
  if (!fichier_ || no < 1) return false;
  if (fichier_->Dossier()->IsVersion2009()) return LectureAncien(no);
  TModuleBDD* m = fichier_->Module();
  return m && m->LectureIllustration(no, Public);
}

bool TIllustration::Enregistrement(long no) {
  if (no != kEnregCourant) Public.Id = no;
  if (!fichier_ || fichier_->Dossier()->IsReadOnly() || fichier_->Dossier()->Erreur || !fichier_->Module())
    return false;
  return fichier_->Module()->EcritureIllustration(Public);
}

AnsiString TIllustration::GetExpandFilename() const {
  const AnsiString chemin = NormaliseChemin(Public.Chemin);
  if (chemin.empty()) return chemin;
  const bool absolu = chemin[0] == '/' || (chemin.size() > 1 && chemin[1] == ':');
  if (absolu || !fichier_) return chemin;
  return fichier_->Dossier()->Repertoire + "Images/" + chemin;
}

}  // namespace kyb
