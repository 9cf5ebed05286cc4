#include "folder/info_genea.h"

#include "engine/acr_query.h"
#include "platform/fichiers.h"

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
  TACRDatabase base(chemin);
  base.SetReadOnly(true);
  if (!base.Open()) return false;
  const auto compte = [&base](const char* sql) -> long {
    TACRQuery q(base, sql);
    return q.Open() && !q.Eof() ? static_cast<long>(q.Fields(0).AsInt64()) : 0;
  };
  nbPersonnes = std::max(0L, compte("SELECT count(*) From Personnes") -
                                 compte("SELECT count(*) From PersonnesSuppr") - 1);
  TACRQuery q(base, "SELECT Donnees From TabInformations Where Champs = 'Date_Modif_Genea'");
  if (q.Open() && !q.Eof() && GetDateTime(q.Fields(0).AsUnicodeString(), date)) return true;
  if (DateModificationFichier(chemin, date)) return true;
  date = Maintenant();
  return true;
}

}  // namespace kyb
