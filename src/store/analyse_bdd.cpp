// Store analysis: the pages checked, then the rows of events and sources that no write gives.
#include "store/analyse_bdd.h"

#include <filesystem>

#include "engine/acr_query.h"
#include "engine/acr_table.h"
#include "platform/interface_utilisateur.h"
#include "platform/journal.h"

namespace kyb {
namespace {

constexpr const char* kJournalAnalyse = "DataModuleBDD_AnalyseBDD.log";

// "ok" or the first problems SQLite's quick check finds: every page and row is read, the
// indexes are not compared with their tables.
std::string VerificationRapide(TACRDatabase& base) {
  TACRQuery q(base, "PRAGMA quick_check(20)");
  if (!q.Open()) return base.DerniereErreur().empty() ? std::string("illisible") : base.DerniereErreur();
  std::string resultat;
  for (; !q.Eof(); q.Next()) resultat += (resultat.empty() ? "" : "\n") + q.Fields(0).AsUtf8();
  return resultat.empty() ? std::string("illisible") : resultat;
}

}  // namespace

TAnalyseBDD AnalyseBase(TACRDatabase& base, TInterfaceUtilisateur* iu, TVerificationBDD verification) {
  TAnalyseBDD a;
  a.journal = (std::filesystem::path(RepertoireJournaux()) / kJournalAnalyse).string();
  const auto note = [](const std::string& texte) { AjouteJournal(kJournalAnalyse, texte); };
  if (!base.Connected()) {
    a.endommagee = true;
    note("Base de données non ouverte : " + base.DerniereErreur());
    return a;
  }
  const std::string integrite =
      verification == TVerificationBDD::Rapide ? VerificationRapide(base) : base.VerifieIntegrite();
  if (integrite != "ok") {
    a.endommagee = true;
    note("Base endommagée : " + integrite);
  }
  const struct {
    const char* table;
    const char* sql;
    const char* erreur;
  } kControles[] = {
      {"Evenements",
       "SELECT ID, LibelleChamps, NoPersA, Date FROM Evenements WHERE LibelleChamps = '' OR NoPersA = 0",
       "Erreur detecté dans la table Evenements "},
      {"Sources",
       "SELECT ID_SOURCE, ID_EVEN, TYPE, RANG FROM Sources WHERE ID_EVEN NOT IN (SELECT ID FROM Evenements)",
       "Erreur detecté dans la table Source "},
  };
  for (const auto& c : kControles) {
    if (!TACRTable(base, c.table).Exists()) continue;
    TACRQuery q(base, c.sql);
    if (!q.Open()) {
      a.endommagee = true;
      note(std::string(c.erreur) + base.DerniereErreur());
      continue;
    }
    long foireux = 0;
    for (; !q.Eof(); q.Next(), ++foireux) {
      std::string ligne;
      for (int i = 0; i < q.FieldCount(); ++i)
        ligne += (i ? " | " : "") + UnicodeVersUtf8(q.Fields(i).AsUnicodeString());
      note(std::string("(") + c.table + ") Enregistrement foireux : " + ligne);
    }
    if (foireux > 0) note(c.erreur);
    a.enregistrementsFoireux += foireux;
  }
  if (!a.endommagee && a.enregistrementsFoireux == 0) {
    note("Tous est correcte");
    return a;
  }
  if (iu)
    iu->Message(u"Base de données", u"Erreur, Veuillez consulter le fichier " + Utf8VersUnicode(a.journal));
  return a;
}

}  // namespace kyb
