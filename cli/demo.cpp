#include "demo.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "dates/analysedate.h"
#include "dates/bo_jours.h"
#include "dates/convrepublicain.h"
#include "donnees.h"
#include "dossier_cli.h"
#include "fields/csdefchps.h"
#include "folder/fic_enreg.h"
#include "folder/fic_notes.h"
#include "folder/gest_fic.h"
#include "folder/gest_fic_sosa.h"
#include "folder/bo_math.h"
#include "names/g_nopers.h"
#include "names/bo_chn1.h"
#include "names/bo_soundex.h"
#include "index/gest_fic_index.h"
#include "persons/edition_personne.h"
#include "persons/ancetres_communs.h"
#include "persons/lienparente.h"
#include "platform/fichiers.h"
#include "store/datamodulebdd.h"
#include "index/ouverture_genealogie.h"
#include "platform/arborescence.h"

namespace kyb::cli {
namespace {

std::vector<int32_t> Liste(const std::string& texte) {
  std::vector<int32_t> nombres;
  std::stringstream flux(texte);
  std::string morceau;
  long long v = 0;
  while (std::getline(flux, morceau, ','))
    if (TexteVersEntier(morceau, v)) nombres.push_back(static_cast<int32_t>(v));
  return nombres;
}

std::vector<std::string> Colonnes(const std::string& ligne) {
  std::vector<std::string> c;
  std::stringstream flux(ligne);
  std::string col;
  while (std::getline(flux, col, '\t')) c.push_back(col);
  c.resize(8);
  return c;
}

// Applies the fields to the person (a new one when no is 0) and saves it as a user's edit does:
// its index rows and the other side of each link are written with it. The message of a refusal.
std::string Edite(TFicPersons& f, long no, const std::vector<std::pair<std::string, std::string>>& champs, long& numero) {
  TEditionPersonne edition = no ? TEditionPersonne(f, no) : TEditionPersonne(f);
  if (!edition.Erreur().empty()) return edition.Erreur();
  for (const auto& [champ, valeur] : champs)
    if (std::string e = edition.Applique(champ, valeur); !e.empty()) return e;
  if (std::string e = edition.Enregistre(); !e.empty()) return e;
  numero = edition.Numero();
  return {};
}

// Creates the shipped sample family through the person object: every person with its name and
// sex, then its parents and spouses (the children's lists follow). The number of persons, -1
// when one was refused (the message in erreur).
int ChargeFamille(TGestFichier& dossier, std::string& erreur) {
  TFicPersons& f = *dossier.GetFicPersons();
  std::ifstream entree(RepertoireDonnees() + "/demo/personnes.tsv");
  std::vector<std::vector<std::string>> lignes;
  for (std::string ligne; std::getline(entree, ligne);)
    if (!ligne.empty() && ligne[0] != '#') lignes.push_back(Colonnes(ligne));
  for (const auto& c : lignes) {
    // A new folder holds person 1, blank: it becomes the first of the family.
    long numero = 0;
    const long existante = c[0] == "1" && f.NoPersValide(1) ? 1 : 0;
    erreur = Edite(f, existante, {{"NOM", c[2]}, {"PRENOMS", c[3]}, {"SEXE", c[1]}}, numero);
    if (erreur.empty() && std::to_string(numero) != c[0]) erreur = "numéro " + c[0] + " attendu, " + std::to_string(numero) + " donné";
    if (!erreur.empty()) return -1;
  }
  for (const auto& c : lignes) {
    std::vector<std::pair<std::string, std::string>> liens;
    if (c[4] != "0" && !c[4].empty()) liens.emplace_back("PERE", c[4]);
    if (c[5] != "0" && !c[5].empty()) liens.emplace_back("MERE", c[5]);
    for (const int32_t conjoint : Liste(c[6]))
      if (conjoint > std::stol(c[0])) liens.emplace_back("CONJOINT", std::to_string(conjoint));
    long numero = 0;
    if (!liens.empty() && !(erreur = Edite(f, std::stol(c[0]), liens, numero)).empty()) return -1;
  }
  return static_cast<int>(lignes.size());
}

// Saves every person once more, now that the family and its events are all written: each index
// row then holds the years its person's events and relatives give. False when one is refused.
bool EnregistreFamille(TGestFichier& dossier, int nombre, std::string& erreur) {
  for (long n = 1; n <= nombre; ++n) {
    long numero = 0;
    if (!(erreur = Edite(*dossier.GetFicPersons(), n, {}, numero)).empty()) return false;
  }
  return true;
}

bool DemoNotes(TGestFichier& dossier) {
  std::printf("\n== Notes : textes en chaînes de blocs de 512 octets, par rubrique\n");
  if (!dossier.FicNotes) return false;
  TFicNotes& notes = *dossier.FicNotes;
  long no = 0;
  TNote note(&notes, 0);
  note.NouvelleFiche(no);
  note.ModifNote(Utf8VersAnsi("Baptême"), Utf8VersAnsi("{\\rtf1\\ansi Baptisé en l'église Saint-\\'c9tienne.\\par}"));
  note.ModifNote("Sources", Utf8VersAnsi("Acte retrouvé aux archives départementales."));
  for (const AnsiString& titre : note.Titres())
    std::printf("  note %ld, %s : %s\n", note.Numero(), AnsiVersUtf8(titre).c_str(),
                AnsiVersUtf8(note.RecupNoteTxt(titre)).c_str());
  return !dossier.Erreur;
}

// "de Pierre", "d'Anne": the French elision before a vowel.
std::string De(const std::string& nom) {
  static const std::u16string kVoyelles = u"AEIOUYÂÊÎÔÛÉÈÀ";
  const UnicodeString u = Utf8VersUnicode(nom);
  return (!u.empty() && kVoyelles.find(MajusculeUnicode(u[0])) != std::u16string::npos ? "d'" : "de ") + nom;
}

// Pads a UTF-8 text to a width counted in characters.
std::string Colonne(const std::string& texte, size_t largeur) {
  const size_t n = Utf8VersUnicode(texte).size();
  return n >= largeur ? texte : texte + std::string(largeur - n, ' ');
}

void AffichePersonne(TModuleBDD& store, long numero) {
  TEnregPublic p;
  if (!store.ReadPerson(p, numero)) return;
  const auto nom = [&store](int32_t n) {
    TEnregPublic q;
    return n > 0 && store.ReadPerson(q, n) ? UnicodeVersUtf8(q.Prenoms + u" " + q.Nom) : std::string("?");
  };
  std::printf("  n°%ld %s %s, %s %s et %s", numero, UnicodeVersUtf8(p.Prenoms).c_str(),
              UnicodeVersUtf8(p.Nom).c_str(), p.Sexe == 'F' ? "fille" : "fils", De(nom(p.Pere.No)).c_str(),
              De(nom(p.Mere.No)).c_str());
  std::printf(", %d conjoint(s), %d enfant(s)\n", p.NbConjoints(), p.NbEnfants());
}

void DemoDates() {
  std::printf("\n== Dates saisies comme un généalogiste les tape\n");
  const struct {
    const char* saisie;
    const char* calendrier;
  } saisies[] = {{"14 7 1789", "G"}, {"?/6/1856", "G"}, {"1 pluviôse an XII", "R"}, {"31/2/1854", "G"}};
  for (const auto& s : saisies) {
    AnsiString texte;
    const int code = AnalyseDate(texte, Utf8VersAnsi(s.saisie), s.calendrier);
    if (code != kAnalyseOk) {
      std::printf("  « %s » refusée (code %d)\n", s.saisie, code);
      continue;
    }
    const TDateKY date(s.calendrier[0], texte);
    std::printf("  « %s » -> %s : %s", s.saisie, texte.c_str(), AnsiVersUtf8(date.PlaceJour()).c_str());
    if (s.calendrier[0] == 'R') std::printf(" (grégorien %s)", ConvRepublicainGregorien(texte).c_str());
    std::printf("\n");
  }
}

void DemoNoms(TModuleBDD& store) {
  std::printf("\n== Noms de la famille : clé d'index et code phonétique\n");
  for (const UnicodeString& nom : store.GetListPersNom()) {
    if (nom.empty()) continue;
    const UnicodeString cle = FormatIndex(nom);
    std::printf("  %s clé %s phonétique %s\n", Colonne(UnicodeVersUtf8(nom), 10).c_str(),
                Colonne(UnicodeVersUtf8(cle), 10).c_str(),
                UnicodeVersUtf8(strSoundex(std::u16string_view(cle))).c_str());
  }
}

void DemoParente(TGestFichier& dossier) {
  std::printf("\n== Liens de parenté dans la famille\n");
  TFicPersons& f = *dossier.FicPersons;
  const auto prenom = [&f](long n) { return UnicodeVersUtf8(TPerson(&f, n).Public.Prenoms); };
  for (const auto& [a, b] : {std::pair{10L, 6L}, std::pair{10L, 7L}, std::pair{6L, 10L}}) {
    const TPerson pa(&f, a);
    const AnsiString mot = TLienParente(pa).RetourneLienDeParente(b);
    std::printf("  %s est : %s %s\n", prenom(b).c_str(), AnsiVersUtf8(mot).c_str(), De(prenom(a)).c_str());
  }
  // Hélène (19) and Joséphine (6) have no named kinship: their nearest common ancestors.
  const TAncetresCommuns r = ChercheAncetresCommuns(f, 19, 6);
  std::string ancetres;
  for (size_t i = 0; i < r.Ancetres.size(); ++i) {
    const TPerson p(&f, r.Ancetres[i]);
    ancetres += (i == 0 ? "" : i + 1 == r.Ancetres.size() ? " et " : ", ") +
                UnicodeVersUtf8(p.Public.Prenoms + u" " + p.Public.Nom);
  }
  std::printf("  ancêtres communs d'Hélène et de Joséphine : %s", ancetres.c_str());
  if (!r.Chemins.empty())
    std::printf(" (à %d et %d générations)", r.Chemins[0].GenerationsA, r.Chemins[0].GenerationsB);
  std::printf("\n");
}

// Sosa numbering from the youngest person, whose parents are first cousins: their common
// grandparents carry two numbers each.
void DemoSosa(TGestFichier& dossier) {
  TFicSosas* sosas = dossier.GetFicSosas();
  if (!sosas || !sosas->InitFichierStrado()) return;
  constexpr long kRacine = 19;
  TModuleBDD& store = *dossier.GetModuleBDD();
  const auto nom = [&store](long n) {
    TEnregPublic p;
    return store.ReadPerson(p, n) ? UnicodeVersUtf8(p.Prenoms + u" " + p.Nom) : std::string("?");
  };
  std::printf("\n== Numérotation Sosa depuis %s (n°%ld), fille de cousins germains\n", nom(kRacine).c_str(), kRacine);
  const TBilanNumerotation bilan = sosas->NumeroterPersNo(kRacine, NTL::ZZ(1));
  std::printf("  %ld numéros écrits dans le fichier des Sosa\n", bilan.Ecritures);
  TGestNoPersSosa table;
  (void)sosas->ChargeAscendance(kRacine, 4, table);
  int generation = 0;
  TEltNoPersSosa e;
  for (int i = 1; i < table.GetNbElt(); ++i) {
    (void)table.Lit(i, e);
    if (CalculGen(e.Sosa) != generation) {
      generation = CalculGen(e.Sosa);
      std::printf("%s  génération %d :", generation > 1 ? "\n" : "", generation);
    } else {
      std::printf(",");
    }
    NTL::ZZ premier;
    (void)table.ChercheNoPers(e.NoPers, premier, false);
    std::printf(" %s %s%s", ZZtoAnsiString(&e.Sosa, false).c_str(), nom(e.NoPers).c_str(),
                premier != e.Sosa ? " (implexe)" : "");
  }
  std::printf("\n");
  for (const long n : {11L, 12L}) {
    std::string liste;
    for (const NTL::ZZ& z : sosas->ChargeNosStrados(n, false, nullptr))
      liste += (liste.empty() ? "" : " et ") + ZZtoAnsiString(&z, false);
    std::printf("  %s porte les numéros %s\n", nom(n).c_str(), liste.c_str());
  }
  bool abandon = false;
  std::printf("  Sosa 40 : %s\n", nom(sosas->RechercheStrado2No(kRacine, NTL::ZZ(40), abandon)).c_str());
}

// The person index, kept up to date by each save: its check finds nothing to repair; then
// searches by name.
void DemoIndex(TGestFichier& dossier) {
  std::printf("\n== Index des personnes\n");
  TFicIndexPerson* index = TFicIndexPerson::De(dossier);
  if (!index) return;
  const TBilanIndex bilan = index->CheckIndexValid(nullptr, false);
  std::printf("  vérification : %ld ligne(s) pour %ld personne(s), %s\n", index->NbLignes(),
              dossier.GetModuleBDD()->CountPerson(), bilan.Defauts() ? "des défauts à réparer" : "aucun défaut");
  const char* recherches[][2] = {{"Martin", ""}, {"Martin", "Louis"}, {"Moro", ""}, {"Bernart", "Jeanne"}};
  for (const auto& r : recherches) {
    std::printf("  kyb cherche %s%s%s :", r[0], *r[1] ? " " : "", r[1]);
    for (const auto& t : index->ChercheNom(Utf8VersUnicode(r[0]), Utf8VersUnicode(r[1]), 50)) {
      TEnregPublic p;
      if (dossier.GetModuleBDD()->ReadPerson(p, t.NoPers))
        std::printf(" n°%d %s %s%s;", t.NoPers, UnicodeVersUtf8(p.Nom).c_str(), UnicodeVersUtf8(p.Prenoms).c_str(),
                    t.Exact ? "" : " (phonétique)");
    }
    std::printf("\n");
  }
}

}  // namespace

int Demo(const TAppel& args) {
  const std::string cible = args.empty() ? "." : args[0];
  const AnsiString repertoire = CheminSortie(cible);
  const AnsiString chemin = ConstruitAccesGenealogie(repertoire + "/", "Exemple", ".adb");
  for (const char* nom : {"Exemple.kya", "ExempleGedcom.kya", "ExempleGedcom.ged"})
    if (const AnsiString c = repertoire + "/" + nom; FichierExiste(c) || RepertoireExiste(c))
      return Echec("« " + cible + "/" + nom + " » existe déjà : donnez à kyb demo un autre répertoire");
  RepertoireParentExiste(cible);
  if (!CreeRepertoires(repertoire)) return Echec("impossible de créer le répertoire " + cible);
  std::printf("== Création du dossier généalogique d'exemple\n");
  {
    TGestFichier dossier(chemin, AvecIndex(TGestFichier::Creation(0)));
    if (dossier.Erreur) return Echec("le dossier généalogique n'a pas pu être créé");
    std::string erreur;
    const int n = ChargeFamille(dossier, erreur);
    if (n < 0) return Echec("la famille d'exemple n'a pas pu être enregistrée : " + erreur);
    std::printf("%d personnes de la famille d'exemple enregistrées.\n", n);
    std::printf("%d événements et champs enregistrés.\n", ChargeEvenements(dossier));
    // The notes the events point to exist before the cards are saved again.
    if (!DemoNotes(dossier)) return Echec("erreur d'accès au fichier des notes");
    if (!EnregistreFamille(dossier, n, erreur)) return Echec("la famille d'exemple n'a pas pu être enregistrée : " + erreur);
  }
  std::printf("\n== Réouverture du dossier\n");
  TGestFichier dossier(chemin, AvecIndex(TGestFichier::Ouverture()));
  if (dossier.Erreur) return Echec(MessageOuverture(dossier));
  std::printf("  %s : %ld personnes\n", AnsiVersUtf8(ExtraitRepertoire(chemin)).c_str(), dossier.GetModuleBDD()->CountPerson());
  std::printf("\n== Quelques personnes relues dans la base\n");
  for (const long n : {1L, 5L, 10L}) AffichePersonne(*dossier.GetModuleBDD(), n);
  DemoNoms(*dossier.GetModuleBDD());
  DemoEvenements(dossier);
  DemoIndex(dossier);
  DemoParente(dossier);
  DemoDates();
  DemoSosa(dossier);
  if (const TDefChpsCs* defs = dossier.GetDefChpsCs()) {
    std::printf("\n== Définitions de champs du dossier : %d, dont\n", defs->Count());
    for (const char* libelle : {"NAISSANCE", "UNION", "DECES", "PROFESSION"})
      if (const TChpCs* c = defs->RechercheChampsInternePtr(libelle))
        std::printf("  %s « %s », balise %s\n", Colonne(libelle, 11).c_str(), AnsiVersUtf8(c->LibelleEcran).c_str(),
                    c->TagGedCom.c_str());
  }
  std::printf("\n== Copie de sauvegarde et contrôle\n");
  if (!dossier.GetModuleBDD()->CopieADB()) return Echec("la copie de sauvegarde a échoué");
  std::printf("  copie : %s\n", AnsiVersUtf8(ExtraitNomFichier(dossier.GetModuleBDD()->CheminCopie())).c_str());
  std::printf("  intégrité : %s\n", dossier.GetModuleBDD()->Database().VerifieIntegrite().c_str());
  if (!DemoGedcom(cible)) return Echec("l'import GEDCOM de l'exemple a échoué");
  std::printf("\nDossiers d'exemple gardés : %s et %s ; essayez « kyb personnes %s ».\n",
              AnsiVersUtf8(ExtraitRepertoire(chemin)).c_str(),
              AnsiVersUtf8(ExtraitRepertoire(ConstruitAccesGenealogie(repertoire + "/", "ExempleGedcom", ".adb"))).c_str(),
              AnsiVersUtf8(ExtraitRepertoire(chemin)).c_str());
  std::printf("\nDémonstration terminée.\n");
  return 0;
}

}  // namespace kyb::cli
