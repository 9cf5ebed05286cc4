// libFuzzer harness of the GEDCOM reader and date reader: any bytes must give either a refusal
// with its message or records whose levels follow one another, with warnings that carry a line
// number within the file; every date the reader accepts is written back and read again to the
// same value.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "gedcom/dates_gedcom.h"
#include "gedcom/lecteur_gedcom.h"

namespace {

void VerifieDate(std::string_view texte) {
  using namespace kyb;
  const TDateGedcom r = LitDateGedcom(texte);
  if (!r.lue) {
    if (r.erreur.empty() || !r.date.Vide()) __builtin_trap();
    return;
  }
  for (const TVersionGedcom v : {TVersionGedcom::V551, TVersionGedcom::V70}) {
    const std::string ecrit = EcritDateGedcom(r.date, v);
    if (ecrit.empty()) __builtin_trap();
    const TDateGedcom relu = LitDateGedcom(ecrit);
    if (!relu.lue || relu.date.ExportInString() != r.date.ExportInString()) __builtin_trap();
  }
}

void VerifieNoeud(const kyb::TNoeudGedcom& n, int niveau, long lignes) {
  if (n.niveau != niveau || n.tag.empty() || n.ligne < 1 || n.ligne > lignes) __builtin_trap();
  if (n.tag == "DATE") VerifieDate(n.valeur);
  for (const auto& e : n.enfants) VerifieNoeud(e, niveau + 1, lignes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  using namespace kyb;
  const std::string copie(reinterpret_cast<const char*>(donnees), taille);
  VerifieDate(copie.substr(0, 200));

  TLecteurGedcom lecteur;
  if (!lecteur.OuvreTexte(copie)) {
    if (lecteur.Erreur().empty()) __builtin_trap();
    return 0;
  }
  TNoeudGedcom n;
  int enregistrements = 0;
  while (lecteur.Suivant(n)) {
    if (enregistrements++ == 0 && n.tag != "HEAD") __builtin_trap();
    VerifieNoeud(n, 0, lecteur.Lignes());
  }
  for (const auto& a : lecteur.Avertissements())
    if (a.message.empty() || a.ligne < 0 || a.ligne > lecteur.Lignes()) __builtin_trap();
  return 0;
}
