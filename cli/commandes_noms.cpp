// kyb commands of the noms subsystem.
#include <cstdio>
#include <string>
#include <vector>

#include "commandes.h"
#include "names/bo_chn1.h"
#include "names/bo_particules.h"
#include "names/cles_personne.h"
#include "platform/chaines.h"

namespace kyb::cli {

namespace {

constexpr const char* kSyntaxeNom = "nom [NOM...] [--prenoms PRENOMS]";

// Label padded to 16 characters (not bytes: the labels hold accented letters).
void Ligne(const char* libelle, const UnicodeString& valeur) {
  const size_t largeur = Utf8VersUnicode(libelle).size();
  std::printf("%s%*s : %s\n", libelle, static_cast<int>(largeur < 16 ? 16 - largeur : 0), "",
              UnicodeVersUtf8(valeur).c_str());
}

// The particles skipped in one surname: its words that read as particles, but the last one when
// every word does (that one stays as the key).
std::vector<UnicodeString> ParticulesDuNom(const UnicodeString& nom) {
  std::vector<UnicodeString> particules;
  UnicodeString mot;
  int mots = 0;
  const auto fin = [&] {
    if (!mot.empty()) {
      ++mots;
      if (EstCeUneParticule(mot)) particules.push_back(mot);
    }
    mot.clear();
  };
  for (const char16_t c : nom) {
    if (EstDelimiteurParticule(c)) {
      if (c == u'\'') mot.push_back(c);
      fin();
    } else {
      mot.push_back(c);
    }
  }
  fin();
  if (mots > 0 && static_cast<int>(particules.size()) == mots) particules.pop_back();
  return particules;
}

// The particles the index skips, surname by surname of the field.
UnicodeString ParticulesTrouvees(const UnicodeString& champ) {
  UnicodeString liste;
  for (int i = 1; i <= NombreClesNom(champ); ++i)
    for (const UnicodeString& p : ParticulesDuNom(EltNo(i, champ, u';')))
      liste += (liste.empty() ? u"" : u", ") + p;
  return liste.empty() ? UnicodeString(u"(aucune)") : liste;
}

// Each surname of the field without its particles, joined by " ; ".
UnicodeString SansParticules(const UnicodeString& champ) {
  UnicodeString r;
  for (int i = 1; i <= NombreClesNom(champ); ++i)
    r += (i > 1 ? u" ; " : u"") + EffBlancs(PasseParticule(EffBlancs(EltNo(i, champ, u';'))));
  return r;
}

// "KEY (code CODE)", or "(vide)" for an empty key.
UnicodeString CleEtCode(const UnicodeString& cle) {
  if (cle.empty()) return u"(vide)";
  return cle + u" (code " + SoundexCle(cle) + u")";
}

// Label followed by a number, e.g. "Nom 2".
std::string Numerote(const char* libelle, int n) { return libelle + (" " + std::to_string(n)); }

int Nom(const TAppel& args) {
  std::string utf8;
  for (const std::string& mot : args.Suite(0)) utf8 += (utf8.empty() ? "" : " ") + mot;
  const bool avecPrenoms = args.Present("--prenoms");
  const std::string prenomsUtf8 = args.Valeur("--prenoms");
  if (utf8.empty() && !avecPrenoms) throw ErreurUsage("un nom ou --prenoms est nécessaire");
  const UnicodeString texte = Utf8VersUnicode(utf8);
  if (!texte.empty()) {
    Ligne("Texte", texte);
    Ligne("Particules", ParticulesTrouvees(texte));
    Ligne("Sans particules", SansParticules(texte));
    Ligne("Clé normalisée", AnsiVersUnicode(NormaliseCle(UnicodeVersAnsi(texte))));
    // What the person index holds: one key per surname of the field (separated by ";").
    const int nbNoms = NombreClesNom(texte);
    for (int i = 1; i <= nbNoms; ++i)
      Ligne(Numerote("Nom", i).c_str(), CleEtCode(CleNom(texte, i)));
  }
  if (avecPrenoms) {
    const UnicodeString prenoms = Utf8VersUnicode(prenomsUtf8);
    Ligne("Prénoms", prenoms);
    const int nbPrenoms = NombreClesPrenom(prenoms);
    if (nbPrenoms == 0) Ligne("Prénom", u"(aucun)");
    for (int j = 1; j <= nbPrenoms; ++j)
      Ligne(Numerote("Prénom", j).c_str(), CleEtCode(ClePrenom(prenoms, j)));
  }
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"nom", kSyntaxeNom,
     "clés d'index et codes phonétiques d'un champ nom (noms séparés par « ; ») et de prénoms",
     Nom},
};

}  // namespace

std::span<const TCommande> CommandesNoms() { return kCommandes; }

}  // namespace kyb::cli
