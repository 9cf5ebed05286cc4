#pragma once
// Builds a genealogy folder of the older format (2024): a store beside a persons file, a
// deleted-persons file and a persons extension file, written through a bare manager.
#include <vector>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "folder/gest_fic_pers_annexes.h"

namespace kyb::test {

// Returns the store path of the folder "<repertoire>Ancien.kya". Persons are numbered from 1 in
// the order given; supprimes go to the deleted-persons file as they are.
inline AnsiString CreeDossierAncien(const AnsiString& repertoire, const std::vector<TEnregPublic>& personnes,
                                    const std::vector<long>& supprimes = {}) {
  const AnsiString chemin = repertoire + "Ancien.kya/Ancien.adb";
  { TGestFichier courant(chemin, TGestFichier::Creation(0)); }
  TGestFichier dossier(chemin, false, true);
  { const TFichier vide = TFichier::Ouvre(dossier.FabriqueNomFichier(TGestFichier::tfPersonnes),
                                          TAcces::LectureEcriture, TCreation::Ecrase); }
  TFicPersons fichier(&dossier, true);
  for (const TEnregPublic& p : personnes) {
    TEnregPersonne enreg;
    enreg.TransfertDepuisPublic(p);
    fichier.EcritEnreg(fichier.ReturnNewNum(), enreg);
  }
  fichier.NoPremier = fichier.NoSecond = fichier.NoTroisieme = 1;
  fichier.EcritureEntete();
  TFicPersSuppr supprimees(&dossier, true);
  for (const long no : supprimes) supprimees.AjouteNo(no);
  const TFicExtPersons extension(&dossier, true);
  return chemin;
}

inline TEnregPublic Personne(const char16_t* nom, char sexe = 'M') {
  TEnregPublic p;
  p.Nom = nom;
  p.Sexe = sexe;
  p.FicheSupprimee = 'N';
  return p;
}

}  // namespace kyb::test
