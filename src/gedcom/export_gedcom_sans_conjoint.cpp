// Families an import kept whole because they had no spouse: numbered after the families of the
// persons' links, written back under that name, and the children's FAMC to them.

#include "gedcom/export_gedcom_interne.h"
#include "gedcom/gedcom_gardees.h"
#include "gedcom/import_gedcom.h"

namespace kyb {
namespace {

std::string Xref(long no) { return "@F" + std::to_string(no) + "@"; }

}  // namespace

void TExporteur::RecenseSansConjoint() {
  std::vector<TLigneGardee> lignes = LitLignesGardees(TexteGardeGenealogie(dossier_, kTitreFamillesSansConjoint));
  if (lignes.empty()) return;
  premierSansConjoint_ = static_cast<int32_t>(familles_.size() + 1);
  for (size_t i = 0; i < lignes.size(); ++i) {
    if (lignes[i].niveau != 0) continue;
    const TPointeurGarde p = LitPointeurGarde(lignes[i].xref);
    if (p.genre != 'G') continue;
    debutsSansConjoint_.push_back(i);
    numerosSansConjoint_.emplace(p.a, static_cast<int32_t>(familles_.size() + 1));
    familles_.push_back({0, 0});
  }
  debutsSansConjoint_.push_back(lignes.size());
  sansConjoint_ = std::move(lignes);
  // The children's FAMC to them, from the persons' kept links ("0 INDI <person>", then each link).
  long personne = 0;
  bool pris = false;  // the link being read is a FAMC to one of them
  for (TLigneGardee& l : LitLignesGardees(TexteGardeGenealogie(dossier_, kTitreLiensGedcom))) {
    if (l.niveau == 0) {
      const TPointeurGarde p = LitPointeurGarde(l.valeur);
      personne = l.tag == "INDI" && p.genre == 'P' ? p.a : 0;
      pris = false;
      continue;
    }
    if (l.niveau == 1) pris = personne > 0 && l.tag == "FAMC" && LitPointeurGarde(l.valeur).genre == 'G';
    if (!pris) continue;
    famcSansConjoint_[static_cast<int32_t>(personne)].push_back(std::move(l));
  }
}

std::string TExporteur::FamilleSansConjoint(long rang) const {
  const auto it = numerosSansConjoint_.find(rang);
  return it == numerosSansConjoint_.end() ? std::string() : Xref(it->second);
}

bool TExporteur::EcritSansConjoint(int32_t f) {
  if (premierSansConjoint_ == 0 || f < premierSansConjoint_) return false;
  const auto k = static_cast<size_t>(f - premierSansConjoint_);
  if (k + 1 >= debutsSansConjoint_.size()) return false;
  ecr_.Ligne(0, "FAM", {}, Xref(f));
  enregistrement_ = "FAM";
  const TTraduitPointeur traduit = [this](const std::string& v) { return PointeurGarde(v); };
  static constexpr std::string_view kFamille[] = {"FAM"};
  bilan_.lignesGardeesRetirees +=
      EcritLignesGardees(ecr_, sansConjoint_, debutsSansConjoint_[k] + 1, debutsSansConjoint_[k + 1], 0, kFamille, &traduit);
  ++bilan_.familles;
  return true;
}

void TExporteur::EcritFamcSansConjoint(int32_t no) {
  if (famcSansConjoint_.empty()) return;
  const auto it = famcSansConjoint_.find(no);
  if (it == famcSansConjoint_.end()) return;
  const TTraduitPointeur traduit = [this](const std::string& v) { return PointeurGarde(v); };
  static constexpr std::string_view kIndividu[] = {"INDI"};
  bilan_.lignesGardeesRetirees += EcritLignesGardees(ecr_, it->second, 0, it->second.size(), 0, kIndividu, &traduit);
}

}  // namespace kyb
