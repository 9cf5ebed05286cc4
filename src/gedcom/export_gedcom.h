#pragma once
// Export of a genealogy folder to GEDCOM 5.5.1 (UTF-8) or 7.0.
//
// Persons are written in number order as INDI records (@I<number>@): name with its pieces, sex,
// their events and simple fields through the field definitions (the first "/" alternative of a
// definition's tag, "_" and the label for a definition without tag), the headings of their note,
// FAMC and FAMS. A couple (two spouses, or the parents of a child) is one FAM record
// (@F<n>@) with its children in the order of the parent's list and the couple events held by
// either spouse. Sources and media of events become SOUR and OBJE records cited by pointer,
// each distinct one written once; cited persons are ASSO with their quality (RELA in 5.5.1, ROLE
// and PHRASE in 7.0) and kinship (_KINSHIP). Dates are written back in GEDCOM forms with their
// calendars, or as an import kept them while they still read as the stored value; the lines an
// import kept beside a date, a place, a citation or a source record come back under them.
//
// The file is written through a temporary renamed at the end: a failure leaves the old file.
#include <functional>
#include <string>

#include "gedcom/dates_gedcom.h"
#include "gedcom/ecrivain_gedcom.h"
#include "platform/chaines.h"

namespace kyb {

class TGestFichier;

struct TBilanExportGedcom {
  bool reussi = false;
  std::string erreur;
  long personnes = 0, familles = 0, evenements = 0, champsSimples = 0, notes = 0, sources = 0, medias = 0;
  long datesSansForme = 0;  // dates with no GEDCOM form, left out
  long lignesGardeesRetirees = 0;  // kept lines (with their sub-lines) pointing to no record
};

// Told of the persons written so far out of the highest person number (a progress bar).
using TAvanceeExport = std::function<void(long faits, long total)>;

// Writes the folder's genealogy to sortie (pieces of about 64 KiB).
[[nodiscard]] bool ExporteGedcom(TGestFichier& dossier, TVersionGedcom version, const TEcrivainGedcom::TSortie& sortie,
                                 TBilanExportGedcom& bilan, const TAvanceeExport& avancee = {});
// Writes it to a file (replaced only once complete).
[[nodiscard]] TBilanExportGedcom ExporteFichierGedcom(TGestFichier& dossier, const AnsiString& cheminGed,
                                                      TVersionGedcom version, const TAvanceeExport& avancee = {});

}  // namespace kyb
