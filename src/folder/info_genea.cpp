#include "folder/info_genea.h"

#include "platform/fichiers.h"
#include "store/datamodulebdd.h"

namespace kyb {

bool GetDateTime(const UnicodeString& texte, TDateTime& resultat) {
  static const char* const kFormats[] = {"dd/mm/yyyy", "yyyy/mm/dd", "dd-mm-yyyy",
                                         "yyyy-mm-dd", "dd.mm.yyyy", "yyyy.mm.dd"};
  const AnsiString t = Rogne(UnicodeVersAnsi(texte));
  for (const char* format : kFormats) {
    // With the time, or the date alone.
    auto valeur = LitDateHeure(t, std::string(format) + " hh:mm:ss");
    if (!valeur) valeur = LitDateHeure(t, format);
    if (valeur) {
      resultat = *valeur;
      return true;
    }
  }
  return false;
}

bool GetInfoFileGenea(const UnicodeString& cheminAdb, TDateTime& date, long& nbPersonnes) {
  const AnsiString chemin = UnicodeVersAnsi(cheminAdb);
  const AnsiString ecarte = ChangeExtension(chemin, ".~adb");
  if (!FichierExiste(chemin) && FichierExiste(ecarte)) (void)RenommeFichier(ecarte, chemin);
  if (!FichierExiste(chemin)) return false;
  TResumeBDD resume;
  if (!TModuleBDD::LitResume(chemin, resume)) return false;
  nbPersonnes = resume.nbPersonnes;
  if (GetDateTime(resume.dateModif, date)) return true;
  if (DateModificationFichier(chemin, date)) return true;
  date = Maintenant();
  return true;
}

}  // namespace kyb
