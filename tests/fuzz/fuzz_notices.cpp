// Fuzzes the notices file: the bytes given become "Notices/Essai.gnp" of a writable folder. The
// header and every record are read; then numbers are taken and records deleted. A number handed
// out must never be a record that was live, nor be handed out twice.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include "folder/fic_notices.h"
#include "folder/gest_fic.h"
#include "fuzz_commun.h"
#include "platform/fichiers.h"

namespace {

// The folder lives in memory (fuzz_commun.h): contents are checked, not durability.
const std::string& Repertoire() {
  static const std::string rep = kyb::fuzz::Repertoire("notices") + "Essai.kya/";
  static const bool cree = kyb::CreeRepertoires(rep + "Notices/");
  (void)cree;
  return rep;
}

void Verifie(bool condition, const char* quoi, long valeur) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_notices : %s (%ld)\n", quoi, valeur);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  const std::string& rep = Repertoire();
  {
    std::ofstream gnp(rep + "Notices/Essai.gnp", std::ios::binary | std::ios::trunc);
    gnp.write(reinterpret_cast<const char*>(donnees), static_cast<std::streamsize>(taille));
  }
  kyb::TGestFichier dossier(rep + "Essai.adb");
  kyb::TFicNoticesPat fichier(&dossier, false);
  std::set<long> vivantes;
  for (long no = 1; no <= fichier.NbEnreg; ++no) {
    kyb::TNoticesPat notice(&fichier, no);
    (void)notice.TitreComplet();
    if (!notice.Supprime()) vivantes.insert(no);
    notice.LectureCategories(no);
  }
  std::set<long> donnes;
  for (int tour = 0; tour < 8 && !dossier.Erreur; ++tour) {
    kyb::TNoticesPat nouvelle(&fichier, kyb::kEnregCourant);
    const long no = nouvelle.Numero();
    Verifie(vivantes.count(no) == 0, "notice vivante redonnée", no);
    Verifie(donnes.insert(no).second, "numéro donné deux fois", no);
    nouvelle.SetTitre(0, "Fuzz");
    nouvelle.Enregistrement();
    vivantes.insert(no);
    if (tour % 3 == 2) {  // free one again: it may come back, once
      nouvelle.Suppression();
      vivantes.erase(no);
      donnes.erase(no);
    }
  }
  dossier.SetError(false);
  return 0;
}
