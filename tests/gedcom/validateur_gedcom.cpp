#include "gedcom/validateur_gedcom.h"

#include "gedcom/valeurs_gedcom70.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string_view>

namespace kyb::test {
namespace {

struct TNoeud {
  long ligne = 0;
  int niveau = 0;
  std::string xref, tag, valeur;
  std::vector<TNoeud> enfants;
};

bool Pointeur(const std::string& v) { return v.size() > 2 && v.front() == '@' && v.back() == '@' && v[1] != '@' && v.find(' ') == std::string::npos; }

// Records of the text; CONT/CONC joined into the value of the line they continue.
std::vector<TNoeud> Arbre(std::string texte, bool v7, std::vector<std::string>& fautes) {
  if (texte.starts_with("\xEF\xBB\xBF")) texte.erase(0, 3);
  else if (v7) fautes.push_back("pas de marque d'ordre des octets");
  std::vector<TNoeud> racines;
  std::vector<TNoeud*> pile;
  long numero = 0;
  size_t debut = 0;
  while (debut < texte.size()) {
    size_t fin = texte.find_first_of("\r\n", debut);
    if (fin == std::string::npos) fin = texte.size();
    const std::string l = texte.substr(debut, fin - debut);
    debut = fin + (texte.compare(fin, 2, "\r\n") == 0 ? 2 : 1);
    ++numero;
    if (l.empty()) continue;
    const std::string lieu = "ligne " + std::to_string(numero) + " : ";
    if (!v7 && l.size() > 255) fautes.push_back(lieu + "plus de 255 caractères");
    std::istringstream in(l);
    TNoeud n;
    n.ligne = numero;
    std::string mot;
    in >> n.niveau >> mot;
    if (mot.starts_with('@')) {
      n.xref = mot;
      in >> mot;
    }
    n.tag = mot;
    const size_t p = l.find(n.tag, l.find(' ') + 1 + (n.xref.empty() ? 0 : n.xref.size() + 1)) + n.tag.size();
    if (p < l.size()) n.valeur = l.substr(p + 1);
    if (!v7) {
      for (size_t k = 0; (k = n.valeur.find("@@", k)) != std::string::npos; ++k) n.valeur.erase(k, 1);
    } else if (n.valeur.starts_with("@@")) {
      n.valeur.erase(0, 1);
    }
    if (n.niveau < 0 || n.niveau > static_cast<int>(pile.size())) {
      fautes.push_back(lieu + "saut de niveau");
      continue;
    }
    pile.resize(static_cast<size_t>(n.niveau));
    if ((n.tag == "CONT" || n.tag == "CONC") && !pile.empty()) {
      if (v7 && n.tag == "CONC") fautes.push_back(lieu + "CONC n'existe plus en 7.0");
      pile.back()->valeur += (n.tag == "CONT" ? "\n" : "") + n.valeur;
      continue;
    }
    std::vector<TNoeud>& freres = pile.empty() ? racines : pile.back()->enfants;
    freres.push_back(std::move(n));
    pile.push_back(&freres.back());
  }
  return racines;
}

std::vector<std::vector<std::string>> Tsv(const std::string& chemin);

// 5.5.1 (grammaire551.tsv): by structure, tag -> the child's structure ("-" when it has none).
using TGrammaire551 = std::map<std::string, std::map<std::string, std::string>>;

TGrammaire551 Charge551(const std::string& dossier) {
  TGrammaire551 g;
  for (const auto& c : Tsv(dossier + "/grammaire551.tsv")) {
    if (c.size() != 2 || c[0] == "structure") continue;
    std::istringstream in(c[1]);
    for (std::string mot; in >> mot;) {
      const size_t p = mot.find('>');
      g[c[0]][mot.substr(0, p)] = p == std::string::npos ? "-" : mot.substr(p + 1);
    }
  }
  return g;
}

void Xrefs(const std::vector<TNoeud>& racines, std::map<std::string, std::string>& types, std::vector<std::string>& fautes) {
  for (const TNoeud& r : racines)
    if (!r.xref.empty() && !types.emplace(r.xref, r.tag).second)
      fautes.push_back("ligne " + std::to_string(r.ligne) + " : " + r.xref + " défini deux fois");
}

void Verifie551(const TNoeud& n, const std::string& structure, const TGrammaire551& g,
                const std::map<std::string, std::string>& types, std::vector<std::string>& fautes) {
  const std::string lieu = "ligne " + std::to_string(n.ligne) + " : ";
  if (Pointeur(n.valeur) && !types.count(n.valeur)) fautes.push_back(lieu + "pointeur " + n.valeur + " sans enregistrement");
  static const std::map<std::string, std::string> kAucun;
  const auto it551 = g.find(structure);
  const std::map<std::string, std::string>& permis = it551 == g.end() ? kAucun : it551->second;
  for (const TNoeud& e : n.enfants) {
    if (e.tag.starts_with('_')) continue;
    const auto it = permis.find(e.tag);
    if (it == permis.end()) {
      fautes.push_back("ligne " + std::to_string(e.ligne) + " : " + e.tag + " interdit sous " + n.tag + " (" + structure + ")");
      continue;
    }
    Verifie551(e, it->second, g, types, fautes);
  }
}

std::vector<std::vector<std::string>> Tsv(const std::string& chemin) {
  std::vector<std::vector<std::string>> r;
  std::ifstream in(chemin);
  for (std::string l; std::getline(in, l);) {
    std::vector<std::string> champs;
    size_t d = 0;
    for (size_t t; (t = l.find('\t', d)) != std::string::npos; d = t + 1) champs.push_back(l.substr(d, t - d));
    champs.push_back(l.substr(d));
    r.push_back(std::move(champs));
  }
  return r;
}

struct TGrammaire70 {
  std::map<std::pair<std::string, std::string>, std::string> sous;  // (structure, tag) -> structure
  std::map<std::pair<std::string, std::string>, std::pair<int, int>> cardinalites;  // max 0: many
  std::map<std::string, std::string> valeurs;
  std::map<std::string, std::set<std::string>> enumerations;  // structure -> its words
};

TGrammaire70 Charge70(const std::string& dossier) {
  TGrammaire70 g;
  for (const auto& c : Tsv(dossier + "/grammaire70-sous-structures.tsv"))
    if (c.size() == 3) g.sous[{c[0], c[1]}] = c[2];
  for (const auto& c : Tsv(dossier + "/grammaire70-cardinalites.tsv"))
    if (c.size() == 3 && c[2].size() >= 5)
      g.cardinalites[{c[0], c[1]}] = {c[2][1] - '0', c[2][3] == 'M' ? 0 : c[2][3] - '0'};
  for (const auto& c : Tsv(dossier + "/grammaire70-valeurs.tsv"))
    if (c.size() == 2) g.valeurs[c[0]] = c[1];
  for (const auto& c : Tsv(dossier + "/grammaire70-enumerations.tsv")) {
    if (c.size() != 2 || c[0] == "structure") continue;
    std::istringstream in(c[1]);
    for (std::string mot; in >> mot;) g.enumerations[c[0]].insert(mot);
  }
  return g;
}

void Verifie70(const TNoeud& n, const std::string& structure, const TGrammaire70& g,
               const std::map<std::string, std::string>& types, std::vector<std::string>& fautes) {
  const std::string lieu = "ligne " + std::to_string(n.ligne) + " : ";
  const auto v = g.valeurs.find(structure);
  const std::string valeur = v == g.valeurs.end() ? std::string() : v->second;
  if (valeur.starts_with("@<")) {
    const std::string cible = valeur.substr(valeur.find("record-") + 7, valeur.size() - valeur.find("record-") - 9);
    const auto t = types.find(n.valeur);
    if (n.valeur != "@VOID@" && (t == types.end() || t->second != cible))
      fautes.push_back(lieu + n.tag + " " + n.valeur + " ne pointe pas vers un " + cible);
  } else if (Pointeur(n.valeur)) {
    fautes.push_back(lieu + "pointeur " + n.valeur + " lieu " + n.tag + " n'en prend pas");
  } else if (valeur == "Y|<NULL>" && !n.valeur.empty() && n.valeur != "Y") {
    fautes.push_back(lieu + n.tag + " prend Y ou rien, pas « " + n.valeur + " »");
  } else if (valeur.empty() && !n.valeur.empty() && v != g.valeurs.end()) {
    fautes.push_back(lieu + n.tag + " ne prend pas de valeur");
  } else if (const std::string faute = FauteValeur70(valeur, n.valeur); !faute.empty()) {
    fautes.push_back(lieu + n.tag + " : " + faute);
  }
  // A word of its enumeration, or an extension's; RESN takes a list of them.
  if (const auto mots = g.enumerations.find(structure); mots != g.enumerations.end()) {
    std::istringstream in(n.valeur);
    for (std::string mot; std::getline(in, mot, ',');) {
      mot.erase(0, mot.find_first_not_of(' '));
      if (!mots->second.contains(mot) && !mot.starts_with('_'))
        fautes.push_back(lieu + n.tag + " « " + mot + " » hors de son énumération");
    }
  }
  std::map<std::string, int> nombre;
  for (const TNoeud& e : n.enfants) {
    if (e.tag.starts_with('_')) continue;
    const auto it = g.sous.find({structure, e.tag});
    if (it == g.sous.end()) {
      fautes.push_back("ligne " + std::to_string(e.ligne) + " : " + e.tag + " interdit sous " + n.tag);
      continue;
    }
    ++nombre[it->second];
    Verifie70(e, it->second, g, types, fautes);
  }
  for (const auto& [cle, card] : g.cardinalites) {
    if (cle.first != structure) continue;
    const int k = nombre.count(cle.second) ? nombre.at(cle.second) : 0;
    if (k < card.first || (card.second > 0 && k > card.second))
      fautes.push_back(lieu + std::to_string(k) + " fois " + cle.second.substr(cle.second.rfind('/') + 1) + " sous " + n.tag);
  }
}

void Chemins(const TNoeud& n, const std::string& prefixe, const std::map<std::string, const TNoeud*>& records,
             std::set<std::string>& r) {
  const std::string chemin = prefixe.empty() ? n.tag : prefixe + "." + n.tag;
  std::string valeur = n.valeur;
  if (Pointeur(valeur)) {
    const auto it = records.find(valeur);
    if (it == records.end()) valeur = "@?";
    else if (it->second->tag == "NOTE" || it->second->tag == "SNOTE") valeur = it->second->valeur;
    else valeur = "@" + it->second->tag;
  }
  // "Y" only says that an event happened, as its details do.
  r.insert(valeur.empty() || valeur == "Y" ? chemin : chemin + " " + valeur);
  for (const TNoeud& e : n.enfants) Chemins(e, chemin, records, r);
}

}  // namespace

std::vector<std::string> Valide551(const std::string& texte, const std::string& dossierGrammaire) {
  static const TGrammaire551 g = Charge551(dossierGrammaire);
  std::vector<std::string> fautes;
  const std::vector<TNoeud> racines = Arbre(texte, false, fautes);
  std::map<std::string, std::string> types;
  Xrefs(racines, types, fautes);
  TNoeud racine;
  racine.enfants = racines;
  Verifie551(racine, "", g, types, fautes);
  if (racines.empty() || racines.front().tag != "HEAD" || !racines.front().enfants.size()) fautes.push_back("pas de HEAD");
  else if (const auto& h = racines.front().enfants; std::none_of(h.begin(), h.end(), [](const TNoeud& e) { return e.tag == "SUBM"; }))
    fautes.push_back("HEAD sans SUBM");
  return fautes;
}

std::vector<std::string> Valide70(const std::string& texte, const std::string& dossierGrammaire) {
  static const TGrammaire70 g = Charge70(dossierGrammaire);
  std::vector<std::string> fautes;
  const std::vector<TNoeud> racines = Arbre(texte, true, fautes);
  std::map<std::string, std::string> types;
  Xrefs(racines, types, fautes);
  std::set<std::string> declares;
  std::map<std::string, std::string> alias;  // an extension tag given the URI of a standard record
  for (const TNoeud& r : racines)
    if (r.tag == "HEAD")
      for (const TNoeud& s : r.enfants)
        if (s.tag == "SCHMA")
          for (const TNoeud& t : s.enfants) {
            const std::string tag = t.valeur.substr(0, t.valeur.find(' '));
            declares.insert(tag);
            const std::string_view kRecord = " https://gedcom.io/terms/v7/record-";
            if (const size_t p = t.valeur.find(kRecord); p != std::string::npos) alias[tag] = t.valeur.substr(p + kRecord.size());
          }
  for (auto& [xref, tag] : types)
    if (const auto a = alias.find(tag); a != alias.end()) tag = a->second;
  for (const TNoeud& r : racines) {
    const auto it = g.sous.find({"", r.tag});
    if (it == g.sous.end() && !r.tag.starts_with('_')) fautes.push_back("ligne " + std::to_string(r.ligne) + " : enregistrement " + r.tag + " inconnu");
    else if (it != g.sous.end()) Verifie70(r, it->second, g, types, fautes);
  }
  // Every extension tag used is declared.
  std::vector<const TNoeud*> pile;
  for (const TNoeud& r : racines) pile.push_back(&r);
  while (!pile.empty()) {
    const TNoeud* n = pile.back();
    pile.pop_back();
    if (n->tag.starts_with('_') && !declares.count(n->tag))
      fautes.push_back("ligne " + std::to_string(n->ligne) + " : " + n->tag + " absent de HEAD.SCHMA");
    for (const TNoeud& e : n->enfants) pile.push_back(&e);
  }
  return fautes;
}

std::set<std::string> Chemins(const std::string& texte) {
  std::vector<std::string> fautes;
  const bool v7 = texte.find("2 VERS 7.0") != std::string::npos;
  const std::vector<TNoeud> racines = Arbre(texte, v7, fautes);
  std::map<std::string, const TNoeud*> records;
  for (const TNoeud& r : racines)
    if (!r.xref.empty()) records[r.xref] = &r;
  std::set<std::string> r;
  for (const TNoeud& n : racines)
    if (n.tag != "HEAD" && n.tag != "TRLR" && n.tag != "NOTE" && n.tag != "SNOTE") Chemins(n, "", records, r);
  return r;
}

}  // namespace kyb::test
