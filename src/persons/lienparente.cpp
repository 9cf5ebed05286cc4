#include "persons/lienparente.h"

#include <cctype>

namespace kyb {
namespace {

bool EstChiffre(char c) { return c >= '0' && c <= '9'; }
char Dernier(const AnsiString& chemin) { return chemin.empty() ? '\0' : chemin.back(); }

// The number of a first element of one or two digits, -1 otherwise.
int NombreCourt(const AnsiString& premier) {
  if (premier.empty() || premier.size() > 2) return -1;
  int n = 0;
  for (const char c : premier) {
    if (!EstChiffre(c)) return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

bool IsCarMajAnsi(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7) || u == 0x8A || u == 0x8C || u == 0x8E ||
         u == 0x9F;
}

// --- direct naming ---

int TLienParente::MembresCategorie(int categorie, TTableLong& tab) const {
  int nb = 0;
  switch (categorie) {
    case 0: RetourneTabParents(p_, tab, nb); break;
    case 1: RetourneTabConjoints(p_, tab, nb); break;
    case 2: RetourneTabEnfants(p_, tab, nb); break;
    case 3: RetourneTabPetitsEnfants(p_, tab, nb); break;
    case 4: RetourneTabArrieresPetitsEnfants(p_, tab, nb); break;
    case 5: RetourneTabFreresSoeurs(p_, tab, nb, false, true); break;
    case 6: RetourneTabNeveuxNieces(p_, tab, nb); break;
    case 7: RetourneTabOnclesTantes(p_, tab, nb); break;
    case 8: RetourneTabCousins(p_, tab, nb); break;
    case 9: RetourneTabCousinsIssusDeGermain(p_, tab, nb); break;
    case 10: RetourneTabCousinsRemuesDeGermain(p_, tab, nb); break;
    case 11: RetourneTabCousinsIssusGermainParents(p_, tab, nb); break;
    case 12: RetourneTabGrdOnclesTantes(p_, tab, nb); break;
    case 13: RetourneTabGrdParents(p_, tab, nb); break;
    case 14: RetourneTabArrGrdParents(p_, tab, nb); break;
    case 15: RetourneTabArrGrdOnclesTantes(p_, tab, nb); break;
    default: break;
  }
  return nb;
}

AnsiString TLienParente::CalculLienParente(int categorie, long noQ) const {
  static constexpr const char* kMots[kNbCategoriesParente][2] = {
      {"père", "mère"},
      {"conjoint", "conjoint"},
      {"fils", "fille"},
      {"petit-fils", "petite-fille"},
      {"arrière-petit-fils", "arrière-petite-fille"},
      {"frère", "soeur"},
      {"neveu", "nièce"},
      {"oncle", "tante"},
      {"cousin", "cousine"},
      {"cousin", "cousine"},
      {"cousin", "cousine"},
      {"oncle", "tante"},
      {"grand-oncle", "grande-tante"},
      {"grand-père", "grand-mère"},
      {"arrière-grand-père", "arrière-grand-mère"},
      {"arrière-grand-oncle", "arrière-grande-tante"},
  };
  if (categorie < 0 || categorie >= kNbCategoriesParente || noQ <= 0 || noQ == p_.Numero()) return {};
  const auto tab = AlloueTableLong();
  const int nb = MembresCategorie(categorie, *tab);
  if (!IsPersInTab(*tab, static_cast<int32_t>(noQ), nb)) return {};
  const auto& mots = kMots[categorie];
  if (categorie == 0) return A(noQ == p_.Public.Pere.No ? mots[0] : mots[1]);
  if (categorie == 1) return A(mots[0]);
  TPerson q(p_.Fichier(), 0);
  const bool femme = p_.Fichier() && LitPersonneVivante(*p_.Fichier(), noQ, q) && q.EstFemme();
  return A(mots[femme ? 1 : 0]);
}

AnsiString TLienParente::RetourneLienDeParente(long noQ) const {
  for (int categorie = 0; categorie < kNbCategoriesParente; ++categorie) {
    AnsiString mot = CalculLienParente(categorie, noQ);
    if (!mot.empty()) return mot;
  }
  return {};
}

// --- code naming ---

AnsiString TLienParente::Sexe3(const char* homme, const char* femme, const char* inconnu) const {
  return A(p_.EstHomme() ? homme : p_.EstFemme() ? femme : inconnu);
}

AnsiString TLienParente::Sexe2(const char* homme, const char* femme) const { return A(p_.EstFemme() ? femme : homme); }

AnsiString TLienParente::DecodeNumGene() const {
  const AnsiString code = UnicodeVersAnsi(p_.Public.CodeGeneration);
  const size_t tiret = code.find('-');
  const AnsiString premier = code.substr(0, tiret);
  const AnsiString chemin = tiret == AnsiString::npos ? AnsiString() : code.substr(tiret + 1);
  const int n = NombreCourt(premier);
  if (n < 0) return DecodeAscConj(premier, chemin);
  if (n == 1) return DecodeDescDirect(premier, chemin);
  if (n == 2 || n == 3) return DecodeParents(premier, chemin);
  if (n >= 4 && n <= 7) return DecodeGp(premier, chemin);
  if (n >= 8 && n <= 15) return DecodeArrGp(premier, chemin);
  return {};
}

AnsiString TLienParente::DecodeDescDirect(const AnsiString&, const AnsiString& chemin) const {
  switch (chemin.size()) {
    case 1: return A("Conjoint");
    case 2: return Sexe3("Fils", "Fille", "Enfant");
    case 3: return A(p_.EstHomme() ? "Beau-fils" : "Belle-fille");
    case 4: return Sexe3("Petit-fils", "Petite-fille", "Petit-enfant");
    case 6: return Sexe3("Arrière-petit-fils", "Arrière-petite-fille", "Arrière-petit-enfant");
    default: return {};
  }
}

AnsiString TLienParente::DecodeParents(const AnsiString& premier, const AnsiString& chemin) const {
  if (chemin.empty()) return A(premier == "2" ? "Père" : "Mère");
  const bool conjoint = EstChiffre(Dernier(chemin));
  if (chemin.size() == 2) return conjoint ? DecodeFrSr(premier, chemin) : DecodeDescFrSr(premier, chemin);
  return conjoint ? DecodeBoParents(premier, chemin) : DecodeDescFrSr(premier, chemin);
}

AnsiString TLienParente::DecodeBoParents(const AnsiString&, const AnsiString& chemin) const {
  if (chemin.size() != 1) return {};
  return A(p_.EstHomme() ? "Beau-père" : "Belle-mère");
}

AnsiString TLienParente::DecodeFrSr(const AnsiString& premier, const AnsiString& chemin) const {
  AnsiString mot = Sexe2("Frère ", "Soeur ");
  if (premier == "2" && chemin.size() > 1) mot += Sexe2("consanguin", "consanguine");
  else if (premier == "3") mot += Sexe2("utérin", "utérine");
  return mot;
}

AnsiString TLienParente::DecodeDescFrSr(const AnsiString& premier, const AnsiString& chemin) const {
  switch (chemin.size()) {
    case 1: return DecodeFrSr(premier, chemin);
    case 2: return EstChiffre(Dernier(chemin)) ? Sexe2("Beau-frère", "Belle-soeur") : DecodeFrSr(premier, chemin);
    case 3: return A(p_.EstHomme() ? "Neveu" : "Nièce");
    case 5: return A(p_.EstHomme() ? "Petit-neveu" : "Petite-nièce");
    default: return {};
  }
}

AnsiString TLienParente::DecodeGp(const AnsiString& premier, const AnsiString& chemin) const {
  const int n = NombreCourt(premier);
  const AnsiString cote = n <= 5 ? Sexe2("paternel", "paternelle") : Sexe2("maternel", "maternelle");
  const bool conjoint = EstChiffre(Dernier(chemin));
  switch (chemin.size()) {
    case 0: return A(n % 2 ? "Grand-mère " : "Grand-père ") + cote;
    case 1: return conjoint ? Sexe2("Beau grand-père", "Belle grand-mère") : Sexe2("Oncle ", "Tante ") + cote;
    case 2: return conjoint ? Sexe2("Oncle par alliance ", "Tante par alliance ") : Sexe2("Oncle ", "Tante ") + cote;
    case 3: return conjoint ? AnsiString() : Sexe2("Cousin germain", "Cousine germaine");
    default: return {};
  }
}

AnsiString TLienParente::DecodeArrGp(const AnsiString& premier, const AnsiString& chemin) const {
  const int n = NombreCourt(premier);
  const AnsiString cote = n <= 11 ? Sexe2("paternel", "paternelle") : Sexe2("maternel", "maternelle");
  if (chemin.empty()) return A(n % 2 ? "Arrière-grand-mère  " : "Arrière-grand-père  ") + cote;
  if (chemin.size() != 1) return {};
  if (EstChiffre(chemin[0])) return Sexe2("Arrière-grand-beau-père ", "Arrière-grand-belle-mère ");
  return DecodeGrOncle(premier, chemin);
}

AnsiString TLienParente::DecodeGrOncle(const AnsiString&, const AnsiString&) const {
  return Sexe2("Grand-oncle", "Grand-tante");
}

AnsiString TLienParente::DecodeAscConj(const AnsiString& premier, const AnsiString&) const {
  if (premier == "FrConj1") return Sexe2("Beau-Frère", "Belle-soeur");
  if (premier.starts_with("Conj")) return Sexe2("Beau-père", "Belle-mère");
  return {};
}

AnsiString TLienParente::DecodeNivLienSang(int niveau, const AnsiString& code) {
  if (code.empty()) return {};
  const char c = code.back();
  const bool un = c == '1';
  switch (niveau) {
    case 2: return A(un ? "Père" : IsCarMajAnsi(c) ? "Oncle paternel" : "Tante paternelle");
    case 3: return un ? A("Mère") : IsCarMajAnsi(c) ? A("Oncle ") + A("maternel") : A("Tante maternelle");
    case 4: return un ? A("Grand-père paternel") : AnsiString();
    case 5: return un ? A("Grand-mère paternelle") : AnsiString();
    case 6: return un ? A("Grand-père maternel") : AnsiString();
    case 7: return un ? A("Grand-mère maternelle") : AnsiString();
    default: return {};
  }
}

}  // namespace kyb
