// The folder gives the store the bounds of its notes file: an event's note number beyond the
// notes written reads as 0.
#include "dossier_fixture.h"
#include "folder/fic_notes.h"
#include "store/evenement.h"

namespace kyb::test {
namespace {

class BornesNotes : public DossierTemporaire {};

TEST_F(BornesNotes, NoteHorsDuFichierDesNotesLueZero) {
  auto g = Cree(Store());
  ASSERT_FALSE(g->Erreur);
  const long premier = g->FicNotes->ReserveBlocs(2);
  const long dernier = g->FicNotes->NbEnreg;
  ASSERT_GT(premier, 0);
  for (const long note : {dernier, dernier + 1}) {
    TEvenement e(g->GetModuleBDD());
    e.NouvelleFiche();
    e.SetLibelle("DECES");
    e.Enreg.NoPersA = 1;
    e.Enreg.Note = static_cast<int32_t>(note);
    ASSERT_TRUE(g->GetModuleBDD()->EnregistrementEven(e));
    const TEvenement relu(g->GetModuleBDD(), e.Enreg.ID);
    EXPECT_EQ(relu.Enreg.Note, note == dernier ? dernier : 0) << note;
  }
}

}  // namespace
}  // namespace kyb::test
