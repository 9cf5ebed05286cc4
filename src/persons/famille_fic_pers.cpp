#include "persons/famille_fic_pers.h"

#include <algorithm>

#include "persons/ancetres_communs.h"
#include "persons/tables_parente.h"

namespace kyb {
namespace {

constexpr int kGenerationsConsanguinite = 16;

char Lettre(int rang, bool majuscule) { return static_cast<char>((majuscule ? 'A' : 'a') + rang); }

std::vector<long> EnfantsDe(TFicPersons& fichier, long no) {
  TPerson p(&fichier, 0);
  return LitPersonneVivante(fichier, no, p) ? p.GetVectorEnfants() : std::vector<long>{};
}

}  // namespace

bool EstDansAscendanceAgnatique(TFicPersons& fichier, long noCherche, long noDepart, int profondeur) {
  // A line without repetition has at most as many persons as the file: a loop ends there.
  profondeur = static_cast<int>(std::min<long>(profondeur, fichier.NbEnreg + 1));
  for (long no = noDepart; profondeur > 0 && no != 0 && noCherche != 0; --profondeur) {
    if (no == noCherche) return true;
    TPerson p(&fichier, 0);
    if (!LitPersonneVivante(fichier, no, p)) return false;
    no = p.Public.Pere.No != 0 ? p.Public.Pere.No : p.Public.Mere.No;
  }
  return false;
}

void CalcGenNoFrSrAsc(AnsiString& code, const TPerson*, int rang, bool majuscule) { code += Lettre(rang, majuscule); }

void CalcGenNoEnfant(AnsiString& code, const TPerson*, int rang, bool majuscule) {
  code = AnsiString(1, Lettre(rang, majuscule));
}

void CalcGenNoConj(AnsiString& code, const TPerson*, int rang, bool) { code = std::to_string(rang); }

void CalcGenNoDescRel(AnsiString& code, const TPerson* parent, long no, bool majuscule) {
  if (!parent || no == 0) return;
  for (int i = 0; i < kMaxEnfants; ++i)
    if (parent->Public.Enfants[static_cast<size_t>(i)].No == no) {
      code += Lettre(i, majuscule);
      return;
    }
}

void EnfantCouple(TFicPersons& fichier, std::vector<long>& enfants, long pere, long mere) {
  enfants.clear();
  if (pere == 0 && mere == 0) return;
  if (pere != 0 && mere != 0) {
    const std::vector<long> deMere = EnfantsDe(fichier, mere);
    for (const long e : EnfantsDe(fichier, pere))
      if (std::find(deMere.begin(), deMere.end(), e) != deMere.end()) enfants.push_back(e);
    return;
  }
  const long connu = pere != 0 ? pere : mere;
  for (const long e : EnfantsDe(fichier, connu)) {
    TPerson enfant(&fichier, 0);
    if (!LitPersonneVivante(fichier, e, enfant)) continue;
    const bool cote = pere != 0 ? enfant.Public.Pere.No == connu : enfant.Public.Mere.No == connu;
    const long autre = pere != 0 ? enfant.Public.Mere.No : enfant.Public.Pere.No;
    if (cote && autre == 0) enfants.push_back(e);
  }
}

void ClassementEnfParConj(TFicPersons& fichier, TPerson& personne) {
  std::vector<long> restants = personne.GetVectorEnfants();
  std::vector<long> classes;
  for (const TLienConj& c : personne.Public.Conjoints) {
    if (c.Lien.No == 0) continue;
    const std::vector<long> communs = EnfantsDe(fichier, c.Lien.No);
    for (auto it = restants.begin(); it != restants.end();) {
      if (std::find(communs.begin(), communs.end(), *it) != communs.end()) {
        classes.push_back(*it);
        it = restants.erase(it);
      } else {
        ++it;
      }
    }
  }
  classes.insert(classes.end(), restants.begin(), restants.end());
  personne.SetVectorEnfants(classes);
}

bool IsPersonneEnConsanguinite(TFicPersons& fichier, long no1, long no2) {
  if (no1 <= 0 || no2 <= 0 || no1 == no2) return false;
  return ChercheAncetresCommuns(fichier, no1, no2, kGenerationsConsanguinite).Trouve();
}

}  // namespace kyb
