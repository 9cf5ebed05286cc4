#pragma once
// TACRTable: one table of a TACRDatabase, both its schema (create, delete, empty, restructure,
// indexes, auto-increment) and a cursor over its rows.
//
// The cursor follows the selected index (SetIndexName; none = physical order), with the rowid as
// the last key column so that the order is total. It keeps the current row's values and moves by
// keyset pagination: each move is one indexed SELECT after (or before) the current key, rows
// fetched ahead in small batches. A cursor never holds a statement open between calls, so two
// cursors on one table never disturb each other, and writes made elsewhere are seen by the next
// batch. Edit/Insert then Post write the current row (one UPDATE by rowid, one INSERT); after an
// insert the cursor stands on the new row. Optional key range (SetRange) on a prefix of the
// index's columns. Errors: false results, message on the database, and OnPostError for failed
// posts and deletes.
//
// A cursor belongs to one thread at a time.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/acr_database.h"
#include "engine/acr_field.h"
#include "engine/acr_types.h"

namespace kyb {

enum class TEtatCurseur { Inactif, Consultation, Edition, Insertion };

// Key values given to FindKey, FindNearest and SetRange.
[[nodiscard]] inline TValeur Cle(int64_t v) { return TValeur::DeEntier(v); }
[[nodiscard]] inline TValeur CleReel(double v) { return TValeur::DeReel(v); }
[[nodiscard]] inline TValeur CleAnsi(const AnsiString& v) { return TValeur::DeTexte(AnsiVersUtf8(v)); }
[[nodiscard]] inline TValeur CleUnicode(const UnicodeString& v) {
  return TValeur::DeTexte(UnicodeVersUtf8(v));
}
using TCle = std::vector<TValeur>;

class TInstruction;  // a prepared statement (engine-private)

class TACRTable final : public TACRDataSet {
 public:
  TACRTable(TACRDatabase& base, std::string nomTable);
  ~TACRTable() override;
  TACRTable(const TACRTable&) = delete;
  TACRTable& operator=(const TACRTable&) = delete;

  [[nodiscard]] const std::string& TableName() const { return nom_; }
  [[nodiscard]] TACRDatabase& Database() const { return base_; }

  // --- schema ---
  [[nodiscard]] bool Exists() const;
  [[nodiscard]] bool CreateTable(const TACRFieldDefs& champs, const TACRIndexDefs& index);
  [[nodiscard]] bool DeleteTable();
  [[nodiscard]] bool EmptyTable();
  // Rebuilds the table with new definitions keeping every row (and its rowid): columns kept by
  // name are copied, converted to their new type and size; new columns take their default.
  [[nodiscard]] bool RestructureTable(const TACRFieldDefs& champs, const TACRIndexDefs& index);
  [[nodiscard]] bool AddField(const TACRFieldDef& champ);
  [[nodiscard]] bool AddIndex(const TACRIndexDef& index);
  [[nodiscard]] bool DeleteIndex(const std::string& nomIndex);
  [[nodiscard]] bool IndexExists(const std::string& nomIndex) const;
  [[nodiscard]] bool RepairTable();  // rebuilds the table's indexes
  [[nodiscard]] int64_t LastAutoIncValue() const;
  [[nodiscard]] bool SetLastAutoIncValue(int64_t valeur);
  // Definitions as the catalogue holds them (read when the table is opened).
  [[nodiscard]] const TACRFieldDefs& FieldDefs() const { return champs_; }
  [[nodiscard]] const TACRIndexDefs& IndexDefs() const { return index_; }
  [[nodiscard]] const TACRFieldDef* FindFieldDef(const std::string& nom) const;
  // Reads the definitions of a table that is not open.
  [[nodiscard]] bool ReadDefs(TACRFieldDefs& champs, TACRIndexDefs& index) const;

  // --- cursor ---
  [[nodiscard]] bool Open();
  void Close();
  [[nodiscard]] bool Active() const { return etat_ != TEtatCurseur::Inactif; }
  [[nodiscard]] TEtatCurseur State() const { return etat_; }

  [[nodiscard]] bool SetIndexName(const std::string& nomIndex);  // "" = physical order
  [[nodiscard]] const std::string& IndexName() const { return nomIndex_; }
  // Positions on the first row whose first key columns equal the values; false (cursor not
  // moved) when there is none.
  [[nodiscard]] bool FindKey(const TCle& valeurs);
  // Positions on the first row whose key is at or after the values; false when none.
  [[nodiscard]] bool FindNearest(const TCle& valeurs);
  void SetRange(const TCle& debut, const TCle& fin);
  void CancelRange();

  void First();
  void Next();
  void Prior();
  void Last();
  [[nodiscard]] bool Eof() const { return eof_; }
  [[nodiscard]] bool Bof() const { return bof_; }
  [[nodiscard]] bool IsEmpty() const { return !positionne_; }
  [[nodiscard]] int64_t RecordCount() const;
  [[nodiscard]] int64_t RowId() const { return rowid_; }

  void Edit();
  void Insert();
  void Append() { Insert(); }
  [[nodiscard]] bool Post();
  void Cancel();
  [[nodiscard]] bool Delete();

  [[nodiscard]] TACRField& FieldByName(const std::string& nom);
  [[nodiscard]] TACRField* FindField(const std::string& nom);
  [[nodiscard]] TACRField& Fields(int position);
  [[nodiscard]] int FieldCount() const { return static_cast<int>(champs_.size()); }

  std::function<void(TACRTable&, const std::string&)> OnPostError;

  // TACRDataSet
  [[nodiscard]] const TValeur& ValeurChamp(int position) const override;
  bool EcritChamp(int position, TValeur valeur) override;
  [[nodiscard]] const std::string& NomChamp(int position) const override;
  [[nodiscard]] int GenerationDonnees() const override { return base_.Generation(); }

 private:
  struct Ligne {
    int64_t rowid = 0;
    std::vector<TValeur> valeurs;
  };
  enum Operation : int { kSuivants, kPrecedent, kPremier, kDernier, kEgal, kProche, kCompte };
  struct Instructions;  // the cursor's prepared statements, kept until the definitions change

  void ReinitialiseCurseur();
  void ConstruitChamps();
  [[nodiscard]] TInstruction& Instruction(Operation op, int nbCles);
  [[nodiscard]] std::string SqlOperation(Operation op, int nbCles) const;
  [[nodiscard]] std::string TermeCle(int i) const;
  [[nodiscard]] std::string TermesCle(int nbCles, bool avecRowid) const;
  [[nodiscard]] std::string ClausePlage() const;
  int LiePlage(TInstruction& s, int position) const;
  int LieCleCourante(TInstruction& s, int position) const;
  [[nodiscard]] bool LitLigne(TInstruction& s, Ligne& ligne) const;
  void PlaceSur(Ligne ligne);
  [[nodiscard]] bool ChargeSuivants();
  [[nodiscard]] bool RemplitTampon(TInstruction& s);  // one batch from a bound statement
  [[nodiscard]] bool ChercheUne(Operation op, const TCle& valeurs);
  [[nodiscard]] bool EchecEcriture(const std::string& contexte);
  [[nodiscard]] bool ExecuteSchema(const std::vector<std::string>& ordres,
                                   const TACRFieldDefs& champs, const TACRIndexDefs& index);
  [[nodiscard]] TValeur ValeurParDefaut(int position) const;

  TACRDatabase& base_;
  std::string nom_;
  TACRFieldDefs champs_;
  TACRIndexDefs index_;
  std::vector<std::unique_ptr<TACRField>> objetsChamps_;
  std::map<std::string, int> positions_;
  int positionAutoInc_ = -1;
  std::string listeColonnes_;  // "rowid, c1, c2 ..."

  std::string nomIndex_;
  bool indexPret_ = false;  // colonnesCle_ matches nomIndex_ and the current definitions
  std::vector<int> colonnesCle_;
  std::vector<bool> sansCasse_;
  std::unique_ptr<Instructions> instructions_;

  bool plage_ = false;
  TCle debutPlage_, finPlage_;

  TEtatCurseur etat_ = TEtatCurseur::Inactif;
  bool positionne_ = false;
  bool eof_ = true, bof_ = true;
  int64_t rowid_ = 0;
  std::vector<TValeur> ligne_;
  std::vector<TValeur> defauts_;  // the row an insert starts from
  std::vector<TValeur> sauvegarde_;
  int64_t rowidSauvegarde_ = 0;
  bool positionneSauvegarde_ = false;
  std::vector<Ligne> tampon_;  // rows after the current one, in order
  size_t lu_ = 0;              // next row of tampon_ to serve
  bool finAtteinte_ = false;   // tampon_ holds the last rows of the order
  std::unique_ptr<TACRField> champAbsent_;
};

}  // namespace kyb
