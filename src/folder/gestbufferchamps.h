#pragma once
// TGestBufferChamps: a small cache of formatted field texts, keyed by (field definition, person
// number, second number, two integers, two flags). It holds at most 100 texts; inserting the
// 101st removes the oldest inserted one. Used from the main thread.
#include <deque>
#include <map>
#include <tuple>

#include "platform/chaines.h"

namespace kyb {

class TChpCs;

class TGestBufferChamps {
 public:
  static constexpr size_t kCapacite = 100;
  using TCle = std::tuple<const TChpCs*, long, long, int, int, bool, bool>;

  void InsertChpsBuffer(const TCle& cle, const UnicodeString& texte);
  [[nodiscard]] bool ChercheChampsBuffer(const TCle& cle, UnicodeString& texte) const;
  void Raz();
  [[nodiscard]] size_t Taille() const { return textes_.size(); }

 private:
  std::map<TCle, UnicodeString> textes_;
  std::deque<TCle> ordre_;  // insertion order, oldest first
};

}  // namespace kyb
