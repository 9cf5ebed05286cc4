// Comparisons of search conditions run on the Evenements table (store/selection_bdd.h).
#include "store/selection_bdd.h"

#include "engine/acr_query.h"
#include "store/datamodulebdd.h"

namespace kyb {

namespace {

UnicodeString DoubleApostrophes(const UnicodeString& v) {
  UnicodeString r;
  for (const char16_t c : v) {
    if (c == u'\'') r += u'\'';
    r += c;
  }
  return r;
}

// The value as a LIKE pattern that matches it literally.
UnicodeString EchappeMotif(const UnicodeString& v) {
  UnicodeString r;
  for (const char16_t c : v) {
    if (c == u'%' || c == u'_' || c == u'\\') r += u'\\';
    r += c;
  }
  return r;
}

}  // namespace

bool OperateurConvertible(int operateur) {
  return operateur == 0 || operateur == 1 || operateur == 2 || operateur == 9;
}

std::string TexteSqlComparaison(const TComparaisonBDD& c) {
  if (!OperateurConvertible(c.Operateur)) return {};
  const std::string v = UnicodeVersUtf8(DoubleApostrophes(c.Valeur));
  std::string partie;
  switch (c.Operateur) {
    case 0: partie = " = '" + v + "'"; break;
    case 1: partie = " LIKE '" + v + "%'"; break;
    case 2: partie = " LIKE '%" + v + "'"; break;
    default: partie = " LIKE '%" + v + "%'"; break;
  }
  return "SELECT NoPersA FROM Evenements WHERE LibelleChamps = '" +
         UnicodeVersUtf8(DoubleApostrophes(AnsiVersUnicode(c.Libelle))) + "' AND Donnee" + partie +
         ";";
}

std::vector<int32_t> PersonnesComparaison(TModuleBDD& bdd, const TComparaisonBDD& c, bool& ok) {
  ok = false;
  if (!OperateurConvertible(c.Operateur)) return {};
  std::string sql = "SELECT DISTINCT NoPersA FROM Evenements WHERE LibelleChamps = :lib AND NoPersA > 0 AND ";
  UnicodeString valeur = c.Valeur;
  if (c.Operateur == 0) {
    sql += "Donnee = :v COLLATE NOCASE";
  } else {
    const UnicodeString motif = EchappeMotif(valeur);
    valeur = c.Operateur == 1 ? motif + u"%" : c.Operateur == 2 ? u"%" + motif : u"%" + motif + u"%";
    sql += "Donnee LIKE :v ESCAPE '\\'";
  }
  sql += " ORDER BY NoPersA";
  TACRQuery q(bdd.Database(), sql);
  q.SetParamAnsi("lib", c.Libelle);
  q.SetParamUnicode("v", valeur);
  if (!q.Open()) return {};
  std::vector<int32_t> numeros;
  for (; !q.Eof(); q.Next()) numeros.push_back(static_cast<int32_t>(q.Fields(0).AsInteger()));
  q.Close();
  ok = true;
  return numeros;
}

bool ParcoursEvenementsParPersonne(TModuleBDD& bdd,
                                   const std::function<void(long, const TEvenement::TEnreg&)>& action) {
  TACRQuery q(bdd.Database(),
              "SELECT NoPersA, LibelleChamps, Donnee, Acte, TypeCalend, Date, Lieu, LieuDit FROM Evenements "
              "WHERE Type = 0 AND NoPersA > 0 ORDER BY NoPersA, RANG_A");
  if (!q.Open()) return false;
  TEvenement::TEnreg e;
  for (; !q.Eof(); q.Next()) {
    e.LibelleChamps = q.Fields(1).AsAnsiString();
    e.Donnee = q.Fields(2).AsUnicodeString();
    e.Date = TDateKY::DepuisFormeStockee({q.Fields(3).AsAnsiString(), q.Fields(4).AsAnsiString(),
                                          q.Fields(5).AsAnsiString()});
    e.Lieu = q.Fields(6).AsInteger();
    e.LieuDit = q.Fields(7).AsUnicodeString();
    e.NoPersA = q.Fields(0).AsInteger();
    action(e.NoPersA, e);
  }
  q.Close();
  return true;
}

}  // namespace kyb
