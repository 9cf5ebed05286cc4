// The members of a family record (HUSB, WIFE, CHIL) with what an import kept below them (a 7.0
// PHRASE...): those lines were kept with the family's, each under the member's pointer.
#include "gedcom/export_gedcom_interne.h"
#include "gedcom/gedcom_gardees.h"

namespace kyb {
namespace {

bool Membre(std::string_view ligne) {
  for (const std::string_view tag : {"1 HUSB @#P", "1 WIFE @#P", "1 CHIL @#P"})
    if (ligne.starts_with(tag)) return true;
  return false;
}

// Moves the blocks of members (a level-1 HUSB, WIFE or CHIL naming a person, with its sub-lines)
// out of a family's kept lines; returns them.
std::string SepareMembres(std::string& gardees) {
  std::string membres, reste;
  bool dansMembre = false;
  for (std::size_t debut = 0; debut < gardees.size();) {
    const std::size_t fin = std::min(gardees.find('\n', debut), gardees.size());
    const std::string_view ligne(gardees.data() + debut, fin - debut);
    if (ligne.starts_with("1 ")) dansMembre = Membre(ligne);
    std::string& cible = dansMembre ? membres : reste;
    cible.append(ligne).push_back('\n');
    debut = fin + 1;
  }
  gardees = std::move(reste);
  return membres;
}

}  // namespace

void TExporteur::EcritMembres(int32_t no) {
  const TFamilleExport& f = familles_[static_cast<size_t>(no - 1)];
  std::string membres;
  if (const auto g = gardeesFamille_.find(no); g != gardeesFamille_.end()) membres = SepareMembres(g->second);
  TBlocsGardes blocs(membres);
  const TTraduitPointeur traduit = [this](const std::string& v) { return PointeurGarde(v); };
  const auto ecrit = [&](std::string_view tag, int32_t p) {
    ecr_.Pointeur(1, tag, "@I" + std::to_string(p) + "@");
    const std::string_view dessus[] = {"FAM", tag};
    if (!blocs.Vide()) (void)blocs.EcritSousLignes(ecr_, tag, PointeurGardePersonne(p), 1, dessus, nullptr, &traduit);
  };
  if (f.mari != 0) ecrit("HUSB", f.mari);
  if (f.femme != 0) ecrit("WIFE", f.femme);
  for (const int32_t c : EnfantsFamille(no)) ecrit("CHIL", c);
}

}  // namespace kyb
