#include "names/elt_index.h"

#include <charconv>

namespace kyb {

namespace {

// Appends the decimal text of v.
char16_t* EcritNombre(char16_t* p, int32_t v) {
  char chiffres[12];
  const auto r = std::to_chars(chiffres, chiffres + sizeof chiffres, v);
  for (const char* c = chiffres; c < r.ptr; ++c) *p++ = static_cast<char16_t>(*c);
  return p;
}

char16_t* Repete(char16_t* p, int n) {
  for (int k = 0; k < n; ++k) *p++ = u'\x01';
  return p;
}

char16_t* Copie(char16_t* p, std::u16string_view s) {
  return std::copy(s.begin(), s.end(), p);
}

// Room for the longest text of the order: 21 + 6 + 21 + 5 + 6 + 4 + 6 + 1 + 11 units.
constexpr size_t kMaxTexteTri = 96;

// The part of the text of the order that follows the given name's five U+0001.
size_t Queue(const TEltIndex& e, char16_t* dest) {
  char16_t* p = EcritNombre(dest, e.AnneeMin);
  p = Repete(p, 4);
  p = EcritNombre(p, e.AnneeMax);
  *p++ = CarAnsiVersUnicode(static_cast<unsigned char>(e.Sexe));
  p = EcritNombre(p, e.NoPers);
  return static_cast<size_t>(p - dest);
}

size_t TexteComplet(const TEltIndex& e, char16_t* dest) {
  char16_t* p = Copie(dest, e.Nom());
  p = Repete(p, 6);
  p = Copie(p, e.Prenom());
  p = Repete(p, 5);
  return static_cast<size_t>(p - dest) + Queue(e, p);
}

int Signe(int v) { return (v > 0) - (v < 0); }

// Compares two texts each followed by a run of U+0001. Returns -1 or 1 when the texts decide,
// 0 when they are equal (the runs then match too), and 2 when the order depends on what follows
// the run (a text holding U+0001 where the other's run begins).
[[gnu::always_inline]] inline int CompareSegment(std::u16string_view a,
                                                 std::u16string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t k = 0; k < n; ++k)
    if (a[k] != b[k]) return a[k] < b[k] ? -1 : 1;
  if (a.size() == b.size()) return 0;
  const char16_t suite = a.size() > n ? a[n] : b[n];
  if (suite == u'\x01') return 2;
  const int courtAvant = suite > u'\x01' ? -1 : 1;  // the shorter one continues with U+0001
  return a.size() < b.size() ? courtAvant : -courtAvant;
}

int CompareTextes(const char16_t* a, size_t la, const char16_t* b, size_t lb) {
  return Signe(std::u16string_view(a, la).compare(std::u16string_view(b, lb)));
}

// Decimal texts compared as texts: "12" before "9", "-5" before "1", a prefix first.
int CompareDecimaux(int32_t a, int32_t b) {
  if (a == b) return 0;
  char ta[12], tb[12];
  const auto fa = std::to_chars(ta, ta + sizeof ta, a).ptr;
  const auto fb = std::to_chars(tb, tb + sizeof tb, b).ptr;
  return Signe(std::string_view(ta, fa - ta).compare(std::string_view(tb, fb - tb)));
}

// A local buffer, not a thread-local one: an index saved while the program exits (a folder
// closed by a static object) runs after the thread-local objects are destroyed. The keys are short
// enough for the string's inner buffer.
void EcritTexte(TSortieBinaire& flux, std::u16string_view t) {
  std::string utf8;
  EncodeUtf8(t, utf8);
  flux.EcritEntier32(static_cast<int32_t>(utf8.size()));
  flux.EcritOctets(utf8.data(), utf8.size());
}

// Decodes a text record into dest, cut to its width.
template <size_t N>
bool LitTexte(TEntreeBinaire& flux, std::array<char16_t, N>& dest, uint8_t& lg) {
  int32_t l = 0;
  if (!flux.LitEntier32(l) || l < 0 || l > TEltIndex::kMaxOctetsTexte) return false;
  char secours[TEltIndex::kMaxOctetsTexte];
  const char* octets = flux.LitBloc(static_cast<size_t>(l), secours);
  size_t n = 0;
  if (!octets || !DecodeUtf8Strict(std::string_view(octets, static_cast<size_t>(l)), dest.data(),
                                   N, &n))
    return false;
  lg = static_cast<uint8_t>(n);
  return true;
}

}  // namespace

static_assert(sizeof(TEltIndex) <= 136, "the index holds millions of entries: keep them small");

TEltIndex::TEltIndex(const TEnregIndexPerson& e, int32_t noTravail)
    : AnneeMin(e.AnneeMin), AnneeMax(e.AnneeMax), NoPers(e.NoPers), RgNom(e.RgNom),
      RgPrenom(e.RgPrenom), RgPrenomUsuel(e.RgPrenomUsuel), TypePersonne(e.TypePersonne),
      FicheSupprimee(e.FicheSupprimee), Sexe(e.Sexe == ' ' ? 0 : e.Sexe), NoTravail(noTravail) {
  SetNom(e.Nom);
  SetPrenom(e.Prenom);
  SetNomSoundex(e.NomSoundex);
  SetPrenomSoundex(e.PrenomSoundex);
}

int TEltIndex::EltCmp(const TEltIndex& autre) const {
  int r = CompareSegment(Nom(), autre.Nom());
  if (r == 0) r = CompareSegment(Prenom(), autre.Prenom());
  if (r == 0) {
    // Different first years decide by their decimal texts alone (a text that begins the other
    // continues with U+0001, below every digit); equal years leave the sex, then the number.
    if (AnneeMin != autre.AnneeMin) return CompareDecimaux(AnneeMin, autre.AnneeMin);
    if (AnneeMax == autre.AnneeMax) {
      if (Sexe != autre.Sexe)
        return CarAnsiVersUnicode(static_cast<unsigned char>(Sexe)) <
                       CarAnsiVersUnicode(static_cast<unsigned char>(autre.Sexe))
                   ? -1
                   : 1;
      return CompareDecimaux(NoPers, autre.NoPers);
    }
    char16_t a[kMaxTexteTri], b[kMaxTexteTri];
    const size_t la = Queue(*this, a), lb = Queue(autre, b);
    return CompareTextes(a, la, b, lb);
  }
  if (r != 2) return r;
  char16_t a[kMaxTexteTri], b[kMaxTexteTri];
  const size_t la = TexteComplet(*this, a), lb = TexteComplet(autre, b);
  return CompareTextes(a, la, b, lb);
}

UnicodeString TEltIndex::TexteDeTri() const {
  char16_t t[kMaxTexteTri];
  return UnicodeString(t, TexteComplet(*this, t));
}

void TEltIndex::Sauvegarde(TSortieBinaire& flux) const {
  EcritTexte(flux, Nom());
  EcritTexte(flux, Prenom());
  EcritTexte(flux, NomSoundex());
  EcritTexte(flux, PrenomSoundex());
  flux.EcritEntier16(AnneeMin);
  flux.EcritEntier16(AnneeMax);
  flux.EcritEntier32(NoPers);
  flux.EcritEntier16(RgNom);
  flux.EcritEntier16(RgPrenom);
  flux.EcritEntier16(RgPrenomUsuel);
  flux.EcritOctet(static_cast<uint8_t>(TypePersonne));
  flux.EcritOctet(Sexe == ' ' ? 0 : static_cast<uint8_t>(Sexe));
  flux.EcritOctet(static_cast<uint8_t>(FicheSupprimee));
}

bool TEltIndex::Restauration(TEntreeBinaire& flux) {
  uint8_t type = 0, sexe = 0, supprimee = 0;
  if (!LitTexte(flux, nom_, lg_[0]) || !LitTexte(flux, prenom_, lg_[1]) ||
      !LitTexte(flux, nomSoundex_, lg_[2]) || !LitTexte(flux, prenomSoundex_, lg_[3]) ||
      !flux.LitEntier16(AnneeMin) || !flux.LitEntier16(AnneeMax) || !flux.LitEntier32(NoPers) ||
      !flux.LitEntier16(RgNom) || !flux.LitEntier16(RgPrenom) ||
      !flux.LitEntier16(RgPrenomUsuel) || !flux.LitOctet(type) || !flux.LitOctet(sexe) ||
      !flux.LitOctet(supprimee))
    return false;
  TypePersonne = static_cast<char>(type);
  Sexe = static_cast<char>(sexe);
  FicheSupprimee = static_cast<char>(supprimee);
  return true;
}

}  // namespace kyb
