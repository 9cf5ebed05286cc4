#pragma once
// A temporary genealogy for the tests of persons and above: a folder created in a fresh directory
// (removed with it), persons added by ordinary saves or hand-built families written straight
// into the store, and two persons compared field by field.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "folder/gest_fic.h"
#include "persons/gest_pers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/support.h"

namespace kyb::test {

struct TEvenTest {
  const char* libelle;
  const char* date = "";
  char calendrier = 'G';
};

// A person as a test describes it; the parents must exist already.
struct TPersonneTest {
  const char16_t* nom = u"";
  const char16_t* prenoms = u"";
  char sexe = '?';
  long pere = 0, mere = 0;
  std::vector<TEvenTest> evens = {};
};

inline TEvenement Evenement(TModuleBDD* m, const TEvenTest& e) {
  TEvenement ev(m);
  ev.NouvelleFiche();
  ev.SetLibelle(e.libelle);
  if (*e.date) ev.Enreg.Date = TDateKY(e.calendrier, e.date);
  return ev;
}

// Saves a new person with its events; each parent then lists it as a child. Its number.
inline long AjoutePersonne(TGestFichier& g, const TPersonneTest& d) {
  TFicPersons* f = g.GetFicPersons();
  TPerson p(f, 0);
  p.NouvelleFiche(kEnregCourant);
  p.SetNom(d.nom);
  p.SetPrenoms(d.prenoms);
  p.SetSexe(d.sexe);
  p.Public.Pere = static_cast<int32_t>(d.pere);
  p.Public.Mere = static_cast<int32_t>(d.mere);
  p.Fiche().EvenementsCharges = p.Fiche().ChpsSimplesCharges = true;  // a new person: empty card
  for (const TEvenTest& e : d.evens) p.Fiche().AddEvenInTV(Evenement(g.GetModuleBDD(), e));
  EXPECT_TRUE(p.Enregistrement()) << UnicodeVersUtf8(d.nom);
  for (const long parent : {d.pere, d.mere})
    if (parent > 0) {
      TPerson q(f, parent);
      q.AjouteEnf(p.Numero());
      EXPECT_TRUE(q.Enregistrement());
    }
  return p.Numero();
}

// Every member of the public record, slot by slot (a link is its number and its qualifier).
inline void AttendMemePublic(const TEnregPublic& a, const TEnregPublic& b, const std::string& ou) {
  SCOPED_TRACE(ou);
  EXPECT_EQ(a.LiensChpsSimples, b.LiensChpsSimples);
  EXPECT_EQ(a.LiensEvens, b.LiensEvens);
  EXPECT_EQ(a.LiensCitations, b.LiensCitations);
  EXPECT_EQ(a.TypePersonne, b.TypePersonne);
  EXPECT_EQ(a.FicheSupprimee, b.FicheSupprimee);
  EXPECT_EQ(a.Sexe, b.Sexe);
  const auto lien = [](const TLienPers& l) { return std::pair(l.No, l.NivNo); };
  EXPECT_EQ(lien(a.Pere), lien(b.Pere));
  EXPECT_EQ(lien(a.Mere), lien(b.Mere));
  for (size_t i = 0; i < a.Conjoints.size(); ++i) {
    EXPECT_EQ(lien(a.Conjoints[i].Lien), lien(b.Conjoints[i].Lien)) << "conjoint " << i;
    EXPECT_EQ(a.Conjoints[i].Compagnon, b.Conjoints[i].Compagnon) << "conjoint " << i;
  }
  for (size_t i = 0; i < a.Enfants.size(); ++i) EXPECT_EQ(lien(a.Enfants[i]), lien(b.Enfants[i])) << "enfant " << i;
  EXPECT_EQ(a.Nom, b.Nom);
  EXPECT_EQ(a.Prenoms, b.Prenoms);
  EXPECT_EQ(a.OrdrePU, b.OrdrePU);
  EXPECT_EQ(a.IndexPers, b.IndexPers);
  EXPECT_EQ(a.Note, b.Note);
  EXPECT_EQ(a.NoExtension, b.NoExtension);
  EXPECT_EQ(a.Autres, b.Autres);
  EXPECT_EQ(a.Indice, b.Indice);
  EXPECT_EQ(a.CodeGeneration, b.CodeGeneration);
  EXPECT_TRUE(a.Sosa == b.Sosa);
  EXPECT_EQ(a.Texte1, b.Texte1);
  EXPECT_EQ(a.Texte2, b.Texte2);
}

// Two persons: number, public record, alternative parents and, when loaded, the card.
inline void AttendMemePersonne(const TPerson& a, const TPerson& b, const std::string& ou) {
  ASSERT_EQ(a.Numero(), b.Numero()) << ou;
  AttendMemePublic(a.Public, b.Public, ou);
  EXPECT_EQ(a.NoParents(), b.NoParents()) << ou;
  ASSERT_EQ(a.FicheChargee(), b.FicheChargee()) << ou;
  const TChpsPersonne& x = a.Fiche();
  const TChpsPersonne& y = b.Fiche();
  ASSERT_EQ(x.Evenements.size(), y.Evenements.size()) << ou;
  for (size_t i = 0; i < x.Evenements.size(); ++i) {
    EXPECT_TRUE(x.Evenements[i].Even == y.Evenements[i].Even) << ou << " évènement " << i;
    EXPECT_EQ(x.Evenements[i].RgConj, y.Evenements[i].RgConj) << ou << " évènement " << i;
  }
  ASSERT_EQ(x.ChpsSimples.size(), y.ChpsSimples.size()) << ou;
  for (size_t i = 0; i < x.ChpsSimples.size(); ++i)
    EXPECT_TRUE(x.ChpsSimples[i].Chps.Enreg == y.ChpsSimples[i].Chps.Enreg) << ou << " champ " << i;
}

// A new genealogy folder "Famille" in a fresh directory, opened with the given options (a
// creation by default: its first number is an unnamed person).
class TGenealogie {
 public:
  explicit TGenealogie(const TGestFichier::TOptionsOuverture& options = TGestFichier::Creation()) {
    NommeThreadPrincipal();
    Ouvre(options);
  }
  void Ouvre(const TGestFichier::TOptionsOuverture& options) {
    g_.reset();
    g_ = std::make_unique<TGestFichier>(Chemin(), options);
  }
  void Ferme() { g_.reset(); }
  [[nodiscard]] AnsiString Chemin() const { return rep_ / "Famille.kya/Famille.adb"; }
  [[nodiscard]] AnsiString Fichier(const std::string& extension) const { return rep_ / ("Famille.kya/Famille" + extension); }
  [[nodiscard]] const RepertoireTemporaire& Repertoire() const { return rep_; }
  [[nodiscard]] TGestFichier& Dossier() const { return *g_; }
  [[nodiscard]] TFicPersons* Personnes() const { return g_->GetFicPersons(); }
  [[nodiscard]] TModuleBDD* Bdd() const { return g_->GetModuleBDD(); }
  [[nodiscard]] TPerson Personne(long no, bool complet = false) const { return TPerson(Personnes(), no, complet); }
  long Ajoute(const TPersonneTest& p) const { return AjoutePersonne(*g_, p); }
  // Each of a and b lists the other as a spouse.
  void Marie(long a, long b) const {
    TPerson pa = Personne(a), pb = Personne(b);
    pa.AjouteConj(b);
    pb.AjouteConj(a);
    ASSERT_TRUE(pa.Enregistrement());
    ASSERT_TRUE(pb.Enregistrement());
  }
  // Saves on the card of porteur an event citing the given persons.
  void Cite(long porteur, const TEvenTest& even, const std::vector<long>& cites) const {
    TPerson p = Personne(porteur, true);
    TEvenement e = Evenement(Bdd(), even);
    for (const long c : cites) {
      TPersAssociee a;
      a.Lien = static_cast<int32_t>(c);
      ASSERT_GE(e.AjoutPersAssociee(a), 0);
    }
    ASSERT_GE(p.AjoutEven(e), 0);
    ASSERT_TRUE(p.Enregistrement());
  }

 private:
  RepertoireTemporaire rep_;
  std::unique_ptr<TGestFichier> g_;
};

// A member of a hand-built family: links written as given, even broken ones (loops, deleted).
struct TMembre {
  long no;
  char sexe;
  long pere = 0, mere = 0;
  std::vector<long> conjoints = {};
  bool supprime = false;
};

// Writes the members straight into the store, named "P<number>"; each one's children are the
// members naming it as father or mother, in increasing number, unless enfants gives a list of
// its own. Then reopens the folder.
class TFamille : public TGenealogie {
 public:
  explicit TFamille(const std::vector<TMembre>& membres, const std::map<long, std::vector<long>>& enfants = {}) {
    TModuleBDD& m = *Bdd();
    (void)m.BeginImport(false);
    for (const TMembre& x : membres) {
      TEnregPublic p;
      p.FicheSupprimee = x.supprime ? 'O' : 'N';
      p.Sexe = x.sexe;
      p.Nom = u"P" + Utf8VersUnicode(std::to_string(x.no));
      p.Pere = static_cast<int32_t>(x.pere);
      p.Mere = static_cast<int32_t>(x.mere);
      for (size_t i = 0; i < x.conjoints.size() && i < p.Conjoints.size(); ++i)
        p.Conjoints[i].Lien = static_cast<int32_t>(x.conjoints[i]);
      std::vector<long> liste;
      if (auto it = enfants.find(x.no); it != enfants.end()) liste = it->second;
      else
        for (const TMembre& e : membres)
          if (e.pere == x.no || e.mere == x.no) liste.push_back(e.no);
      for (size_t i = 0; i < liste.size() && i < p.Enfants.size(); ++i) p.Enfants[i] = static_cast<int32_t>(liste[i]);
      (void)m.WritePerson(p, x.no);
    }
    (void)m.EndImport(false);
    TGestFichier::TOptionsOuverture options;
    options.PremierePersonne = 1;
    Ouvre(options);
  }
  [[nodiscard]] TFicPersons& Fichier() const { return *Personnes(); }
};

}  // namespace kyb::test
