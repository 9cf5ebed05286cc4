// The families of the export that a pair of persons does not name alone: a person's two parent
// pairs (the family of the parents it shows and that of its other pair, birth parents A and
// adoptive parents B, each FAMC with its PEDI), and a couple who married more than once (one
// family per union, the spouse listed once per union in each spouse list). Also the kinds the
// model cannot tell, read back from the person's note: a pair's PEDI (foster...) and SEX X.
#include <algorithm>

#include "gedcom/export_gedcom_interne.h"
#include "folder/fic_notes.h"
#include "gedcom/filiation_gedcom.h"
#include "gedcom/import_gedcom.h"
#include "persons/gest_pers.h"

namespace kyb {
namespace {

std::string Xref(char prefixe, long no) { return std::string("@") + prefixe + std::to_string(no) + "@"; }

}  // namespace

void TExporteur::AjouteParentsAdoptifs() {
  const auto vivant = [&](int32_t x) { return x > 0 && Sexe(x) != 0 ? x : 0; };
  for (const auto& [numero, paire] : bdd_.ListeNoParents()) {
    const auto no = static_cast<int32_t>(numero);
    const bool adoptifs = paire.PereB > 0 || paire.MereB > 0;
    const bool afficheB = paire.PerePrinc == 2 || paire.MerePrinc == 2;
    if (Sexe(no) == 0 || (!adoptifs && !afficheB)) continue;
    TFiliationExport& fil = filiations_[no];
    fil.pediAffichee = afficheB ? kPediAdoption : kPediNaissance;
    const int32_t pere = vivant(paire.PerePrinc == 2 ? paire.PereA : paire.PereB);
    const int32_t mere = vivant(paire.MerePrinc == 2 ? paire.MereA : paire.MereB);
    if (pere == 0 && mere == 0) continue;
    fil.autre = Famille(pere, mere);
    AjouteEnfant(fil.autre, no);
  }
}

std::string TExporteur::ValeurSexe(char sexe, int32_t note) const {
  if (sexe == 'M' || sexe == 'F') return std::string(1, sexe);
  if (note > 0 && dossier_.FicNotes)
    if (std::string x = AnsiVersUtf8(TNote(dossier_.FicNotes.get(), note).LectureNote(kTitreSexeGedcom)); !x.empty())
      return x;
  return "U";
}

void TExporteur::DeplaceEnfant(int32_t no, int32_t de, int32_t vers) {
  // Applied when the two families are written (EnfantsFamille).
  enfantsRetires_[de].push_back(no);
  enfantsAjoutes_[vers].push_back(no);
}

void TExporteur::EcritFamc(int32_t no, int32_t note) {
  const auto it = filiations_.find(no);
  const TFiliationExport* fil = it == filiations_.end() ? nullptr : &it->second;
  // Pair B's own kind when the import kept it (foster, sealing...).
  char pediB = kPediAdoption;
  if (fil && note > 0 && dossier_.FicNotes)
    if (const char p = Pedi(AnsiVersUtf8(TNote(dossier_.FicNotes.get(), note).LectureNote(kTitreFiliationGedcom))); p != 0)
      pediB = p;
  const auto pedi = [&](char p) {
    if (fil) ecr_.Ligne(2, "PEDI", MotPedi(p == kPediAdoption ? pediB : p, v7_));
  };
  const int32_t pe = Sexe(pere_[static_cast<size_t>(no)]) ? pere_[static_cast<size_t>(no)] : 0;
  const int32_t me = Sexe(mere_[static_cast<size_t>(no)]) ? mere_[static_cast<size_t>(no)] : 0;
  int32_t affichee = pe || me ? FamilleExistante(pe, me) : 0;
  // A child of a later union of parents who married more than once.
  if (affichee != 0 && unions_.count(affichee) && note > 0 && dossier_.FicNotes) {
    long long u = 0;
    if (TexteVersEntier(AnsiVersUtf8(TNote(dossier_.FicNotes.get(), note).LectureNote(kTitreUnionGedcom)), u) && u > 1)
      if (const int32_t f = FamilleExistante(pe, me, static_cast<int>(u - 1)); f != 0) {
        DeplaceEnfant(no, affichee, f);
        affichee = f;
      }
  }
  if (affichee != 0) {
    ecr_.Pointeur(1, "FAMC", Xref('F', affichee));
    pedi(fil ? fil->pediAffichee : kPediNaissance);
    EcritLienGarde(no, "FAMC", affichee);
  }
  if (fil && fil->autre != 0 && fil->autre != affichee) {
    ecr_.Pointeur(1, "FAMC", Xref('F', fil->autre));
    pedi(fil->pediAffichee == kPediAdoption ? kPediNaissance : kPediAdoption);
    EcritLienGarde(no, "FAMC", fil->autre);
  }
  EcritFamcSansConjoint(no);
}

void TExporteur::AjouteUnions() {
  for (size_t i = 1; i + 1 < debutConj_.size(); ++i) {
    const auto debut = conj_.begin() + debutConj_[i];
    for (auto it = debut; it != conj_.begin() + debutConj_[i + 1]; ++it) {
      if (Sexe(*it) == 0) continue;
      const auto rang = static_cast<int>(std::count(debut, it, *it));
      const int32_t f = Famille(static_cast<int32_t>(i), *it, rang);
      if (rang == 0) continue;
      std::vector<int32_t>& liste = unions_[FamilleExistante(static_cast<int32_t>(i), *it)];
      if (liste.size() <= static_cast<size_t>(rang)) liste.resize(static_cast<size_t>(rang) + 1, 0);
      liste[0] = FamilleExistante(static_cast<int32_t>(i), *it);
      liste[static_cast<size_t>(rang)] = f;
    }
  }
}

std::vector<int32_t> TExporteur::FamillesConjoint(int32_t no) const {
  std::vector<int32_t> fams;
  const auto debut = conj_.begin() + debutConj_[static_cast<size_t>(no)];
  for (auto it = debut; it != conj_.begin() + debutConj_[static_cast<size_t>(no) + 1]; ++it)
    if (const int32_t f = Sexe(*it) ? FamilleExistante(no, *it, static_cast<int>(std::count(debut, it, *it))) : 0)
      fams.push_back(f);
  for (const int32_t f : {FamilleExistante(no, 0), FamilleExistante(0, no)})
    if (f != 0) fams.push_back(f);
  return fams;
}

void TExporteur::RepartitUnions() {
  // fichesFamille_ is in family order here, each family's records in the order they were met.
  const auto parFamille = [](const TFicheFamille& a, const TFicheFamille& b) { return a.famille < b.famille; };
  for (const auto& [premiere, liste] : unions_) {
    const auto [debut, fin] = std::equal_range(fichesFamille_.begin(), fichesFamille_.end(), TFicheFamille{premiere}, parFamille);
    // The events in the order they were made, which is the order the unions came; the fields
    // stay with the first family.
    const auto evens = std::stable_partition(debut, fin, [](const TFicheFamille& r) { return !r.estEven; });
    std::stable_sort(evens, fin, [](const TFicheFamille& a, const TFicheFamille& b) { return a.id < b.id; });
    size_t u = 0;
    bool unionVue = false;
    for (auto e = evens; e != fin; ++e) {
      if (e->estUnion) {
        if (unionVue && u + 1 < liste.size() && liste[u + 1] != 0) ++u;
        unionVue = true;
      }
      e->famille = liste[u];
    }
  }
  std::stable_sort(fichesFamille_.begin(), fichesFamille_.end(), parFamille);
}

}  // namespace kyb
