// Random insertions, renames and deletions on the in-memory person index, checked after each step
// against a plain bag of entries sorted by their order text, built character by character.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "names/gest_elt_index.h"
#include "support/support.h"

namespace kyb {
namespace {

UnicodeString Nombre(int v) { return AnsiVersUnicode(std::to_string(v)); }

// Nom, six U+0001, Prenom, five U+0001, AnneeMin, four U+0001, AnneeMax, Sexe, NoPers.
UnicodeString Texte(const TEltIndex& e) {
  return UnicodeString(e.Nom()) + UnicodeString(6, u'\x01') + UnicodeString(e.Prenom()) + UnicodeString(5, u'\x01') +
         Nombre(e.AnneeMin) + UnicodeString(4, u'\x01') + Nombre(e.AnneeMax) + UnicodeString(1, char16_t(e.Sexe)) +
         Nombre(e.NoPers);
}

// Every field, so that an entry found at the right place is also the right entry.
std::string Tout(const TEltIndex& e) {
  return UnicodeVersUtf8(Texte(e)) + "|" + std::to_string(e.RgNom) + "," + std::to_string(e.RgPrenom) + "," +
         std::to_string(e.NoTravail);
}

// The entries with their order texts, in no order.
class TReference {
 public:
  void Ajoute(const TEltIndex& e) { sac_.emplace_back(Texte(e), e); }
  // Index of the entry with the same order text, or -1.
  [[nodiscard]] int Cherche(const TEltIndex& e) const {
    const UnicodeString t = Texte(e);
    for (size_t i = 0; i < sac_.size(); ++i)
      if (sac_[i].first == t) return static_cast<int>(i);
    return -1;
  }
  void Retire(int i) { sac_.erase(sac_.begin() + i); }
  // The entries sorted by their texts.
  [[nodiscard]] std::vector<TEltIndex> Trie() const {
    auto tri = sac_;
    std::sort(tri.begin(), tri.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TEltIndex> elts;
    for (const auto& [texte, e] : tri) elts.push_back(e);
    return elts;
  }
  std::vector<std::pair<UnicodeString, TEltIndex>> sac_;
};

class Melange : public ::testing::Test {
 protected:
  // Mostly small numbers; now and then a number only a damaged file gives.
  int32_t NoPers() {
    const unsigned r = alea_() % 44;
    return r < 40 ? static_cast<int32_t>(1 + r) : r < 42 ? -7 : 2'000'000'000;
  }

  TEltIndex Tire() {
    static const char* const noms[] = {"MARTIN", "MARTINEZ", "MART", "DURAND", "LEFÈVRE", "", "ŒUVRARD", "李"};
    static const char* const prenoms[] = {"JEAN", "JEANNE", "", "MARIE"};
    TEltIndex e;
    e.SetNom(U(noms[alea_() % std::size(noms)]));
    e.SetPrenom(U(prenoms[alea_() % std::size(prenoms)]));
    e.AnneeMin = static_cast<int16_t>(alea_() % 3 == 0 ? 0 : 1600 + alea_() % 5 * 100);
    e.AnneeMax = static_cast<int16_t>(e.AnneeMin ? e.AnneeMin + 60 : 0);
    e.Sexe = "MF?"[alea_() % 3];
    e.NoPers = NoPers();
    e.RgNom = static_cast<int16_t>(alea_() % 4);
    e.RgPrenom = static_cast<int16_t>(alea_() % 4);
    e.NoTravail = static_cast<int32_t>(++serie_);
    return e;
  }

  void Compare(const TGestEltIndex& index, int etape) {
    SCOPED_TRACE("étape " + std::to_string(etape));
    const std::vector<TEltIndex> attendu = ref_.Trie();
    ASSERT_EQ(index.GetNbElt(), static_cast<int>(attendu.size()));
    for (int pos = 0; pos < index.GetNbElt(); ++pos) {
      const TEltIndex& e = index.Lit(pos);
      ASSERT_EQ(Tout(e), Tout(attendu[static_cast<size_t>(pos)])) << pos;
      TEltIndex tmp;
      ASSERT_EQ(index.RechercheDicoth(e, tmp, 0, false), pos);
    }
    // Freed slots are reused: the store never holds more than the most entries held at once.
    ASSERT_LE(index.Stock().size(), plusGrand_);
  }

  std::mt19937 alea_{20261206};
  long serie_ = 0;
  size_t plusGrand_ = 0;
  TReference ref_;
};

TEST_F(Melange, InsertionsRenommagesSuppressionsCommeUnSacTrie) {
  TGestEltIndex index(0, nullptr);
  test::RepertoireTemporaire rep;
  for (int etape = 0; etape < 1000; ++etape) {
    const unsigned op = alea_() % 10;
    TEltIndex tmp;
    if (op < 4) {  // ordered insertion, refused for an entry already there
      const TEltIndex e = Tire();
      const int deja = ref_.Cherche(e);
      bool ajoute = false;
      const int pos = index.AjouteClasse(e, tmp, false, ajoute);
      ASSERT_EQ(ajoute, deja < 0);
      if (deja < 0) ref_.Ajoute(e);
      const std::vector<TEltIndex> tri = ref_.Trie();
      ASSERT_EQ(Texte(tri.at(static_cast<size_t>(pos))), Texte(e));
    } else if (op < 7) {  // a rename: an existing entry (or, one time in five, an absent one) replaced
      const TEltIndex ancien = ref_.sac_.empty() || alea_() % 5 == 0 ? Tire() : ref_.sac_[alea_() % ref_.sac_.size()].second;
      const TEltIndex nouveau = Tire();
      const int depart = ref_.Cherche(ancien);
      const int present = ref_.Cherche(nouveau);
      const bool remplace = present < 0 || present == depart;
      ASSERT_EQ(index.RemplaceClasse(ancien, nouveau), remplace);
      if (depart >= 0) ref_.Retire(depart);
      if (remplace) ref_.Ajoute(nouveau);
    } else if (op < 8 && index.GetNbElt() > 0) {  // removal at a position
      const int pos = static_cast<int>(alea_() % static_cast<unsigned>(index.GetNbElt()));
      const TEltIndex attendu = ref_.Trie()[static_cast<size_t>(pos)];
      index.Supprime(pos, tmp);
      ASSERT_EQ(Tout(tmp), Tout(attendu));
      ref_.Retire(ref_.Cherche(attendu));
    } else if (op < 9) {  // a deleted person
      const int32_t no = NoPers();
      const auto avant = ref_.sac_.size();
      std::erase_if(ref_.sac_, [no](const auto& e) { return e.second.NoPers == no; });
      ASSERT_EQ(index.SupprimeClefPersNo(no), static_cast<int>(avant - ref_.sac_.size()));
    } else if (alea_() % 4 == 0) {  // saved and restored
      ASSERT_TRUE(index.Sauvegarde(rep / "melange.prx2", nullptr));
      index.Restauration(rep / "melange.prx2", nullptr);
      for (auto& e : ref_.sac_) e.second.NoTravail = -1;  // not saved
      plusGrand_ = ref_.sac_.size();
    } else {  // a bulk load of new entries, sorted once
      for (int k = 0; k < 5; ++k) {
        const TEltIndex e = Tire();
        if (ref_.Cherche(e) >= 0) continue;
        index.Ajoute(e);
        ref_.Ajoute(e);
      }
      TEltIndex t1, t2;
      index.Classement(t1, t2);
      plusGrand_ = ref_.sac_.size();  // the sort leaves no free slot
    }
    plusGrand_ = std::max(plusGrand_, ref_.sac_.size());
    Compare(index, etape);
  }
}

}  // namespace
}  // namespace kyb
