// The lifetime years of the index rows: stated by the person's events, or else estimated from
// the person and its relatives (TEstimationPersonne, raw limits). A person's save estimates it
// through the persons file, then its relatives, whose estimates read it; a whole-index pass reads
// the genealogy into memory once.
#include <algorithm>

#include "folder/gest_fic.h"
#include "index/gest_fic_index.h"
#include "persons/estimationpersonne.h"
#include "persons/genealogie_memoire.h"
#include "store/datamodulebdd.h"

namespace kyb {

TAnneesVie TFicIndexPerson::AnneesDeclarees(long numero) const {
  TModuleBDD* m = Store();
  if (!m || numero < 1) return {};
  TCollecteAnneesVie collecte;
  (void)m->ParcoursEvenementsVie(numero, [&collecte](long, std::string_view libelle, const TDateKY& date) {
    collecte.Ajoute(libelle, date);
  });
  return collecte.Annees();
}

TAnneesVie TFicIndexPerson::EstimeAnnees(long numero, TAnneesVie declarees) const {
  TFicPersons* f = dossier_ ? dossier_->GetFicPersons() : nullptr;
  if (AnneesCompletes(declarees) || !f || numero < 1 || !GConsConfigSais) return declarees;
  // The same facts as the whole-genealogy pass, so that both give the same rows.
  TSourceEstimationFichier source(*f, false);
  TEstimationPersonne e(nullptr, true);
  e.EstimePersonne(numero, source, true, false);
  return CompleteAnneesVie(declarees, e.Resultat());
}

TAnneesVie TFicIndexPerson::AnneesVie(long numero) const { return EstimeAnnees(numero, AnneesDeclarees(numero)); }

std::vector<TAnneesVie> TFicIndexPerson::AnneesVieToutes(long nb) const {
  std::vector<TAnneesVie> annees(static_cast<size_t>(std::max(nb, 0L)) + 1);
  TModuleBDD* m = Store();
  if (!m || nb < 1) return annees;
  std::vector<TCollecteAnneesVie> collectes(annees.size());
  (void)m->ParcoursEvenementsVie(0, [&collectes, nb](long no, std::string_view libelle, const TDateKY& date) {
    if (no >= 1 && no <= nb) collectes[static_cast<size_t>(no)].Ajoute(libelle, date);
  });
  for (size_t n = 1; n < annees.size(); ++n) annees[n] = collectes[n].Annees();
  CompleteParEstimation(annees);
  return annees;
}

void TFicIndexPerson::CompleteParEstimation(std::vector<TAnneesVie>& annees) const {
  const long nb = static_cast<long>(annees.size()) - 1;
  TFicPersons* f = dossier_ ? dossier_->GetFicPersons() : nullptr;
  if (nb < 1 || !f || !GConsConfigSais) return;
  TGenealogieMemoire g;
  if (g.Charge(*f)) CompleteParEstimation(annees, g);
}

void TFicIndexPerson::CompleteParEstimation(std::vector<TAnneesVie>& annees, TGenealogieMemoire& g) const {
  const long nb = static_cast<long>(annees.size()) - 1;
  if (!GConsConfigSais) return;
  TEstimationCalculee cache;
  for (long n = 1; n <= std::min(nb, g.NbPersonnes()); ++n) {
    TAnneesVie& a = annees[static_cast<size_t>(n)];
    if (AnneesCompletes(a) || !g.Vivante(n)) continue;
    TEstimationPersonne e(&cache, true);
    e.EstimePersonne(n, g, true, false);
    a = CompleteAnneesVie(a, e.Resultat());
  }
}

std::vector<long> TFicIndexPerson::ProchesEstimes(long numero) const {
  TFicPersons* f = dossier_ ? dossier_->GetFicPersons() : nullptr;
  std::vector<long> proches;
  if (!f || numero < 1) return proches;
  TSourceEstimationFichier source(*f, false);
  TDonneesEstimation d, pere;
  if (!source.Lit(numero, d)) return proches;
  proches = d.Enfants;
  proches.insert(proches.end(), {d.Pere, d.Mere});
  proches.insert(proches.end(), d.Conjoints.begin(), d.Conjoints.end());
  // Brothers and sisters read the person only when both parents are known.
  if (d.Pere > 0 && d.Mere > 0 && source.Lit(d.Pere, pere))
    proches.insert(proches.end(), pere.Enfants.begin(), pere.Enfants.end());
  std::erase_if(proches, [numero](long no) { return no < 1 || no == numero; });
  std::sort(proches.begin(), proches.end());
  proches.erase(std::unique(proches.begin(), proches.end()), proches.end());
  return proches;
}

int TFicIndexPerson::MajAnneesProches(long numero) {
  TModuleBDD* m = Store();
  if (!m || LectureSeule() || !GConsConfigSais) return 0;
  int reecrits = 0;
  for (const long no : ProchesEstimes(numero)) {
    TEnregPublic p;
    if (!m->ReadPerson(p, no) || p.FicheSupprimee == 'O') continue;
    const TAnneesVie annees = AnneesVie(no);
    bool ajour = true;
    (void)m->ParcoursLignesIndex(TOrdreLignesIndex::DUnePersonne, no, [&](long, const TEnregIndexPerson& l) {
      ajour = l.AnneeMin == annees.Min && l.AnneeMax == annees.Max;
      return ajour;
    });
    if (ajour) continue;
    ModifClef(p, no, annees, true, false, true);
    ++reecrits;
  }
  return reecrits;
}

long TFicIndexPerson::MajAnneesEstimees() {
  TModuleBDD* m = Store();
  if (!m || LectureSeule()) return -1;
  const std::vector<TAnneesVie> annees = AnneesVieToutes(NbPersonnes());
  std::vector<long> ids;
  const bool lu = m->ParcoursLignesIndex(TOrdreLignesIndex::Table, 0, [&](long id, const TEnregIndexPerson& e) {
    const TAnneesVie a = AnneesDe(annees, e.NoPers);
    if (e.FicheSupprimee != 'O' && (a.Min != e.AnneeMin || a.Max != e.AnneeMax)) ids.push_back(id);
    return true;
  });
  if (!lu) return -1;
  const bool import = !ids.empty() && m->BeginImport(false);
  long ecrites = 0;
  for (const long id : ids) {
    TIndexPerson ligne(this, 0);
    if (!ligne.Lecture(id)) continue;
    const TAnneesVie a = AnneesDe(annees, ligne.Enreg.NoPers);
    ligne.Enreg.AnneeMin = a.Min;
    ligne.Enreg.AnneeMax = a.Max;
    if (ligne.Enregistrement(id, this, false) >= 0) ++ecrites;
  }
  if (import) (void)m->EndImport(false);
  if (ecrites) RechargeMemoire();  // memory holds the years of the rows
  return ecrites;
}

}  // namespace kyb
