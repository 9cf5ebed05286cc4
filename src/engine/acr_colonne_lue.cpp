// Columns of a query's current row read straight from the statement. Integers, reals, texts and
// blobs of their own kind are read as they are; any other kind goes through the engine's value,
// so that each accessor gives what the query's field gives.
#include "engine/acr_query.h"
#include "engine/acr_sqlite_interne.h"

namespace kyb {
namespace {

int Sorte(const TInstruction* instruction, int position) {
  return instruction ? sqlite3_column_type(instruction->Brut(), position) : SQLITE_NULL;
}

// The bytes of a text or blob value (sorte is its kind): the pointer first, then the size, as
// asking the size first could convert the value afterwards.
std::string_view OctetsDe(sqlite3_stmt* s, int position, int sorte) {
  const void* octets = sorte == SQLITE_TEXT ? static_cast<const void*>(sqlite3_column_text(s, position))
                                            : sqlite3_column_blob(s, position);
  const auto n = static_cast<size_t>(sqlite3_column_bytes(s, position));
  return octets ? std::string_view(static_cast<const char*>(octets), n) : std::string_view();
}

bool EstOctets(int sorte) { return sorte == SQLITE_TEXT || sorte == SQLITE_BLOB; }

}  // namespace

bool TColonneLue::IsNull() const { return Sorte(instruction_, position_) == SQLITE_NULL; }

int64_t TColonneLue::AsInt64() const {
  const int sorte = Sorte(instruction_, position_);
  if (sorte == SQLITE_INTEGER) return sqlite3_column_int64(instruction_->Brut(), position_);
  return sorte == SQLITE_NULL ? 0 : instruction_->Colonne(position_).VersEntier();
}

double TColonneLue::AsFloat() const {
  const int sorte = Sorte(instruction_, position_);
  if (sorte == SQLITE_FLOAT) return sqlite3_column_double(instruction_->Brut(), position_);
  return sorte == SQLITE_NULL ? 0 : instruction_->Colonne(position_).VersReel();
}

std::string_view TColonneLue::Octets() const {
  const int sorte = Sorte(instruction_, position_);
  return EstOctets(sorte) ? OctetsDe(instruction_->Brut(), position_, sorte) : std::string_view();
}

std::string TColonneLue::AsUtf8() const {
  const int sorte = Sorte(instruction_, position_);
  if (EstOctets(sorte)) return std::string(OctetsDe(instruction_->Brut(), position_, sorte));
  return sorte == SQLITE_NULL ? std::string() : instruction_->Colonne(position_).VersTexte();
}

AnsiString TColonneLue::AsAnsiString() const {
  const int sorte = Sorte(instruction_, position_);
  if (EstOctets(sorte)) return Utf8VersAnsi(OctetsDe(instruction_->Brut(), position_, sorte));
  return sorte == SQLITE_NULL ? AnsiString() : Utf8VersAnsi(instruction_->Colonne(position_).VersTexte());
}

UnicodeString TColonneLue::AsUnicodeString() const {
  const int sorte = Sorte(instruction_, position_);
  if (EstOctets(sorte)) return Utf8VersUnicode(OctetsDe(instruction_->Brut(), position_, sorte));
  return sorte == SQLITE_NULL ? UnicodeString() : Utf8VersUnicode(instruction_->Colonne(position_).VersTexte());
}

}  // namespace kyb
