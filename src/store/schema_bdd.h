#pragma once
// The tables of the store, their columns, engine types and indexes, in creation order.
#include <string>
#include <vector>

#include "engine/acr_types.h"

namespace kyb {

struct TDefinitionTable {
  std::string nom;
  TACRFieldDefs champs;
  TACRIndexDefs index;
};

// Evenements, Illustrations, Sources, PersAssociees, TabInformations, Geolocalisation,
// IndexNomPrenoms, NotesTranscription, IDParents, RechercheVastrelNet, Personnes,
// PersonnesSuppr, Lieux.
[[nodiscard]] const std::vector<TDefinitionTable>& SchemaBDD();
[[nodiscard]] const TDefinitionTable& DefinitionTable(const std::string& nom);

// Version of the schema stamped under "Version-G".
inline constexpr const char* kVersionSchema = "2021.3.7";

}  // namespace kyb
