// Plain text of an RTF document: groups of fonts, colours, styles, document information and
// pictures are dropped, control words are removed, \par and \line become line breaks, \tab a tab,
// \'hh the byte hh and \uN the character N when it fits in one byte ('?' otherwise).
#include <cctype>
#include <cstring>
#include <vector>

#include "folder/fic_notes.h"

namespace kyb {
namespace {

bool GroupeIgnore(const AnsiString& mot) {
  static const char* const kMots[] = {"fonttbl", "colortbl", "stylesheet", "info", "pict", "header",
                                      "footer", "listtable", "listoverridetable", "rsidtbl", "generator",
                                      "xmlnstbl", "themedata", "object", "field", "fldinst"};
  for (const char* m : kMots)
    if (mot == m) return true;
  return false;
}

int Hexa(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

}  // namespace

AnsiString TexteSansRtf(const AnsiString& rtf) {
  if (rtf.rfind("{\\rtf", 0) != 0) return rtf;
  AnsiString texte;
  std::vector<bool> ignores{false};  // one entry per open group
  size_t i = 0;
  const size_t n = rtf.size();
  auto ajoute = [&](char c) {
    if (!ignores.back()) texte.push_back(c);
  };
  while (i < n) {
    const char c = rtf[i++];
    if (c == '{') {
      ignores.push_back(ignores.back());
      if (i + 1 < n && rtf[i] == '\\' && rtf[i + 1] == '*') ignores.back() = true;
    } else if (c == '}') {
      if (ignores.size() > 1) ignores.pop_back();
    } else if (c == '\r' || c == '\n') {
      // line breaks of the source are not text
    } else if (c != '\\') {
      ajoute(c);
    } else if (i < n && (rtf[i] == '\\' || rtf[i] == '{' || rtf[i] == '}')) {
      ajoute(rtf[i++]);
    } else if (i < n && rtf[i] == '\'') {
      const int h = i + 2 < n ? Hexa(rtf[i + 1]) : -1, l = i + 2 < n ? Hexa(rtf[i + 2]) : -1;
      if (h >= 0 && l >= 0) ajoute(static_cast<char>(h * 16 + l));
      i += 3;
    } else if (i < n && std::isalpha(static_cast<unsigned char>(rtf[i]))) {
      const size_t debut = i;
      while (i < n && std::isalpha(static_cast<unsigned char>(rtf[i]))) ++i;
      const AnsiString mot = rtf.substr(debut, i - debut);
      const size_t debutNombre = i;
      if (i < n && rtf[i] == '-') ++i;
      while (i < n && std::isdigit(static_cast<unsigned char>(rtf[i]))) ++i;
      const AnsiString nombre = rtf.substr(debutNombre, i - debutNombre);
      if (i < n && rtf[i] == ' ') ++i;
      if (mot == "par" || mot == "line") {
        ajoute('\r');
        ajoute('\n');
      } else if (mot == "tab") {
        ajoute('\t');
      } else if (mot == "u" && !nombre.empty() && nombre != "-") {
        long code = std::strtol(nombre.c_str(), nullptr, 10);
        if (code < 0) code += 65536;
        ajoute(code < 256 ? static_cast<char>(code) : '?');
        if (i < n && rtf[i] != '\\' && rtf[i] != '{' && rtf[i] != '}') ++i;  // the stand-in character
      } else if (GroupeIgnore(mot)) {
        ignores.back() = true;
      }
    } else if (i < n) {
      if (rtf[i] == '~') ajoute(' ');
      else if (rtf[i] == '_') ajoute('-');
      ++i;
    }
  }
  while (!texte.empty() && (texte.back() == '\r' || texte.back() == '\n')) texte.pop_back();
  return texte;
}

}  // namespace kyb
