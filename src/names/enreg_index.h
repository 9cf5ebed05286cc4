#pragma once
// One row of the person index in the store (IndexNomPrenoms), after its identifier: the fields in
// column order. The texts are cut to the column widths (21, 21, 5, 5) when written.
#include <cstdint>

#include "platform/chaines.h"

namespace kyb {

struct TEnregIndexPerson {
  UnicodeString Nom;            // surname key, at most 20 characters
  UnicodeString Prenom;         // given-name key
  UnicodeString NomSoundex;     // phonetic code of Nom
  UnicodeString PrenomSoundex;  // phonetic code of Prenom
  int16_t AnneeMin = 0;         // estimated lifetime range, 0 when unknown
  int16_t AnneeMax = 0;
  int32_t NoPers = 0;
  int16_t RgNom = 0;  // rank (from 1) of the surname element, 0 when none
  int16_t RgPrenom = 0;
  int16_t RgPrenomUsuel = 0;
  char TypePersonne = 'P';    // 'P' person, 'T' witness, ' ' either
  char FicheSupprimee = ' ';  // the person's deletion mark
  char Sexe = 0;              // 'M', 'F', '?', or 0 for a space

  [[nodiscard]] bool IsPersonne() const { return TypePersonne == 'P' || TypePersonne == ' '; }
  [[nodiscard]] bool IsTemoin() const { return TypePersonne == 'T' || TypePersonne == ' '; }
};

}  // namespace kyb
