#pragma once
// TACRQuery: SQL text with named parameters (":nom"), run on a TACRDatabase. Open() runs a
// SELECT and stands on its first row; Next() steps; ExecSQL() runs any other statement. Each
// query holds its own statement while it lives (borrowed from the connection's cache of
// prepared statements, given back at its end), so worker threads run private queries on the
// shared database while the main thread uses its tables. A query belongs to one thread at a time.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/acr_database.h"
#include "engine/acr_field.h"

struct sqlite3_value;  // SQLite's value of a column

namespace kyb {

class TInstruction;  // a prepared statement (engine-private)

// One column of a query's current row read straight from the statement, converted as a field of
// the query converts it but with no copy of the row: valid until the query moves or closes.
// The column is taken once from the statement (one pass through the connection's lock); its kind,
// numbers and lengths are then read from the value itself, which takes no lock and never
// converts it.
class TColonneLue {
 public:
  TColonneLue() = default;
  TColonneLue(const TInstruction* instruction, int position);
  [[nodiscard]] bool IsNull() const;
  [[nodiscard]] int64_t AsInt64() const;
  [[nodiscard]] int32_t AsInteger() const { return static_cast<int32_t>(AsInt64()); }
  [[nodiscard]] double AsFloat() const;
  [[nodiscard]] TDateTime AsDateTime() const { return AsFloat(); }
  // The stored bytes of a text (UTF-8) or blob column; empty for other kinds.
  [[nodiscard]] std::string_view Octets() const;
  [[nodiscard]] std::string AsUtf8() const;
  [[nodiscard]] AnsiString AsAnsiString() const;
  [[nodiscard]] UnicodeString AsUnicodeString() const;
  [[nodiscard]] std::string AsBlob() const { return AsUtf8(); }

 private:
  const TInstruction* instruction_ = nullptr;  // null: no current row
  int position_ = 0;
  sqlite3_value* valeur_ = nullptr;
  int sorte_ = 5;  // SQLITE_NULL
};

class TACRQuery final : public TACRDataSet {
 public:
  explicit TACRQuery(TACRDatabase& base);
  TACRQuery(TACRDatabase& base, std::string sql);
  ~TACRQuery() override;
  TACRQuery(const TACRQuery&) = delete;
  TACRQuery& operator=(const TACRQuery&) = delete;

  void SetSQL(std::string sql);  // closes the query and forgets its parameters
  [[nodiscard]] const std::string& SQL() const { return sql_; }

  // Parameter values, by name with or without the leading ':'.
  void ParamByName(const std::string& nom, TValeur valeur);
  void SetParamInteger(const std::string& nom, int64_t v) { ParamByName(nom, TValeur::DeEntier(v)); }
  void SetParamFloat(const std::string& nom, double v) { ParamByName(nom, TValeur::DeReel(v)); }
  void SetParamAnsi(const std::string& nom, const AnsiString& v);
  void SetParamUnicode(const std::string& nom, const UnicodeString& v);
  void SetParamBlob(const std::string& nom, const std::string& v) { ParamByName(nom, TValeur::DeBlob(v)); }

  [[nodiscard]] bool Open();     // false on an SQL error (message on the database)
  [[nodiscard]] bool ExecSQL();  // false on an SQL error
  void Close();
  [[nodiscard]] bool Active() const { return actif_; }
  [[nodiscard]] bool Eof() const { return eof_; }
  void Next();
  [[nodiscard]] int64_t RowsAffected() const { return lignesModifiees_; }

  [[nodiscard]] int FieldCount() const { return static_cast<int>(noms_.size()); }
  [[nodiscard]] TACRField& Fields(int position);
  [[nodiscard]] TACRField& FieldByName(const std::string& nom);
  [[nodiscard]] TACRField* FindField(const std::string& nom);
  // A column of the current row, read without a copy (a null one past the end or out of range).
  [[nodiscard]] TColonneLue Colonne(int position) const;

  // TACRDataSet
  [[nodiscard]] const TValeur& ValeurChamp(int position) const override;
  bool EcritChamp(int, TValeur) override { return false; }
  [[nodiscard]] const std::string& NomChamp(int position) const override;
  [[nodiscard]] int GenerationDonnees() const override { return kGenerationMoteur; }

 private:
  [[nodiscard]] bool Prepare();
  void LitLigneCourante();
  void LitNomsColonnes();

  TACRDatabase& base_;
  std::string sql_;
  std::map<std::string, TValeur> parametres_;
  std::unique_ptr<TInstruction> instruction_;  // kept prepared from one run to the next
  bool actif_ = false;
  bool eof_ = true;
  int64_t lignesModifiees_ = 0;
  std::vector<std::string> noms_;
  mutable std::vector<TValeur> ligne_;  // the current row's values read so far
  mutable std::vector<bool> lues_;
  std::vector<std::unique_ptr<TACRField>> champs_;
  std::unique_ptr<TACRField> champAbsent_;
};

}  // namespace kyb
