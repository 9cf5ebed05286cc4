// Fuzzes the engine catalogue of a store: the input replaces the page of one catalogue table
// (_acr_base, _acr_champs or _acr_index, chosen by the first byte) in a store of 50 persons.
// Checked: the persons are never lost because of the catalogue: the store opens with its 50
// persons, or a repair (from the schema the store knows) brings them all back, names included.
#include <sqlite3.h>

#include <cstring>

#include "fuzz_commun.h"
#include "store/datamodulebdd.h"

using namespace kyb;

namespace {

constexpr long kPersonnes = 50;
constexpr int kPage = 4096;

UnicodeString NomDe(long n) { return u"Personne " + AnsiVersUnicode(std::to_string(n)); }

struct TModele {
  std::string octets;
  int pages[3] = {0, 0, 0};
};

const TModele& Modele() {
  static const TModele modele = [] {
    TModele m;
    const std::string chemin = fuzz::Repertoire("catalogue") + "modele.adb";
    {
      TModuleBDD module(nullptr, chemin, "5.90");
      if (!module.CreateDataBase() || !module.OpenDataBase(false)) fuzz::Viole("modèle impossible");
      for (long n = 1; n <= kPersonnes; ++n) {
        TEnregPublic p;
        p.Nom = NomDe(n);
        if (!module.WritePerson(p, n)) fuzz::Viole("modèle impossible");
      }
    }
    sqlite3* c = nullptr;
    sqlite3_open_v2(chemin.c_str(), &c, SQLITE_OPEN_READONLY, nullptr);
    const char* tables[3] = {"_acr_base", "_acr_champs", "_acr_index"};
    for (int i = 0; i < 3; ++i) {
      sqlite3_stmt* s = nullptr;
      sqlite3_prepare_v2(c, "SELECT rootpage FROM sqlite_master WHERE name=?", -1, &s, nullptr);
      sqlite3_bind_text(s, 1, tables[i], -1, SQLITE_STATIC);
      if (sqlite3_step(s) == SQLITE_ROW) m.pages[i] = sqlite3_column_int(s, 0);
      sqlite3_finalize(s);
    }
    sqlite3_close(c);
    m.octets = fuzz::Lit(chemin);
    return m;
  }();
  return modele;
}

bool PersonnesIntactes(TModuleBDD& m) {
  if (m.CountPerson() != kPersonnes) return false;
  for (long n = 1; n <= kPersonnes; n += 7) {
    TEnregPublic p;
    if (!m.ReadPerson(p, n) || p.Nom != NomDe(n)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  if (taille < 1) return 0;
  const TModele& modele = Modele();
  const std::string& rep = fuzz::Repertoire("catalogue");
  const std::string chemin = rep + "F.adb";
  for (const auto& nom : ListeFichiers(rep, "F.adb*")) SupprimeFichier(rep + nom);
  std::string octets = modele.octets;
  const int page = modele.pages[donnees[0] % 3];
  if (page < 2) return 0;
  std::memcpy(&octets[static_cast<size_t>(page - 1) * kPage], donnees + 1, std::min<size_t>(taille - 1, kPage));
  fuzz::Ecrit(chemin, reinterpret_cast<const uint8_t*>(octets.data()), octets.size());
  TModuleBDD m(nullptr, chemin, "5.90");
  if (m.OpenDataBase(false) && m.Database().VerifieIntegrite() == "ok" && PersonnesIntactes(m)) return 0;
  if (!m.RepairDatabase(false)) fuzz::Viole("réparation impossible d'un catalogue abîmé");
  if (!m.OpenDataBase(false) || !PersonnesIntactes(m)) fuzz::Viole("personnes perdues à cause du catalogue");
  return 0;
}
