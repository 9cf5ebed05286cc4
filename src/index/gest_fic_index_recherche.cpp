// Searches of the person index by name: exact keys by binary search over the sorted entries,
// phonetic codes through a sorted table of the surnames' codes built when first needed after a
// change; and the principal entry of a person.
//
// The entries of one surname key follow one another in the index, and the phonetic code is the
// surname's: the table of codes holds one (code, first position) pair per surname, found by
// galloping over the entries, so that building it costs a few comparisons per surname rather than
// a sort of every entry.
#include <algorithm>

#include "folder/gest_fic.h"
#include "folder/gest_fic_pers.h"
#include "persons/gest_pers.h"
#include "names/cles_personne.h"
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

// Up to five characters of a phonetic code in one integer, ordered as the text.
uint64_t CodeEntier(std::u16string_view code) {
  uint64_t v = 0;
  for (size_t i = 0; i < 5; ++i) v = (v << 12) | (i < code.size() ? (code[i] & 0xFFF) : 0);
  return v;
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
  std::vector<int32_t> debuts;
  if (!index_) return debuts;
  if (generationCodes_ != generation_ || elementsCodes_ != index_->Elements().size()) ConstruitCodes();
  const uint64_t entier = CodeEntier(code);
  auto it = std::lower_bound(codes_.begin(), codes_.end(), std::pair<uint64_t, int32_t>(entier, -1));
  for (; it != codes_.end() && it->first == entier; ++it) debuts.push_back(it->second);
  std::sort(debuts.begin(), debuts.end());
  return debuts;
}

void TFicIndexPerson::ConstruitCodes() const {
  codes_.clear();
  const auto& elts = index_->Elements();
  const size_t n = elts.size();
  for (size_t debut = 0; debut < n;) {
    const std::u16string_view nom = elts[debut].Nom();
    const auto meme = [nom](const TEltIndex& e) { return e.Nom() == nom; };
    // Galloping: steps doubling while the surname lasts, then a binary search of its end.
    size_t dernier = debut, pas = 1;
    while (debut + pas < n && meme(elts[debut + pas])) {
      dernier = debut + pas;
      pas *= 2;
    }
    const size_t borne = std::min(n, debut + pas);
    const auto fin = std::partition_point(elts.begin() + static_cast<std::ptrdiff_t>(dernier) + 1,
                                          elts.begin() + static_cast<std::ptrdiff_t>(borne), meme);
    codes_.emplace_back(CodeEntier(elts[debut].NomSoundex()), static_cast<int32_t>(debut));
    debut = static_cast<size_t>(fin - elts.begin());
  }
  std::sort(codes_.begin(), codes_.end());
  generationCodes_ = generation_;
  elementsCodes_ = n;
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

int TGestEltIndex::ChercheClefPersNo2(int32_t noPers, TEltIndex& trouve) const {
  TModuleBDD* m = GestFichier() ? GestFichier()->GetModuleBDD() : nullptr;
  if (!m) return -1;
  // The newest row of the person under its usual given name decides.
  int pos = -1;
  (void)m->ParcoursLignesIndex(TOrdreLignesIndex::DUnePersonne, noPers, [&](long id, const TEnregIndexPerson& e) {
    if (e.RgPrenom != e.RgPrenomUsuel && (e.RgPrenomUsuel != 0 || e.RgPrenom > 1)) return true;
    TEltIndex tmp;
    pos = RechercheDicoth(TEltIndex(e, static_cast<int32_t>(id)), tmp, 0, false);
    if (pos >= 0) trouve = Lit(pos);
    return false;
  });
  return pos;
}

int TGestEltIndex::ChercheClefPersNo(int32_t noPers, TEltIndex& trouve, bool parLignes) const {
  if (parLignes) return ChercheClefPersNo2(noPers, trouve);
  int meilleure = -1;
  for (int i = 0; i < GetNbElt(); ++i) {
    const TEltIndex& e = Lit(i);
    if (e.NoPers != noPers) continue;
    if (!(e.RgPrenom == e.RgPrenomUsuel || (e.RgPrenomUsuel == 0 && e.RgPrenom <= 1))) continue;
    if (meilleure < 0 || e.RgNom < Lit(meilleure).RgNom) meilleure = i;
  }
  if (meilleure >= 0) trouve = Lit(meilleure);
  return meilleure;
}

}  // namespace kyb
