#pragma once
// TACRField: typed access to one field of a table cursor's current row, or of a query's current
// result row. Values are converted at this boundary only: 8-bit texts are Windows-1252 here and
// UTF-8 in the database, wide texts UTF-16 here. Writing a text longer than the field's size
// keeps its first characters. Writing outside the edit or insert state does nothing and notes
// an error on the database.
#include <cstdint>
#include <string>

#include "engine/acr_types.h"
#include "platform/chaines.h"
#include "platform/date_heure.h"

namespace kyb {

class TACRDataSet;

class TACRField {
 public:
  TACRField(TACRDataSet* dataset, int position, const TACRFieldDef* def)
      : dataset_(dataset), position_(position), def_(def) {}

  [[nodiscard]] const std::string& FieldName() const;
  [[nodiscard]] int Index() const { return position_; }
  // The definition (type, size) when the field belongs to a table; null for query columns.
  [[nodiscard]] const TACRFieldDef* Def() const { return def_; }

  [[nodiscard]] bool IsNull() const;
  [[nodiscard]] int32_t AsInteger() const { return static_cast<int32_t>(AsInt64()); }
  [[nodiscard]] int64_t AsInt64() const;
  [[nodiscard]] double AsFloat() const;
  [[nodiscard]] TDateTime AsDateTime() const { return AsFloat(); }
  [[nodiscard]] AnsiString AsAnsiString() const;
  [[nodiscard]] UnicodeString AsUnicodeString() const;
  [[nodiscard]] std::string AsUtf8() const;
  [[nodiscard]] std::string AsBlob() const;  // raw bytes
  [[nodiscard]] const TValeur& Valeur() const;

  void SetInteger(int64_t valeur);
  void SetFloat(double valeur);
  void SetDateTime(TDateTime valeur) { SetFloat(valeur); }
  void SetAnsiString(const AnsiString& valeur);
  void SetUnicodeString(const UnicodeString& valeur);
  void SetBlob(const std::string& octets);
  void Clear();  // stores the type's default

 private:
  void Ecrit(TValeur valeur);
  TACRDataSet* dataset_;
  int position_;
  const TACRFieldDef* def_;
};

// What a field needs from its table or query.
class TACRDataSet {
 public:
  virtual ~TACRDataSet() = default;
  [[nodiscard]] virtual const TValeur& ValeurChamp(int position) const = 0;
  virtual bool EcritChamp(int position, TValeur valeur) = 0;
  [[nodiscard]] virtual const std::string& NomChamp(int position) const = 0;
  [[nodiscard]] virtual int GenerationDonnees() const = 0;
};

// Conversion of a value to what a column of the given definition stores (width, size, text form).
[[nodiscard]] TValeur ConvertitPourChamp(const TACRFieldDef& def, TValeur valeur);

}  // namespace kyb
