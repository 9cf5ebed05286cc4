#include "persons/numero_descendant.h"

#include <unordered_map>
#include <vector>

#include "folder/bo_math.h"
#include "folder/gest_fic_sosa.h"
#include "names/g_nopers.h"
#include "persons/tables_parente.h"

namespace kyb {
namespace {

bool SosaUtilisable(const NTL::ZZ& sosa) { return sosa > 0 && !IsSosaMax(sosa); }

char Pas(int rang, int style, bool majuscule) {
  const bool chiffres = style >= kStyleDescPremier && style <= kStyleDescDernier && (style - kStyleDescPremier) % 2;
  if (chiffres) return static_cast<char>('1' + rang);
  return static_cast<char>((majuscule ? 'A' : 'a') + rang);
}

}  // namespace

AnsiString TCodeDesc::Texte() const { return Trouve() ? ZZtoAnsiString(&Sosa, false) + "-" + Chemin : AnsiString(); }

bool CalcGenNoDesc(AnsiString& code, const TPerson* parent, long no, bool prefixe, int style, bool majuscule) {
  if (!parent || no == 0) return false;
  for (int i = 0; i < kMaxEnfants; ++i)
    if (parent->Public.Enfants[static_cast<size_t>(i)].No == no) {
      const char pas = Pas(i, style, majuscule);
      code = prefixe ? AnsiString(1, pas) + code : code + pas;
      return true;
    }
  return false;
}

bool DetermineNumPlusFaible(const NTL::ZZ& sosa1, const AnsiString& chemin1, const NTL::ZZ& sosa2,
                            const AnsiString& chemin2) {
  if (!SosaUtilisable(sosa2)) return SosaUtilisable(sosa1);
  if (!SosaUtilisable(sosa1)) return false;
  if (chemin1.size() != chemin2.size()) return chemin1.size() < chemin2.size();
  if (sosa1 != sosa2) return sosa1 < sosa2;
  return chemin1 < chemin2;
}

TCodeDesc Recherche(TFicPersons& fichier, TFicSosas& sosas, long no, int style, bool majuscule) {
  TCodeDesc meilleur;
  if (no <= 0) return meilleur;
  // Each ancestor reached keeps the code of its way down to the person.
  std::unordered_map<long, AnsiString> chemins{{no, AnsiString()}};
  std::vector<long> generation{no};
  for (int g = 0; g <= kMaxGenerationsDesc && !generation.empty(); ++g) {
    for (const long x : generation) {
      const NTL::ZZ sosa = sosas.LectureNoStrado(x);
      if (SosaUtilisable(sosa) && DetermineNumPlusFaible(sosa, chemins[x], meilleur.Sosa, meilleur.Chemin)) {
        meilleur.Sosa = sosa;
        meilleur.Chemin = chemins[x];
      }
    }
    if (meilleur.Trouve()) break;  // a nearer generation always wins
    std::vector<long> suivante;
    for (const long x : generation) {
      TPerson p(&fichier, 0);
      if (!LitPersonneVivante(fichier, x, p)) continue;
      for (const long parentNo : {static_cast<long>(p.Public.Pere.No), static_cast<long>(p.Public.Mere.No)}) {
        TPerson parent(&fichier, 0);
        if (parentNo <= 0 || chemins.count(parentNo) || !LitPersonneVivante(fichier, parentNo, parent)) continue;
        AnsiString chemin = chemins[x];
        // A parent that does not list the child gives no step: the child stays unranked.
        if (!CalcGenNoDesc(chemin, &parent, x, true, style, majuscule)) continue;
        chemins.emplace(parentNo, chemin);
        suivante.push_back(parentNo);
      }
    }
    generation = std::move(suivante);
  }
  return meilleur;
}

AnsiString ChercheNoDesc(TFicPersons& fichier, TFicSosas& sosas, long no, int style, bool majuscule) {
  return Recherche(fichier, sosas, no, style, majuscule).Texte();
}

}  // namespace kyb
