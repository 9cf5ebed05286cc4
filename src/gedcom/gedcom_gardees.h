#pragma once
// Pointers inside the GEDCOM lines an import keeps (the "GEDCOM" heading of a note). The file's
// own cross-references mean nothing once it is imported, so the import writes each pointer as
// the record it stands for, and the export turns it into that record's pointer in the new file:
//
//   @#P<n>@              person number n
//   @#F<h>.<w>@          the family of persons h and w (0 for a missing spouse)
//   @#G<k>@              the k-th family kept whole for having no spouse
//   @#S<type>.<title>@   the source of that type and title (bytes in hexadecimal, UTF-8)
//   @#O<path>@           the medium of that path (hexadecimal, UTF-8)
//   @#N<text>@           the shared note of that text (hexadecimal, UTF-8)
//
// "@#" never starts a pointer of a GEDCOM file. Any other pointer (of a record the folder does
// not keep, or kept before this form) points to nothing that the export can name.
#include <string>
#include <string_view>

namespace kyb {

[[nodiscard]] std::string PointeurGardePersonne(long no);
[[nodiscard]] std::string PointeurGardeFamille(long mari, long femme);
[[nodiscard]] std::string PointeurGardeFamilleSansConjoint(long rang);
[[nodiscard]] std::string PointeurGardeSource(std::string_view type, std::string_view titre);
[[nodiscard]] std::string PointeurGardeMedia(std::string_view chemin);
[[nodiscard]] std::string PointeurGardeNote(std::string_view texte);

struct TPointeurGarde {
  char genre = 0;  // 'P', 'F', 'G', 'S', 'O', 'N'; 0 when the pointer is not of this form
  long a = 0, b = 0;
  std::string texte1, texte2;
};
[[nodiscard]] TPointeurGarde LitPointeurGarde(std::string_view valeur);

}  // namespace kyb
