#include "dossier_cli.h"

#include <cstdio>

#include "arguments.h"
#include "index/ouverture_genealogie.h"

#include "folder/gest_fic_pers.h"
#include "folder/maintenance_dossier.h"
#include "platform/arborescence.h"
#include "platform/erreur.h"
#include "folder/gest_fic_pers_annexes.h"
#include "store/datamodulebdd.h"
#include "store/schema_bdd.h"
#include "platform/references_ansi.h"
#include "persons/gest_pers.h"
#include "persons/tables_parente.h"

namespace kyb::cli {

AnsiString CheminAnsi(const std::string& cheminUtf8) {
  AnsiString chemin = Utf8VersAnsi(cheminUtf8);
  // Paths keep to Windows-1252: a genealogy's file names are written in its 8-bit records.
  if (!EstTexteAnsi(cheminUtf8) || AnsiVersUtf8(chemin) != cheminUtf8)
    throw ErreurKy("le chemin « " + cheminUtf8 +
                   " » contient un caractère que les noms de fichiers d'une généalogie ne peuvent pas "
                   "porter (hors Windows-1252) : choisissez un autre nom");
  return chemin;
}

AnsiString CheminDossier(const std::string& cheminUtf8) {
  AnsiString chemin = SansSeparateurFinal(CheminAnsi(cheminUtf8));
  const AnsiString extension = ExtraitExtension(chemin);
  const bool dossier = EgalSansCasseAnsi(extension, ".kya") || EgalSansCasseAnsi(extension, ".ky2") ||
                       EgalSansCasseAnsi(extension, ".ky3");
  if (dossier) {
    const AnsiString nom = ExtraitNomFichier(chemin);
    return chemin + "/" + nom.substr(0, nom.size() - extension.size()) + ".adb";
  }
  if (extension.empty()) return ConstruitAccesGenealogie(ExtraitRepertoire(chemin), ExtraitNomFichier(chemin), ".adb");
  return chemin;
}

namespace {

[[noreturn]] void RefuseDansDossier(const std::string& cheminUtf8, const AnsiString& dossier) {
  throw ErreurKy("« " + cheminUtf8 + " » est dans le dossier généalogique « " + AnsiVersUtf8(dossier) +
                 " » : rien n'y est écrit, choisissez un chemin hors de ce dossier");
}

}  // namespace

AnsiString CheminSortie(const std::string& cheminUtf8) {
  const AnsiString chemin = CheminAnsi(cheminUtf8);
  if (chemin.empty()) throw ErreurKy("le chemin du fichier à écrire est vide");
  if (const AnsiString dossier = DossierGenealogieContenant(chemin); !dossier.empty())
    RefuseDansDossier(cheminUtf8, dossier);
  return chemin;
}

AnsiString CheminNouveauDossier(const std::string& cheminUtf8) {
  const AnsiString store = CheminDossier(cheminUtf8);
  const AnsiString nom = ExtraitNomFichier(store);
  if (ExtraitExtension(nom) != ".adb" || !NomGenealogieValide(nom.substr(0, nom.size() - 4)))
    throw ErreurKy("« " + cheminUtf8 + " » ne nomme pas de dossier généalogique : " +
                   TexteErreurMaintenance(emNomInvalide, nom.substr(0, nom.size() - ExtraitExtension(nom).size())));
  const AnsiString dossier = SansSeparateurFinal(ExtraitRepertoire(store));
  // Never inside another genealogy. The folder itself may already be one: the creation then says
  // it exists, or makes it again when its creation or import was cut.
  AnsiString englobant = DossierGenealogieContenant(dossier);
  if (!englobant.empty() && englobant == CheminResolu(dossier))
    englobant = DossierGenealogieContenant(SansSeparateurFinal(ExtraitRepertoire(englobant)));
  if (!englobant.empty()) RefuseDansDossier(AnsiVersUtf8(dossier), englobant);
  RepertoireParentExiste(AnsiVersUtf8(dossier));
  return store;
}

void RepertoireParentExiste(const std::string& cheminUtf8) {
  const AnsiString parent = SansSeparateurFinal(ExtraitRepertoire(SansSeparateurFinal(CheminAnsi(cheminUtf8))));
  if (parent.empty() || RepertoireExiste(parent)) return;
  throw ErreurKy("« " + AnsiVersUtf8(parent) + (FichierExiste(parent) ? " » n'est pas un répertoire" : " » n'existe pas") +
                 " : rien n'a été écrit");
}

std::string MessageOuverture(const TGestFichier& g) {
  if (g.ConversionAnnulee) return "conversion du dossier annulée";
  if (g.CreationInachevee && g.ImportInacheve)
    return "l'import qui créait le dossier « " + AnsiVersUtf8(g.Repertoire) +
           " » a été interrompu avant sa fin : relancez « kyb importe » vers le même nom pour le refaire";
  if (g.CreationInachevee)
    return "la création du dossier « " + AnsiVersUtf8(g.Repertoire) +
           " » a été interrompue avant sa fin : relancez « kyb nouveau » avec le même nom pour le refaire";
  switch (g.CodeErreurOuverture) {
    case 1:
      if (!RepertoireExiste(g.Repertoire)) return "le dossier « " + AnsiVersUtf8(g.Repertoire) + " » n'existe pas";
      return "le dossier « " + AnsiVersUtf8(g.Repertoire) + " » n'a pas de base de données";
    case 2: return TexteErreurBDD(g.CodeErreurBDD, AnsiVersUtf8(g.FabriqueNomFichier(TGestFichier::tfBaseDonnees)));
    default:
      if (g.CodeErreurBDD != TErreurMoteur::Aucune)
        return TexteErreurBDD(g.CodeErreurBDD, AnsiVersUtf8(g.FabriqueNomFichier(TGestFichier::tfBaseDonnees)));
      return "le dossier « " + AnsiVersUtf8(g.Repertoire) + " » n'a pas pu être ouvert";
  }
}

std::unique_ptr<TGestFichier> OuvreGenealogie(const std::string& chemin, TAcces acces, TInterfaceUtilisateur* iu) {
  TGestFichier::TOptionsOuverture options =
      acces == TAcces::Lecture ? TGestFichier::OuvertureLectureSeule(iu) : TGestFichier::Ouverture(iu);
  options.SansProgression = iu == nullptr;
  auto g = std::make_unique<TGestFichier>(CheminDossier(chemin), AvecIndex(options));
  if (g->Erreur) throw ErreurKy(MessageOuverture(*g));
  return g;
}

long PersonneDuDossier(const TGestFichier& g, const std::string& texte) {
  const long no = NumeroPersonne(texte);
  const TFicPersons* f = g.GetFicPersons();
  if (!f || !f->NoPersValide(no))
    throw ErreurKy("la personne " + texte + " n'existe pas (dernier numéro : " + std::to_string(f ? f->NbEnreg : 0) + ")");
  return no;
}

void AfficheInfo(TGestFichier& g, bool ecritAilleurs) {
  TModuleBDD& m = *g.GetModuleBDD();
  std::printf("Dossier          : %s\n", AnsiVersUtf8(g.Repertoire).c_str());
  std::printf("Format           : %d%s\n", g.VersionFichier, g.IsReadOnly() && !ecritAilleurs ? " (lecture seule)" : "");
  std::printf("Accès            : %s\n", ecritAilleurs  ? "lecture (un autre programme écrit dans ce dossier)"
                                          : g.IsReadOnly() ? "lecture seule"
                                                           : "lecture et écriture");
  std::printf("Identifiant      : %s\n", g.IdGenea.c_str());
  const TFicPersons* f = g.GetFicPersons();
  const long supprimees = g.FicPersSuppr ? g.FicPersSuppr->GetNbPersSuppr() : m.CountPersonDelete();
  std::printf("Personnes        : %ld (dont supprimées : %ld)\n", g.NombrePersonnes(), supprimees);
  if (f)
    std::printf("Numéros          : 1 à %ld (%s, premier : %ld)\n", f->NbEnreg,
                f->Fichier() ? "fichier des personnes" : "base", f->NoPremier);
  TDateTime date = 0, heure = 0;
  g.GetDateFile(date, heure);
  if (date == 0 && !DateModificationFichier(g.FabriqueNomFichier(TGestFichier::tfBaseDonnees), date)) date = 0;
  std::printf("Modification     : %s\n",
              date == 0 ? "inconnue" : FormatDateHeure("dd/mm/yyyy hh:nn:ss", date + heure).c_str());
  std::printf("Base             : %s, version %s\n", AnsiVersUtf8(ExtraitNomFichier(m.Chemin())).c_str(),
              UnicodeVersUtf8(m.GetVersionBDD()).c_str());
  std::printf("Tables :\n");
  for (const auto& def : SchemaBDD())
    std::printf("  %-22s %lld lignes\n", def.nom.c_str(), static_cast<long long>(m.NombreLignes(def.nom)));
}

namespace {

std::string NomDe(const TPerson& p) {
  std::string nom = UnicodeVersUtf8(p.Public.Nom);
  if (!p.Public.Prenoms.empty()) nom += (nom.empty() ? "" : " ") + UnicodeVersUtf8(p.Public.Prenoms);
  return nom;
}

}  // namespace

std::string NomPersonne(TFicPersons& f, long no) {
  TPerson p(&f, 0);
  return LitPersonneVivante(f, no, p) ? NomDe(p) : std::string();
}

std::string DesignePersonne(TFicPersons& f, long no) {
  TPerson p(&f, 0);
  if (!LitPersonneVivante(f, no, p)) return std::to_string(no) + " (absente)";
  const std::string nom = NomDe(p);
  return std::to_string(no) + " (" + (nom.empty() ? "sans nom" : nom) + ")";
}

}  // namespace kyb::cli
