// kyb commands on persons: personne.
#include <cstdio>

#include "commandes.h"
#include "dossier_cli.h"
#include "folder/gest_fic_pers.h"
#include "persons/gest_pers.h"

namespace kyb::cli {
namespace {

std::string NomComplet(const TPerson& p) {
  std::string texte = UnicodeVersUtf8(p.Public.Nom);
  if (!p.Public.Prenoms.empty()) texte += " " + UnicodeVersUtf8(p.Public.Prenoms);
  return texte.empty() ? "(sans nom)" : texte;
}

// "12 (DURAND Jean)", or "-" for no link.
std::string Lien(TFicPersons& f, long no) {
  if (no <= 0) return "-";
  if (!f.NoPersValide(no)) return std::to_string(no) + " (hors du fichier)";
  return std::to_string(no) + " (" + NomComplet(TPerson(&f, no)) + ")";
}

int Personne(const Arguments& args) {
  if (args.size() != 2) return Usage("kyb personne CHEMIN N");
  long long no = 0;
  if (!TexteVersEntier(args[1], no) || no < 1) return Echec("numéro de personne invalide : " + args[1]);
  // Reading only: the folder is opened read-only so that nothing in it changes.
  const TGestFichier g(CheminDossier(args[0]), false, false, true, false, 0, TGestFichier::mcAucune, true, false,
                       nullptr);
  if (g.Erreur) return Echec(MessageOuverture(g));
  TFicPersons& f = *g.FicPersons;
  if (!f.NoPersValide(no)) return Echec("la personne " + args[1] + " n'existe pas (dernier numéro : " +
                                        std::to_string(f.NbEnreg) + ")");
  const TPerson p(&f, static_cast<long>(no));
  std::printf("Personne         : %ld%s\n", p.Numero(), p.FicheSupprimee() ? " (supprimée)" : "");
  std::printf("Nom              : %s\n", UnicodeVersUtf8(p.Public.Nom).c_str());
  std::printf("Prénoms          : %s\n", UnicodeVersUtf8(p.Public.Prenoms).c_str());
  std::printf("Sexe             : %c\n", p.Public.Sexe);
  std::printf("Type             : %s\n", p.Public.TypePersonne == 'T' ? "témoin" : "personne");
  std::printf("Père             : %s\n", Lien(f, p.Public.Pere.No).c_str());
  std::printf("Mère             : %s\n", Lien(f, p.Public.Mere.No).c_str());
  const TNoParent& a = p.NoParents();
  if (!p.DefaultNoParent())
    std::printf("Parents B        : %s, %s (principaux : %s, %s)\n", Lien(f, a.PereB).c_str(), Lien(f, a.MereB).c_str(),
                a.PerePrinc == 2 ? "B" : "A", a.MerePrinc == 2 ? "B" : "A");
  std::printf("Conjoints        : %d\n", p.CompteNbConjoint());
  for (const TLienConj& c : p.Public.Conjoints)
    if (c.Lien.No != 0) std::printf("  %s\n", Lien(f, c.Lien.No).c_str());
  std::printf("Enfants          : %d\n", p.CompteNbEnfant());
  for (const TLienPers& e : p.Public.Enfants)
    if (e.No != 0) std::printf("  %s\n", Lien(f, e.No).c_str());
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"personne", "personne CHEMIN N", "identité et liens de la personne N", Personne},
};

}  // namespace

std::span<const TCommande> CommandesPersonnes() { return kCommandes; }

}  // namespace kyb::cli
