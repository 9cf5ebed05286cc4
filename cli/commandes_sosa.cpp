// kyb commands on Sosa numbers: sosa (numbering, numbers of a person, person of a number) and
// ascendance.
#include <cstdio>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/bo_math.h"
#include "folder/gest_fic_pers.h"
#include "folder/gest_fic_sosa.h"
#include "interface_terminal.h"
#include "names/g_nopers.h"
#include "persons/gest_pers.h"
#include "index/ouverture_genealogie.h"

namespace kyb::cli {
namespace {

constexpr int kGenerationsParDefaut = TFicSosas::kProfondeurMax;

// Draws the terminal bar only when its filled part would change: numbering reports a position
// at nearly every person.
class TInterfaceEconome final : public TInterfaceUtilisateur {
 public:
  void ProgressionOuvre(const UnicodeString& titre) override { terminal_.ProgressionOuvre(titre); }
  void ProgressionMaximum(int maximum) override {
    maximum_ = std::max(1, maximum);
    terminal_.ProgressionMaximum(maximum);
  }
  void ProgressionPosition(int position) override {
    const long cran = static_cast<long>(position) * 100 / maximum_;
    if (cran == cran_) return;
    cran_ = cran;
    terminal_.ProgressionPosition(position);
  }
  void ProgressionTexte(const UnicodeString& texte) override { terminal_.ProgressionTexte(texte); }
  void ProgressionFerme() override {
    cran_ = -1;
    terminal_.ProgressionFerme();
  }
  int Question(const UnicodeString& titre, const UnicodeString& texte, int boutons, int defaut) override {
    return terminal_.Question(titre, texte, boutons, defaut);
  }
  void Message(const UnicodeString& titre, const UnicodeString& texte) override { terminal_.Message(titre, texte); }

 private:
  TInterfaceTerminal terminal_;
  int maximum_ = 100;
  long cran_ = -1;
};

std::unique_ptr<TGestFichier> Ouvre(const std::string& chemin, TAcces acces) {
  auto g = OuvreGenealogie(chemin, acces);
  if (!g->GetFicSosas()) throw ErreurKy("le dossier n'a pas de fichier des numéros Sosa");
  return g;
}

std::string Personne(TFicPersons& f, long no) {
  const TPerson p(&f, no);
  std::string texte = UnicodeVersUtf8(p.Public.Nom);
  if (!p.Public.Prenoms.empty()) texte.append(" ").append(UnicodeVersUtf8(p.Public.Prenoms));
  std::string resultat = "n°";
  resultat.append(std::to_string(no)).append(" (").append(texte.empty() ? "sans nom" : texte).append(")");
  return resultat;
}

std::string Texte(const NTL::ZZ& n) { return ZZtoAnsiString(&n, false); }

std::string Liste(const std::vector<NTL::ZZ>& numeros) {
  std::string texte;
  for (const NTL::ZZ& n : numeros) {
    if (!texte.empty()) texte += ", ";
    texte += Texte(n);
  }
  return texte;
}

void SignaleBoucles(const std::vector<long>& boucles) {
  for (const long no : boucles)
    std::printf("Boucle dans les liens de parenté : la personne n°%ld est sa propre ascendante "
                "(cette ligne n'est pas suivie plus haut).\n", no);
}

int Numerote(TGestFichier& g, long racine) {
  if (g.IsReadOnly() || !g.GetFicSosas()->Valide())
    return Echec("le dossier est en lecture seule : la numérotation Sosa n'est pas possible");
  TFicSosas& s = *g.GetFicSosas();
  TInterfaceEconome iu;
  TBilanNumerotation bilan;
  {
    TProgression avancement(&iu, u"Numérotation Sosa", static_cast<int>(g.GetFicPersons()->NbEnreg));
    s.AvancementSelCujus = &avancement;
    avancement.Texte(u"Numérotation des ascendants...");
    bool enPlace = false;
    bilan = s.Renumerote(racine, enPlace);
    s.AvancementSelCujus = nullptr;
    if (!enPlace)
      return Echec(std::string(DerniereErreurSysteme() == TErreurSysteme::DisquePlein ? "le disque est plein : " : "") +
                   "la numérotation Sosa n'a pas pu être écrite ; la précédente est gardée");
  }
  asNoStradoCujus = racine;
  g.Flush();
  std::printf("Numérotation Sosa depuis la personne %s : %ld numéro(s) écrit(s).\n",
              Personne(*g.GetFicPersons(), racine).c_str(), bilan.Ecritures);
  SignaleBoucles(bilan.Boucles);
  return 0;
}

int NumerosDe(TGestFichier& g, long no) {
  TFicSosas& s = *g.GetFicSosas();
  TInterfaceEconome iu;
  const NTL::ZZ propre = s.LectureNoStrado(no);
  const std::string qui = Personne(*g.GetFicPersons(), no);
  if (propre <= 0) {
    std::printf("Personne %s : aucun numéro Sosa.\n", qui.c_str());
    return 0;
  }
  std::printf("Personne %s : Sosa %s (génération %d)\n", qui.c_str(), Texte(propre).c_str(), CalculGen(propre));
  const std::vector<NTL::ZZ> tous = s.ChargeNosStrados(no, true, &iu);
  if (tous.size() > 1)
    std::printf("Implexe : %zu numéros Sosa : %s\n", tous.size(), Liste(tous).c_str());
  return 0;
}

int Cherche(TGestFichier& g, const std::string& texte) {
  if (texte.empty() || texte.find_first_not_of("0123456789") != std::string::npos)
    return Echec("numéro Sosa invalide : " + texte);
  const NTL::ZZ sosa = NTL::conv<NTL::ZZ>(texte.c_str());
  if (sosa < 1) return Echec("numéro Sosa invalide : " + texte);
  if (sosa > SosaPlusGrandStockable())
    return Echec("le numéro Sosa " + texte + " dépasse la limite de 210 bits (" + kTexteSosaMax + ")");
  TFicSosas& s = *g.GetFicSosas();
  const long racine = s.ChercheRacine();
  if (racine == 0)
    return Echec("aucune personne ne porte le numéro Sosa 1 : numérotez d'abord avec « kyb sosa numerote CHEMIN "
                 "RACINE »");
  bool abandon = false;
  const long no = s.RechercheStrado2No(racine, sosa, abandon);
  if (no == 0) return Echec("aucune personne ne porte le numéro Sosa " + texte);
  std::printf("Sosa %s (génération %d) : personne %s\n", texte.c_str(), CalculGen(sosa),
              Personne(*g.GetFicPersons(), no).c_str());
  return 0;
}

int SosaNumerote(const TAppel& args) {
  const auto g = Ouvre(args[0], TAcces::Ecriture);
  return Numerote(*g, PersonneDuDossier(*g, args[1]));
}

int SosaNumeros(const TAppel& args) {
  const auto g = Ouvre(args[0], TAcces::Lecture);
  return NumerosDe(*g, PersonneDuDossier(*g, args[1]));
}

int SosaCherche(const TAppel& args) {
  const auto g = Ouvre(args[0], TAcces::Lecture);
  return Cherche(*g, args[1]);
}

int Ascendance(const TAppel& args) {
  const long long generations =
      args.size() > 2 ? Entier(args[2], 1, 209, "nombre de générations") : kGenerationsParDefaut;
  const auto g = Ouvre(args[0], TAcces::Lecture);
  TFicPersons& f = *g->GetFicPersons();
  const long racine = PersonneDuDossier(*g, args[1]);
  TGestNoPersSosa table;
  const TBilanAscendance bilan = g->GetFicSosas()->ChargeAscendance(racine, static_cast<int>(generations), table);
  std::printf("Ascendance de la personne %s\n", Personne(f, racine).c_str());
  int generation = 0;
  long implexes = 0;
  TEltNoPersSosa e;
  for (int i = 1; i < table.GetNbElt(); ++i) {
    (void)table.Lit(i, e);
    if (const int gen = CalculGen(e.Sosa); gen != generation) {
      generation = gen;
      std::printf("Génération %d\n", gen);
    }
    NTL::ZZ premier;
    (void)table.ChercheNoPers(e.NoPers, premier, false);
    std::printf("  Sosa %s : %s", Texte(e.Sosa).c_str(), Personne(f, e.NoPers).c_str());
    if (premier != e.Sosa) {
      ++implexes;
      std::printf(" (implexe : voir Sosa %s)", Texte(premier).c_str());
    }
    std::printf("\n");
  }
  std::printf("%d ascendant(s) sur %d génération(s), dont %ld en implexe.\n", table.GetNbElt() - 1 - static_cast<int>(implexes),
              bilan.Generations, implexes);
  SignaleBoucles(bilan.Boucles);
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"sosa numerote", "sosa numerote CHEMIN RACINE", "numérote les ascendants de RACINE (Sosa 1)", SosaNumerote},
    {"sosa", "sosa CHEMIN N", "numéros Sosa de la personne N (tous en cas d'implexe)", SosaNumeros},
    {"sosa cherche", "sosa cherche CHEMIN SOSA", "personne qui porte le numéro SOSA", SosaCherche},
    {"ascendance", "ascendance CHEMIN RACINE [GENERATIONS]", "ascendants numérotés, génération par génération",
     Ascendance},
};

}  // namespace

std::span<const TCommande> CommandesSosa() { return kCommandes; }

}  // namespace kyb::cli
