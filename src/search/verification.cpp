#include "search/verification.h"

#include <algorithm>
#include <functional>

#include "dates/intervalle_annees.h"
#include "folder/gest_fic_pers.h"
#include "platform/date_heure.h"
#include "platform/interface_utilisateur.h"

namespace kyb {

namespace {

constexpr float kJoursAnnee = 365.242f;
constexpr float kEcartJumeaux = 2 / kJoursAnnee;  // twins are born within two days
constexpr long kPasProgression = 4096;

// "14/07/1789", "~ ../../1800": the date as typed, for the report.
std::string TexteDate(const TDateKY& d) {
  std::string acte;
  for (const char c : d.GetActe())
    if (c != ' ') acte += c;
  std::string texte(d.Texte());
  if (d.DateFormatRepublicain()) texte += " (républicain)";
  else if (d.DateFormatHebraique()) texte += " (hébraïque)";
  else if (d.DateFormatAvantJC()) texte += " av. J.-C.";
  return acte.empty() ? texte : acte + " " + texte;
}

// One event with the interval of its date.
struct TDate {
  const TDateKY* date = nullptr;
  TIntervalAnnees i;
  [[nodiscard]] bool Connue() const { return date && !i.Inconnu(); }
};

// a certainly before b, by more than marge years.
bool Avant(const TDate& a, const TDate& b, float marge = 0) {
  return a.Connue() && b.Connue() && !a.i.MaxInconnu() && !b.i.MinInconnu() && a.i.Max() + marge < b.i.Min();
}

class TVerificateur {
 public:
  TVerificateur(const TGenealogieMemoire& g, const TConsConfigSais& c, const TDateKY& aujourdhui)
      : g_(g), c_(c), aujourdhui_(IntervalleDate(aujourdhui)) {}

  void Personne(long no);
  void Boucles();
  TBilanVerification& Bilan() { return bilan_; }

 private:
  TDate Date(long no, TSorteEven sorte) const {
    const TEvenMemoire* e = g_.Premier(no, sorte);
    return e ? TDate{&e->Date, IntervalleDate(e->Date)} : TDate{};
  }
  void Ajoute(TSorteConstat s, long no, long autre, std::string detail) {
    bilan_.Constats.push_back({s, no, autre, std::move(detail)});
  }
  void PropresDates(long no);
  void Parents(long no);
  void Unions(long no);
  void Freres(long parent, bool parLaMere);

  const TGenealogieMemoire& g_;
  const TConsConfigSais& c_;
  const TIntervalAnnees aujourdhui_;
  TBilanVerification bilan_;
};

void TVerificateur::PropresDates(long no) {
  const TDate n = Date(no, TSorteEven::Naissance), b = Date(no, TSorteEven::Bapteme);
  const TDate d = Date(no, TSorteEven::Deces), i = Date(no, TSorteEven::Inhumation);
  if (Avant(d, n)) Ajoute(TSorteConstat::DecesAvantNaissance, no, 0, "décès " + TexteDate(*d.date) + ", naissance " + TexteDate(*n.date));
  else if (Avant(d, b)) Ajoute(TSorteConstat::DecesAvantNaissance, no, 0, "décès " + TexteDate(*d.date) + ", baptême " + TexteDate(*b.date));
  if (Avant(i, d)) Ajoute(TSorteConstat::InhumationAvantDeces, no, 0, "inhumation " + TexteDate(*i.date) + ", décès " + TexteDate(*d.date));
  if (n.Connue() && d.Connue() && !n.i.MaxInconnu() && !d.i.MinInconnu() && d.i.Min() - n.i.Max() > static_cast<float>(c_.AgeMaxDeces))
    Ajoute(TSorteConstat::VieTropLongue, no, 0, "naissance " + TexteDate(*n.date) + ", décès " + TexteDate(*d.date));
  for (const TEvenMemoire& e : g_.Evenements(no)) {
    const TDate x{&e.Date, IntervalleDate(e.Date)};
    if (e.Sorte != TSorteEven::Inhumation && e.Sorte != TSorteEven::Deces && Avant(i, x))
      Ajoute(TSorteConstat::EvenementApresInhumation, no, e.Conjoint, "inhumation " + TexteDate(*i.date) + ", évènement " + TexteDate(e.Date));
    if (x.Connue() && !x.i.MinInconnu() && !aujourdhui_.MaxInconnu() && x.i.Min() > aujourdhui_.Max())
      Ajoute(TSorteConstat::DateFuture, no, 0, TexteDate(e.Date));
  }
}

void TVerificateur::Parents(long no) {
  const TDate n = Date(no, TSorteEven::Naissance);
  if (!n.Connue()) return;
  for (const long parent : {g_.Pere(no), g_.Mere(no)}) {
    if (parent == no || !g_.Vivante(parent)) continue;
    const bool pere = parent == g_.Pere(no);
    int min = 0, max = 0;
    c_.GetAgePremierEnfant(min, max, g_.Sexe(parent), true);
    const TDate np = Date(parent, TSorteEven::Naissance);
    const std::string detail = "naissance " + (np.date ? TexteDate(*np.date) : std::string()) + ", enfant né " + TexteDate(*n.date);
    // The oldest age the dates allow is below the minimum, or the youngest above the maximum.
    if (np.Connue()) {
      if (!n.i.MaxInconnu() && !np.i.MinInconnu() && n.i.Max() - np.i.Min() < static_cast<float>(min))
        Ajoute(TSorteConstat::ParentTropJeune, parent, no, detail);
      else if (!n.i.MinInconnu() && !np.i.MaxInconnu() && n.i.Min() - np.i.Max() > static_cast<float>(max))
        Ajoute(TSorteConstat::ParentTropAge, parent, no, detail);
    }
    const TDate dp = Date(parent, TSorteEven::Deces);
    const float delai = pere ? static_cast<float>(c_.MoisNaissanceApresDecesPere) / 12 : 0.0f;
    if (Avant(dp, n, delai))
      Ajoute(pere ? TSorteConstat::NaissanceApresDecesPere : TSorteConstat::NaissanceApresDecesMere, no, parent,
             "naissance " + TexteDate(*n.date) + ", décès du parent " + TexteDate(*dp.date));
  }
}

void TVerificateur::Unions(long no) {
  const TDate n = Date(no, TSorteEven::Naissance), d = Date(no, TSorteEven::Deces);
  for (const TEvenMemoire& e : g_.Evenements(no)) {
    if (e.Sorte != TSorteEven::Union) continue;
    const TDate u{&e.Date, IntervalleDate(e.Date)};
    if (n.Connue() && u.Connue() && !u.i.MaxInconnu() && !n.i.MinInconnu() &&
        u.i.Max() - n.i.Min() < static_cast<float>(c_.AgeMinUnion))
      Ajoute(TSorteConstat::UnionAvantAgeMinimum, no, e.Conjoint, "naissance " + TexteDate(*n.date) + ", union " + TexteDate(e.Date));
    if (Avant(d, u))
      Ajoute(TSorteConstat::UnionApresDeces, no, e.Conjoint, "décès " + TexteDate(*d.date) + ", union " + TexteDate(e.Date));
  }
}

void TVerificateur::Freres(long parent, bool parLaMere) {
  // The children of one mother (or of one father when they have no mother), by earliest birth.
  std::vector<std::pair<TDate, long>> enfants;
  for (const int32_t e : g_.Enfants(parent)) {
    if (!g_.Vivante(e) || (parLaMere ? g_.Mere(e) != parent : g_.Mere(e) > 0 || g_.Pere(e) != parent)) continue;
    const TDate n = Date(e, TSorteEven::Naissance);
    if (n.Connue() && !n.i.MinInconnu() && !n.i.MaxInconnu()) enfants.emplace_back(n, e);
  }
  std::sort(enfants.begin(), enfants.end(), [](const auto& a, const auto& b) {
    return a.first.i.Min() != b.first.i.Min() ? a.first.i.Min() < b.first.i.Min() : a.second < b.second;
  });
  const float ecart = static_cast<float>(c_.MoisEntreNaissances) / 12;
  for (size_t a = 0; a < enfants.size(); ++a)
    for (size_t b = a + 1; b < enfants.size() && enfants[b].first.i.Min() - enfants[a].first.i.Max() < ecart; ++b) {
      if (enfants[a].second == enfants[b].second) continue;
      const TIntervalAnnees &x = enfants[a].first.i, &y = enfants[b].first.i;
      const float plusGrand = std::max(y.Max() - x.Min(), x.Max() - y.Min());
      const float plusPetit = std::max({y.Min() - x.Max(), x.Min() - y.Max(), 0.0f});
      if (plusGrand < ecart && plusPetit > kEcartJumeaux)
        Ajoute(TSorteConstat::FreresTropRapproches, enfants[b].second, enfants[a].second,
               "naissances " + TexteDate(*enfants[a].first.date) + " et " + TexteDate(*enfants[b].first.date));
    }
}

void TVerificateur::Personne(long no) {
  if (!g_.Vivante(no)) return;
  ++bilan_.PersonnesVerifiees;
  PropresDates(no);
  Parents(no);
  Unions(no);
  if (g_.Sexe(no) == 'F') Freres(no, true);
  else Freres(no, false), Freres(no, true);  // a mother of unknown sex
}

void TVerificateur::Boucles() {
  // Strongly connected parts of the parent links (Tarjan, without recursion): a person in a part
  // of several persons, or its own parent, is its own ancestor.
  const long n = g_.NbPersonnes();
  std::vector<int32_t> rang(static_cast<size_t>(n) + 1, 0), bas(static_cast<size_t>(n) + 1, 0);
  std::vector<bool> surPile(static_cast<size_t>(n) + 1, false);
  std::vector<int32_t> pile;
  std::vector<std::pair<int32_t, int>> appels;  // person, next parent to visit (0 father, 1 mother)
  int32_t compteur = 0;
  const auto parent = [&](long no, int k) {
    const long p = k == 0 ? g_.Pere(no) : g_.Mere(no);
    return g_.Vivante(p) ? p : 0;
  };
  for (long depart = 1; depart <= n; ++depart) {
    if (!g_.Vivante(depart) || rang[static_cast<size_t>(depart)]) continue;
    appels.push_back({static_cast<int32_t>(depart), 0});
    rang[static_cast<size_t>(depart)] = bas[static_cast<size_t>(depart)] = ++compteur;
    pile.push_back(static_cast<int32_t>(depart));
    surPile[static_cast<size_t>(depart)] = true;
    while (!appels.empty()) {
      auto& [v, k] = appels.back();
      const size_t sv = static_cast<size_t>(v);
      if (k < 2) {
        const long w = parent(v, k++);
        if (!w) continue;
        const size_t sw = static_cast<size_t>(w);
        if (!rang[sw]) {
          rang[sw] = bas[sw] = ++compteur;
          pile.push_back(static_cast<int32_t>(w));
          surPile[sw] = true;
          appels.push_back({static_cast<int32_t>(w), 0});
        } else if (surPile[sw]) {
          bas[sv] = std::min(bas[sv], rang[sw]);
        }
        continue;
      }
      if (bas[sv] == rang[sv]) {
        std::vector<int32_t> partie;
        int32_t w = 0;
        do {
          w = pile.back();
          pile.pop_back();
          surPile[static_cast<size_t>(w)] = false;
          partie.push_back(w);
        } while (w != v);
        const bool boucle = partie.size() > 1 || parent(v, 0) == v || parent(v, 1) == v;
        if (boucle)
          for (const int32_t x : partie)
            Ajoute(TSorteConstat::PropreAncetre, x, 0, partie.size() > 1 ? "boucle de " + std::to_string(partie.size()) + " personnes" : "son propre parent");
      }
      const int32_t fini = v;
      appels.pop_back();
      if (!appels.empty()) {
        const size_t sp = static_cast<size_t>(appels.back().first);
        bas[sp] = std::min(bas[sp], bas[static_cast<size_t>(fini)]);
      }
    }
  }
}

}  // namespace

long TBilanVerification::Compte(TSorteConstat sorte) const {
  return std::count_if(Constats.begin(), Constats.end(), [sorte](const TConstat& c) { return c.Sorte == sorte; });
}

const char* LibelleSorteConstat(TSorteConstat s) {
  switch (s) {
    case TSorteConstat::DecesAvantNaissance: return "Décès avant la naissance ou le baptême";
    case TSorteConstat::InhumationAvantDeces: return "Inhumation avant le décès";
    case TSorteConstat::EvenementApresInhumation: return "Évènement après l'inhumation";
    case TSorteConstat::ParentTropJeune: return "Parent trop jeune à la naissance d'un enfant";
    case TSorteConstat::ParentTropAge: return "Parent trop âgé à la naissance d'un enfant";
    case TSorteConstat::NaissanceApresDecesPere: return "Naissance trop longtemps après le décès du père";
    case TSorteConstat::NaissanceApresDecesMere: return "Naissance après le décès de la mère";
    case TSorteConstat::UnionAvantAgeMinimum: return "Union avant l'âge minimum";
    case TSorteConstat::UnionApresDeces: return "Union après le décès";
    case TSorteConstat::FreresTropRapproches: return "Frères et sœurs nés trop près l'un de l'autre";
    case TSorteConstat::VieTropLongue: return "Durée de vie trop longue";
    case TSorteConstat::PropreAncetre: return "Personne ancêtre d'elle-même";
    case TSorteConstat::DateFuture: return "Date dans le futur";
  }
  return "";
}

const char* CodeSorteConstat(TSorteConstat s) {
  static constexpr const char* kCodes[kNbSortesConstat] = {
      "deces_avant_naissance", "inhumation_avant_deces", "evenement_apres_inhumation", "parent_trop_jeune",
      "parent_trop_age", "naissance_apres_deces_pere", "naissance_apres_deces_mere", "union_avant_age_minimum",
      "union_apres_deces", "freres_trop_rapproches", "vie_trop_longue", "propre_ancetre", "date_future"};
  return kCodes[static_cast<int>(s)];
}

TBilanVerification VerifieGenealogie(const TGenealogieMemoire& g, const TConsConfigSais& reglages, const TDateKY& aujourdhui,
                                     TProgression* barre) {
  TVerificateur v(g, reglages, aujourdhui);
  if (barre) barre->Maximum(static_cast<int>(g.NbPersonnes()));
  for (long no = 1; no <= g.NbPersonnes(); ++no) {
    v.Personne(no);
    if (barre && no % kPasProgression == 0) barre->Position(static_cast<int>(no));
  }
  v.Boucles();
  TBilanVerification& b = v.Bilan();
  b.Lue = true;
  std::stable_sort(b.Constats.begin(), b.Constats.end(), [](const TConstat& a, const TConstat& c) {
    return a.Sorte != c.Sorte ? a.Sorte < c.Sorte : a.No < c.No;
  });
  return std::move(b);
}

TBilanVerification VerifieGenealogie(TFicPersons& fichier, TProgression* barre) {
  TGenealogieMemoire g;
  if (barre) barre->Texte(u"Lecture de la généalogie");
  if (!g.Charge(fichier, barre)) return {};
  if (barre) barre->Texte(u"Vérification des dates");
  const TDateKY aujourdhui('G', FormatDateHeure("dd/mm/yyyy", Maintenant()));
  return VerifieGenealogie(g, GConsConfigSais ? *GConsConfigSais : TConsConfigSais(), aujourdhui, barre);
}

}  // namespace kyb
