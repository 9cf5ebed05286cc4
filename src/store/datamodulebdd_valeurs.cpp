// Values already typed in events and their lists: for the value dictionaries, range look-ups on
// the index ParLibEtDonnee (LibelleChamps, _DONNEE, NoPersA), never a walk of the table; for the
// pickers, the distinct values of a column in ascending order.
#include "store/datamodulebdd_lieux_interne.h"

namespace kyb {
namespace {

constexpr size_t kLgCleDonnee = 20;

// The search key of a datum as the events store it: trimmed, its first 20 characters.
UnicodeString CleDonnee(const UnicodeString& donnee) {
  const UnicodeString t = Rogne(donnee);
  return t.substr(0, std::min(t.size(), kLgCleDonnee));
}

}  // namespace

std::vector<UnicodeString> TValeursBDD::RechercheDonneesEvent(const AnsiString& libelle, const UnicodeString& debut,
                                                             int maximum) {
  std::vector<UnicodeString> valeurs;
  if (!Table("Evenements")) return valeurs;
  const UnicodeString cle = CleDonnee(debut);
  std::string sql =
      "SELECT Donnee FROM Evenements WHERE LibelleChamps = :lib AND _DONNEE >= :debut AND _DONNEE < :fin "
      "GROUP BY Donnee ORDER BY min(_DONNEE), Donnee";
  if (maximum > 0) sql += " LIMIT " + std::to_string(maximum);
  TACRQuery q(*base_, sql);
  q.SetParamAnsi("lib", libelle);
  q.SetParamUnicode("debut", cle);
  q.SetParamUnicode("fin", cle + u'\uFFFF');
  if (!q.Open()) return valeurs;
  for (; !q.Eof(); q.Next()) valeurs.push_back(q.Fields(0).AsUnicodeString());
  return valeurs;
}

bool TValeursBDD::DonneeEventExiste(const AnsiString& libelle, const UnicodeString& donnee) {
  if (!Table("Evenements") || Rogne(donnee).empty()) return false;
  TACRQuery q(*base_,
              "SELECT 1 FROM Evenements WHERE LibelleChamps = :lib AND _DONNEE = :cle AND Donnee = :donnee LIMIT 1");
  q.SetParamAnsi("lib", libelle);
  q.SetParamUnicode("cle", CleDonnee(donnee));
  q.SetParamUnicode("donnee", donnee);
  return q.Open() && !q.Eof();
}

std::vector<UnicodeString> TValeursBDD::GetListDonneeEvent(const AnsiString& libelle) {
  return coeur_.ListeTextes("SELECT Distinct Donnee From Evenements Where LibelleChamps = :p Order By Donnee",
                     AnsiVersUnicode(libelle));
}

std::vector<UnicodeString> TValeursBDD::GetListLieuDitEvent() {
  return coeur_.ListeTextes("SELECT Distinct LieuDit From Evenements Order By LieuDit");
}

std::vector<long> TValeursBDD::GetListIdLieuEvent() {
  return coeur_.ListeNombres("SELECT Distinct Lieu From Evenements Order By Lieu");
}

std::vector<UnicodeString> TValeursBDD::GetListDescrSources() {
  return coeur_.ListeTextes("SELECT Distinct DESCRIPTIF From Sources Order By DESCRIPTIF");
}

std::vector<UnicodeString> TValeursBDD::GetListTypeSource() {
  return coeur_.ListeTextes("SELECT Distinct TYPE From Sources Order By TYPE");
}

std::vector<long> TValeursBDD::GetListIdQualites() {
  return coeur_.ListeNombres("SELECT Distinct LienQualite From PersAssociees Order By LienQualite");
}

std::vector<long> TValeursBDD::GetListIdParentes() {
  return coeur_.ListeNombres("SELECT Distinct LienParente From PersAssociees Order By LienParente");
}

std::vector<long> TValeursBDD::GetListIdEvenAvec(TListeEven liste) {
  switch (liste) {
    case TListeEven::PersAssociees: return coeur_.ListeNombres("SELECT DISTINCT ID_EVEN FROM PersAssociees");
    case TListeEven::Sources: return coeur_.ListeNombres("SELECT DISTINCT ID_EVEN FROM Sources");
    case TListeEven::Illustrations: return coeur_.ListeNombres("SELECT DISTINCT ID_EVEN FROM Illustrations");
  }
  return {};
}

}  // namespace kyb
