// Events in bulk: the event search and its filters, edits by label, shared-event cleaning, and
// the text preparation of SQL literals.
#include <algorithm>
#include <set>

#include "names/bo_soundex.h"
#include "platform/caracteres.h"
#include "platform/date_heure.h"
#include "store/datamodulebdd_evenements_interne.h"

namespace kyb {

// --- text preparation ---

UnicodeString TEvenementsBDD::ConvertirChaineFormatSQL(const UnicodeString& texte) {
  UnicodeString r;
  r.reserve(texte.size() + 8);
  for (const char16_t c : texte) {
    switch (c) {
      case u'\\': r += u"\\\\"; break;
      case u'\0': r += u"\\0"; break;
      case u'\b': r += u"\\b"; break;
      case u'\n': r += u"\\n"; break;
      case u'\r': r += u"\\r"; break;
      case u'\t': r += u"\\t"; break;
      case u'\'': r += u"''"; break;
      default: r += c;
    }
  }
  return r;
}

UnicodeString TEvenementsBDD::FormatChaine_Donnee(const UnicodeString& texte, bool echappe) {
  UnicodeString cle = Rogne(texte).substr(0, kLongueurCleDonnee);
  return echappe ? ConvertirChaineFormatSQL(cle) : cle;
}

// --- search ---

namespace {

std::string Utf8(const UnicodeString& u) { return UnicodeVersUtf8(u); }
std::string Sql(const UnicodeString& u) { return Utf8(TEvenementsBDD::ConvertirChaineFormatSQL(u)); }

// "Left Join" + "IS NULL" for Sans, inner join for Avec.
void Jointure(std::string& from, std::string& where, TFilterEvent::TPresence presence, const std::string& table,
              const std::string& alias, const std::string& colonne, const std::string& condition = {}) {
  if (presence == TFilterEvent::Indifferent) return;
  if (presence == TFilterEvent::Avec) {
    from += "Inner Join " + table + " as " + alias + " on " + alias + "." + colonne + " = Eve1.ID ";
    if (!condition.empty()) where += "and " + condition + " ";
  } else {
    from += "Left Join " + table + " as " + alias + " on " + alias + "." + colonne + " = Eve1.ID ";
    where += "and " + alias + "." + colonne + " IS NULL ";
  }
}

std::string Sousselection(const TFilterEvent& f) {
  std::string s = "SELECT NoPers From IndexNomPrenoms Where TypePersonne <> 'T' ";
  if (!f.Nom.empty())
    s += f.NomPhonetique ? "and NomSoundex = '" + Sql(strSoundex(std::u16string_view(f.Nom))) + "' "
                         : "and Nom = '" + Sql(f.Nom) + "' COLLATE NOCASE ";
  if (!f.Prenom.empty())
    s += f.PrenomPhonetique ? "and PrenomSoundex = '" + Sql(strSoundex(std::u16string_view(f.Prenom))) + "' "
                            : "and Prenom = '" + Sql(f.Prenom) + "' COLLATE NOCASE ";
  if (f.Sexe) s += std::string("and Sexe = '") + f.Sexe + "' ";
  return s;
}

}  // namespace

std::string TEvenementsBDD::SqlSearchEven(const TFilterEvent& f) {
  std::string from = "SELECT distinct Eve1.ID, Eve1.NoPersA, Eve1.NoPersB From Evenements as Eve1 ";
  std::string where = " Where Eve1.NoPersA > 0 and Eve1.Type = 0 ";
  if (!f.Libelles.empty()) {
    where += "and (";
    for (size_t i = 0; i < f.Libelles.size(); ++i)
      where += (i ? "or " : "") + std::string("Eve1.LibelleChamps = '") +
               Sql(AnsiVersUnicode(f.Libelles[i])) + "' ";
    where += ") ";
  }
  if (f.AnneeMin) where += "and _DATE >= " + std::to_string(f.AnneeMin) + "0101 ";
  if (f.AnneeMax) where += "and _DATE <= " + std::to_string(f.AnneeMax) + "1231 ";
  if (f.AnneeMin || f.AnneeMax) where += "and _DATE > 0 ";
  switch (f.ModeActe) {
    case TFilterEvent::ActeEgal: where += "and TRIM(Acte) = '" + Sql(AnsiVersUnicode(f.Acte)) + "' "; break;
    case TFilterEvent::ActePresent: where += "and Acte is not NULL and TRIM(Acte) <> '' "; break;
    case TFilterEvent::ActeAbsent: where += "and (Acte is NULL or TRIM(Acte) = '') "; break;
    default: break;
  }
  if (!f.Lieux.empty()) {
    where += "and Lieu IN ( ";
    for (size_t i = 0; i < f.Lieux.size(); ++i) where += (i ? ", " : "") + std::to_string(f.Lieux[i]);
    where += " ) ";
  }
  Jointure(from, where, f.Medias, "Illustrations", "Ill", "ID_EVEN");
  std::string motCle;
  if (f.MotCleTranscription == 1) motCle = "Tra.Mot_Cle1 <> 0";
  if (f.MotCleTranscription == 2) motCle = "Tra.Mot_Cle2 <> 0";
  Jointure(from, where, f.Transcription, "NotesTranscription", "Tra", "ID_Event", motCle);
  Jointure(from, where, f.Sources, "Sources", "Src", "ID_EVEN");
  const std::string cote = f.SurConjoint ? "Eve1.NoPersB" : "Eve1.NoPersA";
  if (!f.Nom.empty() || !f.Prenom.empty() || f.Sexe) where += "and " + cote + " IN (" + Sousselection(f) + ") ";
  if (f.AvecRechercheEnLigne)
    from += "Inner Join RechercheVastrelNet as Rvn on Rvn.NoPers = " + cote + " and Rvn.Indice > 0 ";
  if (f.ModifieDu && f.ModifieAu) {
    from += "Inner Join Evenements as Ddmf on Ddmf.NoPersA = Eve1.NoPersA and Ddmf.LibelleChamps = 'DDMF' ";
    where += "and Ddmf._DATE >= " + FormatDateHeure("yyyymmdd", f.ModifieDu) +
             " and Ddmf._DATE <= " + FormatDateHeure("yyyymmdd", f.ModifieAu) + " ";
  }
  if (f.PersonneFavorite) where += "and " + cote + " = " + std::to_string(f.PersonneFavorite) + " ";
  if (!f.Marqueur.empty())
    from += "Inner Join Evenements as Mrq on Mrq.NoPersA = " + cote +
            " and Mrq.LibelleChamps = 'MARQUEURS' and Mrq.Donnee = '" + Sql(f.Marqueur) + "' ";
  return from + where;
}

bool TEvenementsBDD::SearchEven(std::map<long, long>& resultat, const TFilterEvent& filtre) {
  resultat.clear();
  if (!base_->Connected()) return false;
  TACRQuery q(*base_, SqlSearchEven(filtre));
  if (!q.Open()) {
    BDDError("Evenements", base_->DerniereErreur());
    return false;
  }
  for (; !q.Eof(); q.Next()) resultat[q.Fields(0).AsInteger()] = q.Fields(1).AsInteger();
  return true;
}

std::vector<long> TEvenementsBDD::ApplyFilterEvent(const TFilterEvent& filtre, const std::vector<long>& personnes) {
  std::map<long, long> trouves;
  std::set<long> titulaires;
  if (!SearchEven(trouves, filtre)) return {};
  for (const auto& [id, no] : trouves) titulaires.insert(no);
  if (personnes.empty()) return {titulaires.begin(), titulaires.end()};
  std::vector<long> r;
  for (const long n : personnes)
    if (titulaires.count(n)) r.push_back(n);
  return r;
}

std::vector<long> TEvenementsBDD::GetFilteredEventPerson(long noPers, const TFilterEvent& filtre) {
  TFilterEvent f = filtre;
  f.PersonneFavorite = noPers;
  std::map<long, long> trouves;
  std::vector<long> ids;
  if (SearchEven(trouves, f))
    for (const auto& [id, no] : trouves) ids.push_back(id);
  return ids;
}

std::vector<long> TEvenementsBDD::FiltreEventByLieuDate(const std::vector<long>& personnes, long lieu, int anneeMin,
                                                    int anneeMax) {
  TFilterEvent f;
  if (lieu > 0) f.Lieux.push_back(lieu);
  f.AnneeMin = anneeMin;
  f.AnneeMax = anneeMax;
  return ApplyFilterEvent(f, personnes);
}

// --- edits by label ---

namespace {

int Execute(TACRDatabase&, TACRQuery& q) { return q.ExecSQL() ? static_cast<int>(q.RowsAffected()) : -1; }

}  // namespace

int TEvenementsBDD::ChangeTypeEvenement(const AnsiString& libelle, int type) {
  if (EstLectureSeule() || !base_->Connected()) return -1;
  TACRQuery q(*base_, "UPDATE Evenements SET Type = :t WHERE LibelleChamps = :l");
  q.SetParamInteger("t", type == 0 ? 0 : 1);
  q.SetParamAnsi("l", libelle);
  return Execute(*base_, q);
}

int TEvenementsBDD::RenameEven(const AnsiString& ancien, const AnsiString& nouveau) {
  if (EstLectureSeule() || !base_->Connected() || nouveau.empty()) return -1;
  TACRQuery q(*base_, "UPDATE Evenements SET LibelleChamps = :n WHERE LibelleChamps = :a");
  q.SetParamAnsi("n", nouveau.substr(0, kLongueurLibelle));
  q.SetParamAnsi("a", ancien);
  return Execute(*base_, q);
}

int TEvenementsBDD::ModifChampsAvecLeLibelle(const AnsiString& libelle, const UnicodeString& ancienne,
                                         const UnicodeString& nouvelle) {
  if (EstLectureSeule() || !base_->Connected()) return -1;
  TACRQuery q(*base_, "UPDATE Evenements SET Donnee = :n, _DONNEE = :k WHERE LibelleChamps = :l AND Donnee = :a");
  q.SetParamUnicode("n", PremiersCaracteres(nouvelle, kLongueurDonnee));
  q.SetParamUnicode("k", FormatChaine_Donnee(nouvelle, false));
  q.SetParamAnsi("l", libelle);
  q.SetParamUnicode("a", ancienne);
  return Execute(*base_, q);
}

int TEvenementsBDD::UpdateDataEvent(const AnsiString& libelle, const UnicodeString& donnee) {
  if (EstLectureSeule() || !base_->Connected()) return -1;
  TACRQuery q(*base_, "UPDATE Evenements SET Donnee = :n, _DONNEE = :k WHERE LibelleChamps = :l AND NoPersA > 0");
  q.SetParamUnicode("n", PremiersCaracteres(donnee, kLongueurDonnee));
  q.SetParamUnicode("k", FormatChaine_Donnee(donnee, false));
  q.SetParamAnsi("l", libelle);
  return Execute(*base_, q);
}

int TEvenementsBDD::UpdateResidence(long lieuAncien, long lieuNouveau) {
  if (EstLectureSeule() || !base_->Connected()) return -1;
  TACRQuery q(*base_, "UPDATE Evenements SET Lieu = :n WHERE Lieu = :a AND Type = 0");
  q.SetParamInteger("n", lieuNouveau);
  q.SetParamInteger("a", lieuAncien);
  return Execute(*base_, q);
}

int TEvenementsBDD::ChpsSimpleEven(const AnsiString& libelle) {
  if (EstLectureSeule() || !base_->Connected()) return -1;
  // A simple field keeps its row: only its kind changes, its other columns take their defaults.
  TACRQuery q(*base_, "UPDATE Evenements SET Type = 0, _DATE = 0 WHERE LibelleChamps = :l AND Type <> 0");
  q.SetParamAnsi("l", libelle);
  return Execute(*base_, q);
}

// --- shared events (CleanSharedEvent: datamodulebdd_partages.cpp) ---

int TEvenementsBDD::ConversionEvenPartage(TProgression* progression) {
  int total = 0;
  for (const AnsiString& libelle : libellesPartages_) {
    const int n = CleanSharedEvent(libelle, progression);
    if (n < 0) return -1;
    total += n;
  }
  return total;
}

}  // namespace kyb
