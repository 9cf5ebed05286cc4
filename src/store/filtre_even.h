#pragma once
// TFilterEvent: the criteria of an event search (TModuleBDD::SearchEven). Each criterion left at
// its default adds nothing to the query.
#include <vector>

#include "platform/chaines.h"
#include "platform/date_heure.h"

namespace kyb {

struct TFilterEvent {
  enum TPresence : int { Indifferent = 0, Avec = 1, Sans = 2 };
  enum TActe : int { ActeIndifferent = 0, ActeEgal = 1, ActePresent = 2, ActeAbsent = 3 };

  std::vector<AnsiString> Libelles;  // any of these labels
  int AnneeMin = 0;                  // year range of the date; 0 = open
  int AnneeMax = 0;
  TActe ModeActe = ActeIndifferent;
  AnsiString Acte;                   // with ActeEgal
  std::vector<long> Lieux;           // any of these place numbers
  TPresence Medias = Indifferent;
  TPresence Transcription = Indifferent;
  int MotCleTranscription = 0;       // 1 or 2: the first or second keyword of the transcription is set
  TPresence Sources = Indifferent;
  // Persons by name (holder, or spouse when SurConjoint).
  UnicodeString Nom, Prenom;
  bool NomPhonetique = false, PrenomPhonetique = false;
  char Sexe = 0;                     // 'M', 'F' or 0
  bool SurConjoint = false;
  bool AvecRechercheEnLigne = false; // persons with online-search results
  TDateTime ModifieDu = 0, ModifieAu = 0;  // persons modified in that range (both set)
  long PersonneFavorite = 0;         // events of that person only
  UnicodeString Marqueur;            // persons carrying that tag

  [[nodiscard]] bool Vide() const {
    return Libelles.empty() && !AnneeMin && !AnneeMax && ModeActe == ActeIndifferent && Lieux.empty() &&
           Medias == Indifferent && Transcription == Indifferent && Sources == Indifferent && Nom.empty() &&
           Prenom.empty() && !Sexe && !AvecRechercheEnLigne && !(ModifieDu && ModifieAu) && !PersonneFavorite &&
           Marqueur.empty();
  }
};

}  // namespace kyb
