#include "gedcom/codage_gedcom.h"

#include <unicode/unorm2.h>

#include <array>
#include <vector>

#include "platform/chaines.h"
#include "platform/references_ansi.h"

namespace kyb {

namespace {

// ANSEL 0xA0-0xFF: spacing characters (0 = not assigned). 0x88/0x89 (non-sorting begin and end)
// are dropped; 0x8D/0x8E are the zero-width joiner and non-joiner.
constexpr std::array<char16_t, 96> kAnselHaut = {
    // A0
    0, 0x0141, 0x00D8, 0x0110, 0x00DE, 0x00C6, 0x0152, 0x02B9,
    0x00B7, 0x266D, 0x00AE, 0x00B1, 0x01A0, 0x01AF, 0x02BC, 0,
    // B0
    0x02BB, 0x0142, 0x00F8, 0x0111, 0x00FE, 0x00E6, 0x0153, 0x02BA,
    0x0131, 0x00A3, 0x00F0, 0, 0x01A1, 0x01B0, 0x25A1, 0x25A0,
    // C0
    0x00B0, 0x2113, 0x2117, 0x00A9, 0x266F, 0x00BF, 0x00A1, 0x00DF,
    0x20AC, 0, 0, 0, 0, 0x1D49, 0x1D52, 0x00DF,
    // D0
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // E0: combining marks, written before their base letter
    0x0309, 0x0300, 0x0301, 0x0302, 0x0303, 0x0304, 0x0306, 0x0307,
    0x0308, 0x030C, 0x030A, 0xFE20, 0xFE21, 0x0315, 0x030B, 0x0310,
    // F0
    0x0327, 0x0328, 0x0323, 0x0324, 0x0325, 0x0333, 0x0332, 0x0326,
    0x031C, 0x032E, 0xFE22, 0xFE23, 0, 0, 0x0313, 0,
};

// PC code pages 437 and 850, bytes 0x80-0xFF (the lower half is ASCII).
constexpr std::array<char16_t, 128> kIbm437Haut = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};
constexpr std::array<char16_t, 128> kIbm850Haut = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

std::string PageIbmVersUtf8(std::string_view octets, const std::array<char16_t, 128>& haut) {
  std::string sortie;
  sortie.reserve(octets.size() + octets.size() / 4);
  for (const char brut : octets) {
    const auto c = static_cast<unsigned char>(brut);
    AjouteUtf8(c < 0x80 ? char32_t(c) : char32_t(haut[c - 0x80]), sortie);
  }
  return sortie;
}

bool Combinant(unsigned char c) noexcept { return c >= 0xE0 && kAnselHaut[c - 0xA0] != 0; }

void AjouteUtf16(std::u16string_view texte, std::string& sortie) {
  sortie += UnicodeVersUtf8(texte);
}

// NFC through ICU; the text unchanged if ICU refuses it.
std::u16string Compose(const std::u16string& texte) {
  UErrorCode erreur = U_ZERO_ERROR;
  const UNormalizer2* nfc = unorm2_getNFCInstance(&erreur);
  if (U_FAILURE(erreur)) return texte;
  std::u16string resultat(texte.size() + 16, u'\0');
  const int32_t n = unorm2_normalize(nfc, texte.data(), static_cast<int32_t>(texte.size()),
                                     resultat.data(), static_cast<int32_t>(resultat.size()),
                                     &erreur);
  if (erreur == U_BUFFER_OVERFLOW_ERROR) {
    erreur = U_ZERO_ERROR;
    resultat.assign(static_cast<std::size_t>(n), u'\0');
    unorm2_normalize(nfc, texte.data(), static_cast<int32_t>(texte.size()), resultat.data(), n,
                     &erreur);
  }
  if (U_FAILURE(erreur)) return texte;
  resultat.resize(static_cast<std::size_t>(n));
  return resultat;
}

std::string SansPrefixe(std::string_view nom) {
  std::string t;
  for (const char c : nom) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    t += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return t;
}

}  // namespace

void AjouteUtf8(char32_t c, std::string& sortie) {
  if (c < 0x80) {
    sortie += static_cast<char>(c);
  } else if (c < 0x800) {
    sortie += static_cast<char>(0xC0 | (c >> 6));
    sortie += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    sortie += static_cast<char>(0xE0 | (c >> 12));
    sortie += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    sortie += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    sortie += static_cast<char>(0xF0 | (c >> 18));
    sortie += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    sortie += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    sortie += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool CodageDuNomChar(std::string_view nom, TCodageGedcom& codage) {
  const std::string n = SansPrefixe(nom);
  if (n == "UTF-8" || n == "UTF8") {
    codage = TCodageGedcom::Utf8;
  } else if (n == "UNICODE" || n == "UTF-16" || n == "UTF16") {
    codage = TCodageGedcom::Utf16LE;
  } else if (n == "ANSI" || n == "WINDOWS-1252" || n == "CP1252" || n == "ISO-8859-1" ||
             n == "LATIN1") {
    codage = TCodageGedcom::Ansi;
  } else if (n == "IBMPC" || n == "IBM-PC" || n == "IBM437" || n == "CP437" || n == "437") {
    codage = TCodageGedcom::Ibm437;
  } else if (n == "850" || n == "IBM850" || n == "IBM-850" || n == "CP850") {
    codage = TCodageGedcom::Ibm850;
  } else if (n == "ANSEL") {
    codage = TCodageGedcom::Ansel;
  } else if (n == "ASCII") {
    codage = TCodageGedcom::Ascii;
  } else {
    return false;
  }
  return true;
}

const char* NomCodage(TCodageGedcom codage) noexcept {
  switch (codage) {
    case TCodageGedcom::Utf8: return "UTF-8";
    case TCodageGedcom::Utf16LE: return "UTF-16 LE";
    case TCodageGedcom::Utf16BE: return "UTF-16 BE";
    case TCodageGedcom::Ansi: return "Windows-1252";
    case TCodageGedcom::Ansel: return "ANSEL";
    case TCodageGedcom::Ascii: return "ASCII";
    case TCodageGedcom::Ibm437: return "IBM 437";
    case TCodageGedcom::Ibm850: return "IBM 850";
  }
  return "?";
}

std::string Utf8Valide(std::string_view octets, bool remplacement, std::size_t& invalides) {
  std::string sortie;
  sortie.reserve(octets.size());
  std::size_t i = 0;
  while (i < octets.size()) {
    const auto c = static_cast<unsigned char>(octets[i]);
    if (c < 0x80) {
      // A run of ASCII bytes goes across in one append.
      std::size_t fin = i + 1;
      while (fin < octets.size() && static_cast<unsigned char>(octets[fin]) < 0x80) ++fin;
      sortie.append(octets.data() + i, fin - i);
      i = fin;
      continue;
    }
    int suite = 0;
    char32_t point = 0, minimum = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      suite = 1, point = c & 0x1F, minimum = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
      suite = 2, point = c & 0x0F, minimum = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
      suite = 3, point = c & 0x07, minimum = 0x10000;
    }
    bool bon = suite > 0;
    for (int k = 1; bon && k <= suite; ++k) {
      if (i + static_cast<std::size_t>(k) >= octets.size()) {
        bon = false;
        break;
      }
      const auto s = static_cast<unsigned char>(octets[i + static_cast<std::size_t>(k)]);
      if ((s & 0xC0) != 0x80) bon = false;
      point = (point << 6) | (s & 0x3F);
    }
    if (bon && (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)))
      bon = false;
    if (bon) {
      sortie.append(octets.substr(i, static_cast<std::size_t>(suite) + 1));
      i += static_cast<std::size_t>(suite) + 1;
    } else {
      ++invalides;
      if (remplacement)
        AjouteUtf8(0xFFFD, sortie);
      else
        AjouteUtf8(CarAnsiVersUnicode(c), sortie);
      ++i;
    }
  }
  return sortie;
}

std::string AnselVersUtf8(std::string_view octets, std::size_t& invalides) {
  std::u16string texte;
  texte.reserve(octets.size());
  std::u16string marques;  // combining marks waiting for their base letter
  bool compose = false;
  for (const char brut : octets) {
    const auto c = static_cast<unsigned char>(brut);
    if (Combinant(c)) {
      marques += kAnselHaut[c - 0xA0];
      compose = true;
      continue;
    }
    char16_t u = 0;
    if (c < 0x80) {
      u = c;
    } else if (c == 0x88 || c == 0x89) {
      continue;
    } else if (c == 0x8D) {
      u = 0x200D;
    } else if (c == 0x8E) {
      u = 0x200C;
    } else if (c >= 0xA0 && kAnselHaut[c - 0xA0] != 0) {
      u = kAnselHaut[c - 0xA0];
    } else {
      ++invalides;
      u = 0xFFFD;
    }
    texte += u;
    texte += marques;
    marques.clear();
  }
  texte += marques;  // marks with no letter after them are kept as they stand
  std::string sortie;
  AjouteUtf16(compose ? Compose(texte) : texte, sortie);
  return sortie;
}

std::string LigneVersUtf8(std::string_view octets, TCodageGedcom codage,
                          std::size_t& invalides) {
  switch (codage) {
    case TCodageGedcom::Utf8:
      return Utf8Valide(octets, false, invalides);
    case TCodageGedcom::Utf16LE:
    case TCodageGedcom::Utf16BE:
      return Utf8Valide(octets, true, invalides);
    case TCodageGedcom::Ansel:
      return AnselVersUtf8(octets, invalides);
    case TCodageGedcom::Ascii:
      for (const char c : octets)
        if (static_cast<unsigned char>(c) >= 0x80) ++invalides;
      return AnsiBrutVersUtf8(octets);
    case TCodageGedcom::Ibm437:
      return PageIbmVersUtf8(octets, kIbm437Haut);
    case TCodageGedcom::Ibm850:
      return PageIbmVersUtf8(octets, kIbm850Haut);
    case TCodageGedcom::Ansi:
      for (const char c : octets) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D) ++invalides;
      }
      return AnsiBrutVersUtf8(octets);
  }
  return std::string(octets);
}

void TDecodeurUtf16::Unite(char16_t u, std::string& sortie) {
  if (hautEnAttente_ != 0) {
    if (u >= 0xDC00 && u <= 0xDFFF) {
      const char32_t point =
          0x10000 + ((static_cast<char32_t>(hautEnAttente_) - 0xD800) << 10) + (u - 0xDC00);
      hautEnAttente_ = 0;
      AjouteUtf8(point, sortie);
      return;
    }
    hautEnAttente_ = 0;
    sortie += '\xFF';
  }
  if (u >= 0xD800 && u <= 0xDBFF) {
    hautEnAttente_ = u;
  } else if (u >= 0xDC00 && u <= 0xDFFF) {
    sortie += '\xFF';
  } else {
    AjouteUtf8(u, sortie);
  }
}

void TDecodeurUtf16::Decode(std::string_view octets, std::string& sortie) {
  for (const char brut : octets) {
    const auto c = static_cast<unsigned char>(brut);
    if (!octetEnAttente_) {
      octet_ = c;
      octetEnAttente_ = true;
      continue;
    }
    octetEnAttente_ = false;
    const char16_t u = grandBoutiste_ ? static_cast<char16_t>((octet_ << 8) | c)
                                      : static_cast<char16_t>((c << 8) | octet_);
    Unite(u, sortie);
  }
}

void TDecodeurUtf16::Termine(std::string& sortie) {
  if (hautEnAttente_ != 0 || octetEnAttente_) sortie += '\xFF';
  hautEnAttente_ = 0;
  octetEnAttente_ = false;
}

}  // namespace kyb
