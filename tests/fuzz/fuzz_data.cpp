// Fuzzes the links blob (Personnes.Data) of a store row and its two counts. Checked: reading
// never fills more than the 150 spouse and 150 child slots nor invents links beyond the counts;
// writing the person read and reading it again gives the same links (round trip).

#include <cstring>
#include <utility>
#include <vector>

#include "fuzz_commun.h"
#include "engine/acr_query.h"
#include "store/datamodulebdd.h"

using namespace kyb;

namespace {

TModuleBDD& Module() {
  static TModuleBDD* module = [] {
    auto* m = new TModuleBDD(nullptr, fuzz::Repertoire("data") + "D.adb", "5.90");
    if (!m->CreateDataBase() || !m->OpenDataBase(false)) fuzz::Viole("base impossible");
    TEnregPublic p;
    p.Nom = u"Fuzz";
    if (!m->WritePerson(p, 1)) fuzz::Viole("base impossible");
    return m;
  }();
  return *module;
}

// The positive links in their order: what writing keeps (non-positive numbers are dropped).
std::vector<std::pair<int32_t, int32_t>> LiensPositifs(const TEnregPublic& p) {
  std::vector<std::pair<int32_t, int32_t>> liens;
  for (const auto& c : p.Conjoints)
    if (c.Lien.No > 0) liens.emplace_back(c.Lien.No, c.Compagnon);
  liens.emplace_back(0, 0);
  for (const auto& e : p.Enfants)
    if (e.No > 0) liens.emplace_back(e.No, e.NivNo);
  return liens;
}

bool MemesLiens(const TEnregPublic& a, const TEnregPublic& b) { return LiensPositifs(a) == LiensPositifs(b); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  if (taille < 4) return 0;
  TModuleBDD& m = Module();
  int16_t conj = 0, enf = 0;
  std::memcpy(&conj, donnees, 2);
  std::memcpy(&enf, donnees + 2, 2);
  TACRQuery maj(m.Database(), "UPDATE Personnes SET Data = :data, NbConj = :conj, NbEnf = :enf WHERE ID = 1");
  maj.SetParamBlob("data", std::string(reinterpret_cast<const char*>(donnees) + 4, taille - 4));
  maj.SetParamInteger("conj", conj);
  maj.SetParamInteger("enf", enf);
  if (!maj.ExecSQL()) fuzz::Viole("mise à jour impossible");
  TEnregPublic lu;
  if (!m.ReadPerson(lu, 1)) return 0;
  const long blob = static_cast<long>(taille - 4) / 9;
  if (lu.NbConjoints() > std::min<long>(std::max<int>(conj, 0), blob)) fuzz::Viole("conjoints inventés");
  if (lu.NbEnfants() > std::min<long>(std::max<int>(enf, 0), blob)) fuzz::Viole("enfants inventés");
  if (!m.WritePerson(lu, 1)) fuzz::Viole("réécriture impossible");
  TEnregPublic relu;
  if (!m.ReadPerson(relu, 1) || !MemesLiens(lu, relu)) fuzz::Viole("aller-retour des liens");
  return 0;
}
