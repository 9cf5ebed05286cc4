// Verification and repair of the person index: the rows against the persons they name, the
// persons against their rows, the in-memory index against the rows.
#include <algorithm>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "index/gest_fic_index.h"
#include "persons/gest_pers.h"
#include "store/datamodulebdd.h"

namespace kyb {

namespace {

// Progress in hundredths of a walk of total steps, pending window messages processed.
class TCentiemes {
 public:
  TCentiemes(TProgression* barre, long total) : barre_(barre), total_(std::max(total, 1L)) {
    if (barre_) barre_->Maximum(100);
  }
  void Pas() {
    ++fait_;
    const int centieme = static_cast<int>(fait_ * 100 / total_);
    if (!barre_ || centieme == dernier_) return;
    dernier_ = centieme;
    barre_->Position(centieme);
    if (barre_->Interface()) barre_->Interface()->TraiteMessages();
  }

 private:
  TProgression* barre_;
  long total_;
  long fait_ = 0;
  int dernier_ = -1;
};

bool MemesEntrees(const TEnregIndexPerson& a, const TEnregIndexPerson& b) {
  return TEltIndex(a, 0) == TEltIndex(b, 0) && a.RgNom == b.RgNom && a.RgPrenom == b.RgPrenom &&
         a.TypePersonne == b.TypePersonne;
}

bool LitPersonne(TGestFichier& dossier, long numero, TEnregPublic& p) {
  TFicPersons* f = dossier.GetFicPersons();
  if (!f || numero < 1 || numero > f->NbEnreg) return false;
  if (!f->AncienFormat()) {
    TModuleBDD* m = dossier.GetModuleBDD();
    return m && m->ReadPerson(p, numero);
  }
  p = TPerson(f, numero).Public;
  return true;
}

}  // namespace

TFicIndexPerson::TDefautLigne TFicIndexPerson::CheckOneIndex(const TEnregIndexPerson& ligne,
                                                             const TEnregPublic* personne,
                                                             const std::vector<TEnregIndexPerson>& attendues,
                                                             std::vector<TEltIndex>& dejaVues) const {
  if (TIndexPerson::EnregFoireux(ligne, NbPersonnes())) return TDefautLigne::Foireuse;
  if (!personne) return TDefautLigne::PersonneAbsente;
  if (personne->FicheSupprimee == 'O') return TDefautLigne::PersonneSupprimee;
  const TEltIndex elt(ligne, 0);
  if (std::find(dejaVues.begin(), dejaVues.end(), elt) != dejaVues.end()) return TDefautLigne::EnDouble;
  dejaVues.push_back(elt);
  if (std::none_of(attendues.begin(), attendues.end(),
                   [&ligne](const TEnregIndexPerson& a) { return MemesEntrees(a, ligne); }))
    return TDefautLigne::Perimee;
  TEltIndex tmp;
  if (!index_ || index_->RechercheDicoth(elt, tmp, 0, false) < 0) return TDefautLigne::HorsMemoire;
  return TDefautLigne::Aucun;
}

TBilanIndex TFicIndexPerson::CheckIndexValid(TProgression* barre, bool repare) {
  TBilanIndex bilan;
  TModuleBDD* m = Store();
  if (!m) return bilan;
  (void)Index();
  LectureEntete();
  const long nbPers = NbPersonnes();
  TCentiemes progression(barre, nbPers + nbLignes_);
  // Rows seen per person number (capped), to find the persons whose rows are missing.
  std::vector<uint8_t> vus(static_cast<size_t>(nbPers) + 1, 0);
  std::set<long> aReecrire, aEffacer;
  const std::vector<TAnneesVie> annees = AnneesVieToutes(nbPers);

  // The rows, person by person.
  long courant = -1;
  bool present = false;
  TEnregPublic personne;
  std::vector<TEnregIndexPerson> attendues;
  std::vector<TEltIndex> dejaVues;
  long enMemoire = 0;
  (void)m->ParcoursLignesIndex(TOrdreLignesIndex::ParPersonne, 0, [&](long, const TEnregIndexPerson& ligne) {
    progression.Pas();
    ++bilan.LignesLues;
    if (ligne.NoPers != courant) {
      courant = ligne.NoPers;
      dejaVues.clear();
      present = LitPersonne(*dossier_, courant, personne);
      attendues =
          present ? EntreesPersonne(personne, courant, AnneesDe(annees, courant)) : std::vector<TEnregIndexPerson>();
    }
    if (courant >= 1 && courant <= nbPers && vus[static_cast<size_t>(courant)] < 255) ++vus[static_cast<size_t>(courant)];
    const TDefautLigne d = CheckOneIndex(ligne, present ? &personne : nullptr, attendues, dejaVues);
    if (d == TDefautLigne::Aucun || d == TDefautLigne::HorsMemoire) ++enMemoire;
    switch (d) {
      case TDefautLigne::Aucun: return true;
      case TDefautLigne::Foireuse: ++bilan.LignesFoireuses; break;
      case TDefautLigne::PersonneAbsente: ++bilan.LignesPersonneAbsente; break;
      case TDefautLigne::PersonneSupprimee: ++bilan.LignesPersonneSupprimee; break;
      case TDefautLigne::EnDouble: ++bilan.LignesEnDouble; break;
      case TDefautLigne::Perimee: ++bilan.LignesPerimees; break;
      case TDefautLigne::HorsMemoire: ++bilan.LignesHorsMemoire; return true;
    }
    const bool vivante = present && personne.FicheSupprimee != 'O' && d != TDefautLigne::Foireuse;
    (vivante ? aReecrire : aEffacer).insert(courant);
    return true;
  });

  // Persons whose rows are missing, or fewer than their names give.
  for (long n = 1; n <= nbPers; ++n) {
    progression.Pas();
    if (aReecrire.count(n)) continue;
    if (!LitPersonne(*dossier_, n, personne) || personne.FicheSupprimee == 'O') continue;
    const size_t attendu = EntreesPersonne(personne, n, AnneesDe(annees, n)).size();
    if (vus[static_cast<size_t>(n)] != attendu) {
      ++bilan.PersonnesSansLignes;
      aReecrire.insert(n);
    }
  }
  const long elements = index_ ? index_->GetNbElt() : 0;
  bilan.ElementsSansLigne = std::max(0L, elements - (enMemoire - bilan.LignesHorsMemoire));

  if (!repare || LectureSeule() || bilan.Defauts() == 0) return bilan;
  for (const long n : aEffacer) {
    if (aReecrire.count(n)) continue;
    (void)m->DeleteIndexPerson(n);
    ++bilan.PersonnesReparees;
  }
  // A row whose number is damaged is removed by its identifier: its number names no one.
  (void)m->DeleteIndexHorsPersonnes(nbPers);
  for (const long n : aReecrire)
    if (LitPersonne(*dossier_, n, personne)) {
      // Duplicates first: the remaining rows are then reused one for one.
      (void)m->DeleteIndexPerson(n);
      ModifClef(personne, n, AnneesDe(annees, n), false, false, false);
      ++bilan.PersonnesReparees;
    }
  LectureEntete();
  RechargeMemoire();
  bilan.MemoireRechargee = true;
  return bilan;
}

int TFicIndexPerson::CheckIndexValidComplete(TProgression* barre) {
  TModuleBDD* m = Store();
  if (!m) return 0;
  (void)Index();
  const long nbPers = NbPersonnes();
  if (barre) {
    barre->Texte(u"Traitement en cours...");
    barre->Maximum(100);
  }
  LectureEntete();
  const std::vector<TAnneesVie> annees = AnneesVieToutes(nbPers);
  int reecrites = 0;
  long manquantes = 0;
  TEnregPublic personne;
  TEltIndex tmp;
  for (long n = 1; n <= nbPers; ++n) {
    if (barre) barre->Position(static_cast<int>(int64_t{n} * 100 / nbPers));
    if (!LitPersonne(*dossier_, n, personne) || personne.FicheSupprimee == 'O') continue;
    const std::vector<TEnregIndexPerson> attendues = EntreesPersonne(personne, n, AnneesDe(annees, n));
    const std::vector<long> ids = m->GetIndexPerson(n);
    bool differe = ids.size() != attendues.size();
    std::vector<TEnregIndexPerson> lignes;
    for (size_t k = 0; !differe && k < ids.size(); ++k) {
      const TIndexPerson ligne(this, ids[k]);
      lignes.push_back(ligne.Enreg);
      // Rows are compared by content too: a save cut short leaves rows of the former names.
      differe = std::none_of(attendues.begin(), attendues.end(),
                             [&ligne](const TEnregIndexPerson& a) { return MemesEntrees(a, ligne.Enreg); });
    }
    if (differe && !LectureSeule()) {
      ModifClef(personne, n, AnneesDe(annees, n), true, false, index_ != nullptr);
      ++reecrites;
      continue;
    }
    for (const TEnregIndexPerson& l : lignes)
      if (!index_ || index_->RechercheDicoth(TEltIndex(l, 0), tmp, 0, false) < 0) ++manquantes;
  }
  LectureEntete();
  if (manquantes > 0 && reecrites == 0) ReinitTableIndexBis();
  return reecrites;
}

}  // namespace kyb
