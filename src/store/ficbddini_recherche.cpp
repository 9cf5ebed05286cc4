// Searches of a country's town table: the cleaning of names and the indexed look-ups.
#include <cstring>

#include "engine/acr_query.h"
#include "store/ficbddini.h"

namespace kyb {
namespace {

// Bare upper-case letters of the Latin-1 letters U+00C0..U+00FF; "" for the signs × ÷ Þ þ.
constexpr const char* kLatin1[64] = {
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "",  "SS",
    "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
    "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "",  "Y"};

// The bare upper-case form of one character; "" when it separates words.
const char* LettresNues(char16_t c) {
  static thread_local char ascii[2] = {0, 0};
  if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) {
    ascii[0] = static_cast<char>(c);
    return ascii;
  }
  if (c >= u'a' && c <= u'z') {
    ascii[0] = static_cast<char>(c - u'a' + 'A');
    return ascii;
  }
  if (c >= 0xC0 && c <= 0xFF) return kLatin1[c - 0xC0];
  switch (c) {
    case u'Œ': case u'œ': return "OE";
    case u'Š': case u'š': return "S";
    case u'Ž': case u'ž': return "Z";
    case u'Ÿ': return "Y";
    default: return "";
  }
}

void AjouteMot(AnsiString& resultat, AnsiString& mot) {
  if (mot == "ST")
    resultat += "SAINT";
  else if (mot == "STE")
    resultat += "SAINTE";
  else
    resultat += mot;
  mot.clear();
}

AnsiString CodeSaisi(const AnsiString& code) { return MajusculesAnsi(Rogne(std::string_view(code))); }

}  // namespace

AnsiString TFicBDDINI::CleanCommune(const UnicodeString& nom) {
  AnsiString resultat, mot;
  for (const char16_t c : nom) {
    const char* nu = LettresNues(c);
    if (*nu)
      mot += nu;
    else if (!mot.empty())
      AjouteMot(resultat, mot);
  }
  AjouteMot(resultat, mot);
  return resultat;
}

// Columns read by LitVille, in order; columns a table lacks read as their default.
std::string TFicBDDINI::ColonnesVille() const {
  const auto col = [&](const std::string& nom, const char* defaut) {
    return AColonne(nom) ? "c.\"" + nom + "\"" : std::string(defaut);
  };
  const std::string& zone = niveaux_[2].colonneParent;
  std::string sql = "SELECT c.rowid, c.A_COMMUNE, c.\"" + colonneCode_ + "\", " +
                    col("B_CP", "''") + ", " + (zone.empty() ? "''" : col(zone, "''")) + ", " +
                    col("Population", "0") + ", " + col("Latitude", "0") + ", " +
                    col("Longitude", "0") + ", " + col("Type", "0") + ", " +
                    col("Actuelle", "''");
  const bool jointure = AColonne("Actuelle") && AColonne("Type");
  sql += jointure ? ", a.A_COMMUNE, a.B_CP, " + (zone.empty() ? "''" : "a.\"" + zone + "\"")
                  : std::string(", NULL, NULL, NULL");
  sql += " FROM \"" + nomTable_ + "\" c";
  if (jointure)
    sql += " LEFT JOIN \"" + nomTable_ + "\" a ON a.\"" + colonneCode_ +
           "\" = c.Actuelle AND a.Type = 0";
  return sql;
}

std::vector<TVille> TFicBDDINI::ChercheVilles(const std::string& condition,
                                              const std::map<std::string, TValeur>& parametres,
                                              const std::string& ordre, int maximum) const {
  std::vector<TVille> villes;
  if (!table_) {
    NoteErreur("Aucune table des communes n'est ouverte");
    return villes;
  }
  std::string sql = ColonnesVille() + " WHERE " + condition;
  if (!ordre.empty()) sql += " ORDER BY " + ordre;
  if (maximum > 0) sql += " LIMIT " + std::to_string(maximum);
  TACRQuery& q = Requete(sql);
  for (const auto& [nom, valeur] : parametres) q.ParamByName(nom, valeur);
  if (!q.Open()) {
    NoteErreur("Recherche impossible dans la table des communes « " + AnsiVersUtf8(nom_) +
               " » : " + base_->DerniereErreur());
    return villes;
  }
  arret_ = false;
  for (; !q.Eof() && !arret_; q.Next()) {
    TVille v;
    v.enregistrement = q.Fields(0).AsInt64();
    v.commune = q.Fields(1).AsUnicodeString();
    v.code = q.Fields(2).AsAnsiString();
    v.codePostal = q.Fields(3).AsAnsiString();
    v.codeZone = q.Fields(4).AsAnsiString();
    v.population = q.Fields(5).AsInteger();
    v.latitude = q.Fields(6).AsFloat();
    v.longitude = q.Fields(7).AsFloat();
    v.type = static_cast<TTypeVille>(q.Fields(8).AsInteger());
    v.codeActuel = q.Fields(9).AsAnsiString();
    if (!q.Fields(10).IsNull()) {
      v.communeActuelle = q.Fields(10).AsUnicodeString();
      if (v.codePostal.empty()) v.codePostal = q.Fields(11).AsAnsiString();
      if (v.codeZone.empty()) v.codeZone = q.Fields(12).AsAnsiString();
    }
    CompleteZones(v);
    villes.push_back(std::move(v));
  }
  q.Close();  // no read left open between searches
  return villes;
}

std::vector<TVille> TFicBDDINI::RechercheVille(const UnicodeString& debut, TOrdreVille ordre,
                                               int maximum) const {
  const AnsiString cle = CleanCommune(debut);
  if (cle.empty() || maximum <= 0) return {};
  // The cleaned names hold only A-Z and 0-9, all below '~': the range is the prefix.
  const std::map<std::string, TValeur> p = {{"debut", TValeur::DeTexte(cle)},
                                            {"fin", TValeur::DeTexte(cle + "~")}};
  // The first rows are chosen on the index alone (name and population), and only they are
  // read and joined to their commune of today.
  const std::string nettoye = "\"" + colonneNettoyee_ + "\"";
  const std::string population = AColonne("Population") ? "Population DESC" : "rowid";
  const std::string tri = ordre == TOrdreVille::ParPopulation ? population + ", " + nettoye
                                                              : nettoye + ", " + population;
  const std::string choix = "c.rowid IN (SELECT rowid FROM \"" + nomTable_ + "\" WHERE " +
                            nettoye + " >= :debut AND " + nettoye + " < :fin ORDER BY " + tri +
                            " LIMIT " + std::to_string(maximum) + ")";
  const std::string triExterne = ordre == TOrdreVille::ParPopulation
                                     ? "c." + population + ", c." + nettoye
                                     : "c." + nettoye + ", c." + population;
  return ChercheVilles(choix, p, triExterne, maximum);
}

std::vector<TVille> TFicBDDINI::RechercheNomExact(const UnicodeString& nom) const {
  const AnsiString cle = CleanCommune(nom);
  if (cle.empty()) return {};
  return ChercheVilles("c.\"" + colonneNettoyee_ + "\" = :nom", {{"nom", TValeur::DeTexte(cle)}},
                       AColonne("Type") ? "c.Type, c.rowid" : "c.rowid", 0);
}

std::vector<TVille> TFicBDDINI::RechercheParInsse(const AnsiString& code) const {
  const AnsiString saisi = CodeSaisi(code);
  if (saisi.size() < 3) return {};
  return ChercheVilles("c.\"" + colonneCode_ + "\" = :code",
                       {{"code", TValeur::DeTexte(AnsiVersUtf8(saisi))}},
                       AColonne("Type") ? "c.Type, c.rowid" : "c.rowid", 0);
}

std::vector<TVille> TFicBDDINI::RechercheParCP(const AnsiString& codePostal) const {
  const AnsiString saisi = CodeSaisi(codePostal);
  if (saisi.size() < 3) return {};
  if (!tableCodesPostaux_) {
    NoteErreur("La table des communes « " + AnsiVersUtf8(nom_) + " » n'a pas de codes postaux");
    return {};
  }
  std::string condition =
      "c.\"" + colonneCode_ + "\" IN (SELECT C_INSEE FROM CodesPostaux WHERE B_CP = :cp)";
  if (AColonne("Type")) condition += " AND c.Type IN (0, 4)";
  return ChercheVilles(condition, {{"cp", TValeur::DeTexte(AnsiVersUtf8(saisi))}},
                       AColonne("Type") ? "c.Type, c.rowid" : "c.rowid", 0);
}

std::vector<std::pair<AnsiString, UnicodeString>> TFicBDDINI::CodesPostaux(
    const AnsiString& code) const {
  std::vector<std::pair<AnsiString, UnicodeString>> codes;
  if (!table_ || !tableCodesPostaux_) return codes;
  TACRQuery& q = Requete("SELECT B_CP, Acheminement FROM CodesPostaux WHERE C_INSEE = :code ORDER BY B_CP");
  q.SetParamAnsi("code", CodeSaisi(code));
  if (!q.Open()) return codes;
  for (; !q.Eof(); q.Next()) codes.emplace_back(q.Fields(0).AsAnsiString(), q.Fields(1).AsUnicodeString());
  q.Close();
  return codes;
}

bool TFicBDDINI::SearchCodeCPByCom(const UnicodeString& commune, AnsiString& codePostal,
                                   double& latitude, double& longitude) {
  codePostal.clear();
  latitude = longitude = 0;
  const AnsiString cle = CleanCommune(commune);
  if (!table_ || cle.empty() || !AColonne("B_CP") || !table_->SetIndexName("A_COMCLEAN-Index"))
    return false;
  if (!table_->FindNearest({CleAnsi(cle)})) return false;
  TACRField* lat = table_->FindField("Latitude");
  TACRField* lon = table_->FindField("Longitude");
  for (; !table_->Eof() && table_->FieldByName(colonneNettoyee_).AsAnsiString() == cle; table_->Next()) {
    codePostal = table_->FieldByName("B_CP").AsAnsiString();
    if (codePostal.empty()) continue;  // a former commune: its postal code is its successor's
    if (lat && lon) {
      latitude = lat->AsFloat();
      longitude = lon->AsFloat();
    }
    return true;
  }
  return false;
}

bool TFicBDDINI::GetRecord(int64_t enregistrement, TVille& ville) const {
  const auto v = ChercheVilles("c.rowid = :id", {{"id", TValeur::DeEntier(enregistrement)}}, "", 1);
  if (v.empty()) return false;
  ville = v.front();
  return true;
}

UnicodeString TFicBDDINI::GetLine(const TVille& ville) const {
  UnicodeString ligne;
  for (const TChampPays& c : champs_) {
    if (!c.visible) continue;
    UnicodeString valeur;
    if (c.colonne == "A_COMMUNE") valeur = ville.commune;
    else if (c.colonne == "B_CP") valeur = AnsiVersUnicode(ville.codePostal);
    else if (c.colonne == colonneCode_) valeur = AnsiVersUnicode(ville.code);
    else if (c.colonne == niveaux_[2].colonneParent) valeur = ville.departement;
    else if (c.colonne == "Population") valeur = Utf8VersUnicode(std::to_string(ville.population));
    else continue;
    ligne += (ligne.empty() ? u"" : u" ; ") + valeur;
  }
  return ligne;
}

bool TFicBDDINI::UpdateGeo(const AnsiString& code, double latitude, double longitude) {
  if (!table_ || !AColonne("Latitude") || !AColonne("Longitude")) {
    NoteErreur("Les coordonnées ne peuvent pas être enregistrées dans la table « " +
               AnsiVersUtf8(nom_) + " »");
    return false;
  }
  TACRDatabase ecriture(CheminBase());
  if (!ecriture.Open()) {
    NoteErreur("La table des communes « " + AnsiVersUtf8(nom_) + " » ne peut pas être modifiée : " +
               ecriture.DerniereErreur());
    return false;
  }
  bool ecrit = false;
  {
    TACRQuery q(ecriture, "UPDATE \"" + nomTable_ + "\" SET Latitude = :lat, Longitude = :lon WHERE \"" +
                              colonneCode_ + "\" = :code");
    q.SetParamFloat("lat", latitude);
    q.SetParamFloat("lon", longitude);
    q.SetParamAnsi("code", CodeSaisi(code));
    ecrit = q.ExecSQL() && q.RowsAffected() > 0;
    if (!ecrit) NoteErreur("Aucune commune de code « " + AnsiVersUtf8(code) + " » : " + ecriture.DerniereErreur());
  }
  // Back to the rollback journal, so that the file opens read-only again without WAL files.
  (void)ecriture.ExecuteSql("PRAGMA journal_mode=DELETE");
  return ecrit;
}

}  // namespace kyb
