// Families of an import: the pointers of INDI and FAM records reconciled, each person's parents,
// spouses and children, and the loops a damaged file can hold cut where they close.
#include <algorithm>
#include <utility>

#include "gedcom/import_gedcom_interne.h"
#include "persons/gest_pers.h"

namespace kyb {
namespace {

uint64_t Cle(int32_t personne, int32_t famille) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(personne)) << 32) | static_cast<uint32_t>(famille);
}

}  // namespace

void TImporteur::CompleteFamilles() {
  // A family named by an individual but never defined, and what FAMC / FAMS add to a family.
  // The references of one individual are consecutive: the FAMS order of those with several
  // families is noted on the way.
  std::vector<int32_t> fams;
  std::vector<TReferenceLue> avecPedi;  // FAMC with a PEDI, read once the families are complete
  int32_t courant = 0;
  const auto noteOrdre = [&] {
    if (fams.size() > 1) ordreFams_[courant] = std::move(fams);
    fams.clear();
  };
  for (const TReferenceLue& r : references_) {
    if (r.personne != courant) {
      noteOrdre();
      courant = r.personne;
    }
    if (!r.enfant) fams.push_back(r.famille);
    TFamilleLue& f = familles_[static_cast<size_t>(r.famille - 1)];
    if (f.ligne == 0) {
      Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : pointeur " + xrefFam_[static_cast<size_t>(r.famille - 1)] +
                           " vers une famille absente du fichier, ignoré.");
      continue;
    }
    const std::string& xf = xrefFam_[static_cast<size_t>(r.famille - 1)];
    if (r.enfant) {
      if (std::find(f.enfants.begin(), f.enfants.end(), r.personne) == f.enfants.end()) {
        Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : " + NomXref(r.personne) + " se dit enfant de " + xf +
                             " qui ne le compte pas parmi ses enfants ; il y est ajouté.");
        f.enfants.push_back(r.personne);
      }
      if (r.pedi != 0) avecPedi.push_back(r);
    } else if (f.mari != r.personne && f.femme != r.personne) {
      // A couple given only by FAMS: the place of its sex; two persons of one sex are a couple,
      // the first named in the father's place.
      const bool femme = sexe_[static_cast<size_t>(r.personne)] == 'F';
      int32_t& place = femme ? f.femme : f.mari;
      int32_t& autre = femme ? f.mari : f.femme;
      if (place == 0) place = r.personne;
      else if (autre == 0) autre = femme ? std::exchange(place, r.personne) : r.personne;
      else
        Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : " + NomXref(r.personne) + " se dit conjoint de " + xf +
                             " qui a déjà ses deux conjoints ; ignoré.");
    }
  }
  noteOrdre();
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
  RecenseSansConjoint();
  // A family with no spouse is no parent pair: its links are kept as written, each PEDI with them.
  for (const TReferenceLue& r : avecPedi) {
    const std::string& xf = xrefFam_[static_cast<size_t>(r.famille - 1)];
    const bool gardee = SansConjoint(r.famille);
    if (!gardee && r.pedi != kPediNaissance && r.pedi != kPediAdoption)
      Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : " + NomXref(r.personne) + " est lié à " + xf +
                           " par un PEDI autre que naissance ou adoption ; ces parents sont gardés comme parents adoptifs.");
    const auto [it, nouveau] = pedis_.try_emplace(Cle(r.personne, r.famille), r.pedi, r.ligne);
    if (!nouveau && it->second.first != r.pedi)
      Avertit(r.ligne, "Ligne " + std::to_string(r.ligne) + " : PEDI contradictoires pour " + NomXref(r.personne) + " dans " +
                           xf + " (voir la ligne " + std::to_string(it->second.second) + ") ; " +
                           (gardee ? "les deux liens sont gardés tels qu'écrits." : "le premier est gardé."));
  }
}

void TImporteur::CalculeLiens() {
  const size_t n = ligneIndi_.size();
  famc_.assign(n, 0);
  famsPersonne_.assign(n, {});
  // Children listed by several families (rare) are settled once every family is seen.
  std::unordered_map<int32_t, std::vector<int32_t>> plusieurs;
  for (size_t i = 0; i < familles_.size(); ++i) {
    const TFamilleLue& f = familles_[i];
    if (f.ligne == 0 || (f.mari == 0 && f.femme == 0)) continue;  // no spouse: no parents, kept whole
    const auto numero = static_cast<int32_t>(i + 1);
    for (const int32_t c : f.enfants) {
      int32_t& place = famc_[static_cast<size_t>(c)];
      if (place == 0) place = numero;
      else if (place != numero) {
        std::vector<int32_t>& liste = plusieurs[c];
        if (liste.empty()) liste.push_back(place);
        liste.push_back(numero);
      }
    }
    for (const int32_t c : {f.mari, f.femme})
      if (c != 0) famsPersonne_[static_cast<size_t>(c)].push_back(numero);
  }
  // A person's spouses follow its FAMS lines; families that only name it come after.
  for (const auto& [personne, fams] : ordreFams_) {
    const auto& ordre = fams;  // a plain reference: every compiler lets a lambda take it
    const auto rang = [&](int32_t f) { return std::find(ordre.begin(), ordre.end(), f) - ordre.begin(); };
    std::stable_sort(famsPersonne_[static_cast<size_t>(personne)].begin(), famsPersonne_[static_cast<size_t>(personne)].end(),
                     [&](int32_t a, int32_t b) { return rang(a) < rang(b); });
  }
  ordreFams_.clear();
  for (auto& [enfant, familles] : plusieurs) ChoisitParents(enfant, std::move(familles));
  // A single family named adopted by PEDI is the adoptive pair, shown for want of another.
  for (const auto& [cle, pedi] : pedis_) {
    const auto enfant = static_cast<int32_t>(cle >> 32), famille = static_cast<int32_t>(cle & 0xFFFFFFFFu);
    if (pedi.first != kPediNaissance && famc_[static_cast<size_t>(enfant)] == famille && !famcB_.count(enfant)) {
      famc_[static_cast<size_t>(enfant)] = 0;
      famcB_[enfant] = famille;
    }
  }
}

void TImporteur::ChoisitParents(int32_t enfant, std::vector<int32_t> familles) {
  // The first birth family (PEDI birth or none) is pair A, the first other one pair B; a second
  // birth family takes pair B when no adoptive one does. The rest cannot be held.
  const auto pedi = [&](int32_t f) {
    const auto it = pedis_.find(Cle(enfant, f));
    return it == pedis_.end() ? kPediNaissance : it->second.first;
  };
  std::stable_partition(familles.begin(), familles.end(), [&](int32_t f) { return pedi(f) == kPediNaissance; });
  int32_t a = 0, b = 0;
  for (const int32_t f : familles) {
    if (a == 0 && pedi(f) == kPediNaissance) a = f;
    else if (b == 0 && pedi(f) != kPediNaissance) b = f;
  }
  const long ligne = ligneIndi_[static_cast<size_t>(enfant)];
  const std::string debut = "Ligne " + std::to_string(ligne) + " : " + NomXref(enfant);
  for (const int32_t f : familles) {
    if (f == a || f == b) continue;
    if (b == 0) {
      b = f;
      Avertit(ligne, debut + " a deux familles de naissance ; les parents de " + xrefFam_[static_cast<size_t>(f - 1)] +
                         " sont gardés comme seconds parents (adoptifs).");
      continue;
    }
    Avertit(ligne, debut + " a plus de deux familles de parents ; " + xrefFam_[static_cast<size_t>(f - 1)] +
                       " est ignorée pour cet enfant.");
    std::erase(familles_[static_cast<size_t>(f - 1)].enfants, enfant);
  }
  famc_[static_cast<size_t>(enfant)] = a;
  if (b != 0) famcB_[enfant] = b;
}

int32_t TImporteur::FamilleAffichee(int32_t no) const {
  if (const int32_t a = famc_[static_cast<size_t>(no)]; a != 0) return a;
  const auto it = famcB_.find(no);
  return it == famcB_.end() ? 0 : it->second;
}

std::string TImporteur::UnionDesParents(int32_t no) const {
  const int32_t f = FamilleAffichee(no);
  if (f == 0) return {};
  const TFamilleLue& fam = familles_[static_cast<size_t>(f - 1)];
  if (fam.mari == 0 || fam.femme == 0) return {};
  const int32_t premier = std::min(fam.mari, fam.femme), second = std::max(fam.mari, fam.femme);
  int rang = 0;
  for (const int32_t g : famsPersonne_[static_cast<size_t>(premier)]) {
    if (g == f) break;
    const TFamilleLue& autre = familles_[static_cast<size_t>(g - 1)];
    rang += (autre.mari == premier ? autre.femme : autre.mari) == second;
  }
  return rang > 0 ? std::to_string(rang + 1) : std::string();
}

std::string TImporteur::PediPaireB(int32_t no) const {
  const auto b = famcB_.find(no);
  if (b == famcB_.end()) return {};
  const auto it = pedis_.find(Cle(no, b->second));
  // A second birth family without PEDI is a birth family too.
  const char pedi = it == pedis_.end() ? kPediNaissance : it->second.first;
  return pedi == kPediAdoption ? std::string() : MotPedi(pedi, false);
}

bool TImporteur::PaireAdoptive(int32_t no, TNoParent& paire) const {
  const auto it = famcB_.find(no);
  if (it == famcB_.end()) return false;
  const TFamilleLue& b = familles_[static_cast<size_t>(it->second - 1)];
  paire.PereB = b.mari;
  paire.MereB = b.femme;
  if (const int32_t a = famc_[static_cast<size_t>(no)]; a != 0) {
    paire.PereA = familles_[static_cast<size_t>(a - 1)].mari;
    paire.MereA = familles_[static_cast<size_t>(a - 1)].femme;
    paire.PerePrinc = paire.MerePrinc = 0;
  } else {
    paire.PereA = paire.MereA = -1;
    paire.PerePrinc = paire.MerePrinc = 2;  // adoptive parents only: they are shown
  }
  return true;
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
      const int32_t f = FamilleAffichee(p);
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
        if (famc_[static_cast<size_t>(p)] == f) famc_[static_cast<size_t>(p)] = 0;
        else famcB_.erase(p);
        std::erase(familles_[static_cast<size_t>(f - 1)].enfants, p);
        cadre.etape = 0;  // its other pair, if any, is walked in its place
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
  if (const int32_t f = FamilleAffichee(no); f != 0) {
    const TFamilleLue& fam = familles_[static_cast<size_t>(f - 1)];
    p.Pere = fam.mari;
    p.Mere = fam.femme;
  }
  size_t conj = 0, enf = 0;
  bool tropConj = false, tropEnf = false;
  std::vector<TEnfantAClasser> enfants;
  for (const int32_t f : famsPersonne_[static_cast<size_t>(no)]) {
    const TFamilleLue& fam = familles_[static_cast<size_t>(f - 1)];
    const int32_t autre = fam.mari == no ? fam.femme : fam.mari;
    int rang = 0;
    if (autre != 0) {
      if (conj < p.Conjoints.size()) {
        p.Conjoints[conj++].Lien = autre;
        rang = static_cast<int>(conj);
      } else {
        tropConj = true;
      }
    }
    for (const int32_t c : fam.enfants) {
      // Adoptive parents do not list the child: only the parents it shows do.
      if (FamilleAffichee(c) != f) continue;
      if (std::find(p.Enfants.begin(), p.Enfants.begin() + static_cast<long>(enf), TLienPers(c)) !=
          p.Enfants.begin() + static_cast<long>(enf))
        continue;
      if (enf < p.Enfants.size()) {
        p.Enfants[enf++] = c;
        enfants.push_back({c, naissance_[static_cast<size_t>(c)], rang});
      } else {
        tropEnf = true;
      }
    }
  }
  // Children by birth date, as a person orders them (EnregClassementEnfConj).
  if (enfants.size() > 1) {
    ClasseEnfants(enfants);
    for (size_t i = 0; i < enfants.size(); ++i) p.Enfants[i] = enfants[i].no;
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
