// Families read with children and no spouse: they name no parent pair, so each is kept whole as
// GEDCOM lines in the genealogy's note, and each child's FAMC to it with the person's links.
#include <algorithm>

#include "gedcom/gedcom_gardees.h"
#include "gedcom/import_gedcom_interne.h"

namespace kyb {

void TImporteur::RecenseSansConjoint() {
  for (size_t i = 0; i < familles_.size(); ++i) {
    const TFamilleLue& f = familles_[i];
    if (f.ligne == 0 || f.mari != 0 || f.femme != 0) continue;
    const auto numero = static_cast<int32_t>(i + 1);
    rangSansConjoint_.emplace(numero, static_cast<int32_t>(rangSansConjoint_.size() + 1));
    for (const int32_t c : f.enfants) sansConjointDe_[c].push_back(numero);
  }
}

bool TImporteur::SansConjoint(int32_t f) const { return rangSansConjoint_.count(f) > 0; }

std::string TImporteur::PointeurFamille(int32_t f) const {
  if (const auto it = rangSansConjoint_.find(f); it != rangSansConjoint_.end()) return PointeurGardeFamilleSansConjoint(it->second);
  const TFamilleLue& fam = familles_[static_cast<size_t>(f - 1)];
  return PointeurGardeFamille(fam.mari, fam.femme);
}

bool TImporteur::LienSansConjoint(const TNoeudGedcom& n, std::string& liens) {
  if (rangSansConjoint_.empty() || n.tag != "FAMC") return false;
  const int32_t f = FamilleConnue(n.valeur);
  if (!SansConjoint(f)) return false;
  famcSansConjoint_.push_back(f);
  liens += (liens.empty() ? "" : "\n") + Lignes(n, 1);  // its pointer written by LigneGardee
  ++bilan_.balisesConservees["FAMC"];
  return true;
}

void TImporteur::LiensNonNommes(int32_t no, std::string& liens) {
  if (const auto it = sansConjointDe_.find(no); it != sansConjointDe_.end())
    for (const int32_t f : it->second)
      if (std::find(famcSansConjoint_.begin(), famcSansConjoint_.end(), f) == famcSansConjoint_.end())
        liens += (liens.empty() ? "" : "\n") + ("1 FAMC " + PointeurFamille(f));
  famcSansConjoint_.clear();
}

void TImporteur::GardeSansConjoint(const TNoeudGedcom& r, int32_t f) {
  TNoeudGedcom n = r;
  n.xref = PointeurFamille(f);
  // A child that names the family by its FAMC alone is listed too.
  for (const int32_t c : familles_[static_cast<size_t>(f - 1)].enfants)
    if (std::none_of(r.enfants.begin(), r.enfants.end(),
                     [&](const TNoeudGedcom& e) { return e.tag == "CHIL" && e.pointeur && PersonneConnue(e.valeur) == c; }))
      n.enfants.push_back({r.ligne, 1, {}, "CHIL", NomXref(c), true, {}});
  famillesSansConjoint_ += (famillesSansConjoint_.empty() ? "" : "\n") + Lignes(n, 0);
  ++bilan_.balisesConservees["FAM"];
}

void TImporteur::EcritSansConjoint() {
  if (famillesSansConjoint_.empty()) return;
  long long avant = 0;
  (void)TexteVersEntier(bdd_.GetInfoChps(kCleNoteGedcom), avant);
  const int32_t note = AjouteNote(static_cast<int32_t>(avant), kTitreFamillesSansConjoint, famillesSansConjoint_);
  famillesSansConjoint_.clear();
  if (note != avant && !bdd_.MAJInfoChps(kCleNoteGedcom, Utf8VersUnicode(std::to_string(note))))
    Avertit(0, "Les familles sans conjoint n'ont pas pu être rattachées à la généalogie.");
}

}  // namespace kyb
