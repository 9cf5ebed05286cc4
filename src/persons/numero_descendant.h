#pragma once
// Descendant codes: the position of a person relative to the numbered ancestors of the Sosa
// file. The code is the Sosa number of the nearest numbered ancestor, '-', then one step per
// generation going down from it to the person: the rank of the child among its parent's
// children, as a letter ('a' + rank, 'A' + rank in capitals) or a digit ('1' + rank) by the
// numbering style. A numbered person is its own nearest ancestor (code "12-"). Ancestors are
// searched generation by generation (father before mother), each person once, at most
// kMaxGenerationsDesc generations up, so loops in the parent links end the search.
// Nothing is written.
#include <NTL/ZZ.h>

#include "persons/gest_pers.h"

namespace kyb {

class TFicSosas;

inline constexpr int kMaxGenerationsDesc = 150;
// Numbering styles of the descendant codes (field styles 190 to 196): the odd ones use digits,
// the even ones letters.
inline constexpr int kStyleDescPremier = 190, kStyleDescDernier = 196;

struct TCodeDesc {
  NTL::ZZ Sosa;          // of the nearest numbered ancestor; 0 when none was found
  AnsiString Chemin;     // the steps down from it
  [[nodiscard]] bool Trouve() const { return Sosa > 0; }
  [[nodiscard]] AnsiString Texte() const;  // "12-Ab", empty when not found
};

// Adds the step from parent to its child no: prepended with prefixe, else appended. False (code
// unchanged) when no is not among the parent's children.
bool CalcGenNoDesc(AnsiString& code, const TPerson* parent, long no, bool prefixe, int style, bool majuscule);
// True when (sosa1, chemin1) is the weaker numbering, the one kept: fewer generations from the
// numbered ancestor, then the smaller Sosa number, then the smaller path text.
[[nodiscard]] bool DetermineNumPlusFaible(const NTL::ZZ& sosa1, const AnsiString& chemin1, const NTL::ZZ& sosa2,
                                          const AnsiString& chemin2);
// The nearest numbered ancestor of no and the path down from it. A Sosa number is usable when
// it is positive and not the overflow marker.
[[nodiscard]] TCodeDesc Recherche(TFicPersons& fichier, TFicSosas& sosas, long no, int style, bool majuscule);
// The descendant code of no as text ("4-Ab"), empty when no numbered ancestor is reached.
[[nodiscard]] AnsiString ChercheNoDesc(TFicPersons& fichier, TFicSosas& sosas, long no, int style,
                                       bool majuscule = true);

}  // namespace kyb
