// kyb commands that find persons: cherche (names and criteria), patronymes and prenoms (distinct
// names with their counts), equivalences (the declared spellings of names), notices (the
// documentary pages attached to words).
#include <charconv>
#include <cstdio>
#include <optional>
#include <tuple>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/gest_fic.h"
#include "index/gest_fic_index.h"
#include "index/gest_not_index.h"
#include "index/ouverture_genealogie.h"
#include "index/recherche_dossiers.h"
#include "index/recherche_simple.h"
#include "interface_terminal.h"
#include "names/tab_nom_equiv.h"
#include "platform/fichiers.h"

namespace kyb::cli {
namespace {

constexpr size_t kLimiteDefaut = 50;

std::optional<long> Entier(const std::string& texte) {
  long n = 0;
  const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), n);
  if (erreur != std::errc() || fin != texte.data() + texte.size()) return std::nullopt;
  return n;
}

// A folder opened read-only with its index; null (the message printed) when it cannot be.
struct TOuverture {
  TInterfaceTerminal iu;
  std::unique_ptr<TGestFichier> g;
  TFicIndexPerson* index = nullptr;
};

void Ouvre(const std::string& chemin, TOuverture& o) {
  o.g = OuvreGenealogie(chemin, TAcces::Lecture, &o.iu);
  o.index = TFicIndexPerson::De(*o.g);
  if (!o.index) throw ErreurKy("ce dossier n'a pas d'index des personnes");
}

TTabNomEquiv Equivalences(const TGestFichier& g, bool lectureSeule) {
  return TTabNomEquiv(g.FabriqueNomFichier(TGestFichier::tfNomsEquiv), g.FabriqueNomFichier(TGestFichier::tfPreq),
                      lectureSeule || g.IsReadOnly());
}

void AfficheTrouve(TFicIndexPerson& index, int32_t no) {
  TFicIndexPerson::TTrouve t{no, true, -1, 0, 0};
  std::tie(t.AnneeMin, t.AnneeMax) = index.AnneesPrincipales(no);
  std::printf("  %6d  %s\n", no, UnicodeVersUtf8(index.LibelleTrouve(t)).c_str());
}

void AfficheResultat(TFicIndexPerson& index, const TResultatRecherche& r) {
  if (r.Total == 0) {
    std::printf("Aucune personne trouvée.\n");
    return;
  }
  std::printf("%ld personne%s trouvée%s :\n", r.Total, r.Total > 1 ? "s" : "", r.Total > 1 ? "s" : "");
  for (const int32_t no : r.Personnes) AfficheTrouve(index, no);
  const long autres = r.Total - static_cast<long>(r.Personnes.size());
  if (autres > 0) std::printf("… et %ld autre%s\n", autres, autres > 1 ? "s" : "");
}

int Cherche(const TAppel& args) {
  TRechSimple c;
  size_t limite = kLimiteDefaut;
  std::vector<std::string> noms;
  for (size_t i = 1; i < args.size(); ++i) noms.push_back(args[i]);
  if (args.Present("--phonetique")) c.PhonetiqueNom = c.PhonetiquePrenoms = true;
  if (args.Present("--equivalences")) c.Equivalences = true;
  if (args.Present("--sans-pere")) c.NomPere = kSansPere;
  if (const std::string s = args.Valeur("--sexe"); !s.empty()) {
    if (s != "M" && s != "F") return Echec("sexe inconnu « " + s + " » : M ou F");
    c.Sexe = s[0];
  }
  if (const std::vector<std::string> annees = args.Valeurs("--nes-entre"); annees.size() == 2) {
    const auto debut = Entier(annees[0]), fin = Entier(annees[1]);
    if (!debut || !fin || *debut < 1 || *fin < 1 || *debut > 9999 || *fin > 9999)
      return Echec("années invalides « " + annees[0] + " » et « " + annees[1] + " » : deux années de 1 à 9999");
    if (*debut > *fin)
      return Echec("l'intervalle d'années est à l'envers : " + annees[0] + " est après " + annees[1]);
    c.AnneeMin = static_cast<int>(*debut);
    c.AnneeMax = static_cast<int>(*fin);
  }
  if (args.Present("--lieu")) c.Lieu = Utf8VersUnicode(args.Valeur("--lieu"));
  if (args.Present("--pere")) c.NomPere = Utf8VersUnicode(args.Valeur("--pere"));
  if (args.Present("--mere")) c.NomMere = Utf8VersUnicode(args.Valeur("--mere"));
  if (args.Present("--conjoint")) c.NomConjoint = Utf8VersUnicode(args.Valeur("--conjoint"));
  if (args.Present("--limite")) {
    const auto n = Entier(args.Valeur("--limite"));
    if (!n || *n < 1) return Echec("limite invalide « " + args.Valeur("--limite") + " » : un nombre d'au moins 1");
    limite = static_cast<size_t>(*n);
  }
  if (!noms.empty()) c.Nom = Utf8VersUnicode(noms[0]);
  if (noms.size() > 1) c.Prenoms = Utf8VersUnicode(noms[1]);

  // The folder given first, then each --dossier, all opened read-only before anything is searched.
  std::vector<std::string> chemins{args[0]};
  for (const std::string& autre : args.Valeurs("--dossier")) chemins.push_back(autre);
  std::vector<TOuverture> ouvertures(chemins.size());
  std::vector<TGestFichier*> dossiers;
  for (size_t i = 0; i < chemins.size(); ++i) {
    Ouvre(chemins[i], ouvertures[i]);
    for (size_t j = 0; j < i; ++j)
      if (MemeFichier(ouvertures[j].g->Repertoire, ouvertures[i].g->Repertoire))
        return Echec("le dossier « " + chemins[i] + " » est déjà cherché (« " + chemins[j] + " »)");
    dossiers.push_back(ouvertures[i].g.get());
  }
  const std::vector<TResultatDossier> resultats = RechercheDansDossiers(c, dossiers, limite);
  for (size_t i = 0; i < resultats.size(); ++i) {
    if (i > 0) std::printf("Dans %s : ", chemins[i].c_str());
    AfficheResultat(*ouvertures[i].index, resultats[i].Resultat);
  }
  return 0;
}

void AfficheComptes(const std::vector<TNomCompte>& liste, const char* vide) {
  if (liste.empty()) std::printf("%s\n", vide);
  for (const TNomCompte& n : liste) std::printf("  %-30s %8ld\n", UnicodeVersUtf8(n.Nom).c_str(), n.Nombre);
}

int Patronymes(const TAppel& args) {
  TOuverture o;
  Ouvre(args[0], o);
  TRechercheIndex recherche(*o.index, nullptr);
  AfficheComptes(recherche.RetournePatronyme(args.size() > 1 ? Utf8VersUnicode(args[1]) : u"", '?', nullptr),
                 "Aucun patronyme.");
  return 0;
}

int Prenoms(const TAppel& args) {
  char sexe = '?';
  const UnicodeString lettre = args.size() > 1 ? Utf8VersUnicode(args[1]) : UnicodeString();
  if (const std::string s = args.Valeur("--sexe"); !s.empty()) {
    if (s != "M" && s != "F") return Echec("sexe inconnu « " + s + " » : M ou F");
    sexe = s[0];
  }
  TOuverture o;
  Ouvre(args[0], o);
  TRechercheIndex recherche(*o.index, nullptr);
  AfficheComptes(recherche.RetourneListPrenom(lettre, sexe), "Aucun prénom.");
  return 0;
}

void AfficheTable(const char* titre, const TTabNomEquiv::TTable& table) {
  std::printf("%s\n", titre);
  if (table.empty()) std::printf("  (aucune)\n");
  for (auto it = table.begin(); it != table.end();) {
    std::string ligne = "  " + AnsiVersUtf8(it->first) + " :";
    const auto fin = table.upper_bound(it->first);
    for (const char* sep = " "; it != fin; ++it, sep = ", ") ligne += sep + AnsiVersUtf8(it->second);
    std::printf("%s\n", ligne.c_str());
  }
}

int EquivalencesCmd(const TAppel& args) {
  const bool edition = args.size() >= 2;
  if (edition && (args.size() != 4 || (args[1] != "ajoute" && args[1] != "supprime")))
    throw ErreurUsage("ajoute ou supprime, suivi d'un nom et de son équivalent");
  TInterfaceTerminal iu;
  const TGestFichier g(CheminDossier(args[0]),
                       AvecIndex(edition ? TGestFichier::Ouverture(&iu) : TGestFichier::OuvertureLectureSeule(&iu)));
  if (g.Erreur) return Echec(MessageOuverture(g));
  TTabNomEquiv table = Equivalences(g, !edition);
  for (const bool noms : {true, false}) {
    const char* fichier = noms ? "des noms" : "des prénoms";
    if (table.LuEnUtf8(noms)) std::printf("Le fichier d'équivalences %s était en UTF-8 : il a été lu comme tel.\n", fichier);
    if (table.LignesCoupees(noms))
      std::printf("Le fichier d'équivalences %s a %d ligne(s) de plus de %zu caractères, coupée(s)%s.\n", fichier,
                  table.LignesCoupees(noms), TTabNomEquiv::kLongueurLigneMax,
                  edition ? " ; une copie du fichier a été gardée" : "");
  }
  if (!edition) {
    AfficheTable("Noms équivalents :", table.Noms());
    AfficheTable("Prénoms équivalents :", table.Prenoms());
    std::printf("Équivalences utilisées : %s\n", table.Option() ? "oui" : "non");
    std::string inconnus;
    for (const AnsiString& n : table.ListeInconnus()) inconnus += (inconnus.empty() ? "" : ", ") + AnsiVersUtf8(n);
    std::printf("Noms d'inconnus : %s\n", inconnus.c_str());
    return 0;
  }
  if (g.IsReadOnly()) return Echec("le dossier est en lecture seule : les équivalences ne peuvent pas être modifiées");
  const bool noms = !args.Present("--prenoms");
  const AnsiString nom = Utf8VersAnsi(args[2]), equivalent = Utf8VersAnsi(args[3]);
  const AnsiString cle = TTabNomEquiv::CleEquiv(nom), cleEquiv = TTabNomEquiv::CleEquiv(equivalent);
  if (cle.empty() || cleEquiv.empty()) return Echec("un nom vide ne peut pas être équivalent");
  if (cle == cleEquiv) return Echec("« " + AnsiVersUtf8(cle) + " » est déjà le même nom");
  bool change = false;
  if (args[1] == "ajoute") {
    change = table.AjouteDoubleEntree(nom, equivalent, noms);
  } else {
    const bool aller = table.SupprimePair(nom, equivalent, noms);
    const bool retour = table.SupprimePair(equivalent, nom, noms);
    change = aller || retour;
  }
  const std::string paire = AnsiVersUtf8(cle) + " = " + AnsiVersUtf8(cleEquiv);
  if (!change) {
    std::printf(args[1] == "ajoute" ? "Équivalence déjà déclarée : %s\n" : "Équivalence absente : %s\n", paire.c_str());
    return 0;
  }
  if (!table.Sauvegarde()) return Echec("les équivalences n'ont pas pu être enregistrées : le fichier est resté tel qu'il était");
  std::printf(args[1] == "ajoute" ? "Équivalence ajoutée : %s\n" : "Équivalence supprimée : %s\n", paire.c_str());
  return 0;
}

// A type given as its value (0 to 9) or its label, without regard to case; -1 when unknown.
int TypeNotice(const std::string& texte) {
  if (const auto n = Entier(texte)) return *n >= 0 && *n < TGestIndexNoticesPat::kNbTypes ? static_cast<int>(*n) : -1;
  for (int type = 0; type < TGestIndexNoticesPat::kNbTypes; ++type) {
    const UnicodeString libelle = TGestIndexNoticesPat::LibelleType(type);
    if (MajusculesUnicode(libelle.substr(0, libelle.find(u' '))) == MajusculesUnicode(Utf8VersUnicode(texte)))
      return type;
  }
  return -1;
}

int Notices(const TAppel& args) {
  const int seul = args.size() > 1 ? TypeNotice(args[1]) : -1;
  if (args.size() > 1 && seul < 0)
    return Echec("type de notice inconnu « " + args[1] + " » : un nombre de 0 à 9 ou un nom (Patronyme, Prénom, "
                 "Profession, Titre, Décoration, Ville, Code, Département, Région, Pays)");
  TInterfaceTerminal iu;
  TGestFichier g(CheminDossier(args[0]), TGestFichier::OuvertureLectureSeule(&iu));
  if (g.Erreur) return Echec(MessageOuverture(g));
  TFicNoticesPat* fichier = g.FicNoticesPat.get();
  const TGestIndexNoticesPat index(fichier && fichier->Valide() ? fichier : nullptr);
  long total = 0;
  for (int rang = 0; rang < TGestIndexNoticesPat::kNbTypes; ++rang) {
    const int type = TGestIndexNoticesPat::GetTypeNoticeFromIndex(rang);
    if (seul >= 0 && type != seul) continue;
    const auto& liste = index.Liste(type);
    if (liste.empty() && seul < 0) continue;
    std::printf("%s (%zu) :\n", UnicodeVersUtf8(TGestIndexNoticesPat::LibelleType(type)).c_str(), liste.size());
    for (const auto& e : liste) std::printf("  %6ld  %s\n", e.Numero, AnsiVersUtf8(e.Titre).c_str());
    total += static_cast<long>(liste.size());
  }
  if (total == 0 && seul < 0) std::printf("Aucune notice.\n");
  if (index.Ignores())
    std::printf("%ld notice(s) d'un type inconnu laissée(s) de côté.\n", index.Ignores());
  if (index.Endommage()) {
    std::fflush(stdout);  // the list, then the message
    return Echec("le fichier des notices est endommagé : seules les notices lues avant le défaut sont listées");
  }
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"cherche",
     "cherche CHEMIN [NOM] [PRENOMS] [--phonetique] [--equivalences] [--sexe M|F] [--nes-entre A B] [--lieu L] "
     "[--pere NOM] [--mere NOM] [--conjoint NOM] [--sans-pere] [--limite N] [--dossier AUTRE...]",
     "personnes d'un nom (masques MAR*IN), de prénoms et de critères ; le nombre trouvé ; --dossier : aussi "
     "dans d'autres dossiers",
     Cherche},
    {"patronymes", "patronymes CHEMIN [LETTRE]", "patronymes distincts et leur nombre de personnes", Patronymes},
    {"prenoms", "prenoms CHEMIN [LETTRE] [--sexe F|M]", "prénoms distincts et leur nombre de personnes", Prenoms},
    {"equivalences", "equivalences CHEMIN [ajoute|supprime NOM EQUIVALENT [--prenoms]]",
     "noms (ou prénoms) déclarés équivalents : liste, ajout, suppression", EquivalencesCmd},
    {"notices", "notices CHEMIN [TYPE]", "notices de la généalogie par type (Patronyme, Ville…)", Notices},
};

}  // namespace

std::span<const TCommande> CommandesRecherche() { return kCommandes; }

}  // namespace kyb::cli
