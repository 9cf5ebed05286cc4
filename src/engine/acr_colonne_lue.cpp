// Columns of a query's current row read straight from the statement. Integers, reals, texts and
// blobs of their own kind are read as they are; any other kind goes through the engine's value,
// so that each accessor gives what the query's field gives.
//
// The statement's column functions each pass through the connection's lock; the value taken once
// is read with the value functions, which take none. They are used only where they neither
// convert nor allocate (kind, integer, real, byte count of a text already read as UTF-8, blob),
// so a worker thread sharing the connection is never disturbed.
#include "engine/acr_query.h"
#include "engine/acr_sqlite_interne.h"

namespace kyb {
namespace {

bool EstOctets(int sorte) { return sorte == SQLITE_TEXT || sorte == SQLITE_BLOB; }

}  // namespace

TColonneLue::TColonneLue(const TInstruction* instruction, int position)
    : instruction_(instruction), position_(position) {
  if (!instruction_) return;
  valeur_ = sqlite3_column_value(instruction_->Brut(), position_);
  sorte_ = valeur_ ? sqlite3_value_type(valeur_) : SQLITE_NULL;
}

bool TColonneLue::IsNull() const { return sorte_ == SQLITE_NULL; }

int64_t TColonneLue::AsInt64() const {
  if (sorte_ == SQLITE_INTEGER) return sqlite3_value_int64(valeur_);
  return sorte_ == SQLITE_NULL ? 0 : instruction_->Colonne(position_).VersEntier();
}

double TColonneLue::AsFloat() const {
  if (sorte_ == SQLITE_FLOAT) return sqlite3_value_double(valeur_);
  return sorte_ == SQLITE_NULL ? 0 : instruction_->Colonne(position_).VersReel();
}

std::string_view TColonneLue::Octets() const {
  if (!EstOctets(sorte_)) return {};
  // A text through the statement (made UTF-8 there, under the lock), then its size from the
  // value, which is UTF-8 by then; a blob is never converted.
  const void* octets = sorte_ == SQLITE_TEXT ? static_cast<const void*>(sqlite3_column_text(instruction_->Brut(), position_))
                                             : sqlite3_value_blob(valeur_);
  const auto n = static_cast<size_t>(sqlite3_value_bytes(valeur_));
  return octets ? std::string_view(static_cast<const char*>(octets), n) : std::string_view();
}

std::string TColonneLue::AsUtf8() const {
  if (EstOctets(sorte_)) return std::string(Octets());
  return sorte_ == SQLITE_NULL ? std::string() : instruction_->Colonne(position_).VersTexte();
}

AnsiString TColonneLue::AsAnsiString() const {
  if (EstOctets(sorte_)) return Utf8VersAnsi(Octets());
  return sorte_ == SQLITE_NULL ? AnsiString() : Utf8VersAnsi(instruction_->Colonne(position_).VersTexte());
}

UnicodeString TColonneLue::AsUnicodeString() const {
  if (EstOctets(sorte_)) return Utf8VersUnicode(Octets());
  return sorte_ == SQLITE_NULL ? UnicodeString() : Utf8VersUnicode(instruction_->Colonne(position_).VersTexte());
}

}  // namespace kyb
