// kyb commands of the field definitions: the list of a folder's definitions and one in full.
#include <cstdio>
#include <memory>

#include "commandes.h"
#include "dossier_cli.h"
#include "fields/csdefchps.h"
#include "interface_terminal.h"
#include "platform/chaines.h"
#include "platform/fichiers.h"
#include "index/ouverture_genealogie.h"

namespace kyb::cli {

std::span<const TCommande> CommandesChamps();

namespace {

// A Windows-1252 text in UTF-8, padded with spaces to a width in characters.
std::string Colonne(const AnsiString& texte, size_t largeur) {
  std::string r = AnsiVersUtf8(texte);
  for (size_t n = texte.size(); n < largeur; ++n) r += ' ';
  return r;
}

const char* Liaison(char c) {
  switch (c) {
    case 'P':
      return "personne";
    case 'C':
      return "couple";
    case 'N':
      return "filiation";
    default:
      return "-";
  }
}

// The folder named by the argument, opened read-only with its field definitions (a listing
// never writes: damage is reported, and repaired when the folder is opened for writing); null
// after a French error on stderr.
std::unique_ptr<TGestFichier> Ouvre(const std::string& chemin, TInterfaceUtilisateur* iu) {
  auto dossier = std::make_unique<TGestFichier>(CheminDossier(chemin), AvecIndex(TGestFichier::OuvertureLectureSeule(iu)));
  if (dossier->Erreur || !dossier->GetDefChpsCs()) {
    Echec(MessageOuverture(*dossier));
    return nullptr;
  }
  return dossier;
}

int Champs(const TAppel& args) {
  TInterfaceTerminal iu;
  const auto dossier = Ouvre(args[0], &iu);
  if (!dossier) return 1;
  const TDefChpsCs* defs = dossier->GetDefChpsCs();
  std::printf("%s %s %s %s %s %s %s\n", Colonne(A("Libellé interne"), 22).c_str(),
              Colonne(A("Libellé écran"), 38).c_str(), Colonne("Type", 30).c_str(),
              Colonne("Morceaux", 9).c_str(), Colonne("Tag GEDCOM", 22).c_str(),
              Colonne(A("Répétable"), 10).c_str(), "Liaison");
  for (int i = 0; i < defs->Count(); ++i) {
    const TChpCs& c = *defs->GetChpCs(i);
    std::printf("%s %s %s %s %s %s %s\n", Colonne(c.LibelleInterne, 22).c_str(),
                Colonne(c.LibelleEcran, 38).c_str(), Colonne(c.RetTypeString(), 30).c_str(),
                Colonne(std::to_string(c.NbMorceaux), 9).c_str(), Colonne(c.TagGedCom, 22).c_str(),
                Colonne(c.Repetable ? "oui" : "non", 10).c_str(), Liaison(c.Liaison));
  }
  std::printf("%d définitions de champs\n", defs->Count());
  return 0;
}

void Ligne(const char* libelle, const AnsiString& valeur) {
  std::printf("%s: %s\n", Colonne(A(libelle), 26).c_str(), AnsiVersUtf8(valeur).c_str());
}

AnsiString Liste(const std::vector<AnsiString>& labels) {
  AnsiString r;
  for (const AnsiString& l : labels) r += (r.empty() ? "" : ", ") + l;
  return r.empty() ? AnsiString("(aucune)") : r;
}

int Champ(const TAppel& args) {
  TInterfaceTerminal iu;
  const auto dossier = Ouvre(args[0], &iu);
  if (!dossier) return 1;
  const TDefChpsCs* defs = dossier->GetDefChpsCs();
  // The internal label, or else the screen label.
  const AnsiString libelle = Utf8VersAnsi(args[1]);
  const TChpCs* c = defs->RechercheChampsInternePtr(libelle);
  if (!c) c = defs->RechercheChampsLibelleEcranPtr(libelle);
  if (!c) return Echec("aucun champ « " + args[1] + " » dans ce dossier");

  Ligne("Libellé interne", c->LibelleInterne);
  Ligne("Libellé écran", c->LibelleEcran);
  Ligne("Type", c->RetTypeString() + " (" + TChpCs::CodeType(c->Type) + ")");
  Ligne("Description", c->Description);
  Ligne("Morceaux", std::to_string(c->NbMorceaux));
  Ligne("Tailles", c->RetTailleMorceauChn());
  Ligne("Noms des morceaux", c->RetNomMorceauxChn());
  Ligne("Tag GEDCOM", c->TagGedCom);
  Ligne("Sous-tags GEDCOM", c->RetSousTagGedComChn());
  Ligne("Tables de valeurs", c->RetIndexFicDupliChn());
  Ligne("Répétable", c->Repetable ? "oui" : "non");
  Ligne("Liaison", Liaison(c->Liaison));
  Ligne("Post-mortem", c->PostMortem ? "oui" : "non");
  Ligne("Partagé", c->Partage ? "oui" : "non");
  Ligne("Symbole", c->Symbole);
  Ligne("Masculin / féminin", c->MotMasculin + " / " + c->MotFeminin);
  if (c->IsBooleen()) Ligne("Valeur par défaut", c->AfficheValeurBooleenne(c->GetValParDefaut()));
  Ligne("Abréviation", c->RetourneIdentEven(0));
  Ligne("Catégorie", c->Categorie);
  Ligne("Équivalences", Liste(c->GetEquivalences(false, defs)));
  Ligne("Équivalences en cascade", Liste(c->GetEquivalences(true, defs)));
  Ligne("Cascade", c->Cascade ? "oui" : "non");
  for (size_t i = 0; i < c->Phrases.size(); ++i) Ligne(i ? "" : "Phrases", c->Phrases[i]);
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"champs", "champs CHEMIN", "liste les définitions de champs d'un dossier généalogique",
     Champs},
    {"champ", "champ CHEMIN LIBELLE", "une définition de champ en détail, avec ses équivalences",
     Champ},
};

}  // namespace

std::span<const TCommande> CommandesChamps() { return kCommandes; }

}  // namespace kyb::cli
