// Saved selections of a genealogy (search/selections_dossier.h).
#include "search/selections_dossier.h"

#include "folder/gest_fic.h"
#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"

namespace kyb {

namespace {

constexpr std::string_view kEntete = "KYSEL001";
constexpr int64_t kTailleMax = 64 << 20;

}  // namespace

AnsiString FichierSelections(const TGestFichier& dossier) { return dossier.Repertoire + "selections.kys"; }

std::string FluxSelections(const TSelections& selections) {
  TFluxSortie flux;
  flux.EcritEntier32(static_cast<int32_t>(selections.size()));
  for (const auto& s : selections) flux.EcritPointeur(s.get());
  return flux.Donnees();
}

bool LitFluxSelections(std::string_view donnees, TSelections& selections) {
  EnregistreClassesSelection();
  selections.clear();
  TFluxEntree flux(donnees);
  const int32_t nb = flux.LitEntier32();
  if (nb < 0 || nb > 100000) return false;
  for (int32_t i = 0; i < nb && !flux.Echec(); ++i) {
    TObjetFlux* objet = flux.LitPointeur();
    auto* s = dynamic_cast<TSelection*>(objet);
    if (!s || flux.Echec()) break;
    std::unique_ptr<TSelection> copie;
    DupliqueSelection(copie, s);
    selections.push_back(std::move(copie));
  }
  if (flux.Echec() || selections.size() != static_cast<size_t>(nb) || flux.Restant() != 0) {
    selections.clear();
    return false;
  }
  return true;
}

bool ChargeSelections(const TGestFichier& dossier, TSelections& selections, std::string& erreur) {
  selections.clear();
  const AnsiString chemin = FichierSelections(dossier);
  if (!FichierExiste(chemin)) return true;
  const TFichier f = TFichier::Ouvre(chemin, TAcces::Lecture, TCreation::Existant);
  const int64_t taille = f ? f.Taille() : -1;
  std::string donnees(taille > 0 && taille <= kTailleMax ? static_cast<size_t>(taille) : 0, '\0');
  if (taille < 0 || taille > kTailleMax || f.LitA(0, donnees.data(), donnees.size()) != taille) {
    erreur = "le fichier des sélections « " + AnsiVersUtf8(chemin) + " » ne peut pas être lu";
    return false;
  }
  if (donnees.compare(0, kEntete.size(), kEntete) != 0 ||
      !LitFluxSelections(std::string_view(donnees).substr(kEntete.size()), selections)) {
    erreur = "le fichier des sélections « " + AnsiVersUtf8(chemin) + " » est endommagé : il n'a pas été modifié";
    return false;
  }
  return true;
}

bool EnregistreSelections(const TGestFichier& dossier, const TSelections& selections, std::string& erreur) {
  if (dossier.IsReadOnly()) {
    erreur = "le dossier est en lecture seule : la sélection n'a pas été enregistrée";
    return false;
  }
  if (!EcritFichierAtomique(FichierSelections(dossier), std::string(kEntete) + FluxSelections(selections))) {
    erreur = "le fichier des sélections n'a pas pu être écrit : les sélections enregistrées restent comme avant";
    return false;
  }
  return true;
}

}  // namespace kyb
