// Repair of a genealogy: the person index rebuilt whole whatever its damage, the links and notes
// that can be corrected without loss corrected, the others reported in "err.txt"; the person
// count agreed with the user; couple notes completed.
#include <gtest/gtest.h>

#include "folder/fic_notes.h"
#include "support/genealogie_index.h"

namespace kyb {
namespace {

struct AvecInterface {
  TInterfaceScriptee iu;
};

class Reconstruction : public ::testing::Test, protected AvecInterface, protected test::TGenealogieIndex {
 protected:
  Reconstruction() : test::TGenealogieIndex(0, &iu) {}
  long Ajoute(const char16_t* nom, const char16_t* prenoms) const { return TGenealogie::Ajoute({nom, prenoms}); }
  TEnregPublic Lit(long no) const {
    TEnregPublic p;
    EXPECT_TRUE(m->ReadPerson(p, no));
    return p;
  }
  void Ecrit(long no, const TEnregPublic& p) const { ASSERT_TRUE(m->WritePerson(p, no)); }
  long Union(long a, long b, int32_t note) const {
    TEvenement e = test::Evenement(m, {"UNION"});
    e.Enreg.NoPersA = static_cast<int32_t>(a);
    e.Enreg.NoPersB = static_cast<int32_t>(b);
    e.Enreg.Note = note;
    EXPECT_TRUE(e.Enregistrement());
    return e.Enreg.ID;
  }
  // Nothing left for the verification to find, and rows and memory agree.
  void IndexSain() const {
    EXPECT_EQ(f->CheckIndexValid(nullptr, false).Defauts(), 0);
    test::AttendIndexEnPhase(Dossier());
  }
  TGestFichier* g = &Dossier();
  TModuleBDD* m = Bdd();
  TFicIndexPerson* f = &Index();
};

TEST_F(Reconstruction, ChaqueDommageRepareOuSignale) {
  const long pere = Ajoute(u"Martel", u"Paul");
  const long fils = Ajoute(u"Martel", u"Louis");
  const long temoin = Ajoute(u"Forge", u"Jean");
  const long trou = Ajoute(u"Perdu", u"Marc");
  const long supprime = Ajoute(u"Ancien", u"Luc");
  const long epoux = Ajoute(u"Roux", u"Hugo");
  const long epouse = Ajoute(u"Blanc", u"Rose");
  const long femme = Ajoute(u"Morin", u"Lise");
  const long veuf = Ajoute(u"Noel", u"Guy");
  const long mere = Ajoute(u"Dupont", u"Anne");
  const long fille = Ajoute(u"Martel", u"Julie");
  const long renomme = Ajoute(u"Vidal", u"Eve");
  // A family whose links return each other, the father listing the children in the other order
  // than the mother, and a child beyond the file.
  TEnregPublic p = Lit(pere);
  p.Conjoints[0].Lien = static_cast<int32_t>(mere);
  p.Enfants[0] = static_cast<int32_t>(fils);
  p.Enfants[1] = static_cast<int32_t>(fille);
  p.Enfants[2] = 9999;
  Ecrit(pere, p);
  p = Lit(mere);
  p.Conjoints[0].Lien = static_cast<int32_t>(pere);
  p.Enfants[0] = static_cast<int32_t>(fille);
  p.Enfants[1] = static_cast<int32_t>(fils);
  Ecrit(mere, p);
  for (const long enfant : {fils, fille}) {
    p = Lit(enfant);
    p.Pere = static_cast<int32_t>(pere);
    p.Mere = static_cast<int32_t>(mere);
    if (enfant == fils) p.Note = 100000;  // beyond the notes file
    Ecrit(enfant, p);
  }
  // A married witness; a person married to a deleted one; a spouse link the other side does not
  // return.
  p = Lit(temoin);
  p.TypePersonne = 'T';
  p.Conjoints[0].Lien = static_cast<int32_t>(femme);
  Ecrit(temoin, p);
  p = Lit(femme);
  p.Conjoints[0].Lien = static_cast<int32_t>(temoin);
  Ecrit(femme, p);
  p = Lit(veuf);
  p.Conjoints[0].Lien = static_cast<int32_t>(supprime);
  Ecrit(veuf, p);
  p = Lit(epoux);
  p.Conjoints[0].Lien = static_cast<int32_t>(epouse);
  Ecrit(epoux, p);
  // The index: a duplicated row, rows of a person deleted behind its back, a number without record.
  TIndexPerson l(f, m->GetIndexPerson(pere).front());
  ASSERT_GT(l.Enregistrement(-1, f, true), 0);
  p = Lit(supprime);
  p.FicheSupprimee = 'O';
  Ecrit(supprime, p);
  ASSERT_TRUE(m->AddPersSuppr(supprime));
  // A save stopped between the person and its rows: the rows still tell the former name.
  p = Lit(renomme);
  p.Nom = u"Vidalin";
  Ecrit(renomme, p);
  TACRQuery q(m->Database(), "DELETE FROM Personnes WHERE ID = :n");
  q.SetParamInteger("n", trou);
  ASSERT_TRUE(q.ExecSQL());
  ASSERT_GT(f->CheckIndexValid(nullptr, false).Defauts(), 0);

  const TBilanReconstruction b = f->ReconstruitIndex(1, true);
  EXPECT_FALSE(b.Abandonnee);
  EXPECT_EQ(b.FichesRecreees, 1);
  EXPECT_EQ(b.LiensRetires, 2);  // 9999, and the deleted spouse
  EXPECT_EQ(b.LiensNonReciproques, 1);
  EXPECT_EQ(b.TypesCorriges, 1);
  EXPECT_EQ(b.OrdresCorriges, 1);  // the father's children in the mother's order
  EXPECT_EQ(b.NotesRetirees, 1);
  IndexSain();
  EXPECT_TRUE(f->ASupprimer().empty());

  // Corrected: links to nobody gone, holes closed, the witness a person, the hole a deleted record.
  p = Lit(pere);
  EXPECT_EQ(p.Enfants[0].No, fille);
  EXPECT_EQ(p.Enfants[1].No, fils);
  EXPECT_EQ(p.NbEnfants(), 2);
  EXPECT_EQ(Lit(fils).Note, 0);
  EXPECT_EQ(Lit(temoin).TypePersonne, 'P');
  EXPECT_EQ(Lit(temoin).Conjoints[0].Lien.No, femme);
  EXPECT_EQ(Lit(veuf).NbConjoints(), 0);
  EXPECT_EQ(Lit(trou).FicheSupprimee, 'O');
  EXPECT_TRUE(m->PersonDeleted(trou));
  EXPECT_EQ(f->ChercheNom(u"Vidalin", u"", 5).at(0).NoPers, renomme);
  EXPECT_TRUE(f->ChercheNom(u"Vidal", u"", 5).empty() || !f->ChercheNom(u"Vidal", u"", 5)[0].Exact);
  EXPECT_TRUE(f->ChercheNom(u"Ancien", u"", 5).empty());
  EXPECT_TRUE(f->ChercheNom(u"Perdu", u"", 5).empty());
  // Reported only: the link the wife does not return stays.
  EXPECT_EQ(Lit(epoux).Conjoints[0].Lien.No, epouse);

  ASSERT_FALSE(b.Rapport.empty());
  const std::string rapport = test::Contenu(b.Rapport);
  EXPECT_EQ(rapport, f->TexteRapport());
  const auto contient = [&rapport](const std::string& t) { return rapport.find(t) != std::string::npos; };
  EXPECT_TRUE(contient("Fiche " + std::to_string(pere) + " : lien vers la fiche 9999 qui n'existe pas ou est "
                       "supprimée (lien retiré) : Martel Paul, N° "));
  EXPECT_TRUE(contient("lien vers la fiche " + std::to_string(epouse) + " que cette fiche ne rend pas : Roux Hugo"));
  EXPECT_TRUE(contient("témoin ayant des liens familiaux (devient personne)"));
  EXPECT_TRUE(contient("note 100000 hors du fichier des notes (retirée) : Martel Louis"));
  EXPECT_TRUE(contient("Fiche " + std::to_string(trou) + " absente : recréée comme fiche supprimée"));
  const std::string separateur = "\r\n----------------=============-------------------\r\n";
  size_t entrees = 0;
  for (size_t pos = rapport.find(separateur); pos != std::string::npos; pos = rapport.find(separateur, pos + 1))
    ++entrees;
  EXPECT_EQ(entrees, static_cast<size_t>(b.Signalements));
  EXPECT_EQ(entrees, 6u);

  // A second pass finds nothing left to correct but the link only the user can settle.
  const TBilanReconstruction b2 = f->ReconstruitIndex(1, true);
  EXPECT_EQ(b2.LiensRetires + b2.TypesCorriges + b2.OrdresCorriges + b2.NotesRetirees + b2.FichesRecreees, 0);
  EXPECT_EQ(b2.LiensNonReciproques, 1);
  IndexSain();
}

TEST_F(Reconstruction, SansCorrectionRienNeChangeQueLIndex) {
  const long a = Ajoute(u"Colin", u"Marie");
  TEnregPublic p = Lit(a);
  p.TypePersonne = 'T';
  p.Enfants[0] = 9999;
  Ecrit(a, p);
  const TBilanReconstruction b = f->ReconstruitIndex(1, false);
  EXPECT_EQ(b.LiensRetires, 1);
  EXPECT_EQ(b.TypesCorriges, 1);
  EXPECT_EQ(Lit(a).Enfants[0].No, 9999);
  EXPECT_EQ(Lit(a).TypePersonne, 'T');
  EXPECT_NE(f->TexteRapport().find("lien vers la fiche 9999 qui n'existe pas ou est supprimée ; témoin ayant des "
                                   "liens familiaux : Colin Marie"),
            std::string::npos)
      << f->TexteRapport();
  IndexSain();
}

TEST_F(Reconstruction, NombreDePersonnesConfirmeParLUtilisateur) {
  for (int i = 0; i < 5; ++i) Ajoute(u"Garnier", u"Luc");
  const long max = m->GetMaxNoPers();
  const long lignes = f->NbLignes();
  const struct {
    int reponse;
    bool abandon;
    long personnes;
  } cas[] = {
      {kReponseAnnuler, true, max},  // cancelled before any change
      {kReponseOui, false, max},
      {kReponseNon, false, max - 2},  // the two persons beyond the count are deleted
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.reponse);
    g->GetFicPersons()->NbEnreg = max - 2;
    iu.VideJournal();
    iu.Reponses().push_back(c.reponse);
    const TBilanReconstruction b = f->ReconstruitIndex(1, true);
    EXPECT_TRUE(iu.JournalContient("question:Réparation|Confirmez-vous que votre généalogie comporte " +
                                   std::to_string(max) + " personnes environ ?"));
    EXPECT_EQ(b.Abandonnee, c.abandon);
    EXPECT_EQ(m->GetMaxNoPers(), c.personnes);
    if (c.abandon) {
      EXPECT_EQ(f->NbLignes(), lignes);
      EXPECT_EQ(f->Index()->GetNbElt(), lignes);
    } else {
      EXPECT_EQ(b.NbPersonnes, c.personnes);
      EXPECT_EQ(g->GetFicPersons()->NbEnreg, c.personnes);
      EXPECT_EQ(f->ChercheNom(u"Garnier", u"", 50).size(), static_cast<size_t>(c.personnes - 1));
      IndexSain();
    }
  }
}

TEST_F(Reconstruction, NotesDeCoupleCompletees) {
  // Notes 1 to 7 exist: a union's note number beyond the notes file would read as none.
  for (int i = 0; i < 7; ++i) {
    long no = 0;
    TNote note(g->FicNotes.get(), 0);
    note.NouvelleFiche(no);
    (void)note.ModifNote("Couple", "texte");
  }
  const long a = Ajoute(u"Lemoine", u"Paul");
  const long b = Ajoute(u"Aubert", u"Anne");
  const long c = Ajoute(u"Fleury", u"Yves");
  const long ab = Union(a, b, 7);
  const long ba = Union(b, a, 0);
  const long ac = Union(a, c, 3);
  const long ca = Union(c, a, 4);
  EXPECT_EQ(f->SynchroNotesCouples(a, false), 1);  // counted, not copied
  EXPECT_EQ(TEvenement(m, ba).Enreg.Note, 0);
  EXPECT_EQ(f->SynchroNotesCouples(a, true), 1);
  EXPECT_EQ(TEvenement(m, ba).Enreg.Note, 7);
  EXPECT_EQ(TEvenement(m, ab).Enreg.Note, 7);
  // Two different notes: both kept, the couple reported.
  EXPECT_EQ(TEvenement(m, ac).Enreg.Note, 3);
  EXPECT_EQ(TEvenement(m, ca).Enreg.Note, 4);
  EXPECT_NE(f->TexteRapport().find("Notes de couple différentes chez les deux conjoints"), std::string::npos);
  EXPECT_EQ(f->SynchroNotesCouples(b, true), 0);
}

TEST_F(Reconstruction, EntreeDuRapportDErreurs) {
  const long personne =
      TGenealogie::Ajoute({u"Martin", u"Jean Pierre", '?', 0, 0, {{"NAISSANCE", "12/03/1850"}, {"DECES", "05/11/1910"}}});
  TPerson p(g->GetFicPersons(), personne);
  long no = 0;
  TNote note(g->FicNotes.get(), 0);
  note.NouvelleFiche(no);
  (void)note.ModifNote("M\xE9tier", "Meunier \xE0 Vals");  // notes are Windows-1252
  p.Public.Note = static_cast<int32_t>(note.Numero());
  ASSERT_TRUE(p.Enregistrement());
  TPerson relu(g->GetFicPersons(), p.Numero());
  f->MsgErreurNote(u"Lien douteux :", relu);
  EXPECT_EQ(f->TexteRapport(),
            "Lien douteux : Martin Jean Pierre, N° , le 12 mars 1850, , le 5 novembre 1910, \r\n"
            "Meunier à Vals\r\n"
            "\r\n----------------=============-------------------\r\n");
}

}  // namespace
}  // namespace kyb
