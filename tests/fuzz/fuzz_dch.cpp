// Fuzzes the reading of a field-definition file (".dch") a user may receive from someone else.
// Checked: a read-only opening leaves the file byte for byte as it was and creates nothing
// beside it; a writable opening keeps the standard events, keeps a copy of a file it read with
// losses, and saves a file that a second opening reads cleanly and saves unchanged (the saved
// form is a fixed point of reading and writing).
#include "fields/csdefchps.h"
#include "fuzz_commun.h"

using namespace kyb;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  const std::string& rep = fuzz::Repertoire("dch");
  for (const auto& nom : ListeFichiers(rep, "*")) SupprimeFichier(rep + nom);
  const std::string entree(reinterpret_cast<const char*>(donnees), taille);
  fuzz::Ecrit(rep + "L.dch", donnees, taille);
  {
    const TDefChpsCs lu(nullptr, rep + "L.dch", nullptr, true);
    (void)lu.Count();
  }
  if (fuzz::Lit(rep + "L.dch") != entree) fuzz::Viole("une ouverture en lecture seule a modifié le fichier");
  if (ListeFichiers(rep, "*").size() != 1) fuzz::Viole("une ouverture en lecture seule a créé un fichier");

  fuzz::Ecrit(rep + "E.dch", donnees, taille);
  {
    TDefChpsCs ecrit(nullptr, rep + "E.dch", nullptr, false);
    for (const char* standard : {"NOM", "NAISSANCE", "DECES", "UNION", "INHUMATION"})
      if (!ecrit.IsChampExist(standard)) fuzz::Viole("un événement standard a été perdu");
    const auto etat = ecrit.GetEtat();
    if ((etat == TDefChpsCs::etRepare || etat == TDefChpsCs::etRemplace) && fuzz::Lit(rep + "E.dch.copie") != entree)
      fuzz::Viole("un fichier lu avec pertes n'a pas été gardé de côté");
    if (!ecrit.Sauvegarde()) return 0;
  }
  const std::string premier = fuzz::Lit(rep + "E.dch");
  {
    TDefChpsCs relu(nullptr, rep + "E.dch", nullptr, false);
    if (relu.GetEtat() != TDefChpsCs::etCharge) fuzz::Viole("le fichier enregistré ne se relit pas sans perte");
    (void)relu.Sauvegarde();
  }
  if (fuzz::Lit(rep + "E.dch") != premier) fuzz::Viole("relire puis réécrire a changé les définitions");
  return 0;
}
