// Searched texts in key form and the ranges of the index they cover.
#include "index/recherche_simple_interne.h"

#include <algorithm>

#include "index/recherche_simple.h"
#include "names/bo_chn1.h"
#include "names/bo_soundex.h"
#include "names/cles_personne.h"
#include "names/masque.h"
#include "persons/gest_pers.h"

namespace kyb {

UnicodeString CleRecherche(std::u16string_view texte, bool nom) {
  const UnicodeString brut = EffBlancs(texte);
  for (const char16_t* marque : {kSansNom, kSansPrenom, kSansPere, kSansMere})
    if (MajusculesUnicode(brut) == marque) return marque;
  if (!EstMasque(brut)) return nom ? CleNom(brut, 1) : ClePrenom(brut, 1);
  UnicodeString cle;
  size_t debut = 0;
  for (bool premier = true; debut <= brut.size(); premier = false) {
    size_t fin = brut.find(u'*', debut);
    if (fin == brut.npos) fin = brut.size();
    const std::u16string_view piece = std::u16string_view(brut).substr(debut, fin - debut);
    cle += nom && premier ? FormatIndex(piece) : TransformeEnCaractereIndex(UpperANSIChaineAS(piece, 2));
    if (fin < brut.size()) cle += u'*';
    debut = fin + 1;
  }
  return cle;
}

std::vector<UnicodeString> ElementsNom(std::u16string_view noms) {
  std::vector<UnicodeString> elements;
  for (int i = 1; i <= NombreElts(noms, u';'); ++i) {
    UnicodeString cle = CleRecherche(EltNo(i, noms, u';'), true);
    if (!cle.empty() && std::find(elements.begin(), elements.end(), cle) == elements.end())
      elements.push_back(std::move(cle));
  }
  return elements;
}

std::vector<UnicodeString> ElementsRecherche(std::u16string_view prenoms) {
  std::vector<UnicodeString> elements;
  const UnicodeString nettoye = ElimineMultiSeparateur(EffBlancs(prenoms), u' ');
  for (int j = 1; j <= NombreElts(nettoye, u' '); ++j) {
    UnicodeString cle = CleRecherche(EltNo(j, nettoye, u' '), false);
    if (!cle.empty()) elements.push_back(std::move(cle));
  }
  return elements;
}

bool CorrespondCle(std::u16string_view cherche, std::u16string_view cle, bool phonetique) {
  if (EstMasque(cherche)) return StrCmpMasque(cherche, cle);
  if (phonetique) return SoundexCle(cherche) == SoundexCle(cle);
  return cherche == cle;
}

UnicodeString CleLieu(std::u16string_view lieu) {
  UnicodeString cle;
  const UnicodeString haut = UpperANSIChaineAS(lieu, 2);
  size_t debut = 0;
  while (debut <= haut.size()) {
    size_t fin = haut.find(u'*', debut);
    if (fin == haut.npos) fin = haut.size();
    cle += TransformeEnCaractereIndex(std::u16string_view(haut).substr(debut, fin - debut));
    if (fin < haut.size()) cle += u'*';
    debut = fin + 1;
  }
  return cle;
}

bool DateFicheDansBornes(TPerson& personne, std::string_view libelle, TDateTime du, TDateTime au) {
  if (!du && !au) return true;
  const auto valeurs = personne.ValeursChpsSimple(libelle);
  if (valeurs.empty()) return false;
  const auto date = LitDateHeure(UnicodeVersUtf8(valeurs.front()), "dd/mm/yyyy hh:nn:ss");
  if (!date) return false;
  return (!du || *date >= du) && (!au || *date <= au);
}

}  // namespace kyb
