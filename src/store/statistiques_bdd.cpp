// The counts of a whole genealogy (statistiques_bdd.h): a few grouped queries, each one pass over
// its table, so that a million persons are counted in seconds.
#include "store/statistiques_bdd.h"

#include <string>

#include "engine/acr_query.h"
#include "store/datamodulebdd.h"

namespace kyb {
namespace {

// A live event of a person not deleted, and not the spouse's copy of a couple event: the copy
// held by the smaller number is the one counted.
constexpr const char* kEvenementCompte =
    "a.NoPersA > 0 AND a.NoPersA NOT IN (SELECT ID FROM PersonnesSuppr) AND NOT (a.NoPersB > 0 AND a.NoPersB < a.NoPersA AND EXISTS (SELECT 1 FROM Evenements b "
    "WHERE b.NoPersA = a.NoPersB AND b.LibelleChamps = a.LibelleChamps AND b.NoPersB = a.NoPersA AND b.Type = a.Type))";

bool LitPersonnes(TACRDatabase& base, TDecomptesBDD& d) {
  TACRQuery q(base,
              "SELECT count(*), total(Sexe = 77), total(Sexe = 70), total(NbConj) FROM Personnes "
              "WHERE ID > 0 AND FicheSupprimee <> 79");
  if (!q.Open()) return false;
  d.Personnes = static_cast<long>(q.Fields(0).AsInt64());
  d.Hommes = static_cast<long>(q.Fields(1).AsFloat());
  d.Femmes = static_cast<long>(q.Fields(2).AsFloat());
  d.Couples = static_cast<long>(q.Fields(3).AsFloat()) / 2;
  return true;
}

bool LitEvenements(TACRDatabase& base, TDecomptesBDD& d) {
  TACRQuery q(base, std::string("SELECT a.LibelleChamps, count(*) FROM Evenements a WHERE a.Type = 0 AND ") +
                        kEvenementCompte + " GROUP BY a.LibelleChamps ORDER BY 2 DESC, 1");
  if (!q.Open()) return false;
  for (; !q.Eof(); q.Next()) d.Evenements.emplace_back(q.Fields(0).AsAnsiString(), static_cast<long>(q.Fields(1).AsInt64()));
  return true;
}

bool LitNoms(TACRDatabase& base, TDecomptesBDD& d, int n) {
  TACRQuery q(base,
              "SELECT Nom, count(*) FROM Personnes WHERE ID > 0 AND FicheSupprimee <> 79 AND Nom <> '' "
              "GROUP BY Nom ORDER BY 2 DESC, 1 LIMIT :n");
  q.SetParamInteger("n", n);
  if (!q.Open()) return false;
  for (; !q.Eof(); q.Next()) d.Noms.emplace_back(q.Fields(0).AsUnicodeString(), static_cast<long>(q.Fields(1).AsInt64()));
  return true;
}

bool LitLieux(TACRDatabase& base, TDecomptesBDD& d, int n) {
  TACRQuery q(base, std::string("SELECT a.Lieu, count(*) FROM Evenements a WHERE a.Lieu > 0 AND ") + kEvenementCompte +
                        " GROUP BY a.Lieu ORDER BY 2 DESC, 1 LIMIT :n");
  q.SetParamInteger("n", n);
  if (!q.Open()) return false;
  for (; !q.Eof(); q.Next())
    d.Lieux.emplace_back(static_cast<long>(q.Fields(0).AsInt64()), static_cast<long>(q.Fields(1).AsInt64()));
  return true;
}

// The event at one end of the sortable dates (ascending or descending), through their index;
// events only: a dated simple field (the card's creation date) is not a genealogical date.
bool LitExtreme(TACRDatabase& base, bool recent, TEvenementDate& e) {
  TACRQuery q(base, std::string("SELECT NoPersA, LibelleChamps, Acte, TypeCalend, Date FROM Evenements "
                                "WHERE Type = 0 AND _DATE > 0 AND NoPersA > 0 AND NoPersA NOT IN (SELECT ID FROM PersonnesSuppr) ORDER BY _DATE ") +
                        (recent ? "DESC" : "ASC") + ", ID LIMIT 1");
  if (!q.Open()) return false;
  if (q.Eof()) return true;
  e.NoPers = static_cast<long>(q.Fields(0).AsInt64());
  e.Libelle = q.Fields(1).AsAnsiString();
  e.Date = TDateKY::DepuisFormeStockee({q.Fields(2).AsAnsiString(), q.Fields(3).AsAnsiString(), q.Fields(4).AsAnsiString()});
  return true;
}

}  // namespace

bool LitDecomptes(TModuleBDD& store, TDecomptesBDD& d, int nbPremiers) {
  if (!store.Connecte()) return false;
  TACRDatabase& base = store.Database();
  return LitPersonnes(base, d) && LitEvenements(base, d) && LitNoms(base, d, nbPremiers) &&
         LitLieux(base, d, nbPremiers) && LitExtreme(base, false, d.PlusAncien) && LitExtreme(base, true, d.PlusRecent);
}

}  // namespace kyb
