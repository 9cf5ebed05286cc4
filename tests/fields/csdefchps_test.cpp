#include "fields/csdefchps.h"

#include <gtest/gtest.h>

#include "fields/csdefaut.h"
#include "platform/fichiers.h"
#include "platform/journal.h"
#include "support/support.h"

namespace kyb {
namespace {

AnsiString Libelle(const TChpCs* chp) { return chp ? chp->LibelleInterne : "(aucun)"; }

std::vector<AnsiString> Labels(const std::vector<const char*>& libelles) {
  return {libelles.begin(), libelles.end()};
}

class DefChpsCs : public ::testing::Test {
 protected:
  DefChpsCs() {
    EXPECT_TRUE(CreeRepertoires(rep_ / "Famille.kya"));
    fichier_ = rep_ / "Famille.kya/Famille.dch";
    descripteurs_ = test::DescripteursOuverts();
  }
  ~DefChpsCs() override { EXPECT_EQ(test::DescripteursOuverts(), descripteurs_); }

  std::unique_ptr<TDefChpsCs> Ouvre(bool lectureSeule = false, const AnsiString& defaut = {}) {
    iu_.VideJournal();
    return std::make_unique<TDefChpsCs>(nullptr, fichier_, &iu_, lectureSeule, defaut);
  }
  // The default file as it is written for a new folder.
  std::string FichierNeuf() {
    const auto defs = Ouvre();
    std::string contenu = test::Contenu(fichier_);
    SupprimeFichier(fichier_);
    return contenu;
  }
  bool Message(const char* extrait) const {
    for (const std::string& l : iu_.Journal())
      if (l.rfind("message:", 0) == 0 && l.find(extrait) != std::string::npos) return true;
    return false;
  }

  test::RepertoireTemporaire rep_;
  AnsiString fichier_;
  TInterfaceScriptee iu_;
  int descripteurs_ = 0;
};

TEST_F(DefChpsCs, NouveauDossierPuisRelecture) {
  const auto neuf = Ouvre();
  EXPECT_EQ(neuf->GetEtat(), TDefChpsCs::etCree);
  ASSERT_EQ(neuf->Count(), kNbDefinitionsDefaut);
  for (int i = 0; i < kNbDefinitionsDefaut; ++i)
    EXPECT_EQ(*neuf->GetChpCs(i), TChpCs(LignesDefaut()[static_cast<size_t>(i)]));
  EXPECT_TRUE(iu_.Journal().empty());
  const std::string contenu = test::Contenu(fichier_);
  EXPECT_EQ(contenu.rfind("102\r\nNOM\tNom\tNOM\t", 0), 0u);

  // Read back: every definition and every block equal, nothing rewritten.
  neuf->EquivDivorce.SousChampDate = 4;
  neuf->CategoriesCouple.push_back("AUTRES_COUPLE");
  ASSERT_TRUE(neuf->Sauvegarde());
  const auto relu = Ouvre();
  EXPECT_EQ(relu->GetEtat(), TDefChpsCs::etCharge);
  ASSERT_EQ(relu->Count(), neuf->Count());
  for (int i = 0; i < relu->Count(); ++i) EXPECT_EQ(*relu->GetChpCs(i), *neuf->GetChpCs(i));
  EXPECT_EQ(relu->EquivDivorce.SousChampDate, 4);
  EXPECT_EQ(relu->CategoriesCouple, Labels({"PHOTOS_COUPLE", "AUTRES_COUPLE"}));
  EXPECT_TRUE(iu_.Journal().empty());
  EXPECT_FALSE(FichierExiste(fichier_ + ".copie"));
}

TEST_F(DefChpsCs, ChainesDEquivalence) {
  const auto defs = Ouvre();
  const auto equiv = [&](const char* libelle, bool cascade) {
    return defs->RechercheChampsInternePtr(libelle)->GetEquivalences(cascade, defs.get());
  };
  EXPECT_EQ(equiv("UNION", true),
            Labels({"CTR-MARIAGE", "PACS", "CONCUBINAGE", "BANS", "FIANCAILLES"}));
  EXPECT_EQ(equiv("UNION", false), Labels({"CTR-MARIAGE"}));
  EXPECT_EQ(equiv("PACS", true), Labels({"CONCUBINAGE", "BANS", "FIANCAILLES"}));
  EXPECT_TRUE(equiv("FIANCAILLES", true).empty());
  EXPECT_FALSE(defs->RechercheChampsInternePtr("REGISTRE_MATRICULE")->Cascade);
  // Without a set given, the cascade goes through the definitions of the definition's own set.
  EXPECT_EQ(defs->RechercheChampsInternePtr("PACS")->GetEquivalences(true),
            Labels({"CONCUBINAGE", "BANS", "FIANCAILLES"}));

  // Appending skips what the list holds, and the cascade follows only the labels it added:
  // PACS was there, so nothing past it is added.
  std::vector<AnsiString> liste = Labels({"PACS"});
  EXPECT_EQ(defs->GetEventAssociated("UNION", liste, true), 1);
  EXPECT_EQ(liste, Labels({"PACS", "CTR-MARIAGE"}));
  liste = Labels({"BANS"});
  EXPECT_EQ(defs->GetEventAssociated("UNION", liste, true), 3);
  EXPECT_EQ(liste, Labels({"BANS", "CTR-MARIAGE", "PACS", "CONCUBINAGE"}));
  liste.clear();
  EXPECT_EQ(defs->GetEventAssociated("UNION", liste, false), 1);
  EXPECT_EQ(liste, Labels({"CTR-MARIAGE"}));
  EXPECT_EQ(defs->GetEventAssociated("INCONNU", liste, true), 0);
  defs->RechercheChampsInternePtr("FIANCAILLES")->Equivalences = "UNION|BANS";
  liste.clear();
  EXPECT_EQ(defs->GetEventAssociated("UNION", liste, true), 5);
}

TEST_F(DefChpsCs, RecherchesEtEvenementsStandard) {
  const auto defs = Ouvre();
  EXPECT_EQ(defs->RechercheChampsInterneRg("naissance"), -1);
  EXPECT_EQ(Libelle(defs->RechercheChampsLibelleEcranPtr(A("DÉCÈS"))), "DECES");
  EXPECT_TRUE(defs->IsLibelleExiste("pacs"));
  EXPECT_EQ(Libelle(defs->RetChpCsRgEven(1)), "NAISSANCE");
  EXPECT_NE(defs->RetChpCsRgPerso(kNbDefinitionsDefaut - 5), nullptr);  // less the 4 base fields
  EXPECT_EQ(defs->RetChpCsRgPerso(kNbDefinitionsDefaut - 4), nullptr);
  EXPECT_FALSE(defs->IsEvenNaissanceUniquement("BAPTEME"));
  EXPECT_TRUE(defs->IsEvenNaissance("BAPTEME"));
  EXPECT_FALSE(defs->IsEvenUnion("PACS"));
  EXPECT_TRUE(defs->IsEvenStandard("DIVORCE"));
  EXPECT_FALSE(defs->IsEvenStandard("PROFESSION"));
  const TChpCs* naissance = defs->RechercheChampsInternePtr("NAISSANCE");
  EXPECT_TRUE(defs->IsDateNaissance(naissance, kSousChampDate));
  EXPECT_FALSE(defs->IsDateNaissance(naissance, 0));
  // Creation refuses an empty or taken label; the secondary list is separate.
  EXPECT_EQ(defs->CreatChpCs(A("NAISSANCE\tAutre naissance\tES")), nullptr);
  EXPECT_EQ(defs->CreatChpCs("\tSans libellé"), nullptr);
  ASSERT_NE(defs->CreatSecondaryChpCs(A("NAISSANCE\tAutre naissance\tES")), nullptr);
  EXPECT_EQ(defs->Count(), kNbDefinitionsDefaut);
}

TEST_F(DefChpsCs, NouveauLibelleInterne) {
  const auto defs = Ouvre();
  TDefChpsCs autre;
  const char* long_ = "SERVICE_MILITAIRE_ETRANGER";  // 26 characters
  EXPECT_EQ(defs->NouveauLibelleInterne(long_, &autre), "SERVICE_MILITAIRE0");
  ASSERT_NE(defs->CreatChpCs("SERVICE_MILITAIRE0\tx\tES"), nullptr);
  ASSERT_NE(autre.CreatChpCs("SERVICE_MILITAIRE1\tx\tES"), nullptr);
  EXPECT_EQ(defs->NouveauLibelleInterne(long_, &autre), "SERVICE_MILITAIRE2");
  EXPECT_EQ(defs->NouveauLibelleInterne(long_, nullptr), "SERVICE_MILITAIRE1");
  EXPECT_EQ(defs->NouveauLibelleInterne("NAISSANCE", nullptr), "NAISSANCE0");
  EXPECT_EQ(defs->NouveauLibelleInterne("", nullptr), "0");
}

TEST_F(DefChpsCs, OrdreDeTri) {
  const auto defs = Ouvre();
  ASSERT_NE(defs->CreatChpCs("A_1\tRetraite\tES"), nullptr);  // same screen label as RETRAITE
  defs->SortChpCs();
  ASSERT_EQ(defs->Count(), kNbDefinitionsDefaut + 1);
  int groupePrecedent = 0;
  for (int i = 0; i < defs->Count(); ++i) {
    const TChpCs& c = *defs->GetChpCs(i);
    const int groupe = c.IsBase()          ? 0
                       : c.IsEvenement()   ? 1
                       : c.IsSimple()      ? 2
                       : c.IsDateGestSys() ? 3
                                           : 4;
    EXPECT_GE(groupe, groupePrecedent) << c.LibelleInterne;
    if (i > 0 && groupe == groupePrecedent && (groupe == 1 || groupe == 2)) {
      EXPECT_LE(CompareSansCasseAnsi(defs->GetChpCs(i - 1)->LibelleEcran, c.LibelleEcran), 0);
    }
    groupePrecedent = groupe;
  }
  EXPECT_EQ(defs->RechercheChampsInterneRg("A_1"), defs->RechercheChampsInterneRg("RETRAITE") + 1);
}

TEST_F(DefChpsCs, MiseAJourDUnAncienFichier) {
  // A file of the first version (no version line, no records): a few definitions, one renamed by
  // the user, one of its own. It gets the definitions introduced since, and the base fields and
  // standard events the set must hold; the other defaults were deleted by the user.
  test::Ecrit(fichier_, "3\r\n" + A("NOM\tNom\tNOM\t\t1\t50\t\t_NOM\t\t\tN\tP\r\n") +
                          A("NAISSANCE\tNaiss.\tES\t\t1\t20\t\tBIRT\t\t\tN\tP\r\n") +
                          A("MON_CHAMP\tMon champ\tCPA\t\t1\t40\t\t_MC\t\t\tN\tP\r\n"));
  const auto defs = Ouvre();
  EXPECT_EQ(defs->GetEtat(), TDefChpsCs::etCharge);
  EXPECT_EQ(defs->GetChpCs(2)->LibelleInterne, "MON_CHAMP");
  EXPECT_EQ(defs->RetourneLibelleEcran("NAISSANCE"), "Naiss.");
  for (const char* nouveau : {"IMAGE_SRC", "MILIT_GRADE", "PATHOLOGIE", "FSFTID"})
    EXPECT_TRUE(defs->IsChampExist(nouveau)) << nouveau;
  for (const char* requis : {"PRENOM", "SEXE", "SOSA", "BAPTEME", "DECES", "UNION", "DIVORCE"})
    EXPECT_TRUE(defs->IsChampExist(requis)) << requis;
  for (const char* supprime : {"RELIGION", "PROFESSION", "ADOPTION", "EMAIL"})
    EXPECT_FALSE(defs->IsChampExist(supprime)) << supprime;
  EXPECT_EQ(defs->VersionFichier, "1");
  EXPECT_TRUE(iu_.Journal().empty());
  EXPECT_FALSE(FichierExiste(fichier_ + ".copie"));
  // Saved again at the current version, records included.
  const auto relu = Ouvre();
  EXPECT_EQ(relu->Count(), defs->Count());
  EXPECT_EQ(relu->EquivUnion, defs->EquivUnion);
  EXPECT_EQ(test::Contenu(fichier_).rfind(std::to_string(defs->Count()) + "\r\n", 0), 0u);
}

// The lines of a file written for a new folder, without their line ends.
std::vector<std::string> LignesDe(const std::string& contenu) {
  std::vector<std::string> lignes;
  size_t debut = 0;
  for (size_t fin; (fin = contenu.find("\r\n", debut)) != std::string::npos; debut = fin + 2)
    lignes.push_back(contenu.substr(debut, fin - debut));
  return lignes;
}

std::string Assemble(const std::vector<std::string>& lignes, bool finDeLigne = true) {
  std::string r;
  for (size_t i = 0; i < lignes.size(); ++i)
    r += lignes[i] + (i + 1 < lignes.size() || finDeLigne ? "\r\n" : "");
  return r;
}

// The first line beginning with debut (the whole line when entiere).
size_t Rang(const std::vector<std::string>& lignes, const std::string& debut, bool entiere = false) {
  for (size_t i = 0; i < lignes.size(); ++i)
    if (entiere ? lignes[i] == debut : lignes[i].rfind(debut, 0) == 0) return i;
  ADD_FAILURE() << debut;
  return 0;
}

TEST_F(DefChpsCs, UneLigneIllisibleNeFaitPerdreQuElleMeme) {
  std::vector<std::string> lignes = LignesDe(FichierNeuf());
  // The user renamed the birth and added a field; then two lines were damaged before them.
  std::string& naissance = lignes[Rang(lignes, "NAISSANCE\t")];
  naissance.replace(0, naissance.find('\t', 10), "NAISSANCE\tVenue au monde");
  lignes.insert(lignes.begin() + 60, A("MON_CHAMP\tMon champ\tCPA\t\t1\t40\t\t_MC\t\t\tN\tP"));
  lignes[0] = "103";
  lignes[Rang(lignes, "PRENOM\t")] = "PRENOM Prénoms sans tabulation";
  lignes[Rang(lignes, "SEXE\t")][3] = '\x01';
  const std::string contenu = Assemble(lignes);
  test::Ecrit(fichier_, contenu);

  const auto defs = Ouvre();
  EXPECT_EQ(defs->GetEtat(), TDefChpsCs::etRepare);
  EXPECT_TRUE(Message("2 lignes de définition n'ont pas pu être lues"))
      << (iu_.Journal().empty() ? "" : iu_.Journal()[0]);
  EXPECT_EQ(defs->RetourneLibelleEcran("NAISSANCE"), "Venue au monde");
  ASSERT_TRUE(defs->IsChampExist("MON_CHAMP"));
  EXPECT_EQ(defs->RechercheChampsInterneRg("MON_CHAMP"), 57);  // PRENOM and SEXE lost before it
  EXPECT_EQ(defs->RechercheChampsInternePtr("FSFTID")->LibelleEcran,
            A("Numéro d'identification FamilySearch"));
  EXPECT_TRUE(defs->IsChampExist("PRENOM"));  // lost lines: defaults put back
  EXPECT_EQ(defs->Count(), kNbDefinitionsDefaut + 1);
  EXPECT_EQ(test::Contenu(fichier_ + ".copie"), contenu);
  const auto relu = Ouvre();
  EXPECT_EQ(relu->GetEtat(), TDefChpsCs::etCharge);
  EXPECT_EQ(relu->RetourneLibelleEcran("NAISSANCE"), "Venue au monde");
  EXPECT_TRUE(iu_.Journal().empty());

  // A count larger than the lines: the missing lines are lost lines too.
  SupprimeFichier(fichier_);
  lignes = LignesDe(FichierNeuf());
  lignes[0] = "104";
  test::Ecrit(fichier_, Assemble(lignes));
  EXPECT_EQ(Ouvre()->GetEtat(), TDefChpsCs::etRepare);
  EXPECT_TRUE(Message("2 lignes de définition")) << (iu_.Journal().empty() ? "" : iu_.Journal()[0]);
}

TEST_F(DefChpsCs, DerniereLigneSansFinDeLigne) {
  // A complete file whose last line lacks its line end: read whole, nothing to repair.
  std::vector<std::string> lignes = LignesDe(FichierNeuf());
  lignes.back() = "MES_PHOTOS";
  test::Ecrit(fichier_, Assemble(lignes, false));
  auto defs = Ouvre();
  EXPECT_EQ(defs->GetEtat(), TDefChpsCs::etCharge);
  EXPECT_EQ(defs->CategoriesCouple, Labels({"MES_PHOTOS"}));
  EXPECT_TRUE(iu_.Journal().empty());
  EXPECT_FALSE(FichierExiste(fichier_ + ".copie"));

  // An older file ending on a whole definition line without line end.
  const std::string ancien = "2\r\n" + A("NOM\tNom\tNOM\t\t1\t50\t\t_NOM\t\t\tN\tP\r\n") +
                             A("MON_CHAMP\tMon champ\tCPA\t\t1\t40\t\t_MC\t\t\tN\tP");
  test::Ecrit(fichier_, ancien);
  defs = Ouvre();
  EXPECT_EQ(defs->GetEtat(), TDefChpsCs::etCharge);
  EXPECT_EQ(defs->RetourneLibelleEcran("MON_CHAMP"), "Mon champ");
  EXPECT_TRUE(iu_.Journal().empty());

  // A definition line cut short is kept as far as it goes, and reported.
  test::Ecrit(fichier_, ancien.substr(0, ancien.size() - 12));
  defs = Ouvre();
  EXPECT_EQ(defs->GetEtat(), TDefChpsCs::etRepare);
  EXPECT_EQ(defs->RetourneLibelleEcran("MON_CHAMP"), "Mon champ");
  EXPECT_TRUE(Message("incomplète"));
}

TEST_F(DefChpsCs, LesChampsSupprimesNeReviennentPas) {
  // A file of the current version from which the user deleted two defaults.
  std::vector<std::string> lignes = LignesDe(FichierNeuf());
  lignes.erase(lignes.begin() + static_cast<long>(Rang(lignes, "RELIGION\t")));
  lignes.erase(lignes.begin() + static_cast<long>(Rang(lignes, "FSFTID\t")));
  lignes[0] = "100";
  const std::string contenu = Assemble(lignes);
  test::Ecrit(fichier_, contenu);
  const auto defs = Ouvre();
  EXPECT_EQ(defs->GetEtat(), TDefChpsCs::etCharge);
  EXPECT_EQ(defs->Count(), 100);
  EXPECT_FALSE(defs->IsChampExist("RELIGION"));
  EXPECT_FALSE(defs->IsChampExist("FSFTID"));
  EXPECT_EQ(test::Contenu(fichier_), contenu);  // nothing to write back
}

TEST_F(DefChpsCs, EvenementStandardEndommage) {
  const std::string neuf = FichierNeuf();
  std::vector<std::string> lignes = LignesDe(neuf);
  // The birth record renamed by damage.
  const size_t enreg = Rang(lignes, "NAISSANCE", true);
  ASSERT_EQ(lignes[enreg], "NAISSANCE");
  lignes[enreg] = "NAISS@NCE";
  test::Ecrit(fichier_, Assemble(lignes));
  auto defs = Ouvre();
  EXPECT_EQ(defs->GetEtat(), TDefChpsCs::etRepare);
  EXPECT_TRUE(Message("« NAISS@NCE » remplacé par NAISSANCE"));
  EXPECT_EQ(defs->EquivNaissance.Libelle, "NAISSANCE");
  EXPECT_TRUE(defs->IsEvenNaissanceUniquement("NAISSANCE"));

  // The birth definition renamed by damage: the records still name NAISSANCE.
  lignes = LignesDe(neuf);
  lignes[Rang(lignes, "NAISSANCE\t")][8] = 'F';
  test::Ecrit(fichier_, Assemble(lignes));
  defs = Ouvre();
  EXPECT_EQ(defs->GetEtat(), TDefChpsCs::etRepare);
  EXPECT_TRUE(Message("NAISSANCE (définition rétablie)"));
  EXPECT_EQ(defs->RetourneLibelleEcran("NAISSANCE"), "Naissance");
  EXPECT_TRUE(defs->IsChampExist("NAISSANCF"));  // a readable definition is never dropped
}

TEST_F(DefChpsCs, DommagesJournalisesSansInterface) {
  DefinitRepertoireJournaux(rep_ / "journaux");
  std::vector<std::string> lignes = LignesDe(FichierNeuf());
  lignes[Rang(lignes, "DECES\t")] = "DECES sans tabulation";
  test::Ecrit(fichier_, Assemble(lignes));
  const TDefChpsCs defs(nullptr, fichier_, nullptr, true);
  const std::vector<std::string> journal = LignesJournal(TDefChpsCs::kJournal);
  DefinitRepertoireJournaux("");
  ASSERT_EQ(journal.size(), 1u);
  EXPECT_NE(journal[0].find("1 ligne de définition n'a pas pu être lue"), std::string::npos)
      << journal[0];
  EXPECT_TRUE(defs.IsChampExist("DECES"));
}

TEST_F(DefChpsCs, FichierReencodeEnUtf8) {
  const std::string neuf = FichierNeuf();
  const std::string utf8 = AnsiVersUtf8(neuf);
  ASSERT_NE(utf8, neuf);
  for (const std::string& contenu : {utf8, "\xEF\xBB\xBF" + utf8}) {
    // Read-only: reported, read back in Windows-1252, left as it is.
    test::Ecrit(fichier_, contenu);
    SupprimeFichier(fichier_ + ".copie");
    auto defs = Ouvre(true);
    EXPECT_TRUE(Message("UTF-8"));
    EXPECT_TRUE(Message("réparé à la prochaine ouverture du dossier en écriture"));
    EXPECT_EQ(defs->RetourneLibelleEcran("PRENOM"), A("Prénoms"));
    EXPECT_EQ(test::Contenu(fichier_), contenu);
    // Writable: kept aside and written back in Windows-1252.
    defs = Ouvre();
    EXPECT_EQ(defs->GetEtat(), TDefChpsCs::etRepare);
    EXPECT_EQ(defs->RetourneLibelleEcran("NAISSANCE"), "Naissance");
    EXPECT_EQ(defs->RechercheChampsInternePtr("NAISSANCE")->MotFeminin, A("Née"));
    EXPECT_EQ(test::Contenu(fichier_), neuf);
    EXPECT_EQ(test::Contenu(fichier_ + ".copie"), contenu);
  }
}

TEST_F(DefChpsCs, FichiersEndommages) {
  const std::string neuf = FichierNeuf();
  const size_t finLigne3 = neuf.find("\r\n", neuf.find("\r\n", neuf.find("\r\n") + 2) + 2);
  struct Cas {
    const char* nom;
    std::string contenu;
    TDefChpsCs::TEtat etat;
    const char* message;
  };
  const Cas cas[] = {
      {"binaire", std::string("\x00\xff\x13\tK\x01\x02\t\x7f", 9) + "\n\x05\t\x06",
       TDefChpsCs::etRemplace, "est illisible"},
      {"fichier vide", "", TDefChpsCs::etRemplace, "est illisible"},
      {"compte seul", "102\r\n", TDefChpsCs::etRemplace, "est illisible"},
      {"coupé au milieu d'une ligne", neuf.substr(0, neuf.size() / 2), TDefChpsCs::etRepare,
       "endommagé"},
      {"coupé après trois lignes", neuf.substr(0, finLigne3 + 2), TDefChpsCs::etRepare,
       "endommagé"},
      {"compte faux", "7" + neuf.substr(3), TDefChpsCs::etRepare, "endommagé"},
      {"compte absent", neuf.substr(5), TDefChpsCs::etRepare, "endommagé"},
      {"compte non numérique", "cent deux" + neuf.substr(3), TDefChpsCs::etRepare, "endommagé"},
      {"ligne en double", "103\r\n" + neuf.substr(5, neuf.find("\r\n", 5) + 2 - 5) + neuf.substr(5),
       TDefChpsCs::etRepare, "endommagé"},
      {"blocs tronqués", neuf.substr(0, neuf.find("\r\nNAISSANCE\r\n") + 2) + "NAISSANCE\r\nB\r\n",
       TDefChpsCs::etCharge, nullptr},
      {"ligne courte et morceaux sans tailles", "2\nCOURT\tCourt\nTROIS\tTrois\tEC\t\t3\t10\n",
       TDefChpsCs::etCharge, nullptr},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    SupprimeFichier(fichier_);
    SupprimeFichier(fichier_ + ".copie");
    test::Ecrit(fichier_, c.contenu);
    // (Kept standard events, the copy of what was read with losses and the saved form read
    // back cleanly hold for any input: the replayed fuzzing harness of this file checks them.)
    EXPECT_EQ(Ouvre()->GetEtat(), c.etat);
    if (c.message) {
      EXPECT_TRUE(Message(c.message)) << (iu_.Journal().empty() ? "" : iu_.Journal()[0]);
    } else {
      EXPECT_FALSE(FichierExiste(fichier_ + ".copie"));
    }
  }
  // The short lines were read by the column rules.
  const auto defs = Ouvre();
  EXPECT_EQ(defs->RetourneLibelleEcran("COURT"), "Court");
  ASSERT_NE(defs->RechercheChampsInternePtr("TROIS"), nullptr);
  EXPECT_EQ(defs->RechercheChampsInternePtr("TROIS")->RetTailleMorceauChn(), "10, 0, 0");
  // A second damaged file gets the next copy name.
  test::Ecrit(fichier_, "illisible\n");
  test::Ecrit(fichier_ + ".copie", "ancienne copie");
  EXPECT_EQ(Ouvre()->GetEtat(), TDefChpsCs::etRemplace);
  EXPECT_EQ(test::Contenu(fichier_ + ".copie1"), "illisible\n");
  EXPECT_EQ(test::Contenu(fichier_ + ".copie"), "ancienne copie");
}

TEST_F(DefChpsCs, LectureSeuleNeModifieRien) {
  EXPECT_EQ(Ouvre(true)->Count(), kNbDefinitionsDefaut);  // missing file: defaults in memory
  EXPECT_FALSE(FichierExiste(fichier_));

  test::Ecrit(fichier_, "n'importe quoi");
  const auto defs = Ouvre(true);
  EXPECT_EQ(defs->GetEtat(), TDefChpsCs::etMemoire);
  EXPECT_EQ(defs->Count(), kNbDefinitionsDefaut);
  EXPECT_TRUE(Message("illisible"));
  EXPECT_FALSE(defs->Sauvegarde());
  EXPECT_EQ(test::Contenu(fichier_), "n'importe quoi");
}

TEST_F(DefChpsCs, FichierParDefautEtEchecDEnregistrement) {
  // A default file is copied into a new folder.
  const AnsiString modele = rep_ / "Modele.dch";
  test::Ecrit(modele, "1\r\n" + A("MON_CHAMP\tMon champ\tCPA\t\t1\t40\t\t_MC\t\t\tN\tP\r\n"));
  const auto defs = Ouvre(false, modele);
  EXPECT_EQ(defs->GetEtat(), TDefChpsCs::etCree);
  EXPECT_EQ(defs->GetChpCs(0)->LibelleInterne, "MON_CHAMP");
  EXPECT_TRUE(defs->IsChampExist("FSFTID"));
  EXPECT_EQ(test::Contenu(fichier_).rfind(std::to_string(defs->Count()) + "\r\n", 0), 0u);
  // A save cut between its renames: the set-aside file is taken back.
  ASSERT_TRUE(RenommeFichier(fichier_, fichier_ + ".bak"));
  EXPECT_EQ(Ouvre()->GetChpCs(0)->LibelleInterne, "MON_CHAMP");
  EXPECT_FALSE(FichierExiste(fichier_ + ".bak"));
  // A default file that does not exist is no obstacle.
  SupprimeFichier(fichier_);
  EXPECT_EQ(Ouvre(false, rep_ / "Absent.dch")->Count(), kNbDefinitionsDefaut);

  // A folder directory that does not exist: the set lives, the user is told.
  fichier_ = rep_ / "Absent.kya/Absent.dch";
  const auto sansDossier = Ouvre();
  EXPECT_EQ(sansDossier->Count(), kNbDefinitionsDefaut);
  EXPECT_TRUE(Message("a échoué"));
}

}  // namespace
}  // namespace kyb
