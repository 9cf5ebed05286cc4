#pragma once
// The links kinship needs, read once per person: sex, birth parents (pair A), adoptive parents
// (pair B) and spouses. A person that is not live (deleted, beyond the storage, number 0) is an
// empty node: no parent, no spouse, never a relative.
//
// Ascendance gives every ancestor of a person within a number of generations (the person
// itself included) in an order where each parent comes before its children; a loop in the
// parent links (damage) is cut where the walk meets it, so every walk ends. The graph belongs
// to one thread; nodes stay valid as long as the graph. Persons are read through the store's
// reader of relatives where the file has one (the parents of a whole generation of an
// ascendancy in one statement), through person objects otherwise.
#include <memory>
#include <unordered_map>
#include <vector>

#include "folder/gest_fic_pers.h"

namespace kyb {

class TAccesProches;

struct TNoeudParente {
  bool Vivant = false;
  char Sexe = '?';
  long Pere = 0, Mere = 0;                   // birth parents
  long PereAdoptif = 0, MereAdoptive = 0;   // adoptive parents
  std::vector<long> Conjoints;
  [[nodiscard]] bool EstFemme() const { return Sexe == 'F'; }
};

// The ascendancy of one or more persons: the persons and, for each, its shortest distance from
// them (0 for themselves), and an order where each parent comes before its children. A parent
// link that closes a loop is not kept: Parents gives the kept ones only.
struct TAscendance {
  std::vector<long> Ordre;
  std::unordered_map<long, int> Distance;
  std::unordered_map<long, int> Rang;  // position in Ordre
  [[nodiscard]] bool Contient(long no) const { return Distance.count(no) != 0; }
  // The father and mother of no kept in this ascendancy (0 for the others).
  [[nodiscard]] std::pair<long, long> Parents(const TNoeudParente& n, long no) const;
};

class TGrapheParente {
 public:
  explicit TGrapheParente(TFicPersons& fichier);
  ~TGrapheParente();
  TGrapheParente(const TGrapheParente&) = delete;
  TGrapheParente& operator=(const TGrapheParente&) = delete;

  [[nodiscard]] const TNoeudParente& Noeud(long no);
  // The person's ascendancy within maxGenerations (kept: asking again reads nothing).
  [[nodiscard]] const TAscendance& Ascendance(long no, int maxGenerations);
  // The joint ascendancy of several persons (not kept).
  [[nodiscard]] TAscendance AscendanceCommune(const std::vector<long>& racines, int maxGenerations);
  [[nodiscard]] int PersonnesLues() const { return lues_; }

 private:
  // Reads the persons of nos not read yet, together where the reader of relatives allows.
  void Precharge(const std::vector<long>& nos);
  [[nodiscard]] TNoeudParente LitPersonne(long no);

  TFicPersons& fichier_;
  std::unique_ptr<TAccesProches> acces_;
  int lues_ = 0;
  std::unordered_map<long, TNoeudParente> noeuds_;
  std::unordered_map<long, TAscendance> ascendances_;
  int maxAscendances_ = -1;
};

}  // namespace kyb
