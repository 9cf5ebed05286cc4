// Value tables: both record layouts, header rules, finding, adding and reactivating values, the
// ranking without deleted elements, places in the store, and damaged files.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "folder/dossier_ancien.h"
#include "folder/fic_dupli.h"
#include "platform/erreur.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/coupures.h"
#include "dossier_fixture.h"

namespace kyb {
namespace {

using test::Contenu;
using test::Ecrit;

// Records written by hand from the layout tables, independently of the code under test.
std::string Utf16(const std::string& ascii, size_t octets) {
  std::string r(octets, '\0');
  for (size_t i = 0; i < ascii.size(); ++i) r[2 * i] = ascii[i];
  return r;
}
std::string Enreg228(const std::string& v, const std::string& c, const std::string& k, char etat) {
  std::string r = Utf16(v, 102) + Utf16(c, 22) + Utf16(k, 102);
  r += etat;
  r += '\0';
  return r;
}
std::string Enreg114(const std::string& v, const std::string& c, const std::string& k, char etat) {
  std::string r = v + std::string(51 - v.size(), '\0') + c + std::string(11 - c.size(), '\0') + k +
                  std::string(51 - k.size(), '\0');
  r += etat;
  return r;
}

TEltDupWideChn Valeur(const char* utf8, const char* code = "", const char* complement = "") {
  return TEltDupWideChn(U(utf8), U(code), U(complement));
}

long Cherche(TFicDupli& t, const TEltDupWideChn& elt, bool ajouter, int* rang = nullptr) {
  return t.Cherche(&elt, ajouter, rang);
}

class TableValeurs : public test::DossierTemporaire {
 protected:
  std::unique_ptr<TGestFichier> Dossier(bool creer = false) const { return creer ? Cree(chemin) : Ouvre(chemin); }
  AnsiString Fichier(const char* ext) const { return rep / ("Famille.kya/Famille." + std::string(ext)); }
  AnsiString chemin = Store();
};

TEST_F(TableValeurs, DispositionCouranteEtRelecture) {
  {
    auto g = Dossier(true);
    ASSERT_FALSE(g->Erreur);
    TFicDupli& q = *g->GetFicQualites();
    EXPECT_FALSE(q.AncienFormat());
    EXPECT_EQ(Cherche(q, Valeur("Témoin"), true), 1);
    EXPECT_EQ(Cherche(q, Valeur("Parrain", "P"), true), 2);
    const TEltDupWideChn longue(UnicodeString(60, u'x'));
    EXPECT_EQ(Cherche(q, longue, true), 3);
    // The same text again: its number, nothing written.
    const std::string avant = Contenu(Fichier("qua"));
    EXPECT_EQ(Cherche(q, Valeur("Parrain", "P"), true), 2);
    EXPECT_EQ(Contenu(Fichier("qua")), avant);
    EXPECT_EQ(q.Charge(0), u"");
    EXPECT_TRUE(FichierExiste(Fichier("par")));
    EXPECT_TRUE(g->GetFicLieux()->DansStore());
  }
  const std::string octets = Contenu(Fichier("qua"));
  ASSERT_EQ(octets.size(), 4u * 228);
  EXPECT_EQ(octets.substr(0, 228), Enreg228("3", "", "", 'O'));
  EXPECT_EQ(octets.substr(2 * 228, 228), Enreg228("Parrain", "P", "", 'N'));
  EXPECT_EQ(octets.substr(3 * 228, 228), Enreg228(std::string(50, 'x'), "", "", 'N'));

  auto g = Dossier();
  TFicDupli& q = *g->GetFicQualites();
  EXPECT_EQ(q.NbEnreg, 3);
  EXPECT_EQ(q.Charge(1), U("Témoin"));
  EXPECT_EQ(q.Charge(3), UnicodeString(50, u'x'));
  // Found by key: case and accents do not matter when the value is unique.
  EXPECT_EQ(Cherche(q, Valeur("Témoin"), false), 1);
  EXPECT_EQ(Cherche(q, Valeur("Marraine"), false), 0);
}

TEST_F(TableValeurs, DispositionAncienneLueEtConvertie) {
  const AnsiString store = test::CreeDossierAncien(rep.Chemin(), {test::Personne(u"Durand")});
  const AnsiString qua = ExtraitRepertoire(store) + "Ancien.qua";
  Ecrit(qua, Enreg114("2", "", "", 'O') + Enreg114("T\xe9moin", "", "", 'N') +
                 Enreg114("Parrain", "P", "", 'O'));
  {
    TGestFichier g(store, TGestFichier::Ouverture());
    ASSERT_TRUE(g.IsReadOnly());
    TFicDupli& q = *g.GetFicQualites();
    EXPECT_TRUE(q.AncienFormat());
    EXPECT_EQ(q.Charge(1), U("Témoin"));
    EXPECT_EQ(q.Element(2)->Code(), u"P");
    // Read-only older folder: no value added, the deleted one not reactivated on disk.
    EXPECT_EQ(Cherche(q, Valeur("Marraine"), true), 0);
    EXPECT_EQ(Contenu(qua).size(), 3u * 114);
  }
  {
    TGestFichier g(store, TGestFichier::TOptionsOuverture{.Conversion = TGestFichier::mcConversion});
    EXPECT_FALSE(g.GetFicQualites()->AncienFormat());
  }
  const std::string octets = Contenu(qua);
  ASSERT_EQ(octets.size(), 3u * 228);
  EXPECT_EQ(octets.substr(228, 228), Enreg228("T\xe9moin", "", "", 'N'));
  EXPECT_EQ(octets.substr(2 * 228, 228), Enreg228("Parrain", "P", "", 'O'));
}

// A deleted value typed again comes back under its old number, on disk too.
TEST_F(TableValeurs, ReactivationSousLAncienNumero) {
  auto g = Dossier(true);
  TFicDupli& p = *g->GetFicParentes();
  for (const char* v : {"Oncle", "Cousin", "Neveu"}) (void)Cherche(p, Valeur(v), true);
  p.DeactivateAll();
  EXPECT_TRUE(p.ClassementSansSuppr().empty());
  int rang = 7;
  EXPECT_EQ(Cherche(p, Valeur("cousin"), false, &rang), 0);  // another text
  EXPECT_EQ(Cherche(p, Valeur("Cousin"), false, &rang), 2);
  EXPECT_EQ(rang, 0);
  const std::string octets = Contenu(Fichier("par"));
  EXPECT_EQ(octets.size(), 4u * 228);
  EXPECT_EQ(octets[2 * 228 + 226], 'N');
  EXPECT_EQ(octets[1 * 228 + 226], 'O');
}

TEST_F(TableValeurs, ClassementSansSupprimes) {
  auto g = Dossier(true);
  TFicDupli& q = *g->GetFicQualites();
  // Added out of order; sorted by key: Curé, Maire, parrain, Témoin, Voisin.
  for (const char* v : {"Voisin", "Maire", "parrain", "Curé", "Témoin"})
    (void)Cherche(q, Valeur(v), true);
  int rang = -1;
  EXPECT_EQ(Cherche(q, Valeur("Témoin"), false, &rang), 5);
  EXPECT_EQ(rang, 3);
  TFicheDupli maire(&q, 2, false);
  ASSERT_EQ(maire.Elt.Valeur(), u"Maire");
  maire.Elt.Etat = kEtatSupprime;
  maire.Enregistrement();
  EXPECT_EQ(Cherche(q, Valeur("Témoin"), false, &rang), 5);
  EXPECT_EQ(rang, 2);
  EXPECT_EQ(q.ClassementSansSuppr(), (std::vector<int>{0, 2, 3, 4}));
  EXPECT_EQ(q.ApprochePosClassementSansSuppr(1), 1);  // Maire's position: next active is rank 1
  EXPECT_EQ(q.ApprochePosClassementSansSuppr(-1), -1);
  EXPECT_EQ(q.ApprochePosClassementSansSuppr(5), -1);
  // Renaming a record moves it to its sorted place.
  TFicheDupli voisin(&q, 1, false);
  voisin.Elt.SetTextes(u"Abbé", {}, {});
  voisin.Enregistrement();
  EXPECT_EQ(q.Vecteur().Lit(0).Numero, 1);
  EXPECT_EQ(Cherche(q, Valeur("Abbé"), false), 1);
  EXPECT_EQ(Cherche(q, Valeur("Voisin"), false), 0);
  EXPECT_THROW(TFicheDupli(&q, 0, false).Enregistrement(6), ErreurKy);
}

TEST_F(TableValeurs, FichiersEndommages) {
  { auto g = Dossier(true); }
  const AnsiString qua = Fichier("qua");
  struct Cas {
    const char* nom;
    std::string octets;
    long nbEnreg;
    std::vector<std::string> valeurs;  // record 1 upwards
  };
  const std::vector<Cas> cas = {
      {"entête au-delà du fichier", Enreg228("50", "", "", 'O') + Enreg228("Maire", "", "", 'N'), 1, {"Maire"}},
      {"coupé au milieu d'un enregistrement",
       Enreg228("2", "", "", 'O') + Enreg228("Maire", "", "", 'N') + Enreg228("Curé", "", "", 'N').substr(0, 100), 1,
       {"Maire"}},
      {"entête illisible", Enreg228("x!", "", "", 'O') + Enreg228("Maire", "", "", 'N'), 1, {"Maire"}},
      {"fichier vide", "", 0, {}},
      {"doublons", Enreg228("3", "", "", 'O') + Enreg228("Maire", "", "", 'O') + Enreg228("Maire", "", "", 'N') +
                       Enreg228("Maire", "", "", 'N'),
       3, {"Maire", "Maire", "Maire"}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    Ecrit(qua, c.octets);
    auto g = Dossier();
    TFicDupli& q = *g->GetFicQualites();
    EXPECT_FALSE(g->Erreur);
    EXPECT_EQ(q.NbEnreg, c.nbEnreg);
    for (size_t i = 0; i < c.valeurs.size(); ++i) EXPECT_EQ(q.Charge(static_cast<long>(i + 1)), U(c.valeurs[i]));
  }
  // With the duplicates (the last case), the active one is found and nothing is reactivated.
  auto g = Dossier();
  const long no = Cherche(*g->GetFicQualites(), Valeur("Maire"), false);
  EXPECT_TRUE(no == 2 || no == 3);
  const std::string octets = Contenu(qua);
  ASSERT_EQ(octets.size(), 4u * 228);
  EXPECT_EQ(octets[228 + 226], 'O');
}

TEST_F(TableValeurs, LieuxDansLeStore) {
  {
    auto g = Dossier(true);
    TFicDupli& l = *g->GetFicLieux();
    ASSERT_TRUE(l.DansStore());
    EXPECT_FALSE(FichierExiste(Fichier("lie")));
    EXPECT_EQ(Cherche(l, Valeur("Saint-Étienne;Auvergne-Rhône-Alpes", "42", "France"), true), 1);
    EXPECT_EQ(Cherche(l, Valeur("Saint-Denis", "93", "France"), true), 2);
    EXPECT_EQ(Cherche(l, Valeur("Sainte-Foy", "69", "France"), true), 3);
  }
  auto g = Dossier();
  TFicDupli& l = *g->GetFicLieux();
  EXPECT_EQ(l.NbEnreg, 3);
  EXPECT_EQ(l.RetCommune(1), U("Saint-Étienne"));
  EXPECT_EQ(l.RetRegion(1), U("Auvergne-Rhône-Alpes"));
  EXPECT_EQ(l.RetDepartement(1, kStyleParentheses), u"(42)");
  EXPECT_EQ(l.RetPays(1), u"France");
  EXPECT_EQ(l.RetCommune(9), u"");
  EXPECT_EQ(TFicheDupli(&l, kEnregEntete, false).Elt.Valeur(), u"3");  // the count, as a header
  EXPECT_EQ(g->CodeErreurOuverture, 0);
  // (Searching the places by their start is the place dictionary's test.)
  TModuleBDD& m = *g->GetModuleBDD();
  TFicheDupli denis(&l, 2, false);
  denis.Elt.Etat = kEtatSupprime;
  denis.Enregistrement();
  EXPECT_EQ(m.RechercheLieux(u"SAINT", 0, false).size(), 2u);
  EXPECT_EQ(m.RechercheLieux(u"SAINT", 0, true).size(), 3u);
  EXPECT_EQ(Cherche(l, Valeur("Saint-Denis", "93", "France"), false), 2);
  EXPECT_EQ(m.RechercheLieux(u"SAINT", 0, false).size(), 3u);
  // The whole table rewritten in sorted order: Saint-Denis, Saint-Étienne, Sainte-Foy.
  ASSERT_TRUE(l.SaveAll());
  EXPECT_EQ(l.Charge(1), u"Saint-Denis");
  TLieuBDD lieu;
  ASSERT_TRUE(m.ReadPlace(3, lieu));
  EXPECT_EQ(lieu.Chn1, u"Sainte-Foy");
  EXPECT_EQ(lieu.Chn4, u"SAINTE-FOY");
  EXPECT_EQ(m.ChercheLieu(U("SAINT-ETIENNE;AUVERGNE-RHONE-ALPES")), 2);
  EXPECT_EQ(Cherche(l, Valeur("Paris", "75", "France"), true), 4);
  EXPECT_EQ(m.GetNbLieux(), 4);
  // A write while the folder is in error changes nothing in the store.
  g->SetError(true);
  l.EcritElement(1, Valeur("Autre"));
  EXPECT_TRUE(g->Erreur);
  ASSERT_TRUE(m.ReadPlace(1, lieu));
  EXPECT_EQ(lieu.Chn1, u"Saint-Denis");
}

TEST_F(TableValeurs, LieuxDuFichierRepris) {
  { auto g = Dossier(true); }
  // A folder whose places are still in its ".lie" file: read there and nothing written when
  // read-only; taken once by the store when writable.
  Ecrit(Fichier("lie"), Enreg228("2", "", "", 'O') + Enreg228("Lyon", "69", "France", 'N') +
                            Enreg228("Paris", "75", "France", 'O'));
  {
    TGestFichier g(chemin, TGestFichier::OuvertureLectureSeule());
    ASSERT_TRUE(g.IsReadOnly());
    EXPECT_FALSE(g.GetFicLieux()->DansStore());
    EXPECT_EQ(g.GetFicLieux()->Charge(1), u"Lyon");
    EXPECT_EQ(g.GetModuleBDD()->GetNbLieux(), 0);
    EXPECT_EQ(Cherche(*g.GetFicLieux(), Valeur("Marseille"), true), 0);
  }
  {
    auto g = Dossier();
    TFicDupli& l = *g->GetFicLieux();
    EXPECT_EQ(l.NbEnreg, 2);
    EXPECT_EQ(l.Charge(2), u"Paris");
    EXPECT_EQ(l.ClassementSansSuppr().size(), 1u);
    EXPECT_EQ(g->GetModuleBDD()->GetNbLieux(), 2);
  }
  Ecrit(Fichier("lie"), "");  // no longer read
  auto g = Dossier();
  EXPECT_EQ(g->GetFicLieux()->Charge(1), u"Lyon");
}

TEST_F(TableValeurs, LieuSansPremierePartie) {
  { auto g = Dossier(true); }
  // A department alone in an older places file stays an active place once in the store.
  Ecrit(Fichier("lie"), Enreg228("1", "", "", 'O') + Enreg228("", "35", "", 'N'));
  long pays = 0, departement = 0;
  {
    auto g = Dossier();
    TFicDupli& l = *g->GetFicLieux();
    EXPECT_EQ(l.ClassementSansSuppr().size(), 1u);
    pays = Cherche(l, Valeur("", "", "France"), true);
    departement = Cherche(l, Valeur("", "75"), true);
    EXPECT_EQ(Cherche(l, Valeur(""), true), 0);  // no text at all: no place
  }
  EXPECT_GT(pays, 1);
  EXPECT_GT(departement, pays);
  auto g = Dossier();
  TFicDupli& l = *g->GetFicLieux();
  EXPECT_EQ(l.RetPays(pays), u"France");
  EXPECT_EQ(Cherche(l, Valeur("", "75"), false), departement);
}

// The whole-table rewrite replaces its file at once: cut at any call, the file holds the old
// table or the sorted one, and the table goes on working.
TEST_F(TableValeurs, SaveAllCoupeAChaqueAppel) {
  const std::string debut = Enreg228("3", "", "", 'O') + Enreg228("Voisin", "", "", 'N') +
                            Enreg228("Cur\xe9", "", "", 'N') + Enreg228("Maire", "", "", 'N');
  { auto g = Dossier(true); }
  std::unique_ptr<TGestFichier> ouvert;
  test::TCoupure c;
  c.prepare = [&] {
    Ecrit(Fichier("qua"), debut);
    ouvert = Dossier();
  };
  c.operation = [&] { return ouvert->GetFicQualites()->SaveAll(); };
  c.estAncien = [&] {
    ouvert.reset();
    return Contenu(Fichier("qua")) == debut;
  };
  c.estNouveau = [&] {
    ouvert.reset();
    auto g = Dossier();
    TFicDupli& q = *g->GetFicQualites();
    return q.Charge(1) == U("Curé") && q.Charge(2) == u"Maire" && q.Charge(3) == u"Voisin" &&
           Cherche(q, Valeur("Notaire"), true) == 4;
  };
  EXPECT_GT(test::CoupeAChaqueAppel(c), 2);
  // A record that cannot be read sets the error flags.
  auto g = Dossier();
  AppelsSysteme().pread = [](int, void*, size_t, off_t) -> ssize_t { return 0; };
  TFicheDupli fiche(g->GetFicQualites(), 2, false);
  RestaureAppelsSysteme();
  EXPECT_TRUE(g->Erreur);
  EXPECT_EQ(g->CodeErreurOuverture, 1);
  EXPECT_EQ(fiche.Elt.Valeur(), u"");
}

}  // namespace
}  // namespace kyb
