// The ordered walks read what the store's own cursors read, in the same order.
#include "engine/acr_database.h"
#include "engine/acr_query.h"
#include "platform/thread_nom.h"
#include "store/parcours_ordonnes.h"
#include "store_fixture.h"

namespace kyb::test {
namespace {

class ParcoursOrdonnes : public Magasin {
 protected:
  void SetUp() override {
    NommeThreadPrincipal();
    Magasin::SetUp();
    dossier.nbNotes = 5;
    TLieuBDD l;
    l.Chn1 = u"Mâcon";
    ASSERT_TRUE(module->WritePlace(1, l));
  }

  void Personne(long no, char sexe, const char16_t* nom, std::vector<int32_t> conjoints, std::vector<int32_t> enfants,
                char supprimee = ' ') {
    TEnregPublic p;
    p.Sexe = sexe;
    p.Nom = nom;
    p.Prenoms = u"Émile";
    p.FicheSupprimee = supprimee;
    p.Note = static_cast<int32_t>(no);
    p.Pere = static_cast<int32_t>(no * 2);
    for (size_t i = 0; i < conjoints.size(); ++i) p.Conjoints[i].Lien = conjoints[i];
    for (size_t i = 0; i < enfants.size(); ++i) p.Enfants[i] = enfants[i];
    ASSERT_TRUE(module->WritePerson(p, no));
  }

  void Fiche(bool even, long porteur, long partenaire, int32_t lieu = 0, int32_t note = 0) {
    if (even) {
      TEvenement e(module.get());
      e.NouvelleFiche();
      e.SetLibelle("NAISSANCE");
      e.Enreg.NoPersA = static_cast<int32_t>(porteur);
      e.Enreg.NoPersB = static_cast<int32_t>(partenaire);
      e.Enreg.Date = TDateKY('G', "02/05/1861");
      e.Enreg.Lieu = lieu;
      e.Enreg.Note = note;
      ASSERT_TRUE(module->EnregistrementEven(e));
    } else {
      TChpsSimple c(module.get());
      c.Enreg.LibelleChamps = "PROFESSION";
      c.SetDonnee(u"tisserand");
      c.Enreg.NoPersA = static_cast<int32_t>(porteur);
      c.Enreg.NoPersB = static_cast<int32_t>(partenaire);
      ASSERT_TRUE(module->EnregistrementChpsSimple(c));
    }
  }
};

TEST_F(ParcoursOrdonnes, MemesLignesQueLesCurseursDuMagasin) {
  Personne(1, 'M', u"Dubreuil", {2, 3}, {4});
  Personne(2, 'F', u"Charpin", {1}, {4, 5});
  Personne(3, '?', u"Morel", {1}, {}, 'O');
  Personne(5, 'F', u"Lacroix", {}, {});
  // Mixed holders and kinds, a place beyond the places table, a note beyond the notes.
  Fiche(true, 5, 0, 1, 3);
  Fiche(false, 2, 1);
  Fiche(true, 2, 0, 7, 9);
  Fiche(true, 1, 2);
  Fiche(false, 5, 0);
  Fiche(true, 2, 1, 1, 2);

  module->BeginParcoursPerson();
  TEnregPublic attendu;
  long no = 0;
  TParcoursLiensPersonnes liens(*module);
  TParcoursIdentites identites(*module);
  TLiensParcourus l;
  TIdentiteParcourue id;
  int personnes = 0;
  while (module->ReadPersonParcours(attendu, no)) {
    ++personnes;
    ASSERT_TRUE(liens.Suivante(l));
    ASSERT_TRUE(identites.Suivante(id));
    EXPECT_EQ(l.no, no);
    EXPECT_EQ(id.no, no);
    EXPECT_EQ(l.supprimee, attendu.FicheSupprimee == 'O');
    EXPECT_EQ(l.sexe, attendu.Sexe);
    EXPECT_EQ(l.pere, attendu.Pere.No);
    EXPECT_EQ(l.conjoints.size(), static_cast<size_t>(attendu.NbConjoints()));
    for (size_t i = 0; i < l.conjoints.size(); ++i) EXPECT_EQ(l.conjoints[i], attendu.Conjoints[i].Lien.No);
    EXPECT_EQ(l.enfants.size(), static_cast<size_t>(attendu.NbEnfants()));
    for (size_t i = 0; i < l.enfants.size(); ++i) EXPECT_EQ(l.enfants[i], attendu.Enfants[i].No);
    EXPECT_EQ(id.sexe, attendu.Sexe);
    EXPECT_EQ(id.nom, attendu.Nom);
    EXPECT_EQ(id.prenoms, attendu.Prenoms);
    EXPECT_EQ(id.note, attendu.Note);
  }
  module->EndParcoursPerson();
  EXPECT_EQ(personnes, 4);
  EXPECT_FALSE(liens.Suivante(l));

  ASSERT_TRUE(module->BeginParcoursFiches("ParNoPersA"));
  TParcoursFichesParPorteur fiches(*module, dossier.nbNotes);
  TEvenement e(module.get()), eAttendu(module.get());
  TChpsSimple c, cAttendu;
  bool estEven = false, attenduEven = false;
  int lues = 0;
  while (module->GetFicheParcours(eAttendu, cAttendu, attenduEven)) {
    ++lues;
    ASSERT_TRUE(fiches.Suivante(e, c, estEven));
    ASSERT_EQ(estEven, attenduEven);
    if (estEven) {
      EXPECT_TRUE(e == eAttendu) << e.Enreg.ID;
      EXPECT_EQ(e.Enreg.Lieu, eAttendu.Enreg.Lieu);
      EXPECT_EQ(e.Enreg.Note, eAttendu.Enreg.Note);
    } else {
      EXPECT_EQ(c.Enreg.ID, cAttendu.Enreg.ID);
      EXPECT_EQ(c.Enreg.NoPersB, cAttendu.Enreg.NoPersB);
    }
  }
  module->EndParcoursFiches();
  EXPECT_EQ(lues, 6);
  EXPECT_FALSE(fiches.Suivante(e, c, estEven));
}

TEST_F(ParcoursOrdonnes, LecteurDeFichesLitCeQueLeParcoursLit) {
  Fiche(true, 1, 2, 7, 9);  // a place and a note beyond their files
  Fiche(false, 2, 1);
  Fiche(true, 2, 0, 1, 2);
  Fiche(false, 5, 0);
  std::vector<std::pair<TEvenement, TChpsSimple>> attendues;
  std::vector<int32_t> ids;
  {
    TParcoursFichesParPorteur fiches(*module, dossier.nbNotes);
    TEvenement e(module.get());
    TChpsSimple c;
    bool estEven = false;
    while (fiches.Suivante(e, c, estEven)) {
      attendues.emplace_back(estEven ? e : TEvenement(module.get()), estEven ? TChpsSimple() : c);
      ids.push_back(estEven ? e.Enreg.ID : c.Enreg.ID);
    }
  }
  ASSERT_EQ(ids.size(), 4u);
  // Read ahead or alone, of the kind asked or not, unknown: the same answers.
  TLecteurFiches lecteur(*module, dossier.nbNotes);
  const int32_t lot[] = {ids[2], 999, ids[0]};
  lecteur.Charge(lot, std::size(lot));
  for (size_t i = 0; i < ids.size(); ++i) {
    TEvenement e(module.get());
    TChpsSimple c;
    const bool estEven = attendues[i].first.Enreg.ID != 0;
    ASSERT_EQ(lecteur.Evenement(ids[i], e), estEven) << i;
    ASSERT_EQ(lecteur.ChampSimple(ids[i], c), !estEven) << i;
    if (estEven) {
      EXPECT_TRUE(e == attendues[i].first) << i;
      EXPECT_EQ(e.Enreg.Lieu, attendues[i].first.Enreg.Lieu);
      EXPECT_EQ(e.Enreg.Note, attendues[i].first.Enreg.Note);
    } else {
      EXPECT_EQ(c.Enreg.NoPersA, attendues[i].second.Enreg.NoPersA);
      EXPECT_EQ(c.Enreg.Donnee, attendues[i].second.Enreg.Donnee);
    }
  }
  TEvenement e(module.get());
  EXPECT_FALSE(lecteur.Evenement(999, e));
}

TEST_F(ParcoursOrdonnes, LectureDeParcoursRendLaConnexionCommeAvant) {
  const auto cache = [&] {
    TACRQuery q(module->Database(), "PRAGMA cache_size");
    return q.Open() && !q.Eof() ? q.Fields(0).AsInteger() : 0;
  };
  const int64_t avant = cache();
  {
    const TLectureDeParcours lecture(*module);
    EXPECT_TRUE(module->Database().InTransaction());
  }
  EXPECT_FALSE(module->Database().InTransaction());
  EXPECT_EQ(cache(), avant);
  // A transaction already open is its owner's: left open.
  ASSERT_TRUE(module->Database().StartTransaction());
  { const TLectureDeParcours lecture(*module); }
  EXPECT_TRUE(module->Database().InTransaction());
  EXPECT_TRUE(module->Database().Rollback());
}

}  // namespace
}  // namespace kyb::test
