#include "names/formatagenom.h"

#include "names/bo_chn1.h"
#include "names/bo_chn1_interne.h"
#include "names/bo_particules.h"

namespace kyb {

namespace {

template <typename C>
bool Separateur(C c, bool espaceAussi) noexcept {
  return c == C(';') || c == C(',') || (espaceAussi && c == C(' '));
}

template <typename C>
void Decoupe(std::basic_string_view<C> texte, std::vector<std::basic_string<C>>& liste,
             std::basic_string<C>* delimiteurs, bool garderVides) {
  size_t debut = 0;
  const auto ajoute = [&](size_t fin, bool toujours) {
    const auto piece = noms_interne::Rogne(texte.substr(debut, fin - debut));
    if (!piece.empty() || toujours) liste.emplace_back(piece);
  };
  for (size_t i = 0; i < texte.size(); ++i) {
    if (!Separateur(texte[i], !garderVides)) continue;
    ajoute(i, garderVides);
    if (delimiteurs) delimiteurs->push_back(texte[i]);
    debut = i + 1;
  }
  if (debut < texte.size()) ajoute(texte.size(), false);
}

template <typename C>
std::basic_string<C> Assemble(const std::vector<std::basic_string<C>>& liste) {
  std::basic_string<C> r;
  for (size_t i = 0; i < liste.size(); ++i) {
    if (i) r += noms_interne::Ascii<C>(kSeparateurAssemblage);
    r += liste[i];
  }
  return r;
}

bool EstMajuscule(char c) { return MinusculeAnsi(c) != c; }
bool EstMajuscule(char16_t c) { return MinusculeUnicode(c) != c; }
char Minuscule(char c) { return MinusculeAnsi(c); }
char16_t Minuscule(char16_t c) { return MinusculeUnicode(c); }

template <typename C>
std::basic_string<C> Tronque(std::basic_string_view<C> nom) {
  for (size_t i = 0; i < nom.size(); ++i)
    if (EstMajuscule(nom[i]) || nom[i] == C('*')) return std::basic_string<C>(nom.substr(0, i));
  return {};
}

template <typename C>
int ParticuleT(std::basic_string_view<C> nom, std::basic_string_view<C> liste) {
  size_t meilleure = 0;
  size_t debut = 0;
  while (debut < liste.size()) {
    size_t fin = liste.find(C(' '), debut);
    if (fin == liste.npos) fin = liste.size();
    const auto mot = liste.substr(debut, fin - debut);
    if (!mot.empty() && mot.size() > meilleure && nom.starts_with(mot) &&
        (mot.back() == C('\'') || nom.size() == mot.size() || nom[mot.size()] == C(' ') ||
         nom[mot.size()] == C('\'')))
      meilleure = mot.size();
    debut = fin + 1;
  }
  return static_cast<int>(meilleure);
}

template <typename C>
std::basic_string<C> Formate(std::basic_string_view<C> nom, std::basic_string_view<C> seps,
                             bool initiales, int premier, int dernier) {
  std::basic_string<C> r;
  r.reserve(nom.size());
  int numero = 0;
  size_t i = 0;
  while (i < nom.size()) {
    if (noms_interne::Contient(seps, nom[i])) {
      r.push_back(nom[i++]);
      continue;
    }
    size_t fin = i;
    while (fin < nom.size() && !noms_interne::Contient(seps, nom[fin])) ++fin;
    const auto mot = nom.substr(i, fin - i);
    ++numero;
    const bool dansPlage = numero >= premier && (dernier < 1 || numero <= dernier);
    const bool elision = fin < nom.size() && nom[fin] == C('\'');
    const bool garde = (mot.size() > 1 || elision) && EstCeUneParticule(mot);
    if (!dansPlage || garde || EstCeUnPetitMot(mot)) {
      r += mot;
    } else if (!initiales) {
      r += UpperANSIChaineAS(mot, 1);
    } else {
      r.push_back(ToUpperAcc(mot[0]));
      for (size_t k = 1; k < mot.size(); ++k) r.push_back(Minuscule(mot[k]));
    }
    i = fin;
  }
  return r;
}

}  // namespace

bool IsCharSeparator(char c, bool espaceAussi) noexcept { return Separateur(c, espaceAussi); }
bool IsCharSeparator(char16_t c, bool espaceAussi) noexcept { return Separateur(c, espaceAussi); }

void DecoupageDelimiteurs(std::string_view texte, std::vector<AnsiString>& liste,
                          AnsiString* delimiteurs, bool garderVides) {
  Decoupe(texte, liste, delimiteurs, garderVides);
}
void DecoupageDelimiteurs(std::u16string_view texte, std::vector<UnicodeString>& liste,
                          UnicodeString* delimiteurs, bool garderVides) {
  Decoupe(texte, liste, delimiteurs, garderVides);
}

AnsiString AssemblerTexte(const std::vector<AnsiString>& liste) { return Assemble(liste); }
UnicodeString AssemblerTexte(const std::vector<UnicodeString>& liste) { return Assemble(liste); }

AnsiString TronqueAParticule(std::string_view nom) { return Tronque(nom); }
UnicodeString TronqueAParticule(std::u16string_view nom) { return Tronque(nom); }

int Particule(std::string_view nom) {
  return ParticuleT(nom, std::string_view(RetourneToutesParticules()));
}
int Particule(std::u16string_view nom) {
  return ParticuleT(nom, std::u16string_view(RetourneToutesParticulesU()));
}

AnsiString FormatageNomAvecSep(std::string_view nom, std::string_view separateurs, bool initiales,
                               int premier, int dernier) {
  return Formate(nom, separateurs, initiales, premier, dernier);
}
UnicodeString FormatageNomAvecSep(std::u16string_view nom, std::u16string_view separateurs,
                                  bool initiales, int premier, int dernier) {
  return Formate(nom, separateurs, initiales, premier, dernier);
}

}  // namespace kyb
