// Surname and given-name equivalences: loading, editing, looking up, saving.
#include "names/tab_nom_equiv.h"

#include <algorithm>

#include "names/bo_chn1.h"
#include "platform/caracteres.h"
#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"

namespace kyb {

namespace {

// The whole file, empty when it cannot be read.
std::string LitTout(const AnsiString& chemin) {
  TFichier f = TFichier::Ouvre(chemin, TAcces::Lecture, TCreation::Existant);
  if (!f) return {};
  const int64_t taille = f.Taille();
  if (taille <= 0) return {};
  std::string octets(static_cast<size_t>(taille), '\0');
  const int64_t lus = f.LitA(0, octets.data(), octets.size());
  octets.resize(lus > 0 ? static_cast<size_t>(lus) : 0);
  return octets;
}

bool HorsAscii(std::string_view octets) {
  return std::any_of(octets.begin(), octets.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::vector<AnsiString> Decoupe(std::string_view texte, char separateur) {
  std::vector<AnsiString> elements;
  size_t debut = 0;
  while (debut <= texte.size()) {
    size_t fin = texte.find(separateur, debut);
    if (fin == texte.npos) fin = texte.size();
    elements.push_back(EffBlancs(texte.substr(debut, fin - debut)));
    debut = fin + 1;
  }
  return elements;
}

AnsiString Joint(const std::vector<AnsiString>& liste, std::string_view separateur) {
  AnsiString texte;
  for (size_t i = 0; i < liste.size(); ++i) {
    if (i) texte += separateur;
    texte += liste[i];
  }
  return texte;
}

}  // namespace

AnsiString TTabNomEquiv::CleEquiv(std::string_view nom) {
  return EffBlancs(ElimineMultiSeparateur(EnleveCars(FormatIndex(nom), "*;%"), ' '));
}

TTabNomEquiv::TTabNomEquiv(const AnsiString& fichierNoms, const AnsiString& fichierPrenoms, bool lectureSeule)
    : fichierNoms_(fichierNoms), fichierPrenoms_(fichierPrenoms), lectureSeule_(lectureSeule) {
  bool listeLue = false;
  Charge(fichierNoms_, true, listeLue);
  Charge(fichierPrenoms_, false, listeLue);
  if (!listeLue) inconnus_ = Decoupe(kListeInconnusDefaut, ',');
}

void TTabNomEquiv::Charge(const AnsiString& fichier, bool noms, bool& listeLue) {
  if (fichier.empty() || !FichierExiste(fichier)) return;
  std::string contenu = LitTout(fichier);
  if (HorsAscii(contenu) && EstUtf8Valide(contenu)) {
    contenu = Utf8VersAnsi(contenu);
    utf8_[noms ? 0 : 1] = true;
  }
  bool copie = false;
  size_t debut = 0;
  while (debut < contenu.size()) {
    size_t fin = contenu.find('\n', debut);
    if (fin == contenu.npos) fin = contenu.size();
    std::string_view ligne(contenu.data() + debut, fin - debut);
    debut = fin + 1;
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    if (ligne.size() > kLongueurLigneMax) {
      ligne = ligne.substr(0, kLongueurLigneMax);
      ++coupees_[noms ? 0 : 1];
      if (!copie && !lectureSeule_) {
        copie = true;
        (void)CopieSure(fichier, fichier + "Copie");
      }
    }
    ChargeLigne(ligne, Table(noms), noms, listeLue);
  }
}

void TTabNomEquiv::ChargeLigne(std::string_view ligne, TTable& table, bool noms, bool& listeLue) {
  if (ligne.empty()) return;
  if (ligne.front() == '$') {
    if (!noms) return;  // the option line belongs to the surname file
    const size_t barre = ligne.find('|');
    if (ligne.substr(0, barre).find("non") != std::string_view::npos) option_ = false;
    if (barre != std::string_view::npos) {
      inconnus_.clear();
      for (AnsiString& e : Decoupe(ligne.substr(barre + 1), ','))
        if (!e.empty()) inconnus_.push_back(std::move(e));
      listeLue = true;
    }
    return;
  }
  const std::vector<AnsiString> elements = Decoupe(ligne, ',');
  const AnsiString cle = CleEquiv(elements.front());
  if (cle.empty()) return;
  for (size_t i = 1; i < elements.size(); ++i) {
    const AnsiString equivalent = CleEquiv(elements[i]);
    if (equivalent.empty() || equivalent == cle) continue;
    const auto [d, f] = table.equal_range(cle);
    if (std::none_of(d, f, [&](const auto& p) { return p.second == equivalent; })) table.emplace(cle, equivalent);
  }
}

bool TTabNomEquiv::AjouteUneEquiv(std::string_view nom, std::string_view equivalent, bool noms) {
  const AnsiString cle = CleEquiv(nom), equiv = CleEquiv(equivalent);
  if (cle.empty() || equiv.empty() || cle == equiv) return false;
  TTable& table = Table(noms);
  const auto [d, f] = table.equal_range(cle);
  if (std::any_of(d, f, [&](const auto& p) { return p.second == equiv; })) return false;
  table.emplace(cle, equiv);
  return true;
}

bool TTabNomEquiv::AjouteDoubleEntree(std::string_view nom, std::string_view equivalent, bool noms) {
  const bool aller = AjouteUneEquiv(nom, equivalent, noms);
  const bool retour = AjouteUneEquiv(equivalent, nom, noms);
  return aller || retour;
}

int TTabNomEquiv::AjouteUneEquivNomComplet(std::string_view nomComplet, std::string_view equivalent) {
  int ajouts = 0;
  for (const AnsiString& element : Decoupe(nomComplet, ';')) ajouts += AjouteDoubleEntree(element, equivalent);
  return ajouts;
}

bool TTabNomEquiv::SupprimePair(std::string_view nom, std::string_view equivalent, bool noms) {
  const AnsiString cle = CleEquiv(nom), equiv = CleEquiv(equivalent);
  TTable& table = Table(noms);
  auto [d, f] = table.equal_range(cle);
  const auto it = std::find_if(d, f, [&](const auto& p) { return p.second == equiv; });
  if (it == f) return false;
  table.erase(it);
  return true;
}

std::vector<AnsiString> TTabNomEquiv::ListeNomEquiv(std::string_view noms, bool tableNoms) const {
  std::vector<AnsiString> liste;
  const auto ajoute = [&](const AnsiString& nom) {
    if (!nom.empty() && std::find(liste.begin(), liste.end(), nom) == liste.end()) liste.push_back(nom);
  };
  std::vector<AnsiString> cles;
  for (const AnsiString& element : Decoupe(noms, ';')) cles.push_back(CleEquiv(element));
  for (const AnsiString& cle : cles) ajoute(cle);
  const TTable& table = Table(tableNoms);
  for (const AnsiString& cle : cles) {
    const auto [d, f] = table.equal_range(cle);
    for (auto it = d; it != f; ++it) ajoute(it->second);
  }
  return liste;
}

AnsiString TTabNomEquiv::GetNomEquiv(std::string_view noms, int& nb, bool tableNoms) const {
  const std::vector<AnsiString> liste = ListeNomEquiv(noms, tableNoms);
  std::vector<AnsiString> cles;
  for (const AnsiString& element : Decoupe(noms, ';')) {
    const AnsiString cle = CleEquiv(element);
    if (!cle.empty() && std::find(cles.begin(), cles.end(), cle) == cles.end()) cles.push_back(cle);
  }
  nb = static_cast<int>(liste.size() - cles.size());
  return Joint(liste, ";");
}

AnsiString TTabNomEquiv::Groupes(const TTable& table) {
  AnsiString texte;
  for (auto it = table.begin(); it != table.end();) {
    texte += it->first;
    const auto fin = table.upper_bound(it->first);
    for (; it != fin; ++it) texte += "," + it->second;
    texte += "\n";
  }
  return texte;
}

bool TTabNomEquiv::Sauvegarde() const {
  if (lectureSeule_ || fichierNoms_.empty() || fichierPrenoms_.empty()) return false;
  const AnsiString noms =
      Groupes(noms_) + "$" + (option_ ? "oui" : "non") + "|" + Joint(inconnus_, ", ") + "\n";
  return EcritFichierAtomique(fichierNoms_, noms) && EcritFichierAtomique(fichierPrenoms_, Groupes(prenoms_));
}

}  // namespace kyb
