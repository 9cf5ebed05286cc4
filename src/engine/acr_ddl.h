#pragma once
// SQL text of the tables and indexes described by engine definitions (private to the layer).
#include <string>
#include <vector>

#include "engine/acr_types.h"

namespace kyb {

[[nodiscard]] std::string SqlCreationTable(const std::string& table, const TACRFieldDefs& champs);
// Nothing when the index is the primary key on the auto-increment column (the rowid itself).
[[nodiscard]] std::string SqlCreationIndex(const std::string& table, const TACRFieldDefs& champs,
                                           const TACRIndexDef& index);
[[nodiscard]] std::string SqlValeurParDefaut(TTypeChamp type);
// A French message when the definitions cannot make a table, empty when they can.
[[nodiscard]] std::string VerifieDefinitions(const TACRFieldDefs& champs,
                                             const TACRIndexDefs& index);

}  // namespace kyb
