// TSelectionComplexe (search/selection_complexe.h).
#include "search/selection_complexe.h"

#include <limits>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "index/gest_fic_index.h"
#include "persons/gest_pers.h"
#include "store/datamodulebdd.h"
#include "store/selection_bdd.h"

namespace kyb {

namespace {

// The condition reads nothing of a person beyond its record, its displayed parents and the
// label, datum, date and places of the events it holds.
bool LectureLegere(const TCondition& c) {
  if (c.Type == csChamp) {
    if (c.Champ.SurEvenement()) return c.Champ.Morceau != 'S' && c.Champ.Morceau != 'V';
    if (c.Champ.Situation != TSituationChamp::Personne) return false;
    const AnsiString& l = c.Champ.Libelle;
    return l == "NOM" || l == "PRENOM" || l == "SEXE" || l == "PERE" || l == "MERE";
  }
  switch (c.Type) {
    case csNom: case csPrenom: case csHomme: case csFemme: case csVivant: case csDecede:
    case csNaissanceDepartement: case csNaissanceDate: case csEvenCommune: case csEvenDepartement:
    case csEvenLieu: case csNoGenealogique: case csAnniversaireJour: case csAnniversaireMois:
    case csAnniversaireMariageJour: case csAnniversaireMariageMois: case csEvenPlusAncien: case csEvenPlusRecent:
      return true;
    default: return false;
  }
}

}  // namespace

std::vector<int32_t> TSelectionComplexe::Personnes() const {
  std::vector<int32_t> personnes;
  const TGestEltIndex* elements = index_.Index();
  if (!elements) return personnes;
  std::vector<bool> vus;
  for (const TEltIndex& e : elements->Elements()) {
    if (e.NoPers <= 0 || e.FicheSupprimee == 'O') continue;
    if (static_cast<size_t>(e.NoPers) >= vus.size()) vus.resize(static_cast<size_t>(e.NoPers) * 2 + 1);
    if (vus[e.NoPers]) continue;
    vus[e.NoPers] = true;
    personnes.push_back(e.NoPers);
  }
  return personnes;
}

bool TSelectionComplexe::Arret(TProgression* barre, long fait) const {
  if (barre && fait % kPas == 0) {
    barre->Position(static_cast<int>(fait / kPas));
    if (TInterfaceUtilisateur* iu = barre->Interface()) iu->TraiteMessages();
  }
  return abandon_ || (barre && barre->Annulee());
}

TResultatSelection TSelectionComplexe::Execute(const TSelection& selection, TProgression* barre, bool parStore,
                                               bool parParcours) {
  TResultatSelection r;
  abandon_ = false;
  const TEquation& arbre = selection.Arbre();
  if (!arbre.Valide()) {
    r.Invalide = true;
    r.MessageErreur = selection.MessageErreur;
    selection.Erreur = true;
    return r;
  }
  const std::vector<int32_t> personnes = Personnes();
  if (barre) barre->Maximum(static_cast<int>(personnes.size() / kPas + 1));
  if (parStore && selection.CanConvertToSql() && ParStore(selection, personnes, r, barre)) return r;
  if (!(parParcours && ParParcours(selection, personnes, r, barre))) ParPersonne(selection, personnes, r, barre);
  return r;
}

bool TSelectionComplexe::ParStore(const TSelection& selection, const std::vector<int32_t>& personnes,
                                  TResultatSelection& r, TProgression* barre) {
  TModuleBDD* bdd = index_.Store();
  if (!bdd) return false;
  // One bit set per condition the equation names, by person number.
  std::vector<std::vector<bool>> resultats(selection.NbConditions() + 1);
  for (const int n : selection.Arbre().Numeros()) {
    bool ok = false;
    const std::vector<int32_t> trouves = PersonnesComparaison(*bdd, selection.Conditions[n - 1]->Comparaison(), ok);
    if (!ok) return false;
    for (const int32_t no : trouves) {
      if (no <= 0) continue;
      if (static_cast<size_t>(no) >= resultats[n].size()) resultats[n].resize(static_cast<size_t>(no) + 1);
      resultats[n][no] = true;
    }
  }
  r.ParStore = true;
  for (const int32_t no : personnes) {
    if (Arret(barre, r.Examinees)) {
      r.Abandonnee = true;
      break;
    }
    ++r.Examinees;
    const bool retenu = selection.Arbre().Evalue([&](int n) {
      const std::vector<bool>& bits = resultats[n];
      return static_cast<size_t>(no) < bits.size() && bits[no];
    });
    if (retenu) r.Numeros.push_back(no);
  }
  return true;
}

void TSelectionComplexe::ParPersonne(const TSelection& selection, const std::vector<int32_t>& personnes,
                                     TResultatSelection& r, TProgression* barre) {
  TGestFichier* dossier = index_.Dossier();
  TFicPersons* fichier = dossier ? dossier->GetFicPersons() : nullptr;
  if (!fichier) return;
  for (const int32_t no : personnes) {
    if (Arret(barre, r.Examinees)) {
      r.Abandonnee = true;
      break;
    }
    ++r.Examinees;
    TPerson p(fichier, no);
    if (selection.Satisfaite(p)) r.Numeros.push_back(no);
  }
}

bool TSelectionComplexe::ParParcours(const TSelection& selection, const std::vector<int32_t>& personnes,
                                     TResultatSelection& r, TProgression* barre) {
  for (const auto& c : selection.Conditions)
    if (!LectureLegere(*c)) return false;
  TGestFichier* dossier = index_.Dossier();
  TFicPersons* fichier = dossier ? dossier->GetFicPersons() : nullptr;
  TModuleBDD* bdd = index_.Store();
  if (!fichier || !bdd || personnes.empty()) return false;
  std::vector<bool> aVoir, retenus;
  for (const int32_t no : personnes) {
    if (static_cast<size_t>(no) >= aVoir.size()) aVoir.resize(static_cast<size_t>(no) + 1);
    aVoir[no] = true;
  }
  retenus.resize(aVoir.size());
  TPerson p(fichier, 0);
  TEnregPublic enreg;
  long noLu = 0;
  bool reste = true, enAttente = false;  // enreg holds person noLu, not yet decided
  const auto prepare = [&] {
    p.NouvelleFiche(noLu);
    p.Public = enreg;
    p.Fiche() = TChpsPersonne(noLu);
    p.Fiche().EvenementsCharges = p.Fiche().ChpsSimplesCharges = true;
  };
  const auto decide = [&] {
    if (r.Abandonnee || static_cast<size_t>(p.Numero()) >= aVoir.size() || !aVoir[p.Numero()]) return;
    if ((r.Abandonnee = Arret(barre, r.Examinees))) return;
    ++r.Examinees;
    retenus[p.Numero()] = selection.Satisfaite(p);
  };
  // Every person numbered below jusqua is decided (without event); the person numbered jusqua,
  // when there is one, waits in enreg.
  const auto avance = [&](long jusqua) {
    for (;;) {
      if (enAttente) {
        if (noLu >= jusqua) return;
        prepare();
        decide();
        enAttente = false;
      }
      if (!reste || r.Abandonnee) return;
      reste = bdd->ReadPersonParcours(enreg, noLu);
      enAttente = reste;
    }
  };
  bdd->BeginParcoursPerson();
  long titulaire = 0;
  bool charge = false;
  const bool ok = ParcoursEvenementsParPersonne(*bdd, [&](long no, const TEvenement::TEnreg& e) {
    if (r.Abandonnee) return;
    if (no != titulaire) {
      if (charge) decide();
      charge = false;
      titulaire = no;
      avance(no);
      if (!enAttente || noLu != no) return;
      prepare();
      enAttente = false;
      charge = true;
    }
    if (!charge) return;
    TEvenementTV ev{TEvenement(bdd), 0, static_cast<uint32_t>(p.Fiche().Evenements.size())};
    ev.Even.Enreg = e;
    p.Fiche().Evenements.push_back(std::move(ev));
  });
  if (charge) decide();
  avance(std::numeric_limits<long>::max());
  bdd->EndParcoursPerson();
  if (!ok) {
    r.Examinees = 0;
    r.Abandonnee = false;
    return false;
  }
  for (const int32_t no : personnes)
    if (retenus[no]) r.Numeros.push_back(no);
  return true;
}

}  // namespace kyb
