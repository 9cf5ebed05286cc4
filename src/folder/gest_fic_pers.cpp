#include "folder/gest_fic_pers.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "folder/gest_fic_pers_annexes.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

bool Termine(const std::vector<unsigned char>& d, size_t offset, size_t taille) {
  return std::memchr(d.data() + offset, 0, taille) != nullptr;
}

bool UnParmi(unsigned char c, const char* valeurs) {
  return c == 0 || std::strchr(valeurs, c) != nullptr;
}

UnicodeString TexteTemps(double valeur) {
  char tampon[40];
  std::snprintf(tampon, sizeof tampon, "%.10f", valeur);
  return AnsiVersUnicode(tampon);
}

}  // namespace

// --- TEnregPersonne ---

bool TEnregPersonne::EnregFoireux() const {
  return donnees_.size() < kTailleEnregPersonne || !UnParmi(donnees_[kType], "PT ") ||
         !UnParmi(donnees_[kSupprime], "ON ") || !Termine(donnees_, kNom, kTailleNom) ||
         !Termine(donnees_, kPrenoms, kTaillePrenoms) || LitEntier32(kExtension) < 0;
}

void TEnregPersonne::TransfertVersPublic(TEnregPublic& p) const {
  const auto octet = [this](size_t o) { return static_cast<char>(LitOctet(o)); };
  p.TypePersonne = octet(kType) ? octet(kType) : ' ';
  p.FicheSupprimee = octet(kSupprime) ? octet(kSupprime) : ' ';
  p.Sexe = octet(kSexe) == 'M' || octet(kSexe) == 'F' ? octet(kSexe) : '?';
  p.OrdrePU = LitOctet(kOrdrePU);
  p.Pere.Lit(donnees_.data() + kPere);
  p.Mere.Lit(donnees_.data() + kMere);
  for (int i = 0; i < kConjointsFichier; ++i)
    p.Conjoints[static_cast<size_t>(i)].Lit(donnees_.data() + kConjoints + i * TLienConj::kTailleDisque);
  for (int i = 0; i < kEnfantsFichier; ++i)
    p.Enfants[static_cast<size_t>(i)].Lit(donnees_.data() + kEnfants + i * TLienPers::kTailleDisque);
  p.Nom = AnsiVersUnicode(LitTexte(kNom, kTailleNom)).substr(0, kLongueurNom);
  p.Prenoms = AnsiVersUnicode(LitTexte(kPrenoms, kTaillePrenoms)).substr(0, kLongueurPrenoms);
  for (int i = 0; i < kMaxIndexPers; ++i) p.IndexPers[static_cast<size_t>(i)] = LitEntier32(kIndex + 4 * i);
  p.Note = LitEntier32(kNote);
  p.NoExtension = LitEntier32(kExtension);
  p.Autres[0] = LitEntier32(kAutres);
  p.Autres[1] = LitEntier32(kAutres + 4);
}

void TEnregPersonne::TransfertDepuisPublic(const TEnregPublic& p) {
  Vide();
  EcritOctet(kType, static_cast<unsigned char>(p.TypePersonne));
  EcritOctet(kSupprime, static_cast<unsigned char>(p.FicheSupprimee));
  EcritOctet(kSexe, static_cast<unsigned char>(p.Sexe));
  EcritOctet(kOrdrePU, p.OrdrePU);
  p.Pere.Ecrit(donnees_.data() + kPere);
  p.Mere.Ecrit(donnees_.data() + kMere);
  for (int i = 0; i < kConjointsFichier; ++i)
    p.Conjoints[static_cast<size_t>(i)].Ecrit(donnees_.data() + kConjoints + i * TLienConj::kTailleDisque);
  for (int i = 0; i < kEnfantsFichier; ++i)
    p.Enfants[static_cast<size_t>(i)].Ecrit(donnees_.data() + kEnfants + i * TLienPers::kTailleDisque);
  EcritTexte(kNom, kTailleNom, UnicodeVersAnsi(p.Nom.substr(0, kLongueurNom)));
  EcritTexte(kPrenoms, kTaillePrenoms, UnicodeVersAnsi(p.Prenoms.substr(0, kLongueurPrenoms)));
  for (int i = 0; i < kMaxIndexPers; ++i) EcritEntier32(kIndex + 4 * i, p.IndexPers[static_cast<size_t>(i)]);
  EcritEntier32(kNote, p.Note);
  EcritEntier32(kExtension, p.NoExtension);
  EcritEntier32(kAutres, p.Autres[0]);
  EcritEntier32(kAutres + 4, p.Autres[1]);
}

// --- TFicPersons ---

TFicPersons::TFicPersons(TGestFichier* dossier, bool creer)
    : dossier_(dossier), ancien_(dossier->IsOldVersion()) {
  if (ancien_) {
    fichier_ = std::make_unique<TFicBase>(dossier_, TGestFichier::tfPersonnes, kTailleEnregPersonne,
                                          "FicPersons", creer);
    fichier_->NbEnreg = 0;
  }
  if (creer) {
    NoPremier = NoSecond = -1;
    dossier_->DateOuverture = dossier_->DateEcriture = Maintenant();
    dossier_->NoThreadEcriture = IdThread();
    EcritureEntete();
  } else if (!ancien_ || fichier_->Valide()) {
    LectureEntete();
  } else {
    dossier_->SetError(true);
  }
}

TFicPersons::~TFicPersons() = default;

TModuleBDD* TFicPersons::Store() const { return dossier_->GetModuleBDD(); }

void TFicPersons::LitTemps(const UnicodeString& texte) {
  TDateTime* cibles[] = {&dossier_->DateOuverture, &dossier_->DateEcriture, &dossier_->DateLecture};
  const AnsiString a = UnicodeVersAnsi(texte);
  size_t debut = 0;
  for (TDateTime* cible : cibles) {
    const size_t fin = std::min(a.find('$', debut), a.size());
    const std::string morceau = a.substr(debut, fin - debut);
    char* reste = nullptr;
    const double v = std::strtod(morceau.c_str(), &reste);
    if (!morceau.empty() && reste && *reste == 0) *cible = v;
    if (fin >= a.size()) break;
    debut = fin + 1;
  }
}

void TFicPersons::LectureEntete() {
  NbEnreg = 0;
  TEnregPublic entete;
  if (ancien_) {
    TEnregPersonne enreg(fichier_.get());
    if (LitEnreg(kEnregEntete, enreg)) enreg.TransfertVersPublic(entete);
    NbEnreg = entete.Pere.No;
    // A header claiming more records than the file holds is brought back to the file.
    const long dansFichier = static_cast<long>(fichier_->TailleFichier() / static_cast<int64_t>(kTailleEnregPersonne)) - 1;
    if (NbEnreg > dansFichier) NbEnreg = dansFichier;
  } else if (TModuleBDD* m = Store()) {
    if (!m->ReadPerson(entete, kEnregEntete)) entete.Raz();
    NbEnreg = m->GetMaxNoPers();
  }
  NoPremier = entete.Mere.No;
  NoSecond = entete.Conjoints[0].Lien.No;
  NoTroisieme = entete.Enfants[0].No;
  TexteDossier = entete.Nom;
  LitTemps(entete.Prenoms);
  EntierDossier1 = entete.Note;
  EntierDossier2 = entete.Autres[0];
  if (NbEnreg < 1) {
    if (ancien_) NbEnreg = static_cast<long>(fichier_->TailleFichier() / static_cast<int64_t>(kTailleEnregPersonne)) - 1;
    else if (Store()) NbEnreg = Store()->GetMaxNoPers();
  }
  if (NbEnreg < 1) {
    NbEnreg = 0;
    dossier_->SetError(true);
    return;
  }
  if (ancien_) fichier_->NbEnreg = NbEnreg;
  if (NoPremier == 0) NoPremier = 1;
  if (NoSecond < 1 || NoSecond > NbEnreg) NoSecond = NoPremier;
  if (NoTroisieme < 1 || NoTroisieme > NbEnreg) NoTroisieme = NoPremier;
  EcritureEntete();
}

TEnregPublic TFicPersons::Entete() const {
  TEnregPublic e;
  e.Pere = static_cast<int32_t>(NbEnreg);
  e.Mere = static_cast<int32_t>(NoPremier);
  e.Conjoints[0].Lien = static_cast<int32_t>(NoSecond);
  e.Enfants[0] = static_cast<int32_t>(NoTroisieme);
  e.Nom = TexteDossier.substr(0, kLongueurNom);
  e.Prenoms = TexteTemps(dossier_->DateOuverture) + u"$" + TexteTemps(dossier_->DateEcriture) + u"$" +
              TexteTemps(dossier_->DateLecture) + u"$" +
              AnsiVersUnicode(std::to_string(dossier_->NoThreadEcriture));
  e.Note = EntierDossier1;
  e.Autres[0] = EntierDossier2;
  return e;
}

void TFicPersons::EcritureEntete() {
  if (dossier_->IsReadOnly() || dossier_->Erreur) return;
  if (ancien_) {
    TEnregPersonne enreg(fichier_.get());
    enreg.TransfertDepuisPublic(Entete());
    EcritEnreg(kEnregEntete, enreg);
  } else if (TModuleBDD* m = Store()) {
    (void)m->WritePerson(Entete(), kEnregEntete);
  }
}

long TFicPersons::ReturnNewNum() {
  if (ancien_) {
    ++NbEnreg;
    fichier_->NbEnreg = NbEnreg;
    EcritureEntete();
    return NbEnreg;
  }
  TModuleBDD* m = Store();
  const long numero = m ? m->InsertPerson() : 0;
  if (numero <= 0) return 0;
  // The store never hands out a number twice; it may skip some.
  NbEnreg = std::max(NbEnreg + 1, numero);
  ++NbAjouts;
  return numero;
}

bool TFicPersons::IsNoPersOk(long no) {
  if (no < 1 || no > NbEnreg) return false;
  if (!ancien_) return Store() && !Store()->PersonDeleted(no);
  TEnregPersonne enreg(fichier_.get());
  return LitEnreg(no, enreg) && !enreg.EnregFoireux() && enreg.LitOctet(TEnregPersonne::kSupprime) != 'O';
}

int32_t TFicPersons::GetHashCode(const UnicodeString& s) {
  uint32_t somme = 0;
  for (size_t i = 1; i < s.size(); ++i) somme += static_cast<uint32_t>(s[i - 1]) * static_cast<uint32_t>(i);
  return static_cast<int32_t>(somme);
}

bool TFicPersons::GetFileDateAndTime(TDateTime& date) {
  if (!ancien_ || !fichier_->Valide()) return false;
  fichier_->Flush();
  return DateModificationFichier(fichier_->Chemin(), date);
}

void TFicPersons::VideBufferPerson() {
  if (cache_) cache_ = cache_->Recree();
}

void TFicPersons::Flush() {
  if (fichier_) fichier_->Flush();
}

bool TFicPersons::LitEnreg(long no, TEnregPersonne& enreg) {
  enreg.Vide();
  if (!fichier_ || !fichier_->Valide() || dossier_->Erreur) return false;
  if (no != kEnregEntete && (no < 1 || no > NbEnreg)) return false;
  if (enreg.Donnees().size() != kTailleEnregPersonne) enreg.Donnees().assign(kTailleEnregPersonne, 0);
  fichier_->LitEnreg(no, enreg.Donnees().data());
  return !dossier_->Erreur;
}

bool TFicPersons::EcritEnreg(long no, const TEnregPersonne& enreg) {
  if (!fichier_ || dossier_->IsReadOnly() || dossier_->Erreur) return false;
  if (no != kEnregEntete && (no < 1 || no > NbEnreg)) return false;
  if (enreg.Donnees().size() != kTailleEnregPersonne) return false;
  fichier_->NbEnreg = NbEnreg;
  fichier_->EcritEnreg(no, enreg.Donnees().data());
  return !dossier_->Erreur;
}

}  // namespace kyb
