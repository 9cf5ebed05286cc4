#include "folder/gestbufferchamps.h"

namespace kyb {

void TGestBufferChamps::InsertChpsBuffer(const TCle& cle, const UnicodeString& texte) {
  const auto it = textes_.find(cle);
  if (it != textes_.end()) {
    it->second = texte;  // same key: replaced in place, keeps its age
    return;
  }
  if (textes_.size() >= kCapacite) {
    textes_.erase(ordre_.front());
    ordre_.pop_front();
  }
  textes_.emplace(cle, texte);
  ordre_.push_back(cle);
}

bool TGestBufferChamps::ChercheChampsBuffer(const TCle& cle, UnicodeString& texte) const {
  const auto it = textes_.find(cle);
  if (it == textes_.end()) return false;
  texte = it->second;
  return true;
}

void TGestBufferChamps::Raz() {
  textes_.clear();
  ordre_.clear();
}

}  // namespace kyb
