// Equation of a selection: reading into a tree, evaluation, and the rewriting reference
// (search/equation.h).
#include "search/equation.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace kyb {

namespace {

bool EstNombre(const std::string& mot) {
  return !mot.empty() && mot.size() <= 9 &&
         std::all_of(mot.begin(), mot.end(), [](unsigned char c) { return std::isdigit(c); });
}

// Recursive-descent reader over the words.
class TLecteur {
 public:
  TLecteur(const std::vector<std::string>& mots, int nbConditions,
           std::function<int32_t(uint8_t, int32_t, int32_t)> noeud)
      : mots_(mots), nbConditions_(nbConditions), noeud_(std::move(noeud)) {}

  int32_t Lit() {
    const int32_t r = Ou();
    if (erreur_.empty() && pos_ < mots_.size())
      erreur_ = mots_[pos_] == ")" ? "parenthèse fermante sans parenthèse ouvrante"
                                   : "« " + mots_[pos_] + " » inattendu après une expression complète";
    return r;
  }
  [[nodiscard]] const std::string& Erreur() const { return erreur_; }

 private:
  bool Prend(const char* mot) {
    if (pos_ < mots_.size() && mots_[pos_] == mot) {
      ++pos_;
      return true;
    }
    return false;
  }
  int32_t Ou() {
    int32_t g = Et();
    while (erreur_.empty() && Prend("ou")) g = noeud_(3, g, Et());
    return g;
  }
  int32_t Et() {
    int32_t g = Facteur();
    while (erreur_.empty() && Prend("et")) g = noeud_(2, g, Facteur());
    return g;
  }
  int32_t Facteur() {
    if (!erreur_.empty()) return -1;
    if (pos_ >= mots_.size()) {
      erreur_ = "équation incomplète : une condition manque à la fin";
      return -1;
    }
    if (Prend("non")) return noeud_(1, Facteur(), -1);
    if (Prend("(")) {
      const int32_t r = Ou();
      if (erreur_.empty() && !Prend(")")) erreur_ = "parenthèse fermante manquante";
      return r;
    }
    const std::string& mot = mots_[pos_];
    if (!EstNombre(mot)) {
      erreur_ = mot == ")" || mot == "et" || mot == "ou" ? "une condition manque avant « " + mot + " »"
                                                         : "mot inconnu « " + mot + " » (attendu : un numéro, et, ou, non, parenthèses)";
      return -1;
    }
    const long n = std::stol(mot);
    if (n < 1 || n > nbConditions_) {
      erreur_ = "la condition " + mot + " n'existe pas (" + std::to_string(nbConditions_) + " condition(s))";
      return -1;
    }
    ++pos_;
    return noeud_(0, static_cast<int32_t>(n), -1);
  }

  const std::vector<std::string>& mots_;
  int nbConditions_;
  std::function<int32_t(uint8_t, int32_t, int32_t)> noeud_;
  size_t pos_ = 0;
  std::string erreur_;
};

// One group without parentheses: '!' then '*' then '+'; '2' when it does not reduce to a digit.
char ReduitGroupe(std::string g) {
  for (size_t i = g.size(); i-- > 0;)
    if (g[i] == '!') {
      if (i + 1 >= g.size() || (g[i + 1] != '0' && g[i + 1] != '1')) return '2';
      g.replace(i, 2, 1, g[i + 1] == '1' ? '0' : '1');
    }
  for (const char op : {'*', '+'}) {
    for (size_t i = 0; (i = g.find(op, i)) != std::string::npos;) {
      if (i == 0 || i + 1 >= g.size()) return '2';
      const char a = g[i - 1], b = g[i + 1];
      if ((a != '0' && a != '1') || (b != '0' && b != '1')) return '2';
      const bool v = op == '*' ? (a == '1' && b == '1') : (a == '1' || b == '1');
      g.replace(i - 1, 3, 1, v ? '1' : '0');
      i = i - 1;
    }
  }
  return g.size() == 1 && (g[0] == '0' || g[0] == '1') ? g[0] : '2';
}

}  // namespace

std::vector<std::string> TEquation::Mots(const UnicodeString& texte) {
  std::vector<std::string> mots;
  std::string courant;
  const auto coupe = [&] {
    if (!courant.empty()) mots.push_back(courant);
    courant.clear();
  };
  for (const char16_t c : texte) {
    if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
      coupe();
    } else if (c == u'(' || c == u')') {
      coupe();
      mots.emplace_back(1, static_cast<char>(c));
    } else {
      courant += UnicodeVersUtf8(std::u16string_view(&c, 1));
    }
  }
  coupe();
  for (std::string& m : mots)
    std::transform(m.begin(), m.end(), m.begin(), [](unsigned char c) { return std::tolower(c); });
  return mots;
}

bool TEquation::Analyse(const UnicodeString& texte, int nbConditions, std::string* message) {
  noeuds_.clear();
  racine_ = -1;
  valide_ = true;
  const std::vector<std::string> mots = Mots(texte);
  if (mots.empty()) return true;
  TLecteur lecteur(mots, nbConditions, [this](uint8_t genre, int32_t a, int32_t b) {
    noeuds_.push_back({static_cast<TGenre>(genre), a, b});
    return static_cast<int32_t>(noeuds_.size() - 1);
  });
  racine_ = lecteur.Lit();
  valide_ = lecteur.Erreur().empty();
  if (!valide_) {
    noeuds_.clear();
    racine_ = -1;
    if (message) *message = lecteur.Erreur();
  }
  return valide_;
}

bool TEquation::EvalueNoeud(int32_t n, const std::function<bool(int)>& resultat) const {
  const TNoeud& x = noeuds_[n];
  switch (x.genre) {
    case Condition: return resultat(x.a);
    case Non: return !EvalueNoeud(x.a, resultat);
    case Et: return EvalueNoeud(x.a, resultat) && EvalueNoeud(x.b, resultat);
    default: return EvalueNoeud(x.a, resultat) || EvalueNoeud(x.b, resultat);
  }
}

bool TEquation::Evalue(const std::function<bool(int)>& resultat) const {
  if (!valide_) return false;
  if (noeuds_.empty()) return true;
  // Each condition asked once: a number named twice reuses its first answer.
  std::vector<int8_t> vus;
  const auto memo = [&](int n) {
    if (static_cast<size_t>(n) >= vus.size()) vus.resize(n + 1, -1);
    if (vus[n] < 0) vus[n] = resultat(n) ? 1 : 0;
    return vus[n] == 1;
  };
  return EvalueNoeud(racine_, memo);
}

std::vector<int> TEquation::Numeros() const {
  std::set<int> n;
  for (const TNoeud& x : noeuds_)
    if (x.genre == Condition) n.insert(x.a);
  return {n.begin(), n.end()};
}

char TEquation::Reduction(const UnicodeString& texte, const std::vector<bool>& resultats) {
  const std::vector<std::string> mots = Mots(texte);
  if (mots.empty()) return '1';
  std::string s = "(";
  for (const std::string& mot : mots) {
    if (mot == "et") s += '*';
    else if (mot == "ou") s += '+';
    else if (mot == "non") s += '!';
    else if (mot == "(" || mot == ")") s += mot;
    else if (EstNombre(mot) && std::stol(mot) >= 1 && static_cast<size_t>(std::stol(mot)) <= resultats.size())
      s += resultats[std::stol(mot) - 1] ? '1' : '0';
    else s += '2';
  }
  s += ')';
  while (s.size() > 1) {
    const size_t fin = s.find(')');
    if (fin == std::string::npos) return '2';
    const size_t debut = s.rfind('(', fin);
    if (debut == std::string::npos) return '2';
    const char r = ReduitGroupe(s.substr(debut + 1, fin - debut - 1));
    if (r == '2') return '2';
    s.replace(debut, fin - debut + 1, 1, r);
  }
  return s == "0" || s == "1" ? s[0] : '2';
}

}  // namespace kyb
