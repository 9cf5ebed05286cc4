// The import mode stores exactly what ordinary saves store: a family written both ways (persons
// with their links and cards, a deleted person, a person saved twice, numbers left unsaved,
// places through the value table) gives the same rows in every table.
#include <gtest/gtest.h>

#include "engine/acr_query.h"
#include "folder/fic_dupli.h"
#include "persons/gest_pers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/support.h"

namespace kyb {
namespace {

constexpr int kPersonnes = 14;

std::unique_ptr<TGestFichier> Dossier(const AnsiString& chemin, bool creer) {
  return std::make_unique<TGestFichier>(chemin, TGestFichier::TOptionsOuverture{.Creer = creer, .FabriqueIndex = {}});
}

// Every row of a query, each value with its storage class, in the query's order.
std::string Lignes(TModuleBDD& m, const std::string& sql) {
  TACRQuery q(m.Database(), sql);
  EXPECT_TRUE(q.Open()) << sql;
  std::string texte;
  for (; !q.Eof(); q.Next()) {
    for (int c = 0; c < q.FieldCount(); ++c) {
      const TValeur& v = q.ValeurChamp(c);
      texte += std::to_string(static_cast<int>(v.sorte)) + ":" + v.VersTexte() + "|";
    }
    texte += "\n";
  }
  return texte;
}

// What the store holds, table by table (the header row, which holds the folder's times, and
// the modification stamps of events aside).
std::vector<std::string> Contenu(TModuleBDD& m) {
  std::vector<std::string> tables;
  for (const char* sql :
       {"SELECT * FROM Personnes WHERE ID > 0 ORDER BY ID", "SELECT * FROM PersonnesSuppr ORDER BY ID",
        "SELECT * FROM IDParents ORDER BY NoPers",
        "SELECT ID, Type, LibelleChamps, Donnee, NoPersA, NoPersB, Acte, TypeCalend, Date, Lieu, LieuDit, Note, "
        "NoIllustrationParDefaut, LienExtEven, _DONNEE, _DATE, RANG_A, RANG_B FROM Evenements ORDER BY ID",
        "SELECT * FROM Lieux ORDER BY ID",
        "SELECT * FROM sqlite_sequence WHERE name IN ('Personnes', 'Evenements') ORDER BY name"})
    tables.push_back(Lignes(m, sql));
  return tables;
}

TEvenement Even(TModuleBDD* m, const char* libelle, int jour, int32_t lieu, long conjoint) {
  TEvenement e(m);
  e.NouvelleFiche();
  e.SetLibelle(libelle);
  e.Enreg.Date.SetJourMoisAnnee(jour, 3, 1850 + jour);
  e.Enreg.Lieu = lieu;
  e.Enreg.NoPersB = static_cast<int32_t>(conjoint);
  return e;
}

long Lieu(TGestFichier& g, const char* commune) {
  const TEltDupWideChn e(U(commune), u"", u"France");
  return g.GetFicLieux()->Cherche(&e, true);
}

// The same family, in import mode (places added in bulk) or by ordinary saves.
void EcritFamille(TGestFichier& g, bool import, std::vector<long>& numeros) {
  TModuleBDD& m = *g.GetModuleBDD();
  TFicPersons* f = g.FicPersons.get();
  if (import) {
    ASSERT_TRUE(m.BeginImport(true));
    g.GetFicLieux()->DebutAjoutsEnBloc();
  }
  const char* communes[] = {"Quimper", "Brest", "Quimper", "Morlaix", "Brest"};
  for (int i = 0; i < kPersonnes; ++i) {
    TPerson p(f, 0);
    p.NouvelleFiche(kEnregCourant);
    numeros.push_back(p.Numero());
    if (i == 11) continue;  // a number handed out, never saved: its empty row stays
    if (i == 9) {
      const TPerson relu(f, p.Numero());  // read back before its first save
      EXPECT_EQ(relu.Public.Sexe, '?');
    }
    p.SetNom(i % 3 ? u"Le Goff" : u"de La Tour d'Auvergne");
    p.SetPrenoms(i % 2 ? u"Jean Marie" : u"Anne");
    p.SetSexe(i % 2 ? 'M' : 'F');
    if (i >= 2) {
      p.Public.Pere = static_cast<int32_t>(numeros[0]);
      p.Public.Mere = static_cast<int32_t>(numeros[1]);
    }
    if (i == 6) p.Public.FicheSupprimee = 'O';
    if (i % 4 == 3) p.AjouteConj(numeros[static_cast<size_t>(i - 1)]);
    p.Fiche().EvenementsCharges = p.Fiche().ChpsSimplesCharges = true;
    p.Fiche().AddEvenInTV(Even(&m, "NAISSANCE", 1 + i, static_cast<int32_t>(Lieu(g, communes[i % 5])), 0));
    if (i % 4 == 3)
      p.Fiche().AddEvenInTV(Even(&m, "UNION", 20, static_cast<int32_t>(Lieu(g, "Vannes")), numeros[static_cast<size_t>(i - 1)]));
    TChpsSimple metier(&m);
    metier.SetLibelle("PROFESSION");
    metier.SetDonnee(i % 2 ? u"Laboureur" : u"Fileuse");
    p.Fiche().AddChpsSimpleInTV(metier);
    ASSERT_TRUE(p.Enregistrement()) << i;
    if (i == 8) {  // saved again: its card is rewritten
      p.SetPrenoms(u"Yves Hervé Corentin");
      p.Fiche().AddEvenInTV(Even(&m, "DECES", 28, static_cast<int32_t>(Lieu(g, "Lorient")), 0));
      ASSERT_TRUE(p.Enregistrement());
    }
  }
  // The parents learn their children afterwards, as a reader of a file does.
  for (const size_t parent : {size_t{0}, size_t{1}}) {
    TPerson p(f, numeros[parent], true);
    for (int i = 2; i < kPersonnes; ++i)
      if (i != 11) p.AjouteEnf(numeros[static_cast<size_t>(i)]);
    ASSERT_TRUE(p.Enregistrement());
  }
  // A last number handed out and never saved: its empty row is there after the import too.
  TPerson dernier(f, 0);
  dernier.NouvelleFiche(kEnregCourant);
  EXPECT_EQ(dernier.Numero(), numeros.back() + 1);
  if (import) {
    g.GetFicLieux()->FinAjoutsEnBloc();
    ASSERT_TRUE(m.EndImport(true));
  }
}

TEST(ImportDePersonnes, MemesLignesQueDesEnregistrementsOrdinaires) {
  NommeThreadPrincipal();
  test::RepertoireTemporaire rep;
  const AnsiString ordinaire = rep / "Ordinaire.kya/Ordinaire.adb", importe = rep / "Import.kya/Import.adb";
  std::vector<std::string> attendu, obtenu;
  std::vector<long> numerosOrdinaires, numeros;
  {
    auto g = Dossier(ordinaire, true);
    EcritFamille(*g, false, numerosOrdinaires);
  }
  {
    auto g = Dossier(importe, true);
    EcritFamille(*g, true, numeros);
  }
  EXPECT_EQ(numeros, numerosOrdinaires);
  // Compared as stored, after both folders were closed and opened again.
  {
    auto g = Dossier(ordinaire, false);
    attendu = Contenu(*g->GetModuleBDD());
  }
  auto g = Dossier(importe, false);
  TModuleBDD& m = *g->GetModuleBDD();
  obtenu = Contenu(m);
  ASSERT_EQ(obtenu.size(), attendu.size());
  for (size_t t = 0; t < attendu.size(); ++t) EXPECT_EQ(obtenu[t], attendu[t]) << "table " << t;
  // The family is there: 14 numbers in a row, one deleted, 5 places.
  EXPECT_EQ(numeros.back() - numeros.front(), kPersonnes - 1);
  EXPECT_EQ(m.CountPersonDelete(), 1);
  EXPECT_EQ(m.GetNbLieux(), 5);
}

}  // namespace
}  // namespace kyb
