#pragma once
// What a chart needs of each person: its links (parents, spouses, children in the order of its
// record) and the texts of its box, read once through the persons file, the person index and the
// place dictionary, then kept for the rest of the drawing. Read-only: nothing is written.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kyb {

class TGestFichier;

struct TPersonneArbre {
  long No = 0;
  char Sexe = '?';
  // Links in range (0 for none); a deleted relative reads null through Personne.
  long Pere = 0, Mere = 0;
  std::vector<long> Conjoints;      // in the order of the record
  std::vector<long> Enfants;        // in the order of the record
  std::string Nom;                  // "MARTIN Jean Baptiste" (UTF-8), "(sans nom)" for neither
  std::string Annees;               // "1820-1880", "~1850-?", empty when no year is known
  std::string Lieu;                 // the place of birth (or of baptism), empty when unknown
};

class TLecteurArbre {
 public:
  // The folder must outlive the reader. Years come from the record card, completed by the
  // estimated ones of the person index when the folder has one.
  explicit TLecteurArbre(TGestFichier& dossier) : dossier_(dossier) {}

  // The person, or null when the number is out of range or the person deleted.
  [[nodiscard]] const TPersonneArbre* Personne(long no);
  // Persons read so far.
  [[nodiscard]] size_t NbLues() const { return lues_.size(); }

 private:
  [[nodiscard]] bool Lit(long no, TPersonneArbre& p);
  // The index's years of a person; every person's are gathered in one walk of the index at the
  // first call (its entries are ordered by name, not by number).
  [[nodiscard]] std::pair<int, int> AnneesIndex(long no);

  TGestFichier& dossier_;
  std::vector<std::pair<int16_t, int16_t>> anneesIndex_;
  bool indexLu_ = false;
  std::unordered_map<long, TPersonneArbre> lues_;
  std::unordered_set<long> absentes_;
};

// "1820-1880" from the years the record states and those the index holds: a year the record
// does not state but the index gives reads "~1850", an unknown one "?"; empty when none is known.
[[nodiscard]] std::string TexteAnneesArbre(int declareeMin, int declareeMax, int indexMin, int indexMax);

}  // namespace kyb
