// The places table and the reference town tables: the country tables it owns, and a place's
// empty parts filled from the commune the reference knows under that name.
#include "folder/fic_dupli.h"
#include "names/bo_chn1.h"
#include "store/ficpays.h"

namespace kyb {

TFicPays* TFicDupli::GetFicPays() {
  if (type_ != TGestFichier::tfLieux) return nullptr;
  if (!ficPays_)
    ficPays_ = std::make_unique<TFicPays>(dossier_ ? dossier_->GetProprietaire() : nullptr, RepertoireTablesVilles());
  return ficPays_.get();
}

TCompletionLieu TFicDupli::CompleteLieu(TEltDupWideChn& lieu) {
  TFicPays* pays = GetFicPays();
  if (!pays) return TCompletionLieu::SansTable;
  const UnicodeString commune = lieu.ChargeElement(kSousChampCommune, kStyleTexte);
  const UnicodeString regionValeur = EffBlancs(EltNo(2, lieu.Valeur(), u';'));
  TFicCommune c(commune, lieu.ChargeElement(kSousChampDepartement, kStyleTexte), regionValeur,
                lieu.ChargeElement(kSousChampPays, kStyleTexte));
  TVille v;
  const TCompletionLieu r = pays->CompleteLieu(c, &v);
  if (r != TCompletionLieu::Completee) return r;
  // The department of an element is its code; the rest of the complement stays after the country.
  const UnicodeString code = lieu.Code().empty() ? AnsiVersUnicode(v.codeZone) : lieu.Code();
  const UnicodeString valeur = c.Region().empty() ? commune : commune + u";" + c.Region();
  const size_t suite = lieu.Complement().find(u';');
  const UnicodeString complement =
      c.Pays() + (suite == UnicodeString::npos ? UnicodeString() : lieu.Complement().substr(suite));
  lieu.SetTextes(valeur, code, complement, kLgValeur, kLgCode, kLgComplement);
  return r;
}

}  // namespace kyb
