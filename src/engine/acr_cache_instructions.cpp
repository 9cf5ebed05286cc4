// The statements a connection keeps for reuse.
#include <algorithm>

#include "engine/acr_sqlite_interne.h"

namespace kyb {

sqlite3_stmt* TCacheInstructions::Emprunte(const std::string& sql) {
  {
    const std::lock_guard garde(verrou_);
    // The most recently given back first: its pages are the likeliest in memory.
    const auto it = std::find_if(gardees_.rbegin(), gardees_.rend(), [&](const auto& g) { return g.first == sql; });
    if (it != gardees_.rend()) {
      sqlite3_stmt* s = it->second;
      gardees_.erase(std::next(it).base());
      return s;
    }
  }
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v3(connexion_, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &s,
                         nullptr) != SQLITE_OK) {
    sqlite3_finalize(s);
    return nullptr;
  }
  preparations_.fetch_add(1, std::memory_order_relaxed);
  return s;
}

void TCacheInstructions::Rend(sqlite3_stmt* instruction) {
  sqlite3_reset(instruction);
  sqlite3_clear_bindings(instruction);
  sqlite3_stmt* retiree = instruction;
  {
    const std::lock_guard garde(verrou_);
    if (!ferme_) {
      gardees_.emplace_back(sqlite3_sql(instruction), instruction);
      retiree = nullptr;
      if (gardees_.size() > kCapacite) {
        retiree = gardees_.front().second;
        gardees_.erase(gardees_.begin());
      }
    }
  }
  sqlite3_finalize(retiree);
}

void TCacheInstructions::Ferme() {
  std::vector<std::pair<std::string, sqlite3_stmt*>> gardees;
  {
    const std::lock_guard garde(verrou_);
    ferme_ = true;
    gardees.swap(gardees_);
  }
  for (const auto& g : gardees) sqlite3_finalize(g.second);
}

TInstruction TInstruction::Empruntee(const TACRDatabase& base, const std::string& sql) {
  TInstruction i;
  const std::shared_ptr<TCacheInstructions> cache = TAccesMoteur::Cache(base);
  if (!cache) return i;
  i.stmt_ = cache->Emprunte(sql);
  // A text of several statements is prepared up to its first: kept under its whole text, it
  // would never be found again.
  if (i.stmt_ && sql == sqlite3_sql(i.stmt_)) i.cache_ = cache;
  return i;
}

}  // namespace kyb
