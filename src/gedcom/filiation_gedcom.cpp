#include "gedcom/filiation_gedcom.h"

#include <cctype>

namespace kyb {
namespace {

struct TMotPedi {
  const char* mot;
  char pedi;
};
constexpr TMotPedi kMots[] = {{"birth", 'N'}, {"adopted", 'A'}, {"foster", 'F'}, {"sealing", 'S'}, {"other", 'O'}};

}  // namespace

char Pedi(std::string_view valeur) {
  std::string mot;
  for (const char c : valeur)
    if (c != ' ') mot += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (mot.empty()) return 0;
  for (const TMotPedi& m : kMots)
    if (mot == m.mot) return m.pedi;
  return 'O';
}

std::string MotPedi(char pedi, bool v7) {
  std::string mot = "other";
  for (const TMotPedi& m : kMots)
    if (m.pedi == pedi) mot = m.mot;
  if (v7)
    for (char& c : mot) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return mot;
}

}  // namespace kyb
