// Identity, counts, stamps, buffers and store keys of the folder manager.
#include <nettle/md5.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "folder/gest_fic_pers_annexes.h"
#include "store/datamodulebdd.h"

namespace kyb {

AnsiString asStructFilenameNew;

namespace {

constexpr double kMillisParJour = 86400000.0;

// The 16 upper-case hexadecimal digits of the 8 bytes of a double, in memory order.
AnsiString HexaDouble(double valeur) {
  unsigned char octets[sizeof(double)];
  std::memcpy(octets, &valeur, sizeof octets);
  AnsiString texte;
  char tampon[3];
  for (const unsigned char o : octets) {
    std::snprintf(tampon, sizeof tampon, "%02X", o);
    texte += tampon;
  }
  return texte;
}

AnsiString Md5Hexa(const AnsiString& texte) {
  md5_ctx contexte;
  md5_init(&contexte);
  md5_update(&contexte, texte.size(), reinterpret_cast<const uint8_t*>(texte.data()));
  uint8_t condensat[MD5_DIGEST_SIZE];
  md5_digest(&contexte, MD5_DIGEST_SIZE, condensat);
  AnsiString hexa;
  char tampon[3];
  for (const uint8_t o : condensat) {
    std::snprintf(tampon, sizeof tampon, "%02x", o);
    hexa += tampon;
  }
  return hexa;
}

bool Recent(TDateTime moment, unsigned long auteur, unsigned long idThread) {
  if (auteur == 0 || auteur == idThread) return false;
  return std::llround((Maintenant() - moment) * kMillisParJour) <= 1000;
}

}  // namespace

AnsiString TGestFichier::GenereIdGenea() const {
  return HexaDouble(Maintenant()) + MajusculesAnsi(Md5Hexa(FabriqueNomFichier(tfPersonnes)).substr(0, 4));
}

bool TGestFichier::VerifIdPersOk(const AnsiString& idPers) const {
  return !idPers.empty() && !IdGenea.empty() && idPers.find(IdGenea) != AnsiString::npos;
}

long TGestFichier::NombreEnregistrementsPersonnes() const {
  if (FicPersons) return FicPersons->NbEnreg;
  return ModuleBDD && ModuleBDD->Connecte() ? ModuleBDD->GetMaxNoPers() : 0;
}

long TGestFichier::NombrePersonnes(bool) const {
  if (Erreur) return 0;
  if (FicPersons && FicPersons->Fichier())
    return FicPersons->NbEnreg - (FicPersSuppr ? FicPersSuppr->GetNbPersSuppr() : 0);
  if (!ModuleBDD || !ModuleBDD->Connecte()) return 0;
  return ModuleBDD->CountPerson();
}

void TGestFichier::GetDateFile(TDateTime& date, TDateTime& heure) const {
  date = heure = 0;
  if (!ModuleBDD || !ModuleBDD->Connecte()) return;
  const AnsiString texte = UnicodeVersAnsi(ModuleBDD->GetInfoChps("Date_Modif_Genea", u""));
  const auto valeur = LitDateHeure(texte, "dd/mm/yyyy hh:mm:ss");
  const auto jour = valeur ? valeur : LitDateHeure(texte, "dd/mm/yyyy");
  if (!jour) return;
  date = std::trunc(*jour);
  heure = std::fabs(*jour - date);
}

void TGestFichier::MarqueEcriture(unsigned long idThread) {
  DateEcriture = Maintenant();
  NoThreadEcriture = idThread;
}

void TGestFichier::MarqueLecture(unsigned long idThread) {
  DateLecture = Maintenant();
  NoThreadLecture = idThread;
}

bool TGestFichier::CheckIfIsWriting(unsigned long idThread) const {
  return Recent(DateEcriture, NoThreadEcriture, idThread);
}

bool TGestFichier::CheckIfIsReading(unsigned long idThread) const {
  return Recent(DateLecture, NoThreadLecture, idThread);
}

void TGestFichier::StartBufferChamps() {
  if (!bufferChamps_) bufferChamps_ = std::make_unique<TGestBufferChamps>();
}

void TGestFichier::StopBufferChamps() { bufferChamps_.reset(); }

long TGestFichier::GetIDEventMax() const { return ModuleBDD ? ModuleBDD->GetIDEventMax() : 0; }
bool TGestFichier::ShiftIDEvent(long minimum) { return ModuleBDD && ModuleBDD->ShiftIDEvent(minimum); }
bool TGestFichier::IsIdEventExistBDD(long id) const { return ModuleBDD && ModuleBDD->IsIdEventExistBDD(id); }
bool TGestFichier::EvenChangeNoPersA(long ancien, long nouveau) {
  return ModuleBDD && ModuleBDD->EvenChangeNoPersA(ancien, nouveau);
}
bool TGestFichier::EvenChangeID(long ancien, long nouveau) {
  return ModuleBDD && ModuleBDD->EvenChangeID(ancien, nouveau);
}
bool TGestFichier::IsIDevenAssocieNoPers(long id, long noPers) const {
  return ModuleBDD && ModuleBDD->IsIDevenAssocieNoPers(id, noPers);
}
bool TGestFichier::IsIDPersExists(long noPers) const { return ModuleBDD && ModuleBDD->IsIDPersExists(noPers); }

int TGestFichier::GetStateDistCum() const {
  long long v = 0;
  return ModuleBDD && TexteVersEntier(ModuleBDD->GetInfoChps("DCUM_STATE"), v) ? static_cast<int>(v) : 0;
}

void TGestFichier::SetStateCum(int etat) {
  if (ModuleBDD) ModuleBDD->MAJInfoChps("DCUM_STATE", AnsiVersUnicode(std::to_string(etat)));
}

long TGestFichier::GetNoFicheDsitCaum() const {
  long long v = 0;
  return ModuleBDD && TexteVersEntier(ModuleBDD->GetInfoChps("DCUM_VALUE"), v) ? static_cast<long>(v) : 0;
}

void TGestFichier::SetNoFicheDsitCaum(long numero) {
  if (ModuleBDD) ModuleBDD->MAJInfoChps("DCUM_VALUE", AnsiVersUnicode(std::to_string(numero)));
}

}  // namespace kyb
