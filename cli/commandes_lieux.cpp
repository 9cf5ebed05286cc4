// kyb commands of the places value table: the places of a folder and one place with its parts.
#include <cstdio>
#include <memory>

#include "commandes.h"
#include "dictionaries/gestduplicat.h"
#include "dossier_cli.h"
#include "folder/fic_dupli.h"
#include "index/ouverture_genealogie.h"

namespace kyb::cli {

std::span<const TCommande> CommandesLieux();

namespace {

// The folder named by the argument with its places table; null after a French error on stderr.
std::unique_ptr<TGestFichier> Ouvre(const std::string& chemin) {
  auto dossier = std::make_unique<TGestFichier>(CheminDossier(chemin), AvecIndex(TGestFichier::Ouverture()));
  if (dossier->Erreur || !dossier->GetFicLieux()) {
    Echec(MessageOuverture(*dossier));
    return nullptr;
  }
  return dossier;
}

int Lieux(const TAppel& args) {
  const auto dossier = Ouvre(args[0]);
  if (!dossier) return 1;
  const TFicDupli& lieux = *dossier->GetFicLieux();
  const UnicodeString debut = args.size() == 2 ? Utf8VersUnicode(args[1]) : UnicodeString();
  const std::vector<long> numeros = lieux.NumerosCommencantPar(debut);
  for (const long no : numeros)
    std::printf("%8ld  %s\n", no, UnicodeVersUtf8(TGestDupChnLieu::FormatPlace(*lieux.Element(no))).c_str());
  if (numeros.empty())
    std::printf("Aucun lieu.\n");
  else
    std::printf("%zu lieu%s.\n", numeros.size(), numeros.size() > 1 ? "x" : "");
  return 0;
}

// "Intitulé    : valeur", the labels padded to one width in characters.
void Ligne(const std::string& intitule, const UnicodeString& valeur) {
  std::string gauche = intitule;
  for (size_t n = Utf8VersUnicode(intitule).size(); n < 12; ++n) gauche += ' ';
  std::printf("%s : %s\n", gauche.c_str(), UnicodeVersUtf8(valeur).c_str());
}

int Lieu(const TAppel& args) {
  const long long no = Entier(args[1], 1, 0x7FFFFFFF, "numéro de lieu");
  const auto dossier = Ouvre(args[0]);
  if (!dossier) return 1;
  const TFicDupli& lieux = *dossier->GetFicLieux();
  const TEltDupWideChn* lieu = lieux.Element(static_cast<long>(no));
  if (!lieu) return Echec("le lieu " + args[1] + " n'existe pas dans ce dossier (" + std::to_string(lieux.NbEnreg) + " lieux)");
  Ligne("Lieu n°", AnsiVersUnicode(std::to_string(no)));
  Ligne("Texte", lieu->Valeur());
  Ligne("Commune", lieux.RetCommune(lieu->Numero));
  Ligne("Département", lieux.RetDepartement(lieu->Numero, kStyleTexte));
  Ligne("Région", lieux.RetRegion(lieu->Numero));
  Ligne("Pays", lieux.RetPays(lieu->Numero));
  Ligne("Affichage", TGestDupChnLieu::FormatPlace(*lieu));
  Ligne("État", lieu->IsFicheSupprimee() ? u"supprimé" : u"actif");
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"lieux", "lieux CHEMIN [DEBUT]", "les lieux d'un dossier dans l'ordre, ou ceux qui commencent par DEBUT",
     Lieux},
    {"lieu", "lieu CHEMIN N", "un lieu d'un dossier avec ses parties", Lieu},
};

}  // namespace

std::span<const TCommande> CommandesLieux() { return kCommandes; }

}  // namespace kyb::cli
