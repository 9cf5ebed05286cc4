#include "names/gest_elt_index.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/date_heure.h"
#include "platform/erreur.h"
#include "platform/fichiers.h"
#include "support/support.h"

namespace kyb {
namespace {

TEltIndex Elt(const char* nom, const char* prenom, int16_t min, int16_t max, int32_t noPers,
              char sexe = 'M') {
  TEltIndex e;
  e.SetNom(U(nom));
  e.SetPrenom(U(prenom));
  e.AnneeMin = min;
  e.AnneeMax = max;
  e.NoPers = noPers;
  e.Sexe = sexe;
  return e;
}

// The text of the order built the plain way.
UnicodeString TexteReference(const TEltIndex& e) {
  const auto nombre = [](int v) { return AnsiVersUnicode(std::to_string(v)); };
  return UnicodeString(e.Nom()) + UnicodeString(6, u'\x01') + UnicodeString(e.Prenom()) +
         UnicodeString(5, u'\x01') + nombre(e.AnneeMin) + UnicodeString(4, u'\x01') +
         nombre(e.AnneeMax) + UnicodeString(1, CarAnsiVersUnicode(e.Sexe)) + nombre(e.NoPers);
}

// The order of the index is the order of the sort text built the plain way (years and numbers
// as decimal text: 950 after 1850, 12 before 9; random entries seldom share all but the number).
TEST(EltIndex, OrdreCommeLeTexteDeTriSurDesElementsAleatoires) {
  EXPECT_LT(Elt("MARTEL", "JEAN", 1850, 1900, 1), Elt("MARTEL", "JEAN", 950, 1000, 1));
  EXPECT_LT(Elt("MARTEL", "JEAN", 950, 1000, 12), Elt("MARTEL", "JEAN", 950, 1000, 9));
  EXPECT_EQ(Elt("A", "B", 1, 2, 3).TexteDeTri(), TexteReference(Elt("A", "B", 1, 2, 3)));
  std::mt19937 alea(17);
  const char16_t cars[] = {u'\0', u'\x01', u'\x02', u'0', u'9', u'A', u'B', u'\u00C9', u'\uFFFF'};
  const auto texte = [&] {
    UnicodeString t;
    const int lg = static_cast<int>(alea() % 5);
    for (int k = 0; k < lg; ++k) t.push_back(cars[alea() % std::size(cars)]);
    return t;
  };
  const auto element = [&] {
    TEltIndex e;
    e.SetNom(texte());
    e.SetPrenom(texte());
    e.AnneeMin = static_cast<int16_t>(alea() % 3 * 500 - 100);
    e.AnneeMax = static_cast<int16_t>(alea() % 2 * 1000);
    e.NoPers = static_cast<int32_t>(alea() % 25);
    e.Sexe = "\0M F?"[alea() % 5];
    return e;
  };
  for (int essai = 0; essai < 20000; ++essai) {
    const TEltIndex a = element(), b = element();
    const int attendu = TexteReference(a).compare(TexteReference(b));
    const int obtenu = a.EltCmp(b);
    ASSERT_EQ((obtenu > 0) - (obtenu < 0), (attendu > 0) - (attendu < 0))
        << UnicodeVersUtf8(TexteReference(a)) << " / " << UnicodeVersUtf8(TexteReference(b));
  }
}

TEST(EltIndex, TextesTenusALaLargeurDesColonnes) {
  TEltIndex e;
  e.SetNom(U("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
  e.SetPrenom(U("Élisabeth-Marie-Antoinette"));
  e.SetNomSoundex(U("A123456"));
  EXPECT_EQ(e.Nom(), U("ABCDEFGHIJKLMNOPQRSTU"));
  EXPECT_EQ(e.Prenom().size(), 21u);
  EXPECT_EQ(e.NomSoundex(), U("A1234"));
}

TEST(GestEltIndex, DispositionDuFichierOctetParOctet) {
  test::RepertoireTemporaire rep;
  TGestEltIndex index(0, nullptr);
  ASSERT_TRUE(index.Sauvegarde(rep / "vide.prx2", nullptr));
  // The entries, then the appendix of the file read in place (names/vue_fichier_index.h): offsets,
  // table of codes, where the entries end, n, m, the last row number given and its marker.
  EXPECT_EQ(test::Contenu(rep / "vide.prx2"),
            std::string("UTF-8\0\0\0\0", 9) + std::string("\x09\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16) +
                std::string(8, '\0') + "IDX3");

  TEltIndex e = Elt("MARTEL", "ÉLODIE", 1850, -3, 0x01020304, ' ');
  e.SetNomSoundex(u"M634");
  e.RgNom = 1;
  e.RgPrenom = 2;
  e.RgPrenomUsuel = 0x0102;
  e.TypePersonne = 'P';
  e.FicheSupprimee = 'N';
  index.Ajoute(e);
  ASSERT_TRUE(index.Sauvegarde(rep / "un.prx2", nullptr, 0x0102030405));
  const std::string attendu = std::string("UTF-8\x01\0\0\0", 9) +
                              std::string("\x06\0\0\0MARTEL", 10) +
                              std::string("\x07\0\0\0\xC3\x89LODIE", 11) +
                              std::string("\x04\0\0\0M634", 8) + std::string("\0\0\0\0", 4) +
                              std::string("\x3A\x07\xFD\xFF\x04\x03\x02\x01", 8) +
                              std::string("\x01\0\x02\0\x02\x01", 6) + std::string("P\0N", 3);
  const std::string annexe = std::string("\x09\0\0\0\0\0\0\0", 8) +
                             std::string("\x00\x40\x03\x33\x60\x03\x4D\x00\0\0\0\0", 12) +  // code of M634
                             std::string("\x3B\0\0\0\0\0\0\0\x01\0\0\0\x01\0\0\0", 16) +
                             std::string("\x05\x04\x03\x02\x01\0\0\0", 8) + "IDX3";
  EXPECT_EQ(test::Contenu(rep / "un.prx2"), attendu + annexe);

  TGestEltIndex relu(0, nullptr);
  const int descripteurs = test::DescripteursOuverts();
  relu.Restauration(rep / "un.prx2", nullptr);
  EXPECT_EQ(test::DescripteursOuverts(), descripteurs);
  ASSERT_EQ(relu.GetNbElt(), 1);
  EXPECT_EQ(relu.DerniereLigneLue(), 0x0102030405u);
  const TEltIndex& r = relu.Lit(0);
  EXPECT_EQ(r.Prenom(), U("ÉLODIE"));
  EXPECT_EQ(r.Sexe, 0);  // a space comes back as 0
  EXPECT_EQ(r.AnneeMax, -3);
  EXPECT_EQ(r.RgPrenomUsuel, 0x0102);
  EXPECT_EQ(r.FicheSupprimee, 'N');
  EXPECT_EQ(r.NoPers, 0x01020304);
}

// The index file is written through the platform's file services, to a temporary put in place
// at the end: a failing write or sync leaves the previous file whole and readable.
TEST(GestEltIndex, EcritureEnPanneLaisseLAncienFichier) {
  test::RepertoireTemporaire rep;
  const AnsiString chemin = rep / "i.prx2";
  TGestEltIndex ancien(0, nullptr), nouveau(0, nullptr);
  TEltIndex tmp;
  bool ajoute = false;
  ancien.AjouteClasse(Elt("MARTEL", "PAUL", 1850, 1900, 1), tmp, false, ajoute);
  for (int i = 0; i < 5000; ++i)
    nouveau.AjouteClasse(Elt("DURAND", "JEAN", 0, 0, i + 1), tmp, false, ajoute);
  ASSERT_TRUE(ancien.Sauvegarde(chemin, nullptr));
  const std::string octets = test::Contenu(chemin);

  struct Panne {
    const char* nom;
    void (*installe)();
  };
  const Panne pannes[] = {
      {"écriture",
       [] { AppelsSysteme().pwrite = [](int, const void*, size_t, off_t) -> ssize_t { return -1; }; }},
      {"synchronisation", [] { AppelsSysteme().fdatasync = [](int) { return -1; }; }},
  };
  for (const Panne& p : pannes) {
    SCOPED_TRACE(p.nom);
    p.installe();
    const bool ok = nouveau.Sauvegarde(chemin, nullptr);
    RestaureAppelsSysteme();
    EXPECT_FALSE(ok);
    EXPECT_EQ(test::Contenu(chemin), octets);
    EXPECT_FALSE(FichierExiste(chemin + ".tmp"));
  }
  // Reading goes through the same services: a read that fails is reported, not taken as data.
  AppelsSysteme().pread = [](int, void*, size_t, off_t) -> ssize_t { return -1; };
  TGestEltIndex relu(0, nullptr);
  EXPECT_THROW(relu.Restauration(chemin, nullptr), ErreurKy);
  RestaureAppelsSysteme();
  relu.Restauration(chemin, nullptr);
  ASSERT_EQ(relu.GetNbElt(), 1);
  EXPECT_EQ(relu.Lit(0), ancien.Lit(0));
  // Then the new index takes the place of the old one.
  ASSERT_TRUE(nouveau.Sauvegarde(chemin, nullptr));
  relu.Restauration(chemin, nullptr);
  EXPECT_EQ(relu.GetNbElt(), 5000);
  EXPECT_FALSE(FichierExiste(chemin + ".tmp"));
}

TEST(GestEltIndex, UnGrandIndexEstAligneSurLesGrandesPages) {
  TGestEltIndex index(40000, nullptr);  // 5.4 MB: above the large-page threshold
  for (int i = 0; i < 40000; ++i) index.Ajoute(Elt("N", "P", 0, 0, i));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(index.Stock().data()) % (size_t{2} << 20), 0u);
  EXPECT_EQ(index.Lit(39999).NoPers, 39999);
  TGestEltIndex petit(10, nullptr);
  petit.Ajoute(Elt("N", "P", 0, 0, 1));
  EXPECT_EQ(petit.GetNbElt(), 1);
}

TEST(GestEltIndex, FichiersAbimesRefusesSansPlanter) {
  test::RepertoireTemporaire rep;
  TGestEltIndex index(0, nullptr);
  index.Ajoute(Elt("MARTEL", "JEAN", 1, 2, 3));
  index.Ajoute(Elt("MARTIN", "PAUL", 1, 2, 4));
  ASSERT_TRUE(index.Sauvegarde(rep / "ok.prx2", nullptr));
  const std::string bon = test::Contenu(rep / "ok.prx2");

  const auto restaure = [&](const std::string& octets) -> std::string {
    test::Ecrit(rep / "t.prx2", octets);
    TGestEltIndex cible(0, nullptr);
    cible.Ajoute(Elt("AVANT", "", 0, 0, 1));
    try {
      cible.Restauration(rep / "t.prx2", nullptr);
    } catch (const ErreurKy& e) {
      EXPECT_EQ(cible.GetNbElt(), 0);
      return e.what();
    }
    return "ok";
  };
  EXPECT_EQ(restaure(bon), "ok");
  EXPECT_EQ(restaure("UTF-16" + bon.substr(5)), "Encodage inconnu !");
  EXPECT_EQ(restaure("utf-8" + bon.substr(5)), "Encodage inconnu !");
  EXPECT_EQ(restaure("UTF"), "Encodage inconnu !");
  // Cut anywhere but where the entries end (a file of the former layout, without appendix).
  const size_t finEntrees = bon.size() - 28 - 12 * 2 - 8 * 2;
  EXPECT_EQ(restaure(bon.substr(0, finEntrees)), "ok");
  for (size_t lg = 5; lg < bon.size(); ++lg) {
    if (lg != finEntrees) {
      EXPECT_EQ(restaure(bon.substr(0, lg)), "Fichier d'index endommagé ou incomplet !") << lg;
    }
  }

  const auto abime = [&](size_t position, const std::string& octets) {
    std::string t = bon;
    t.replace(position, octets.size(), octets);
    return restaure(t);
  };
  const std::string endommage = "Fichier d'index endommagé ou incomplet !";
  EXPECT_EQ(abime(5, std::string("\x03\0\0\0", 4)), endommage);      // one element too many
  EXPECT_EQ(abime(5, "\xFF\xFF\xFF\x7F"), endommage);                // huge count
  EXPECT_EQ(abime(5, "\xFF\xFF\xFF\xFF"), endommage);                // negative count
  EXPECT_EQ(abime(9, "\xFF\xFF\xFF\xFF"), endommage);                // negative length
  EXPECT_EQ(abime(9, std::string("\x00\x00\x01\x00", 4)), endommage); // 65536-byte text
  EXPECT_EQ(abime(13, "\xC3\x28"), endommage);                       // invalid UTF-8
  EXPECT_EQ(abime(13, "\xED\xA0\x80"), endommage);                   // encoded surrogate

  TGestEltIndex cible(0, nullptr);
  EXPECT_THROW(cible.Restauration(rep / "absent.prx2", nullptr), ErreurKy);
  EXPECT_FALSE(cible.Sauvegarde(rep / "pas/de/dossier.prx2", nullptr));
}

TEST(GestEltIndex, SuppressionEtCorrespondanceParPersonne) {
  TGestEltIndex index(0, nullptr);
  for (int32_t no : {5, 7, 5, 9, 5}) index.Ajoute(Elt("N", "P", 0, 0, no));
  TGestEltIndex::TMapNoPers map;
  index.InitClefIndexOfNoPers(map);
  std::vector<int> positions;
  EXPECT_EQ(index.FindClefIndexOfNoPers(map, 5, &positions), 0);
  EXPECT_EQ(positions, (std::vector<int>{0, 2, 4}));
  EXPECT_EQ(index.FindClefIndexOfNoPers(map, 8, &positions), -1);
  EXPECT_TRUE(positions.empty());

  EXPECT_EQ(index.SupprimeClefPersNo(5), 3);
  EXPECT_EQ(index.SupprimeClefPersNo(5), 0);
  EXPECT_EQ(index.GetNbElt(), 2);
  // The old map points past the end or at other persons: those positions are skipped.
  EXPECT_EQ(index.FindClefIndexOfNoPers(map, 5, &positions), -1);
  EXPECT_EQ(index.FindClefIndexOfNoPers(map, 9, &positions), -1);
  index.InitClefIndexOfNoPers(index.MapNoPers());
  EXPECT_EQ(index.FindClefIndexOfNoPers(index.MapNoPers(), 9), 1);

  EXPECT_EQ(TGestEltIndex::FormatIndex(U("de la Forge")), U("FORGE"));
}

}  // namespace
}  // namespace kyb
