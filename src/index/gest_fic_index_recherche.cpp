// Searches of the person index by name: exact keys by binary search over the sorted entries,
// phonetic codes through the sorted table of the surnames' codes (names/table_codes_index.h), read
// with the index file or built when first needed after a change; and the principal entry of a
// person.
#include <algorithm>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "persons/gest_pers.h"
#include "names/cles_personne.h"
#include "names/table_codes_index.h"
#include "index/gest_fic_index.h"
#include "store/datamodulebdd.h"

namespace kyb {

namespace {

// Sign of (the beginning of e's order text) against prefixe, on the prefix's length: the order
// text begins with Nom, six U+0001, Prenom, five U+0001.
int ComparePrefixe(const TEltIndex& e, std::u16string_view prefixe) {
  char16_t texte[64];
  size_t n = 0;
  const auto ajoute = [&](std::u16string_view s) {
    for (const char16_t c : s)
      if (n < std::size(texte)) texte[n++] = c;
  };
  ajoute(e.Nom());
  ajoute(u"\x01\x01\x01\x01\x01\x01");
  if (prefixe.size() > n) {
    ajoute(e.Prenom());
    ajoute(u"\x01\x01\x01\x01\x01");
  }
  const std::u16string_view debut(texte, std::min(n, prefixe.size()));
  const int c = debut.compare(prefixe);
  if (c != 0) return c < 0 ? -1 : 1;
  return debut.size() < prefixe.size() ? -1 : 0;
}

}  // namespace

std::vector<TFicIndexPerson::TTrouve> TFicIndexPerson::ChercheNom(const UnicodeString& nom,
                                                                  const UnicodeString& prenom, size_t max) {
  std::vector<TTrouve> trouves;
  if (!Index() || max == 0) return trouves;
  const UnicodeString cleNom = CleNom(nom, 1);
  const UnicodeString clePrenom = prenom.empty() ? UnicodeString() : ClePrenom(prenom, 1);
  if (cleNom.empty() && clePrenom.empty()) return trouves;
  const auto& elts = index_->Elements();
  std::vector<int32_t> personnes;
  const auto garde = [&](int pos, bool exact) {
    const TEltIndex& e = elts[static_cast<size_t>(pos)];
    if (std::find(personnes.begin(), personnes.end(), e.NoPers) != personnes.end()) return;
    personnes.push_back(e.NoPers);
    trouves.push_back({e.NoPers, exact, pos, e.AnneeMin, e.AnneeMax});
  };

  UnicodeString prefixe = cleNom + u"\x01\x01\x01\x01\x01\x01";
  if (!clePrenom.empty()) prefixe += clePrenom + u"\x01\x01\x01\x01\x01";
  const auto debut = std::partition_point(elts.begin(), elts.end(),
                                          [&](const TEltIndex& e) { return ComparePrefixe(e, prefixe) < 0; });
  for (auto it = debut; it != elts.end() && trouves.size() < max && ComparePrefixe(*it, prefixe) == 0; ++it)
    garde(static_cast<int>(it - elts.begin()), true);

  if (trouves.size() >= max) return trouves;
  if (generationCodes_ != generation_ || elementsCodes_ != elts.size()) ConstruitCodes();
  const UnicodeString codeNom = SoundexCle(cleNom);
  const UnicodeString codePrenom = clePrenom.empty() ? UnicodeString() : SoundexCle(clePrenom);
  const uint64_t code = CodeEntier(codeNom);
  auto it = std::lower_bound(codes_.begin(), codes_.end(), std::pair<uint64_t, int32_t>(code, -1));
  for (; it != codes_.end() && it->first == code && trouves.size() < max; ++it) {
    const size_t debutNom = static_cast<size_t>(it->second);
    const std::u16string_view nomCourant = elts[debutNom].Nom();
    for (size_t k = debutNom; k < elts.size() && elts[k].Nom() == nomCourant && trouves.size() < max; ++k) {
      const TEltIndex& e = elts[k];
      if (e.NomSoundex() != codeNom || (!codePrenom.empty() && e.PrenomSoundex() != codePrenom)) continue;
      garde(static_cast<int>(k), false);
    }
  }
  return trouves;
}

std::vector<int32_t> TFicIndexPerson::DebutsNomsCode(std::u16string_view code) const {
  if (!index_) return {};
  if (generationCodes_ != generation_ || elementsCodes_ != index_->Elements().size()) ConstruitCodes();
  return DebutsCode(codes_, CodeEntier(code));
}

void TFicIndexPerson::ConstruitCodes() const {
  codes_ = ConstruitTableCodes(index_->Elements());
  generationCodes_ = generation_;
  elementsCodes_ = index_->Elements().size();
}

UnicodeString TFicIndexPerson::TexteAnnees(int16_t anneeMin, int16_t anneeMax, bool estimeeMin, bool estimeeMax) {
  if (anneeMin <= 0 && anneeMax <= 0) return {};
  const auto annee = [](int16_t a, bool estimee) {
    return a > 0 ? (estimee ? u"~" : u"") + AnsiVersUnicode(std::to_string(a)) : UnicodeString(u"?");
  };
  return u"(" + annee(anneeMin, estimeeMin) + u"-" + annee(anneeMax, estimeeMax) + u")";
}

UnicodeString TFicIndexPerson::LibelleTrouve(const TTrouve& t) const {
  TEnregPublic p;
  TModuleBDD* m = Store();
  const TFicPersons* f = dossier_->GetFicPersons();
  if (f && f->AncienFormat()) p = TPerson(dossier_->GetFicPersons(), t.NoPers).Public;
  else if (!m || !m->ReadPerson(p, t.NoPers)) return u"(fiche illisible)";
  UnicodeString texte = p.Nom;
  if (!p.Prenoms.empty()) texte += (texte.empty() ? u"" : u" ") + p.Prenoms;
  if (texte.empty()) texte = u"(sans nom)";
  // A year the person's events do not state was estimated.
  const TAnneesVie declarees = t.AnneeMin > 0 || t.AnneeMax > 0 ? AnneesDeclarees(t.NoPers) : TAnneesVie{};
  const UnicodeString annees = TexteAnnees(t.AnneeMin, t.AnneeMax, declarees.Min == 0, declarees.Max == 0);
  if (!annees.empty()) texte += u" " + annees;
  return texte;
}

namespace {

// The row of a person's principal entry: its usual given name, or its first when none is usual.
bool LignePrincipale(const TEnregIndexPerson& e) {
  return e.RgPrenom == e.RgPrenomUsuel || (e.RgPrenomUsuel == 0 && e.RgPrenom <= 1);
}

}  // namespace

std::pair<int16_t, int16_t> TFicIndexPerson::AnneesPrincipales(int32_t noPers) const {
  std::pair<int16_t, int16_t> annees{0, 0};
  TModuleBDD* m = Store();
  if (!m) return annees;
  (void)m->ParcoursLignesIndex(TOrdreLignesIndex::DUnePersonne, noPers, [&](long, const TEnregIndexPerson& e) {
    if (!LignePrincipale(e)) return true;
    annees = {e.AnneeMin, e.AnneeMax};
    return false;
  });
  return annees;
}

int TGestEltIndex::ChercheClefPersNo2(int32_t noPers, TEltIndex& trouve) const {
  TModuleBDD* m = GestFichier() ? GestFichier()->GetModuleBDD() : nullptr;
  if (!m) return -1;
  // The newest row of the person under its usual given name decides.
  int pos = -1;
  (void)m->ParcoursLignesIndex(TOrdreLignesIndex::DUnePersonne, noPers, [&](long id, const TEnregIndexPerson& e) {
    if (!LignePrincipale(e)) return true;
    TEltIndex tmp;
    pos = RechercheDicoth(TEltIndex(e, static_cast<int32_t>(id)), tmp, 0, false);
    if (pos >= 0) trouve = Lit(pos);
    return false;
  });
  return pos;
}

int TGestEltIndex::ChercheClefPersNo(int32_t noPers, TEltIndex& trouve, bool parLignes) const {
  if (parLignes) return ChercheClefPersNo2(noPers, trouve);
  // The person's slots through its chain (or among the numbers out of range): the principal entry
  // of the first surname, the first in index order among equals.
  int meilleure = -1;
  const auto examine = [&](int32_t slot) {
    const TEltIndex& e = stock_[static_cast<size_t>(slot)];
    if (e.NoPers != noPers || !(e.RgPrenom == e.RgPrenomUsuel || (e.RgPrenomUsuel == 0 && e.RgPrenom <= 1))) return;
    const int pos = PositionDuSlot(slot);
    if (pos < 0) return;
    const int16_t rgMeilleure = meilleure < 0 ? 0 : Lit(meilleure).RgNom;
    if (meilleure < 0 || e.RgNom < rgMeilleure || (e.RgNom == rgMeilleure && pos < meilleure)) meilleure = pos;
  };
  constexpr int32_t kFin = -1;  // end of a chain
  if (noPers >= 0 && static_cast<size_t>(noPers) < tete_.size())
    for (int32_t s = tete_[static_cast<size_t>(noPers)]; s != kFin; s = suivant_[static_cast<size_t>(s)]) examine(s);
  for (const int32_t s : hors_) examine(s);
  if (meilleure >= 0) trouve = Lit(meilleure);
  return meilleure;
}

}  // namespace kyb
