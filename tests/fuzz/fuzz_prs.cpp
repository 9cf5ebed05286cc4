// Fuzzes the reading of a persons file of an older folder: the bytes given become "Ancien.prs"
// (with an empty deleted-persons file), the file is opened read-only through a bare folder
// manager and every record is read back into a public record.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "folder/gest_fic_pers_annexes.h"
#include "platform/fichiers.h"

namespace {

const std::string& Repertoire() {
  static const std::string rep = "/tmp/kyb-fuzz-prs-" + std::to_string(getpid()) + "/Ancien.kya/";
  static const bool cree = kyb::CreeRepertoires(rep);
  (void)cree;
  return rep;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  const std::string& rep = Repertoire();
  {
    std::ofstream prs(rep + "Ancien.prs", std::ios::binary | std::ios::trunc);
    prs.write(reinterpret_cast<const char*>(donnees), static_cast<std::streamsize>(taille));
    std::ofstream psu(rep + "Ancien.psu", std::ios::binary | std::ios::trunc);
    psu.write(reinterpret_cast<const char*>(donnees), static_cast<std::streamsize>(taille < 16 ? taille : 16));
  }
  kyb::TGestFichier dossier(rep + "Ancien.adb", true, true);
  kyb::TFicPersons fichier(&dossier, false);
  kyb::TFicPersSuppr supprimees(&dossier, false);
  const long n = fichier.NbEnreg < 5000 ? fichier.NbEnreg : 5000;
  for (long no = -2; no <= n + 1; ++no) {
    kyb::TEnregPersonne enreg;
    if (!fichier.LitEnreg(no, enreg)) continue;
    kyb::TEnregPublic p;
    enreg.TransfertVersPublic(p);
    (void)fichier.IsNoPersOk(no);
  }
  (void)supprimees.GetNbPersSuppr();
  dossier.SetError(false);
  return 0;
}
