#pragma once
// The record card of a person in words: its events and simple fields in card order (the folder's
// TypeClassementEven, then the simple fields), each with its screen label, the date worded in
// French, the place and locality, the spouse of a couple record, the cited persons with their
// quality and kinship, the sources and the note heading. Lines are UTF-8.
//
// Places, qualities, kinships and note headings are numbers into other tables: the caller gives
// resolvers (those of the folder's own tables by ResolveursDuDossier); a missing resolver (or an
// empty answer) shows the number.
#include <functional>
#include <string>
#include <vector>

#include "folder/gest_fic.h"
#include "store/chps_personne.h"

namespace kyb {

struct TResolveursFiche {
  std::function<UnicodeString(long)> Lieu;
  std::function<UnicodeString(long)> Qualite;
  std::function<UnicodeString(long)> Parente;
  std::function<UnicodeString(long)> TitreNote;
};

// Resolvers reading the folder's value tables (places, qualities, kinships) and its notes file
// (the headings of a note, joined by ", "). The folder must outlive them.
[[nodiscard]] TResolveursFiche ResolveursDuDossier(TGestFichier& dossier);

// Loads the person's card from the store and words it. Empty when the folder has no store.
[[nodiscard]] std::vector<std::string> FicheEvenements(TGestFichier& dossier, long noPers,
                                                       const TResolveursFiche& resolveurs);
// Words an already loaded card.
[[nodiscard]] std::vector<std::string> RedigeFiche(TGestFichier& dossier, TChpsPersonne& fiche,
                                                   const TResolveursFiche& resolveurs);
// "vers le 12 mars 1850", "entre 1750 et 1760"; a text that is no stored date form is shown as it
// stands, marked "(date illisible)".
[[nodiscard]] std::string RedigeDateEven(const TDateKY& date);

}  // namespace kyb
