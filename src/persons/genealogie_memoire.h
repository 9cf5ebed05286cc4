#pragma once
// The whole genealogy held in memory for checks and estimations over every person: each
// person's sex, parents, spouses, children and dated events, read in one walk of the persons and
// one of the events (a folder of an older format is read person by person).
//
// About 60 bytes a person plus 24 a dated event. Read-only: nothing is written to the folder.
// Persons are numbered 1..NbPersonnes(); deleted ones are kept as not live, without links.
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "persons/source_estimation.h"
#include "store/enreg_public.h"

namespace kyb {

class TFicPersons;
class TProgression;

enum class TSorteEven : uint8_t { Naissance, Bapteme, Deces, Inhumation, Union, Autre };

struct TEvenMemoire {
  int32_t Conjoint = 0;  // the other person of a union
  TSorteEven Sorte = TSorteEven::Autre;
  TDateKY Date;
};

class TGenealogieMemoire final : public TSourceEstimation {
 public:
  // Reads every person of the file. barre, when given, advances with the persons read. False
  // when the store could not be read (the genealogy then stays empty).
  bool Charge(TFicPersons& fichier, TProgression* barre = nullptr);
  // The same from records in hand (an import that has just written them): Debute, then the
  // record of each person written and each event written, in any order, then Acheve.
  void Debute();
  void AjoutePersonne(long no, const TEnregPublic& p);
  void AjouteEvenement(long noA, long noB, std::string_view libelle, const TDateKY& date);
  void Acheve(long nbPersonnes);

  [[nodiscard]] long NbPersonnes() const { return static_cast<long>(personnes_.size()) - 1; }
  [[nodiscard]] bool Vivante(long no) const { return Valide(no) && personnes_[static_cast<size_t>(no)].Vivante; }
  [[nodiscard]] char Sexe(long no) const { return Valide(no) ? personnes_[static_cast<size_t>(no)].Sexe : '?'; }
  [[nodiscard]] long Pere(long no) const { return Valide(no) ? personnes_[static_cast<size_t>(no)].Pere : 0; }
  [[nodiscard]] long Mere(long no) const { return Valide(no) ? personnes_[static_cast<size_t>(no)].Mere : 0; }
  // Spans over the person's links and events (empty for a number outside the genealogy).
  struct TTranche {
    const int32_t* debut = nullptr;
    const int32_t* fin = nullptr;
    [[nodiscard]] const int32_t* begin() const { return debut; }
    [[nodiscard]] const int32_t* end() const { return fin; }
  };
  [[nodiscard]] TTranche Conjoints(long no) const;
  [[nodiscard]] TTranche Enfants(long no) const;
  [[nodiscard]] std::vector<TEvenMemoire> Evenements(long no) const;
  // The first event of that sort, or null.
  [[nodiscard]] const TEvenMemoire* Premier(long no, TSorteEven sorte) const;

  bool Lit(long no, TDonneesEstimation& d) override;

 private:
  struct TPersonneMemoire {
    int32_t Pere = 0, Mere = 0;
    uint32_t Liens = 0;  // first spouse in liens_; then NbConjoints spouses, NbEnfants children
    uint16_t NbConjoints = 0, NbEnfants = 0;
    uint32_t Evens = 0;  // first event in evens_, up to the next person's
    char Sexe = '?';
    bool Vivante = false;
  };
  [[nodiscard]] bool Valide(long no) const { return no >= 1 && static_cast<size_t>(no) < personnes_.size(); }
  void AjouteLiens(long no, const TEnregPublic& p);
  bool ChargeStore(TFicPersons& fichier, TProgression* barre);
  void ChargeParPersonne(TFicPersons& fichier, TProgression* barre);
  void RangeEvenements(std::vector<std::pair<int32_t, TEvenMemoire>>& evens);
  // Drops the events of persons not live and the second copy of couple events, then ranges them.
  void AcheveEvenements(std::vector<std::pair<int32_t, TEvenMemoire>>& evens);

  std::vector<TPersonneMemoire> personnes_;
  std::vector<int32_t> liens_;
  std::vector<TEvenMemoire> evens_;
  std::vector<std::pair<int32_t, TEvenMemoire>> enAttente_;  // events in hand until Acheve
};

}  // namespace kyb
