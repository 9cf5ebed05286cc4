#pragma once
// Copy of a public record that reads only the link slots in use. A cached person keeps, beside
// its record, how many leading slots of each link list hold something (TLiensUtilises); a read
// from the cache copies those and clears the rest of the destination, which is already in the
// processor's cache, instead of reading the ~4.5 KB of mostly empty slots of the source.
#include <cstdint>

#include "store/enreg_public.h"

namespace kyb {

struct TLiensUtilises {
  // Leading slots in use (the last non-empty slot and all before it) of each list.
  uint8_t ChpsSimples = kMaxLiensChamps;
  uint8_t Evens = kMaxLiensChamps;
  uint8_t Citations = kMaxLiensChamps;
  uint8_t Conjoints = kMaxConjoints;
  uint8_t Enfants = kMaxEnfants;

  // Every slot counted: right for any record, whatever changes it later.
  [[nodiscard]] static TLiensUtilises Tous() { return {}; }
  // The slots the record uses now.
  [[nodiscard]] static TLiensUtilises De(const TEnregPublic& p);
};

// Asks for the lines of the record a copy reads, all at once: a cached record is rarely in the
// processor's cache, and its areas then arrive together instead of one after another.
void PrechargePublic(const TEnregPublic& source);

// dest becomes equal to source, slots beyond those counted in liens taken as empty.
void CopiePublic(const TEnregPublic& source, const TLiensUtilises& liens, TEnregPublic& dest);

}  // namespace kyb
