#include "folder/elt_dupli.h"

#include <cstring>

#include "names/bo_chn1.h"
#include "platform/references_ansi.h"

namespace kyb {
namespace {

int CompareUnites(std::u16string_view a, std::u16string_view b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareOctets(const AnsiString& a, const AnsiString& b) { return strcmpFL(a.c_str(), b.c_str()); }

UnicodeString Coupe(std::u16string_view t, size_t n) { return UnicodeString(t.substr(0, std::min(t.size(), n))); }
AnsiString Coupe(std::string_view t, size_t n) { return CoupeAnsiCaracteres(t, n); }

// The complement after its first part (the country), or empty.
UnicodeString SuiteComplement(const UnicodeString& complement) {
  const size_t p = complement.find(u';');
  return p == UnicodeString::npos ? UnicodeString() : EffBlancs(std::u16string_view(complement).substr(p + 1));
}

UnicodeString Style(const UnicodeString& partie, int style) {
  if (style == kStyleParentheses) return partie.empty() ? partie : u"(" + partie + u")";
  return partie;
}

}  // namespace

UnicodeString CleDupli(std::u16string_view texte) { return UpperANSIChaineAS(texte, 2); }

TEltDupWideChn::TEltDupWideChn(std::u16string_view valeur, std::u16string_view code,
                               std::u16string_view complement, long numero, char etat)
    : Numero(numero), Etat(etat) {
  SetTextes(valeur, code, complement);
}

void TEltDupWideChn::SetTextes(std::u16string_view valeur, std::u16string_view code,
                               std::u16string_view complement, size_t lgValeur, size_t lgCode,
                               size_t lgComplement) {
  valeur_ = Coupe(valeur, std::min(lgValeur, kLgValeur));
  code_ = Coupe(code, std::min(lgCode, kLgCode));
  complement_ = Coupe(complement, std::min(lgComplement, kLgComplement));
  CalcMaj();
}

void TEltDupWideChn::CalcMaj() {
  cleValeur_ = CleDupli(valeur_);
  cleCode_ = CleDupli(code_);
  cleComplement_ = CleDupli(complement_);
}

int TEltDupWideChn::EltCmp(const TEltDupWideChn& a) const {
  if (int c = CompareUnites(cleValeur_, a.cleValeur_)) return c;
  if (int c = CompareUnites(cleCode_, a.cleCode_)) return c;
  if (int c = CompareUnites(cleComplement_, a.cleComplement_)) return c;
  if (int c = CompareUnites(valeur_, a.valeur_)) return c;
  if (int c = CompareUnites(code_, a.code_)) return c;
  return CompareUnites(complement_, a.complement_);
}

UnicodeString TEltDupWideChn::ChargeElement(int sousChamp, int style) const {
  switch (sousChamp) {
    case kSousChampCommune:
      return Style(EffBlancs(EltNo(1, valeur_, u';')), style);
    case kSousChampDepartement:
      return Style(EffBlancs(code_), style);
    case kSousChampPays:
      return Style(EffBlancs(EltNo(1, complement_, u';')), style);
    case kSousChampRegion: {
      UnicodeString region = EffBlancs(EltNo(2, valeur_, u';'));
      const UnicodeString suite = SuiteComplement(complement_);
      if (!suite.empty()) region = region.empty() ? suite : region + u";" + suite;
      return Style(region, style);
    }
    default:
      return {};
  }
}

void TEltDupWideChn::Sauvegarde(TSortieBinaire& flux) const {
  flux.EcritEntier32(static_cast<int32_t>(Numero));
  flux.EcritOctet(static_cast<uint8_t>(Etat));
  WriteUnicodeString(flux, valeur_);
  WriteUnicodeString(flux, code_);
  WriteUnicodeString(flux, complement_);
}

bool TEltDupWideChn::Restauration(TEntreeBinaire& flux) {
  int32_t numero = 0;
  uint8_t etat = 0;
  UnicodeString valeur, code, complement;
  const bool ok = flux.LitEntier32(numero) && flux.LitOctet(etat) &&
                  ReadUnicodeString(flux, valeur, kMaxOctetsTexte) &&
                  ReadUnicodeString(flux, code, kMaxOctetsTexte) &&
                  ReadUnicodeString(flux, complement, kMaxOctetsTexte);
  Numero = numero;
  Etat = etat == static_cast<uint8_t>(kEtatSupprime) ? kEtatSupprime : kEtatActif;
  SetTextes(valeur, code, complement);
  return ok;
}

// --- TEltDupChn ---------------------------------------------------------------------------------

TEltDupChn::TEltDupChn(std::string_view valeur, std::string_view code, std::string_view complement,
                       int32_t numero)
    : Numero(numero) {
  SetTextes(valeur, code, complement);
}

void TEltDupChn::SetTextes(std::string_view valeur, std::string_view code, std::string_view complement) {
  valeur_ = Coupe(valeur, TEltDupWideChn::kLgValeur);
  code_ = Coupe(code, TEltDupWideChn::kLgCode);
  complement_ = Coupe(complement, TEltDupWideChn::kLgComplement);
  CalcMaj();
}

void TEltDupChn::CalcMaj() {
  cleValeur_ = UpperANSIChaineAS(valeur_, 2);
  cleCode_ = UpperANSIChaineAS(code_, 2);
  cleComplement_ = UpperANSIChaineAS(complement_, 2);
}

char* TEltDupChn::Ecrit(char* dest) const {
  EcritMemoire(dest, &Numero, 4);
  EcritCar(dest, Drapeau);
  for (const AnsiString* t : {&valeur_, &code_, &complement_, &cleValeur_, &cleCode_, &cleComplement_})
    EcritChn(dest, t->c_str());
  return dest;
}

int TEltDupChn::Lit(const char* buffer, int offset) {
  const char* p = buffer + offset;
  LitMemoire(p, &Numero, 4);
  LitCar(p, Drapeau);
  const size_t largeurs[] = {TEltDupWideChn::kLgValeur, TEltDupWideChn::kLgCode,
                             TEltDupWideChn::kLgComplement};
  AnsiString* textes[] = {&valeur_, &code_, &complement_, &cleValeur_, &cleCode_, &cleComplement_};
  for (int i = 0; i < 6; ++i) LitChn(p, *textes[i], largeurs[i % 3]);
  return static_cast<int>(p - (buffer + offset));
}

int TEltDupChn::GetTaille() const {
  return static_cast<int>(valeur_.size() + code_.size() + complement_.size() + cleValeur_.size() +
                          cleCode_.size() + cleComplement_.size()) + 11;
}

int TEltDupChn::EltCmp(const TEltBaseTV& autre) const {
  const auto& a = static_cast<const TEltDupChn&>(autre);
  if (int c = CompareOctets(cleValeur_, a.cleValeur_)) return c;
  if (int c = CompareOctets(cleCode_, a.cleCode_)) return c;
  if (int c = CompareOctets(cleComplement_, a.cleComplement_)) return c;
  if (int c = CompareOctets(valeur_, a.valeur_)) return c;
  if (int c = CompareOctets(code_, a.code_)) return c;
  return CompareOctets(complement_, a.complement_);
}

int TEltDupChn::MultiChnCmp(std::string_view tape) const {
  const AnsiString* cles[] = {&cleValeur_, &cleCode_, &cleComplement_};
  const int n = std::min(NombreElts(tape, ';'), 3);
  for (int i = 0; i < n; ++i) {
    const AnsiString partie = UpperANSIChaineAS(EffBlancs(EltNo(i + 1, tape, ';')), 2);
    const AnsiString debut = cles[i]->substr(0, std::min(cles[i]->size(), partie.size()));
    if (int c = CompareOctets(partie, debut)) return c;
  }
  return 0;
}

}  // namespace kyb
