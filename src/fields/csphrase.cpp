// Sentence templates of TChpCs: the narrative sentences of summaries.
#include <algorithm>

#include "dates/bo_jours.h"
#include "fields/csstruct.h"
#include "fields/csstruct_interne.h"

namespace kyb {

using namespace csinterne;

namespace {

void RemplaceTout(AnsiString& texte, std::string_view marque, std::string_view par) {
  size_t pos = 0;
  while ((pos = texte.find(marque, pos)) != AnsiString::npos) {
    texte.replace(pos, marque.size(), par);
    pos += par.size();
  }
}

// One wording of a "(a|b)" group: number choix modulo their count, then the masculine or the
// feminine side of a "masculin/féminin" form.
AnsiString ChoisitFormulation(std::string_view groupe, char sexe, int choix) {
  const std::vector<std::string_view> formulations = Decoupe(groupe, '|');
  if (formulations.empty()) return {};
  const int n = static_cast<int>(formulations.size());
  const std::string_view f = formulations[static_cast<size_t>(((choix % n) + n) % n)];
  const size_t barre = f.find('/');
  if (barre == std::string_view::npos) return AnsiString(f);
  return AnsiString(sexe == 'F' ? f.substr(barre + 1) : f.substr(0, barre));
}

}  // namespace

AnsiString TChpCs::GetPhrase(int variante) const {
  if (Phrases.empty()) return {};
  const int n = static_cast<int>(Phrases.size());
  return Phrases[static_cast<size_t>(((variante % n) + n) % n)];
}

void TChpCs::ReplaceFieldSubject(AnsiString& phrase, std::string_view sujet, char sexe, int choix) {
  // The groups are resolved before the subject goes in, so that a "(" in a name stays as typed.
  AnsiString resultat;
  size_t pos = 0;
  while (pos < phrase.size()) {
    const size_t ouvre = phrase.find('(', pos);
    const size_t ferme = ouvre == AnsiString::npos ? ouvre : phrase.find(')', ouvre);
    if (ferme == AnsiString::npos) {  // no complete group left
      resultat.append(phrase, pos);
      break;
    }
    resultat.append(phrase, pos, ouvre - pos);
    resultat += ChoisitFormulation(std::string_view(phrase).substr(ouvre + 1, ferme - ouvre - 1),
                                   sexe, choix);
    pos = ferme + 1;
  }
  RemplaceTout(resultat, "#S", sujet);
  phrase = std::move(resultat);
}

void TChpCs::ReplaceFieldDate(AnsiString& phrase, std::string_view dateRedigee) {
  RemplaceTout(phrase, "#D", dateRedigee);
}

void TChpCs::ReplaceFieldDate(AnsiString& phrase, const TDateKY& date) {
  ReplaceFieldDate(phrase, date.PlaceJour(false));
}

void TChpCs::ReplaceFieldPlace(AnsiString& phrase, std::string_view lieu) {
  const AnsiString lieuRogne = RogneAnsi(lieu);
  RemplaceTout(phrase, "#L", lieuRogne.empty() ? AnsiString() : A("à ") + lieuRogne);
}

AnsiString TChpCs::RedigePhrase(int variante, std::string_view sujet, char sexe,
                                std::string_view dateRedigee, std::string_view lieu,
                                int choix) const {
  AnsiString phrase = GetPhrase(variante);
  if (phrase.empty()) return {};
  ReplaceFieldSubject(phrase, sujet, sexe, choix);
  ReplaceFieldDate(phrase, dateRedigee);
  ReplaceFieldPlace(phrase, lieu);
  // A missing date or place leaves doubled spaces behind.
  AnsiString propre;
  for (const char c : phrase)
    if (c != ' ' || (!propre.empty() && propre.back() != ' ')) propre += c;
  propre = RogneAnsi(propre);
  if (!propre.empty()) propre[0] = MajusculeAnsi(propre[0]);
  return propre;
}

}  // namespace kyb
