// Events appended by an import: the row bound straight into one prepared INSERT, without the
// cursor, its row copies and the look-ups that a record written alone needs (an existing row,
// free ranks, the transaction of one record).
#include <vector>

#include "platform/date_heure.h"
#include "platform/references_ansi.h"
#include "store/datamodulebdd_evenements_interne.h"

namespace kyb {

bool TEvenementsBDD::AjouteEvenImport(TEvenement& even) {
  TEvenement::TEnreg& e = even.Enreg;
  if (!EnImport() || e.ID > 0 || e.RangA < 1 || (e.NoPersB != 0 && e.RangB < 1) || EstLectureSeule())
    return EnregistrementEven(even);
  TACRTable* t = Table("Evenements");
  if (!t) return false;
  if (!insertionImport_) {
    insertionImport_ = std::make_unique<TACRInsertion>(
        *t, std::vector<std::string>(std::begin(kColonnesEven), std::end(kColonnesEven)));
  }
  if (!insertionImport_->Valide()) return EnregistrementEven(even);
  even.SetBdd(&module_);
  TACRInsertion& r = *insertionImport_;
  // The same values as SetEvenement gives the cursor.
  const int32_t id = coeur_.IdReserve("Evenements");
  if (id > 0) r.Entier(eID, id);
  r.Entier(eType, 0);
  r.Texte(eLibelle, AnsiVersUtf8(e.LibelleChamps.substr(0, kLongueurLibelle)));
  r.Texte(eDonnee, UnicodeVersUtf8(PremiersCaracteres(e.Donnee, kLongueurDonnee)));
  r.Entier(eNoPersA, e.NoPersA);
  r.Entier(eNoPersB, e.NoPersB);
  r.Texte(eActe, AnsiVersUtf8(e.Date.GetActe()));
  const char calendrier = e.Date.GetCalendrier();
  r.Texte(eCalendrier, calendrier ? AnsiVersUtf8(AnsiString(1, calendrier)) : std::string());
  r.Texte(eDate, AnsiVersUtf8(e.Date.GetDate()));
  r.Entier(eLieu, e.Lieu);
  r.Texte(eLieuDit, UnicodeVersUtf8(PremiersCaracteres(e.LieuDit, kLongueurLieuDit)));
  r.Entier(eNote, e.Note);
  r.Entier(eIllustration, e.NoIllustrationParDefaut);
  r.Entier(eLienExt, e.LienExtEven);
  r.Texte(eCleDonnee, UnicodeVersUtf8(FormatChaine_Donnee(e.Donnee, false)));
  r.Entier(eDateTriable, DateTriable(e.Date));
  r.Entier(eRangA, e.RangA);
  r.Entier(eRangB, e.RangB);
  r.Reel(eModif, Maintenant());
  if (!r.Ajoute()) {
    BDDError("Evenements", base_->DerniereErreur());
    return false;
  }
  if (!coeur_.CompteLot("Evenements")) return false;
  e.ID = static_cast<int32_t>(r.RowId());
  // The lists of a new event: only those that hold something have rows to write.
  return (!e.PersAssocieesChargees || e.PersAssociees.empty() || EnregistrementPersAssociees(e, true)) &&
         (!e.IllustrationsChargees || e.Illustrations.empty() || UpdaterIllustrationOfEven(e, true)) &&
         (!e.SourcesChargees || e.Sources.empty() || UpdaterSourceOfEven(e, true));
}

}  // namespace kyb
