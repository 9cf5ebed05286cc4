#pragma once
// Column types, field and index definitions of the relational engine layer.
//
// The engine's type values are part of the stored format: a column keeps its value in the
// catalogue so that a type can be asked back. How each type sits in SQLite:
//   fixed char, string, memo (1, 2, 33)   TEXT, UTF-8 converted from Windows-1252
//   wide string, wide memo (4, 35)         TEXT, UTF-8 converted from UTF-16
//   int8, int16, int32, int64, byte        INTEGER, stored at the type's width (a byte holds a
//     (5, 6, 7, 8, 9)                      character code)
//   auto-increment (12)                    INTEGER PRIMARY KEY AUTOINCREMENT (the rowid)
//   double, date-time (21, 27)             REAL (a date-time is the TDateTime double)
//   blob (31)                              BLOB
// Every other column is NOT NULL with a default (0, '' or an empty blob), so that keyset
// navigation never meets a NULL; writing a null stores the default.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kyb {

enum class TTypeChamp : int {
  FixedChar = 1,
  String = 2,
  WideString = 4,
  Int8 = 5,
  Int16 = 6,
  Int32 = 7,
  Int64 = 8,
  Byte = 9,
  AutoInc = 12,
  Double = 21,
  DateTime = 27,
  Blob = 31,
  Memo = 33,
  WideMemo = 35,
};

[[nodiscard]] bool TypeChampValide(int valeur);
[[nodiscard]] bool EstTypeTexte(TTypeChamp type);       // 1, 2, 4, 33, 35
[[nodiscard]] bool EstTypeTexte8Bits(TTypeChamp type);  // 1, 2, 33
[[nodiscard]] bool EstTypeEntier(TTypeChamp type);      // 5, 6, 7, 8, 9, 12
[[nodiscard]] bool EstTypeReel(TTypeChamp type);        // 21, 27

struct TACRFieldDef {
  std::string nom;
  TTypeChamp type = TTypeChamp::Int32;
  int taille = 0;  // characters for text types, 0 otherwise (0 = unlimited)
  bool requis = false;
  bool operator==(const TACRFieldDef&) const = default;
};

// Index options, combinable.
enum TOptionsIndex : int { kIndexPrimaire = 1, kIndexUnique = 2, kIndexSansCasse = 8 };

struct TACRIndexDef {
  std::string nom;
  std::vector<std::string> champs;
  int options = 0;
  bool operator==(const TACRIndexDef&) const = default;
};

using TACRFieldDefs = std::vector<TACRFieldDef>;
using TACRIndexDefs = std::vector<TACRIndexDef>;

[[nodiscard]] const TACRFieldDef* TrouveChamp(const TACRFieldDefs& defs, const std::string& nom);
[[nodiscard]] const TACRIndexDef* TrouveIndex(const TACRIndexDefs& defs, const std::string& nom);

// A value as SQLite holds it: null, integer, real, text (UTF-8) or blob.
struct TValeur {
  enum class Sorte : uint8_t { Nul, Entier, Reel, Texte, Blob };
  Sorte sorte = Sorte::Nul;
  int64_t entier = 0;
  double reel = 0;
  std::string octets;  // text in UTF-8, or blob bytes

  static TValeur Nul() { return {}; }
  static TValeur DeEntier(int64_t v) { TValeur x; x.sorte = Sorte::Entier; x.entier = v; return x; }
  static TValeur DeReel(double v) { TValeur x; x.sorte = Sorte::Reel; x.reel = v; return x; }
  static TValeur DeTexte(std::string v) { TValeur x; x.sorte = Sorte::Texte; x.octets = std::move(v); return x; }
  static TValeur DeBlob(std::string v) { TValeur x; x.sorte = Sorte::Blob; x.octets = std::move(v); return x; }
  [[nodiscard]] bool EstNul() const { return sorte == Sorte::Nul; }
  [[nodiscard]] int64_t VersEntier() const;
  [[nodiscard]] double VersReel() const;
  [[nodiscard]] std::string VersTexte() const;  // UTF-8
};

// SQL helpers shared by the layer.
[[nodiscard]] std::string Identifiant(const std::string& nom);  // "nom" with quotes doubled
[[nodiscard]] std::string NomIndexSql(const std::string& table, const std::string& index);

}  // namespace kyb
