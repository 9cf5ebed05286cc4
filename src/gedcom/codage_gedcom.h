#pragma once
// Character sets of GEDCOM files and their conversion to UTF-8, one line at a time.
//
// A file's set is told by its byte-order mark (UTF-8, UTF-16 LE or BE) or by HEAD.CHAR:
// "UTF-8", "UNICODE" (UTF-16), "ANSI" (Windows-1252), "ANSEL" (ANSI/NISO Z39.47 with the GEDCOM
// additions 0xBE, 0xBF, 0xCD, 0xCE, 0xCF), "ASCII", "IBMPC" (the PC code page 437) or "850" (the
// PC code page 850, multilingual Latin 1). ANSEL writes its combining diacritics
// (0xE0-0xFE) BEFORE the base letter; they are moved after it and the line is put in Unicode
// composed form (NFC), so that "e" with 0xE2 in front gives the single character U+00E9.
// A byte that is not valid in the line's set never stops the conversion: it is counted in
// `invalides` and replaced by its Windows-1252 reading (UTF-8, ASCII, ANSI) or by U+FFFD (ANSEL,
// UTF-16 with a lone surrogate), so the reader can warn with the line number.
#include <cstddef>
#include <string>
#include <string_view>

namespace kyb {

enum class TCodageGedcom { Utf8, Utf16LE, Utf16BE, Ansi, Ansel, Ascii, Ibm437, Ibm850 };

// Set named by a HEAD.CHAR value (case and blanks ignored; "UTF8", "WINDOWS-1252", "CP1252",
// "ANSI", "IBMPC", "IBM437", "CP437", "850", "IBM850", "CP850" accepted); false for a name we do
// not know.
[[nodiscard]] bool CodageDuNomChar(std::string_view nom, TCodageGedcom& codage);
// French name of a set, for reports ("UTF-8", "UTF-16 LE", "Windows-1252", "ANSEL", "ASCII",
// "IBM 437", "IBM 850").
[[nodiscard]] const char* NomCodage(TCodageGedcom codage) noexcept;

// One line of an 8-bit set (or UTF-8) to UTF-8; invalides receives the count of bad bytes.
// For a UTF-16 file the line has already been converted by TDecodeurUtf16: only its validity is
// checked (bad sequences become U+FFFD).
[[nodiscard]] std::string LigneVersUtf8(std::string_view octets, TCodageGedcom codage,
                                        std::size_t& invalides);

// ANSEL to UTF-8 (composed form).
[[nodiscard]] std::string AnselVersUtf8(std::string_view octets, std::size_t& invalides);

// Checks UTF-8; bad bytes are read as Windows-1252 (remplacement false) or become U+FFFD.
[[nodiscard]] std::string Utf8Valide(std::string_view octets, bool remplacement,
                                     std::size_t& invalides);

// Streaming UTF-16 to UTF-8 decoder: chunks may end in the middle of a unit or of a surrogate
// pair. A lone surrogate gives the byte 0xFF, which Utf8Valide then reports and replaces.
class TDecodeurUtf16 {
 public:
  explicit TDecodeurUtf16(bool grandBoutiste) noexcept : grandBoutiste_(grandBoutiste) {}
  void Decode(std::string_view octets, std::string& sortie);
  // End of input: a pending odd byte or high surrogate becomes 0xFF.
  void Termine(std::string& sortie);

 private:
  void Unite(char16_t u, std::string& sortie);
  bool grandBoutiste_;
  bool octetEnAttente_ = false;
  unsigned char octet_ = 0;
  char16_t hautEnAttente_ = 0;
};

// Appends a code point as UTF-8.
void AjouteUtf8(char32_t c, std::string& sortie);

}  // namespace kyb
