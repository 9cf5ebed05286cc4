// Sources and illustrations in both storages: the store of the current format, and the legacy
// 336- and 268-byte files of 2009 folders (read, then converted into the store).
#include "folder/fic_sources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "store/datamodulebdd.h"
#include "dossier_fixture.h"

namespace kyb {
namespace {

// A legacy record: event, rank, then 8-bit texts at their offsets.
std::string Enreg(size_t taille, int32_t even, int32_t rang, std::vector<std::pair<size_t, std::string>> textes) {
  std::string e(taille, '\0');
  std::memcpy(e.data(), &even, 4);
  std::memcpy(e.data() + 4, &rang, 4);
  for (const auto& [offset, texte] : textes) std::memcpy(e.data() + offset, texte.data(), texte.size());
  return e;
}

using SourcesIllustrations = test::DossierTemporaire;

TEST_F(SourcesIllustrations, FormatCourantParLeStore) {
  auto g = Cree(Store());
  ASSERT_FALSE(g->Erreur);
  ASSERT_TRUE(g->FicSources && g->FicIllustrations && g->FicNotes && g->FicNoticesPat);
  TFicSources& fs = *g->FicSources;
  EXPECT_EQ(fs.Ancien(), nullptr);
  EXPECT_EQ(fs.GetNbEnreg(), 0);
  EXPECT_EQ(fs.ReturnNewNum(), 1);
  TSource s(&fs, 0);
  s.Public.IdEven = 12;
  s.Public.Type = u"Registre paroissial";
  s.Public.Descriptif = UnicodeString(320, u'é');  // cut to 300
  s.Public.Rang = 1;
  ASSERT_TRUE(s.Enregistrement());
  EXPECT_EQ(s.Numero(), 1);
  EXPECT_EQ(fs.ReturnNewNum(), 2);
  TSource s2(&fs, 0);
  s2.Public.IdEven = 12;
  s2.Public.Type = u"Acte notarié";
  ASSERT_TRUE(s2.Enregistrement(fs.ReturnNewNum()));
  EXPECT_EQ(s2.Numero(), 2);
  const TSource relue(&fs, 1);
  EXPECT_EQ(relue.Public.Type, u"Registre paroissial");
  EXPECT_EQ(relue.Public.Descriptif, UnicodeString(300, u'é'));
  EXPECT_EQ(relue.Public.IdEven, 12);
  EXPECT_EQ(fs.GetNbEnreg(), 2);
  EXPECT_TRUE(fs.NoSourceValide(2));
  EXPECT_FALSE(fs.NoSourceValide(3));
  long inconnu = 7, connu = 2, aucun = 0;
  int compte = 0;
  fs.AnnuleSiInconnu(inconnu, &compte);
  fs.AnnuleSiInconnu(connu, &compte);
  fs.AnnuleSiInconnu(aucun, &compte);
  EXPECT_EQ(inconnu, 0);
  EXPECT_EQ(connu, 2);
  EXPECT_EQ(compte, 1);
  fs.PreProcessSearch();
  std::vector<UnicodeString> types;
  for (TSourceBDD r; fs.GetSourceParcours(r);) types.push_back(r.Type);
  fs.PostProcessSearch();
  EXPECT_EQ(types, (std::vector<UnicodeString>{u"Registre paroissial", u"Acte notarié"}));

  TFicIllustrations& fi = *g->FicIllustrations;
  TIllustration ill(&fi, 0);
  ill.Public.IdEven = 12;
  ill.Public.Chemin = "actes/naissance.jpg";
  ASSERT_TRUE(ill.Enregistrement());
  TIllustration absolue(&fi, 0);
  absolue.Public.Chemin = "/photos/portrait.png";
  ASSERT_TRUE(absolue.Enregistrement());
  const TIllustration relue1(&fi, ill.Numero());
  EXPECT_EQ(relue1.Public.Chemin, "actes/naissance.jpg");
  EXPECT_EQ(relue1.GetExpandFilename(), g->Repertoire + "Images/actes/naissance.jpg");
  EXPECT_EQ(TIllustration(&fi, absolue.Numero()).GetExpandFilename(), "/photos/portrait.png");
  EXPECT_EQ(fi.GetNbEnreg(), 2);
  EXPECT_TRUE(fi.NoIllustrationValide(absolue.Numero()));
}

TEST_F(SourcesIllustrations, IdentifiantsPendantUnImport) {
  // During an import the identifiers follow the reserved one, with no look-up, and the rows
  // written keep them.
  auto g = Cree(Store());
  ASSERT_FALSE(g->Erreur);
  TFicSources& fs = *g->FicSources;
  TSource premiere(&fs, 0);
  premiere.Public.Type = u"Registre";
  ASSERT_TRUE(premiere.Enregistrement());
  ASSERT_TRUE(g->GetModuleBDD()->BeginImport(false));
  std::vector<long> numeros;
  for (int i = 0; i < 3; ++i) {
    TSource s(&fs, 0);
    s.Public.IdEven = 40 + i;
    ASSERT_TRUE(s.Enregistrement(fs.ReturnNewNum()));
    numeros.push_back(s.Numero());
  }
  ASSERT_TRUE(g->GetModuleBDD()->EndImport(false));
  EXPECT_EQ(numeros[1], numeros[0] + 1);
  EXPECT_EQ(numeros[2], numeros[0] + 2);
  EXPECT_GT(numeros[0], premiere.Numero());
  EXPECT_EQ(TSource(&fs, numeros[2]).Public.IdEven, 42);
  EXPECT_EQ(fs.ReturnNewNum(), numeros[2] + 1);
}

TEST_F(SourcesIllustrations, FichiersDuFormat2009) {
  ASSERT_TRUE(CreeRepertoires(rep / "Vieux.old"));
  {
    std::ofstream src(rep / "Vieux.old/Vieux.src", std::ios::binary);
    std::string entete(TFicSources::kTailleAncien, '\0');
    const int32_t trois = 3;  // one more than the file holds: capped
    std::memcpy(entete.data(), &trois, 4);
    src << entete << Enreg(336, 4, 1, {{8, "Etat civil"}, {40, "Acte de naissance n\xB0 12, Saint-Malo"}})
        << Enreg(336, 5, 2, {{8, std::string(40, 'T')}, {40, "Recensement"}});
    std::ofstream ill(rep / "Vieux.old/Vieux.ill", std::ios::binary);
    ill << Enreg(268, 0, 0, {{8, "1"}}) << Enreg(268, 4, 1, {{8, "Images\\acte12.jpg"}});
  }
  // As the conversion reads it: a writable 2009 folder with a fresh store beside the legacy files.
  auto g = std::make_unique<TGestFichier>(rep / "Vieux.old/Vieux.adb");
  EXPECT_EQ(g->VersionFichier, 2009);
  g->ModuleBDD = std::make_unique<TModuleBDD>(g.get(), g->FabriqueNomFichier(TGestFichier::tfBaseDonnees),
                                              TGestFichier::kVersionBDD);
  ASSERT_TRUE(g->ModuleBDD->CreateDataBase());
  ASSERT_TRUE(g->ModuleBDD->OpenDataBase(false));
  g->FicSources = std::make_unique<TFicSources>(g.get());
  g->FicIllustrations = std::make_unique<TFicIllustrations>(g.get());
  TFicSources& fs = *g->FicSources;
  ASSERT_NE(fs.Ancien(), nullptr);
  EXPECT_EQ(fs.GetNbEnreg(), 2);
  TSource s(&fs, 1);
  EXPECT_EQ(s.Public.IdEven, 4);
  EXPECT_EQ(s.Public.Rang, 1);
  EXPECT_EQ(s.Public.Type, u"Etat civil");
  EXPECT_EQ(s.Public.Descriptif, u"Acte de naissance n° 12, Saint-Malo");  // Windows-1252 read
  const TSource s2(&fs, 2);
  EXPECT_EQ(s2.Public.Type, UnicodeString(32, u'T'));  // a full field without terminator
  EXPECT_FALSE(TSource(&fs, 3).Lecture(3));
  TFicIllustrations& fi = *g->FicIllustrations;
  EXPECT_EQ(fi.GetNbEnreg(), 1);
  const TIllustration ill(&fi, 1);
  EXPECT_EQ(ill.Public.Chemin, "Images\\acte12.jpg");
  EXPECT_EQ(ill.GetExpandFilename(), g->Repertoire + "Images/Images/acte12.jpg");
  // Writing goes to the store, the legacy file stays as it was.
  EXPECT_FALSE(fs.NoSourceValide(1));
  ASSERT_TRUE(s.Enregistrement());
  EXPECT_TRUE(fs.NoSourceValide(1));
  TSourceBDD dansStore;
  ASSERT_TRUE(g->GetModuleBDD()->LectureSource(1, dansStore));
  EXPECT_EQ(dansStore.Descriptif, u"Acte de naissance n° 12, Saint-Malo");
  EXPECT_EQ(TailleFichier(rep / "Vieux.old/Vieux.src"), 3 * 336);
}

}  // namespace
}  // namespace kyb
