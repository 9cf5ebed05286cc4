#include "engine/acr_field.h"

#include <algorithm>

#include "platform/references_ansi.h"

namespace kyb {
namespace {

// Keeps the first n characters (code points) of a UTF-8 text (n = 0: everything): a lead byte
// starts a character.
std::string CoupeUtf8(std::string utf8, int n) {
  if (n <= 0 || utf8.size() <= static_cast<size_t>(n)) return utf8;
  size_t caracteres = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;
    if (caracteres == static_cast<size_t>(n)) {
      utf8.resize(i);
      break;
    }
    ++caracteres;
  }
  return utf8;
}

int64_t LargeurType(TTypeChamp type, int64_t v) {
  switch (type) {
    case TTypeChamp::Int8: return static_cast<int8_t>(v);
    case TTypeChamp::Int16: return static_cast<int16_t>(v);
    case TTypeChamp::Int32: return static_cast<int32_t>(v);
    case TTypeChamp::Byte: return static_cast<uint8_t>(v);
    default: return v;
  }
}

TValeur Defaut(TTypeChamp type) {
  if (EstTypeTexte(type)) return TValeur::DeTexte({});
  if (type == TTypeChamp::Blob) return TValeur::DeBlob({});
  if (EstTypeReel(type)) return TValeur::DeReel(0);
  if (type == TTypeChamp::AutoInc) return TValeur::Nul();
  return TValeur::DeEntier(0);
}

}  // namespace

TValeur ConvertitPourChamp(const TACRFieldDef& def, TValeur v) {
  if (v.EstNul()) return Defaut(def.type);
  if (def.type == TTypeChamp::AutoInc) return TValeur::DeEntier(v.VersEntier());
  if (EstTypeEntier(def.type)) return TValeur::DeEntier(LargeurType(def.type, v.VersEntier()));
  if (EstTypeReel(def.type)) return TValeur::DeReel(v.VersReel());
  if (def.type == TTypeChamp::Blob)
    return TValeur::DeBlob(v.sorte == TValeur::Sorte::Blob ? std::move(v.octets) : v.VersTexte());
  // Texts: an 8-bit field holds what Windows-1252 can write, the other characters through their
  // references (so every character is kept) and invalid UTF-8 replaced.
  std::string texte = v.VersTexte();
  const bool ascii = std::all_of(texte.begin(), texte.end(), [](char c) { return (c & 0x80) == 0; });
  if (EstTypeTexte8Bits(def.type) && !ascii) texte = AnsiVersUtf8(Utf8VersAnsi(texte));
  return TValeur::DeTexte(CoupeUtf8(std::move(texte), def.taille));
}

const std::string& TACRField::FieldName() const { return dataset_->NomChamp(position_); }

const TValeur& TACRField::Valeur() const { return dataset_->ValeurChamp(position_); }

bool TACRField::IsNull() const { return Valeur().EstNul(); }

int64_t TACRField::AsInt64() const { return Valeur().VersEntier(); }

double TACRField::AsFloat() const { return Valeur().VersReel(); }

std::string TACRField::AsUtf8() const {
  const TValeur& v = Valeur();
  // Older files keep 8-bit texts as raw Windows-1252 bytes.
  if (def_ && EstTypeTexte8Bits(def_->type) && dataset_->GenerationDonnees() < 5)
    return AnsiVersUtf8(v.VersTexte());
  return v.VersTexte();
}

AnsiString TACRField::AsAnsiString() const {
  if (def_ && EstTypeTexte8Bits(def_->type) && dataset_->GenerationDonnees() < 5)
    return Valeur().VersTexte();
  return Utf8VersAnsi(AsUtf8());
}

UnicodeString TACRField::AsUnicodeString() const { return Utf8VersUnicode(AsUtf8()); }

std::string TACRField::AsBlob() const { return Valeur().VersTexte(); }

void TACRField::Ecrit(TValeur valeur) {
  dataset_->EcritChamp(position_, def_ ? ConvertitPourChamp(*def_, std::move(valeur)) : valeur);
}

void TACRField::SetInteger(int64_t valeur) { Ecrit(TValeur::DeEntier(valeur)); }

void TACRField::SetFloat(double valeur) { Ecrit(TValeur::DeReel(valeur)); }

void TACRField::SetAnsiString(const AnsiString& valeur) {
  // Older files keep 8-bit texts as raw Windows-1252 bytes, cut to the field's size.
  if (def_ && EstTypeTexte8Bits(def_->type) && dataset_->GenerationDonnees() < 5) {
    const size_t n = def_->taille > 0 ? static_cast<size_t>(def_->taille) : valeur.size();
    dataset_->EcritChamp(position_, TValeur::DeTexte(CoupeAnsi(valeur, n)));
    return;
  }
  Ecrit(TValeur::DeTexte(AnsiVersUtf8(valeur)));
}

void TACRField::SetUnicodeString(const UnicodeString& valeur) {
  Ecrit(TValeur::DeTexte(UnicodeVersUtf8(valeur)));
}

void TACRField::SetBlob(const std::string& octets) { Ecrit(TValeur::DeBlob(octets)); }

void TACRField::Clear() { Ecrit(TValeur::Nul()); }

}  // namespace kyb
