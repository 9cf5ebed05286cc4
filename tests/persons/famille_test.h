#pragma once
// A hand-built family written straight into a new genealogy folder, for the kinship tests.
#include <map>
#include <memory>
#include <vector>

#include "folder/gest_fic.h"
#include "persons/gest_pers.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/support.h"

namespace kyb::test {

struct TMembre {
  long no;
  char sexe;
  long pere = 0, mere = 0;
  std::vector<long> conjoints = {};
  bool supprime = false;
};

// Writes the persons; each one's children are the persons naming it as father or mother, in
// increasing number, unless enfants gives a list of its own. Then reopens the folder.
class TFamille {
 public:
  explicit TFamille(const std::vector<TMembre>& membres, const std::map<long, std::vector<long>>& enfants = {}) {
    NommeThreadPrincipal();
    chemin_ = rep_ / "Famille.kya/Famille.adb";
    {
      TGestFichier g(chemin_, TGestFichier::Creation());
      TModuleBDD& m = *g.GetModuleBDD();
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
    }
    g_ = std::make_unique<TGestFichier>(chemin_, TGestFichier::TOptionsOuverture{.PremierePersonne = 1});
  }
  [[nodiscard]] TFicPersons& Fichier() const { return *g_->FicPersons; }
  [[nodiscard]] TGestFichier& Dossier() const { return *g_; }
  [[nodiscard]] TPerson Personne(long no) const { return TPerson(g_->FicPersons.get(), no); }

 private:
  RepertoireTemporaire rep_;
  AnsiString chemin_;
  std::unique_ptr<TGestFichier> g_;
};

}  // namespace kyb::test
