// What killed operations leave in and beside a genealogy folder, removed at the next writable
// opening.
#include <string>

#include "folder/gest_fic.h"
#include "folder/maintenance_dossier.h"
#include "folder/securite_dossier.h"
#include "platform/arborescence.h"
#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"
#include "platform/journal.h"

namespace kyb {
namespace {

// The first line of a file (at most 64 bytes); empty when unreadable.
AnsiString PremiereLigne(const AnsiString& chemin) {
  const TFichier f = TFichier::Ouvre(chemin, TAcces::Lecture, TCreation::Existant);
  char octets[64] = {};
  const int64_t lus = f.Valide() ? f.LitA(0, octets, sizeof octets) : -1;
  if (lus <= 0) return {};
  const AnsiString texte(octets, static_cast<size_t>(lus));
  return texte.substr(0, texte.find_first_of("\r\n"));
}

// A directory a rename set aside: "<name>.<ext>.supprime" or "<name>.<ext>.supprime.N".
bool EstMisDeCote(const AnsiString& nom) {
  const AnsiString suffixe = kSuffixeSupprime;
  const size_t p = nom.rfind(suffixe);
  if (p == AnsiString::npos || p == 0) return false;
  const AnsiString reste = nom.substr(p + suffixe.size());
  if (reste.empty()) return true;
  return reste.size() > 1 && reste[0] == '.' && reste.find_first_not_of("0123456789", 1) == AnsiString::npos;
}

}  // namespace

std::vector<AnsiString> NettoieRestes(const TGestFichier& dossier) {
  std::vector<AnsiString> retires;
  if (dossier.IsReadOnly() || !dossier.VerrouEcriture.Tenu()) return retires;
  const auto retire = [&](const AnsiString& chemin, bool repertoire, const char* quoi) {
    if (!(repertoire ? SupprimeArborescence(chemin) : SupprimeFichier(chemin))) return;
    retires.push_back(chemin);
    AjouteJournal("LogBDD", std::string(quoi) + " retiré à l'ouverture : " + AnsiVersUtf8(chemin));
  };
  // The temporary of a backup (or copy) cut short: the copy it was to replace is whole.
  for (const char* motif : {"*.adb.tmp", "*.sst.tmp"})
    for (const AnsiString& f : ListeFichiers(dossier.Repertoire, motif))
      retire(dossier.Repertoire + f, false, "Fichier temporaire d'une écriture interrompue");
  // The old name of a rename cut after the new folder took its place: the same files under
  // another name, recognised by the genealogy's identifier; removing it ends the rename.
  const AnsiString moi = SansSeparateurFinal(dossier.Repertoire);
  const AnsiString parent = ExtraitRepertoire(moi);
  if (dossier.IdGenea.empty()) return retires;
  for (const AnsiString& r : ListeRepertoires(parent)) {
    const AnsiString chemin = parent + r;
    if (!EstMisDeCote(r) || chemin == moi) continue;
    const AnsiString id = PremiereLigne(AvecSeparateurFinal(chemin) + "lienidpers.cpt");
    if (id == dossier.IdGenea) retire(chemin, true, "Dossier mis de côté par un renommage interrompu");
  }
  if (!retires.empty()) (void)SynchroniseRepertoire(parent);
  return retires;
}

}  // namespace kyb
