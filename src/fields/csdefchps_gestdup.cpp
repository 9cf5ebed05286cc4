// The dictionary files of the field definitions, renamed and copied with the genealogy.
#include <algorithm>

#include "fields/csdefchps.h"
#include "fields/csstruct.h"
#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"

namespace kyb {
namespace {

AnsiString NomDuplicat(const AnsiString& repertoire, const AnsiString& nom, bool d, int numero) {
  return repertoire + nom + "." + (d ? "d" : "r") + std::to_string(numero);
}

}  // namespace

std::vector<int> TDefChpsCs::NumerosGestDup() const {
  std::vector<int> numeros;
  for (const TListe* liste : {&liste_, &secondaire_})
    for (const auto& chp : *liste)
      for (const int n : chp->IndexFicDupli)
        if (n > 0) numeros.push_back(n);
  std::sort(numeros.begin(), numeros.end());
  numeros.erase(std::unique(numeros.begin(), numeros.end()), numeros.end());
  return numeros;
}

bool TDefChpsCs::RenommeFichiersGestDup(const AnsiString& ancienNom, const AnsiString& nouveauNom) const {
  if (fichier_.empty() || ancienNom == nouveauNom) return true;
  const AnsiString repertoire = ExtraitRepertoire(fichier_);
  bool ok = true;
  for (const int n : NumerosGestDup())
    for (const bool d : {true, false}) {
      const AnsiString source = NomDuplicat(repertoire, ancienNom, d, n);
      if (FichierExiste(source) && !RenommeFichier(source, NomDuplicat(repertoire, nouveauNom, d, n))) ok = false;
    }
  return ok;
}

bool TDefChpsCs::DupliqueFichiersGestDup(const AnsiString& nouveauNom) const {
  if (fichier_.empty()) return true;
  const AnsiString repertoire = ExtraitRepertoire(fichier_);
  const AnsiString dossier = SansSeparateurFinal(repertoire);
  return DupliqueFichiersGestDupVers(ExtraitRepertoire(dossier) + nouveauNom + ExtraitExtension(dossier) + "/",
                                     nouveauNom);
}

bool TDefChpsCs::DupliqueFichiersGestDupVers(const AnsiString& cible, const AnsiString& nouveauNom) const {
  if (fichier_.empty()) return true;
  const AnsiString repertoire = ExtraitRepertoire(fichier_);
  const AnsiString nom = ExtraitNomFichier(fichier_);
  const AnsiString ancienNom = nom.substr(0, nom.rfind('.'));
  bool ok = true;
  for (const int n : NumerosGestDup())
    for (const bool d : {true, false}) {
      const AnsiString source = NomDuplicat(repertoire, ancienNom, d, n);
      if (FichierExiste(source) && !CopieSure(source, NomDuplicat(cible, nouveauNom, d, n))) ok = false;
    }
  return ok;
}

}  // namespace kyb
