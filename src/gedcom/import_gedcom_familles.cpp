// Families of an import: the pointers of INDI and FAM records reconciled, each person's parents,
// spouses and children, and the loops a damaged file can hold cut where they close.
#include <algorithm>

#include "gedcom/import_gedcom_interne.h"

namespace kyb {

void TImporteur::CompleteFamilles() {
  // A family named by an individual but never defined, and what FAMC / FAMS add to a family.
  for (const TReferenceLue& r : references_) {
    TFamilleLue& f = familles_[static_cast<size_t>(r.famille - 1)];
    if (f.ligne == 0) {
      Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : pointeur " + xrefFam_[static_cast<size_t>(r.famille - 1)] +
                           " vers une famille absente du fichier, ignoré.");
      continue;
    }
    if (r.enfant) {
      if (std::find(f.enfants.begin(), f.enfants.end(), r.personne) == f.enfants.end()) f.enfants.push_back(r.personne);
    } else if (f.mari != r.personne && f.femme != r.personne) {
      int32_t& place = sexe_[static_cast<size_t>(r.personne)] == 'F' ? f.femme : f.mari;
      if (place == 0) place = r.personne;
      else
        Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : " + NomXref(r.personne) + " se dit conjoint de " +
                             xrefFam_[static_cast<size_t>(r.famille - 1)] + " qui a déjà ses deux conjoints ; ignoré.");
    }
  }
  references_.clear();
  references_.shrink_to_fit();
  // Pointers to individuals that were never defined are dropped from the families.
  for (size_t i = 0; i < familles_.size(); ++i) {
    TFamilleLue& f = familles_[i];
    const auto absent = [&](int32_t no) {
      if (no == 0 || PersonneDefinie(no)) return false;
      Avertit(ligneRefIndi_[static_cast<size_t>(no)], "Ligne " + std::to_string(ligneRefIndi_[static_cast<size_t>(no)]) +
                                                          " : pointeur " + NomXref(no) +
                                                          " vers un individu absent du fichier, ignoré.");
      ligneRefIndi_[static_cast<size_t>(no)] = -1;  // said once
      return true;
    };
    const auto dejaDit = [&](int32_t no) { return no != 0 && !PersonneDefinie(no) && ligneRefIndi_[static_cast<size_t>(no)] < 0; };
    if (dejaDit(f.mari) || absent(f.mari)) f.mari = 0;
    if (dejaDit(f.femme) || absent(f.femme)) f.femme = 0;
    std::erase_if(f.enfants, [&](int32_t no) { return dejaDit(no) || absent(no); });
  }
}

void TImporteur::CalculeLiens() {
  const size_t n = ligneIndi_.size();
  famc_.assign(n, 0);
  famsPersonne_.assign(n, {});
  for (size_t i = 0; i < familles_.size(); ++i) {
    const TFamilleLue& f = familles_[i];
    if (f.ligne == 0) continue;
    const auto numero = static_cast<int32_t>(i + 1);
    for (const int32_t c : f.enfants) {
      int32_t& place = famc_[static_cast<size_t>(c)];
      if (place == 0) place = numero;
      else if (place != numero)
        Avertit(f.ligne, "Ligne " + std::to_string(f.ligne) + " : " + NomXref(c) + " est déjà l'enfant de " +
                             xrefFam_[static_cast<size_t>(place - 1)] + " ; ses parents de " + xrefFam_[i] +
                             " sont ignorés.");
    }
    for (const int32_t c : {f.mari, f.femme})
      if (c != 0) famsPersonne_[static_cast<size_t>(c)].push_back(numero);
  }
}

void TImporteur::CoupeBoucles() {
  // Depth-first walk from child to parents: a parent still on the path closes a loop; the
  // child's link to that family is cut there.
  const size_t n = ligneIndi_.size();
  std::vector<uint8_t> etat(n, 0);  // 0 not seen, 1 on the path, 2 done
  struct TCadre {
    int32_t personne;
    int etape;
  };
  std::vector<TCadre> pile;
  for (size_t depart = 1; depart < n; ++depart) {
    if (etat[depart] != 0) continue;
    pile.push_back({static_cast<int32_t>(depart), 0});
    etat[depart] = 1;
    while (!pile.empty()) {
      TCadre& cadre = pile.back();
      const int32_t p = cadre.personne;
      const int32_t f = famc_[static_cast<size_t>(p)];
      if (f == 0 || cadre.etape >= 2) {
        etat[static_cast<size_t>(p)] = 2;
        pile.pop_back();
        continue;
      }
      const TFamilleLue& fam = familles_[static_cast<size_t>(f - 1)];
      const int32_t parent = cadre.etape++ == 0 ? fam.mari : fam.femme;
      if (parent == 0) continue;
      if (etat[static_cast<size_t>(parent)] == 1) {
        Avertit(fam.ligne, "Ligne " + std::to_string(fam.ligne) + " : boucle de familles, " + NomXref(p) +
                               " serait son propre ancêtre ; son lien avec ses parents de " +
                               xrefFam_[static_cast<size_t>(f - 1)] + " est ignoré.");
        famc_[static_cast<size_t>(p)] = 0;
        std::erase(familles_[static_cast<size_t>(f - 1)].enfants, p);
        continue;
      }
      if (etat[static_cast<size_t>(parent)] == 0) {
        etat[static_cast<size_t>(parent)] = 1;
        pile.push_back({parent, 0});
      }
    }
  }
}

void TImporteur::Liens(int32_t no, TEnregPublic& p) {
  if (const int32_t f = famc_[static_cast<size_t>(no)]; f != 0) {
    const TFamilleLue& fam = familles_[static_cast<size_t>(f - 1)];
    p.Pere = fam.mari;
    p.Mere = fam.femme;
  }
  size_t conj = 0, enf = 0;
  bool tropConj = false, tropEnf = false;
  for (const int32_t f : famsPersonne_[static_cast<size_t>(no)]) {
    const TFamilleLue& fam = familles_[static_cast<size_t>(f - 1)];
    const int32_t autre = fam.mari == no ? fam.femme : fam.mari;
    if (autre != 0) {
      if (conj < p.Conjoints.size()) p.Conjoints[conj++].Lien = autre;
      else tropConj = true;
    }
    for (const int32_t c : fam.enfants) {
      if (std::find(p.Enfants.begin(), p.Enfants.begin() + static_cast<long>(enf), TLienPers(c)) !=
          p.Enfants.begin() + static_cast<long>(enf))
        continue;
      if (enf < p.Enfants.size()) p.Enfants[enf++] = c;
      else tropEnf = true;
    }
  }
  const long ligne = ligneIndi_[static_cast<size_t>(no)];
  if (tropConj)
    Avertit(ligne, "Ligne " + std::to_string(ligne) + " : " + NomXref(no) + " a plus de " +
                       std::to_string(kMaxConjoints) + " conjoints ; les suivants sont ignorés.");
  if (tropEnf)
    Avertit(ligne, "Ligne " + std::to_string(ligne) + " : " + NomXref(no) + " a plus de " +
                       std::to_string(kMaxEnfants) + " enfants ; les suivants sont ignorés.");
}

}  // namespace kyb
