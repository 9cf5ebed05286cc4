#include "gedcom/genealogie_texte.h"

#include <algorithm>
#include <set>
#include <vector>

#include "folder/fic_dupli.h"
#include "folder/fic_notes.h"
#include "folder/gest_fic.h"
#include "store/chps_personne.h"
#include "store/datamodulebdd.h"

namespace kyb::test {
namespace {

std::string U8(const UnicodeString& u) { return UnicodeVersUtf8(u); }

std::string Note(TGestFichier& g, int32_t no) {
  if (no <= 0) return {};
  TNote n(g.FicNotes.get(), no);
  std::string s;
  for (const AnsiString& t : n.Titres()) s += "[" + AnsiVersUtf8(t) + ":" + AnsiVersUtf8(n.RecupNoteTxt(t)) + "]";
  return s;
}

std::string Evenement(TGestFichier& g, TEvenement& e) {
  const auto texte = [](TFicDupli* t, int32_t no) { return t && no > 0 ? U8(t->Charge(no)) : std::string(); };
  const int32_t a = std::min(e.Enreg.NoPersA, e.Enreg.NoPersB == 0 ? e.Enreg.NoPersA : e.Enreg.NoPersB);
  const int32_t b = std::max(e.Enreg.NoPersA, e.Enreg.NoPersB);
  std::string s = "  E " + std::to_string(a) + (e.Enreg.NoPersB ? "+" + std::to_string(b) : "") + " " +
                  e.Enreg.LibelleChamps + " «" + U8(e.Enreg.Donnee) + "» " + AnsiVersUtf8(e.Enreg.Date.ExportInString()) +
                  " lieu «" + texte(g.GetFicLieux(), e.Enreg.Lieu) + "» dit «" + U8(e.Enreg.LieuDit) + "» note " +
                  Note(g, e.Enreg.Note);
  std::multiset<std::string> listes;
  for (const TPersAssociee& p : e.PersAssociees())
    listes.insert("cite " + std::to_string(p.Lien.No) + "/" + texte(g.GetFicQualites(), p.Qualite) + "/" +
                  texte(g.GetFicParentes(), p.Parente));
  for (const TSourceEven& src : e.Sources()) listes.insert("source " + U8(src.Type) + "/" + U8(src.Descriptif));
  for (const TIllustrationEven& m : e.Illustrations()) listes.insert("media " + AnsiVersUtf8(m.Chemin));
  for (const std::string& l : listes) s += " {" + l + "}";
  return s;
}

}  // namespace

std::string GenealogieTexte(const std::string& cheminBase) {
  TGestFichier g(Utf8VersAnsi(cheminBase), TGestFichier::OuvertureLectureSeule());
  if (g.Erreur) return "dossier illisible";
  TModuleBDD& bdd = *g.GetModuleBDD();
  std::string sortie;
  for (long no = 1; no <= bdd.GetMaxNoPers(); ++no) {
    TEnregPublic p;
    if (!bdd.ReadPerson(p, no) || p.FicheSupprimee == 'O') continue;
    sortie += "P " + std::to_string(no) + " " + U8(p.Nom) + " / " + U8(p.Prenoms) + " " + p.Sexe +
              (p.TypePersonne == 'T' ? " témoin" : "") + " pere " +
              std::to_string(p.Pere.No) + " mere " + std::to_string(p.Mere.No) + " conjoints";
    for (const TLienConj& c : p.Conjoints)
      if (c.Lien.No) sortie += " " + std::to_string(c.Lien.No);
    sortie += " enfants";
    for (const TLienPers& e : p.Enfants)
      if (e.No) sortie += " " + std::to_string(e.No);
    sortie += " note " + Note(g, p.Note) + "\n";
    if (TNoParent a; bdd.ReadNoParents(no, a))
      sortie += "  parents A " + std::to_string(a.PereA) + " " + std::to_string(a.MereA) + " B " + std::to_string(a.PereB) +
                " " + std::to_string(a.MereB) + " affiche " + std::to_string(a.PerePrinc) + "/" +
                std::to_string(a.MerePrinc) + "\n";
    TChpsPersonne fiche(no);
    fiche.SetConjoints(p);
    bdd.ChargerLienChpsOfPerson(fiche);
    std::vector<std::string> lignes;
    for (TEvenementTV& e : fiche.Evenements) {
      const std::string l = Evenement(g, e.Even);
      if (e.Even.Enreg.NoPersB == 0 && e.Even.Enreg.NoPersA == no) lignes.push_back(l);
      else if (std::min(e.Even.Enreg.NoPersA, e.Even.Enreg.NoPersB) == no) lignes.push_back(l);
    }
    for (const TChpsSimpleTV& c : fiche.ChpsSimples)
      if (c.Chps.Enreg.NoPersA == no)
        lignes.push_back("  C " + c.Chps.Enreg.LibelleChamps + " «" + U8(c.Chps.Enreg.Donnee) + "»");
    std::sort(lignes.begin(), lignes.end());
    for (const std::string& l : lignes) sortie += l + "\n";
  }
  return sortie;
}

}  // namespace kyb::test
