// Rows of the person index appended by a bulk fill: one prepared INSERT bound in place, without
// the cursor and its row copies. The values are those TIndexPerson::Enregistrement posts.
#include "platform/chaines.h"
#include "store/datamodulebdd_index_interne.h"

namespace kyb {
namespace {

enum : size_t { iNom, iPrenom, iNomSoundex, iPrenomSoundex, iAnneeMin, iAnneeMax, iNoPers, iRgNom, iRgPrenom,
                iRgPrenomUsuel, iType, iSupprimee, iSexe };
const std::vector<std::string> kColonnes = {"Nom",    "Prenom",   "NomSoundex",    "PrenomSoundex", "AnneeMin",
                                            "AnneeMax", "NoPers", "RgNom",         "RgPrenom",      "RgPrenomUsuel",
                                            "TypePersonne", "FicheSupprimee", "Sexe"};

// A one-letter column: the Windows-1252 letter, empty for 0.
std::string Lettre(char c) {
  return c ? UnicodeVersUtf8(UnicodeString(1, CarAnsiVersUnicode(static_cast<unsigned char>(c)))) : std::string();
}

}  // namespace

int64_t TIndexBDD::AjouteLigneIndexImport(const TEnregIndexPerson& e) {
  if (!EnImport() || EstLectureSeule()) return 0;
  if (!insertionImport_) {
    TACRTable* t = Table("IndexNomPrenoms");
    if (!t) return 0;
    insertionImport_ = std::make_unique<TACRInsertion>(*t, kColonnes);
  }
  TACRInsertion& r = *insertionImport_;
  if (!r.Valide()) return 0;
  r.Texte(iNom, UnicodeVersUtf8(e.Nom.substr(0, 21)));
  r.Texte(iPrenom, UnicodeVersUtf8(e.Prenom.substr(0, 21)));
  r.Texte(iNomSoundex, UnicodeVersUtf8(e.NomSoundex.substr(0, 5)));
  r.Texte(iPrenomSoundex, UnicodeVersUtf8(e.PrenomSoundex.substr(0, 5)));
  r.Entier(iAnneeMin, e.AnneeMin);
  r.Entier(iAnneeMax, e.AnneeMax);
  r.Entier(iNoPers, e.NoPers);
  r.Entier(iRgNom, e.RgNom);
  r.Entier(iRgPrenom, e.RgPrenom);
  r.Entier(iRgPrenomUsuel, e.RgPrenomUsuel);
  r.Texte(iType, Lettre(e.TypePersonne));
  r.Texte(iSupprimee, Lettre(e.FicheSupprimee));
  r.Texte(iSexe, Lettre(e.Sexe == ' ' ? 0 : e.Sexe));
  if (!r.Ajoute()) {
    BDDError("IndexNomPrenoms", base_->DerniereErreur());
    return 0;
  }
  return coeur_.CompteLot("IndexNomPrenoms") ? r.RowId() : 0;
}

}  // namespace kyb
