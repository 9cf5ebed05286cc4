#pragma once
// The built-in French string table, loaded by number as the host application's resources were.
// Texts are stored in UTF-8 and handed out in the form the caller needs. An unknown number gives
// an empty text. Thread-safe (read-only data).
//
// Each subsystem keeps its texts in a table of its own (ressources_<subsystem>.cpp in this folder);
// numbers must be unique across all tables, which the tests check.
#include <span>
#include <string>

#include "platform/chaines.h"

namespace kyb {

struct TRessource {
  int numero;
  const char* texteUtf8;
};

[[nodiscard]] UnicodeString ChargeChaine(int numero);
[[nodiscard]] AnsiString ChargeChaineAnsi(int numero);
[[nodiscard]] std::string ChargeChaineUtf8(int numero);
[[nodiscard]] bool RessourceExiste(int numero);

// Every entry of every table, for checks.
[[nodiscard]] std::span<const TRessource> ToutesLesRessources();

// The tables of each subsystem.
std::span<const TRessource> RessourcesDossier();
std::span<const TRessource> RessourcesDates();
std::span<const TRessource> RessourcesNoms();

}  // namespace kyb
