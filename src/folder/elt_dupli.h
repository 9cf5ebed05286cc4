#pragma once
// Elements of the value tables and of the value dictionaries: a value typed once and proposed
// again (a place, a quality, a kinship word, a profession).
//
// An element holds a number, a one-byte state ('N' active, 'O' deleted) and three texts: the
// value (for places the town and region joined by ';'), a short code (for places the department)
// and a complement (for places the country, then further parts, ';'-separated). Each text has an
// upper-case key without accents (plain upper case of the name keys) recomputed by CalcMaj
// whenever a text changes; longer texts are cut to their widths (300, 10 and 50 characters).
//
// Order (EltCmp): value key, code key, complement key, then value, code and complement, each
// compared by code units (bytes for the 8-bit form). So values differing only by case or accents
// stand side by side, the plain form first.
//
// Stream layout of TEltDupWideChn (Sauvegarde / Restauration), integers little-endian:
//   4  number          1  state          then value, code and complement as text records
//                                        (int32 byte length L, then L bytes of UTF-8)
//
// Buffer layout of TEltDupChn (Ecrit / Lit, in a TTableTV): number (4 bytes), flag (1 byte), then
// value, code, complement, value key, code key and complement key, each zero-terminated
// (Windows-1252). GetTaille = sum of the six lengths + 11, GetTailleMax = 731.
//
// Place sub-fields (ChargeElement): 53 commune, 54 department, 55 country, 64 region. Styles:
// 60 the part as it stands; 61 the part between parentheses (nothing when empty).
#include <cstdint>
#include <string>

#include "platform/flux_binaire.h"
#include "names/g_tblvar.h"
#include "platform/chaines.h"

namespace kyb {

inline constexpr char kEtatActif = 'N';
inline constexpr char kEtatSupprime = 'O';

inline constexpr int kSousChampCommune = 53;
inline constexpr int kSousChampDepartement = 54;
inline constexpr int kSousChampPays = 55;
inline constexpr int kSousChampRegion = 64;
inline constexpr int kStyleTexte = 60;
inline constexpr int kStyleParentheses = 61;

class TEltDupWideChn {
 public:
  static constexpr size_t kLgValeur = 300;
  static constexpr size_t kLgCode = 10;
  static constexpr size_t kLgComplement = 50;
  static constexpr int32_t kMaxOctetsTexte = 4 * 300;  // a longer text record is damage

  TEltDupWideChn() = default;
  explicit TEltDupWideChn(std::u16string_view valeur, std::u16string_view code = {},
                          std::u16string_view complement = {}, long numero = 0,
                          char etat = kEtatActif);

  // Sets the three texts, cut to the given widths (at most the element's), keys recomputed.
  void SetTextes(std::u16string_view valeur, std::u16string_view code,
                 std::u16string_view complement, size_t lgValeur = kLgValeur,
                 size_t lgCode = kLgCode, size_t lgComplement = kLgComplement);
  void CalcMaj();

  [[nodiscard]] const UnicodeString& Valeur() const { return valeur_; }
  [[nodiscard]] const UnicodeString& Code() const { return code_; }
  [[nodiscard]] const UnicodeString& Complement() const { return complement_; }
  [[nodiscard]] const UnicodeString& CleValeur() const { return cleValeur_; }
  [[nodiscard]] bool IsFicheSupprimee() const { return Etat == kEtatSupprime; }
  // The text of the element, as lists show it: the value.
  [[nodiscard]] const UnicodeString& Charge() const { return valeur_; }
  // A place sub-field (codes above) in a style; empty for an unknown code.
  [[nodiscard]] UnicodeString ChargeElement(int sousChamp, int style) const;

  [[nodiscard]] int EltCmp(const TEltDupWideChn& autre) const;
  [[nodiscard]] bool operator<(const TEltDupWideChn& a) const { return EltCmp(a) < 0; }
  [[nodiscard]] bool operator<=(const TEltDupWideChn& a) const { return EltCmp(a) < 1; }
  [[nodiscard]] bool operator==(const TEltDupWideChn& a) const { return EltCmp(a) == 0; }
  [[nodiscard]] bool operator!=(const TEltDupWideChn& a) const { return EltCmp(a) != 0; }

  void Sauvegarde(TSortieBinaire& flux) const;
  // False on a cut or damaged element (the element then holds what was read).
  [[nodiscard]] bool Restauration(TEntreeBinaire& flux);

  long Numero = 0;
  char Etat = kEtatActif;

 private:
  UnicodeString valeur_, code_, complement_;
  UnicodeString cleValeur_, cleCode_, cleComplement_;
};

// Upper-case key without accents of a text, as the elements compute it.
[[nodiscard]] UnicodeString CleDupli(std::u16string_view texte);

// 8-bit element of the dictionaries kept in a TTableTV.
class TEltDupChn : public TEltBaseTV {
 public:
  static constexpr int kTailleMax = 731;

  TEltDupChn() = default;
  explicit TEltDupChn(std::string_view valeur, std::string_view code = {},
                      std::string_view complement = {}, int32_t numero = 0);

  void SetTextes(std::string_view valeur, std::string_view code, std::string_view complement);
  void CalcMaj();
  [[nodiscard]] const AnsiString& Valeur() const { return valeur_; }
  [[nodiscard]] const AnsiString& Code() const { return code_; }
  [[nodiscard]] const AnsiString& Complement() const { return complement_; }
  [[nodiscard]] const AnsiString& CleValeur() const { return cleValeur_; }

  char* Ecrit(char* dest) const override;
  int Lit(const char* buffer, int offset) override;
  [[nodiscard]] int GetTaille() const override;
  [[nodiscard]] int GetTailleMax() const override { return kTailleMax; }
  [[nodiscard]] int EltCmp(const TEltBaseTV& autre) const override;
  // A typed text against the element, part by part (value, then code, then complement, split at
  // ';'): 0 when each typed part begins the element's key of that part.
  [[nodiscard]] int MultiChnCmp(std::string_view tape) const;

  int32_t Numero = 0;
  char Drapeau = kEtatActif;

 private:
  AnsiString valeur_, code_, complement_;
  AnsiString cleValeur_, cleCode_, cleComplement_;
};

}  // namespace kyb
