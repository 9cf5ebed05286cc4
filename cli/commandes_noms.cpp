// kyb commands of the noms subsystem.
#include <cstdio>

#include "commandes.h"
#include "names/bo_chn1.h"
#include "names/bo_particules.h"
#include "names/cles_personne.h"
#include "platform/chaines.h"

namespace kyb::cli {

namespace {

// Label padded to 16 characters (not bytes: the labels hold accented letters).
void Ligne(const char* libelle, const UnicodeString& valeur) {
  const size_t largeur = Utf8VersUnicode(libelle).size();
  std::printf("%s%*s : %s\n", libelle, static_cast<int>(largeur < 16 ? 16 - largeur : 0), "",
              UnicodeVersUtf8(valeur).c_str());
}

// The words of the text that the index treats as particles.
UnicodeString ParticulesTrouvees(const UnicodeString& texte) {
  UnicodeString liste, mot;
  const auto fin = [&] {
    if (!mot.empty() && EstCeUneParticule(mot)) liste += (liste.empty() ? u"" : u", ") + mot;
    mot.clear();
  };
  for (const char16_t c : texte) {
    if (EstDelimiteurParticule(c)) {
      if (c == u'\'') mot.push_back(c);
      fin();
    } else {
      mot.push_back(c);
    }
  }
  fin();
  return liste.empty() ? UnicodeString(u"(aucune)") : liste;
}

int Nom(const Arguments& args) {
  if (args.empty()) return Usage("kyb nom TEXTE");
  std::string utf8;
  for (const std::string& a : args) utf8 += (utf8.empty() ? "" : " ") + a;
  const UnicodeString texte = Utf8VersUnicode(utf8);
  const UnicodeString cle = FormatIndex(texte);
  Ligne("Texte", texte);
  Ligne("Clé d'index", cle);
  Ligne("Code phonétique", SoundexCle(cle));
  Ligne("Particules", ParticulesTrouvees(texte));
  Ligne("Sans particules", EffBlancs(PasseParticule(texte)));
  Ligne("Clé normalisée", AnsiVersUnicode(NormaliseCle(UnicodeVersAnsi(texte))));
  return 0;
}

constexpr TCommande kCommandes[] = {
    {"nom", "nom TEXTE",
     "clé d'index, code phonétique et particules d'un nom ou de prénoms", Nom},
};

}  // namespace

std::span<const TCommande> CommandesNoms() { return kCommandes; }

}  // namespace kyb::cli
