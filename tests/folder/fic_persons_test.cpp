// The persons file in both storages, its header rules, the 644-byte record, the deleted-persons
// and extension files, and older folders opened end to end.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "folder/dossier_ancien.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "dossier_fixture.h"

namespace kyb {
namespace {

using test::Contenu;
using test::Ecrit;


TEST(EnregPersonne, DispositionEtTransferts) {
  TEnregPublic p = test::Personne(u"Lefèvre", 'X');
  p.Mere.No = 8;
  p.Mere.NivNo = 3;
  for (int i = 0; i < 12; ++i) p.Conjoints[static_cast<size_t>(i)].Lien = 100 + i;
  for (int i = 0; i < 31; ++i) p.Enfants[static_cast<size_t>(i)] = 200 + i;
  p.Prenoms = UnicodeString(80, u'é');
  p.NoExtension = 6;
  p.Autres = {11, 12};
  TEnregPersonne e;
  e.TransfertDepuisPublic(p);
  EXPECT_EQ(e.LitOctet(9 + 4), 3);
  EXPECT_EQ(e.LitEntier32(14 + 9 * 9), 109);
  EXPECT_EQ(e.LitEntier32(104 + 29 * 5), 229);
  EXPECT_EQ(e.LitTexte(254, 101), A("Lefèvre"));  // Windows-1252 on disk
  EXPECT_EQ(e.LitEntier32(470), 6);
  EXPECT_EQ(e.LitEntier32(478), 12);
  TEnregPublic relu;
  e.TransfertVersPublic(relu);
  EXPECT_EQ(relu.Sexe, '?');  // 'X' is no sex
  EXPECT_EQ(relu.Prenoms, UnicodeString(70, u'é'));
  EXPECT_EQ(relu.NbConjoints(), 10);  // the record keeps 10 spouses and 30 children
  EXPECT_EQ(relu.NbEnfants(), 30);
  EXPECT_EQ(relu.Mere.NivNo, 3);
}

TEST(EnregPersonne, EnregistrementsFoireux) {
  EXPECT_FALSE(TEnregPersonne().EnregFoireux());  // a slot never written is an empty person
  const struct {
    size_t offset, longueur;
    unsigned char octet;
  } cas[] = {{TEnregPersonne::kType, 1, 'Z'},
             {TEnregPersonne::kSupprime, 1, 0xFF},
             {TEnregPersonne::kNom, TEnregPersonne::kTailleNom, 'A'},  // no terminator
             {TEnregPersonne::kExtension + 3, 1, 0x80}};               // negative extension number
  for (const auto& c : cas) {
    TEnregPersonne e;
    e.TransfertDepuisPublic(test::Personne(u"Durand"));
    for (size_t i = 0; i < c.longueur; ++i) e.EcritOctet(c.offset + i, c.octet);
    EXPECT_TRUE(e.EnregFoireux()) << c.offset;
  }
}

using Personnes = test::DossierTemporaire;

TEST_F(Personnes, FormatCourant) {
  auto g = Cree(Store());
  ASSERT_FALSE(g->Erreur);
  TFicPersons& f = *g->FicPersons;
  EXPECT_EQ(f.Fichier(), nullptr);
  EXPECT_EQ(f.NoSecond, 1);  // the root person's number
  EXPECT_EQ(f.ReturnNewNum(), 2);
  EXPECT_EQ(f.ReturnNewNum(), 3);
  EXPECT_EQ(f.NbAjouts, 3);
  TEnregPublic supprimee;
  supprimee.FicheSupprimee = 'O';
  ASSERT_TRUE(g->GetModuleBDD()->WritePerson(supprimee, 2));
  EXPECT_TRUE(f.IsNoPersOk(3));
  for (const long no : {0, 2, 4}) EXPECT_FALSE(f.IsNoPersOk(no)) << no;
  EXPECT_EQ(g->NombrePersonnes(), 2);
  f.TexteDossier = u"Texte";
  f.NoTroisieme = 3;
  g->MarqueLecture(IdThread());
  const TDateTime lecture = g->DateLecture;
  g->EcritureEntete();
  g.reset();

  g = Ouvre(Store());
  ASSERT_FALSE(g->Erreur);
  EXPECT_EQ(g->FicPersons->NbEnreg, 3);
  EXPECT_EQ(g->FicPersons->TexteDossier, u"Texte");
  EXPECT_EQ(g->FicPersons->NoTroisieme, 3);
  EXPECT_NEAR(g->DateLecture, lecture, 1e-9);
  EXPECT_EQ(g->GetModuleBDD()->CountPerson(), 2);  // the header row is no person
}

TEST_F(Personnes, FormatCourantReglesDeLEntete) {
  const auto modifie = [this](const char* sql, const TEnregPublic* entete) {
    TGestFichier nu(Store());
    TModuleBDD m(&nu, Store(), TGestFichier::kVersionBDD);
    ASSERT_TRUE(m.OpenDataBase(false));
    if (entete) {
      ASSERT_TRUE(m.WritePerson(*entete, -2));
    }
    if (sql) {
      ASSERT_TRUE(TACRQuery(m.Database(), sql).ExecSQL());
    }
  };
  { auto g = Cree(Store()); }
  TEnregPublic entete;
  entete.Pere = 500;  // the store's maximum wins over the header's count
  entete.Mere = 0;
  entete.Conjoints[0].Lien = 99;
  modifie("INSERT INTO Personnes (ID) VALUES (2)", &entete);
  auto g = Ouvre(Store());
  ASSERT_FALSE(g->Erreur);
  EXPECT_EQ(g->FicPersons->NbEnreg, 2);
  EXPECT_EQ(g->FicPersons->NoPremier, 1);
  EXPECT_EQ(g->FicPersons->NoSecond, 1);
  g.reset();
  modifie("DELETE FROM Personnes", nullptr);  // nothing to count: the folder is in error
  g = Ouvre(Store());
  EXPECT_TRUE(g->Erreur);
  EXPECT_EQ(g->NombrePersonnes(), 0);
}

TEST_F(Personnes, FichierPersonnesAbime) {
  const AnsiString chemin = test::CreeDossierAncien(rep.Chemin(), std::vector(4, test::Personne(u"Martin")));
  const AnsiString prs = ChangeExtension(chemin, ".prs");
  const std::string octets = Contenu(prs);
  std::string zero = octets;
  std::fill_n(zero.begin() + TEnregPersonne::kPere, 4, '\0');
  std::string foireux = octets;
  foireux[2 * kTailleEnregPersonne + TEnregPersonne::kType] = '\x07';
  const struct {
    std::string contenu;
    bool erreur;
    long nombre;
  } cas[] = {{octets.substr(0, 4 * kTailleEnregPersonne + 100), false, 3},  // cut inside the last record
             {zero, false, 4},                                              // count recomputed from the size
             {foireux, false, 4},
             {zero.substr(0, kTailleEnregPersonne), true, 0},  // nothing to recompute from
             {std::string(), true, 0}};
  for (const auto& c : cas) {
    Ecrit(prs, c.contenu);
    auto g = Ouvre(chemin);
    EXPECT_EQ(g->Erreur, c.erreur);
    EXPECT_EQ(g->NombrePersonnes(), c.nombre);
    if (!c.erreur) {
      EXPECT_EQ(g->FicPersons->IsNoPersOk(2), c.contenu != foireux);
    }
    g.reset();
    EXPECT_EQ(Contenu(prs), c.contenu);
  }
}

class FichiersAnnexes : public Personnes {
 protected:
  FichiersAnnexes() : dossier(rep / "Annexe.kya/Annexe.adb") { EXPECT_TRUE(CreeRepertoires(dossier.Repertoire)); }
  static std::vector<long> Numeros(TFicPersSuppr& f) {
    std::vector<long> n;
    for (long i = 1; i <= f.NbEnreg; ++i) n.push_back(TPersSuppr(&f, i).No());
    return n;
  }
  TGestFichier dossier;
};

TEST_F(FichiersAnnexes, PersonnesSupprimees) {
  auto f = std::make_unique<TFicPersSuppr>(&dossier, true);
  for (const long no : {10, 20, 30, 40}) f->AjouteNo(no);
  f->SuppNo(99);
  EXPECT_EQ(Numeros(*f), (std::vector<long>{10, 20, 30, 40}));
  f->SuppNo(20);  // the last one takes its place
  EXPECT_EQ(Numeros(*f), (std::vector<long>{10, 40, 30}));
  f->SuppNo(30);  // the last one itself
  EXPECT_EQ(Numeros(*f), (std::vector<long>{10, 40}));
  EXPECT_EQ(TPersSuppr(f.get(), 3).No(), 0);
  std::set<long> lot = {7, 5, 40};
  f->SupprimeList(lot, true);
  EXPECT_TRUE(lot.empty());
  EXPECT_EQ(Numeros(*f), (std::vector<long>{10, 40, 5, 7, 40}));
  // Read back; a duplicate goes one at a time; a count beyond the file or negative is bounded.
  f.reset();
  {
    TFicPersSuppr relu(&dossier, false);
    relu.SuppNo(40);
    EXPECT_EQ(Numeros(relu), (std::vector<long>{10, 40, 5, 7}));
  }
  EXPECT_FALSE(dossier.IsReadOnly());
  const AnsiString psu = dossier.FabriqueNomFichier(TGestFichier::tfPersonnesSuppr);
  std::string octets = Contenu(psu);
  for (const int32_t compte : {1000, -5}) {
    std::memcpy(octets.data(), &compte, 4);
    Ecrit(psu, octets);
    EXPECT_EQ(TFicPersSuppr(&dossier, false).NbEnreg, compte > 0 ? 5 : 0);
  }
}

TEST_F(FichiersAnnexes, ExtensionDesPersonnes) {
  auto fichier = std::make_unique<TFicExtPersons>(&dossier, true);
  TFicExtPersons& f = *fichier;
  TExtPerson ext(&f, kEnregCourant);
  TLienConj c;
  c.Lien = 12;
  c.Compagnon = 3;
  ext.SetConjoint(139, c);
  ext.SetLien(119, TLienPers(44));
  EXPECT_TRUE(ext.Vide());  // only the first slots and list words count
  ext.EcritEntier32(TExtPerson::kListe3, 1);
  EXPECT_FALSE(ext.Vide());
  ext.Enregistrement(f.ReturnNewNum());
  TExtPerson relu(&f, 1);
  EXPECT_EQ(relu.Conjoint(139).Compagnon, 3);
  EXPECT_EQ(relu.Lien(119).No, 44);
  EXPECT_EQ(relu.Conjoint(140).Lien.No, 0);
  relu.RazLiens();
  EXPECT_EQ(relu.LitEntier32(TExtPerson::kListe3), 1);
  relu.Raz();
  EXPECT_TRUE(relu.Vide());
  // A header claiming a record the file does not hold whole.
  fichier.reset();
  const AnsiString exp = dossier.FabriqueNomFichier(TGestFichier::tfPersonnesExt);
  Ecrit(exp, Contenu(exp).substr(0, 2 * TFicExtPersons::kTailleEnreg - 1));
  EXPECT_EQ(TFicExtPersons(&dossier, false).NbEnreg, 0);
}

}  // namespace
}  // namespace kyb
