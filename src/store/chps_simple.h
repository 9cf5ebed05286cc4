#pragma once
// TChpsSimple: one simple field of a person or a couple (profession, e-mail, identifier, tags,
// modification stamps...): a label and a datum, a row of the store table Evenements whose Type
// is 1. The other columns of its row stay empty.
#include <cstdint>

#include "platform/caracteres.h"
#include "platform/chaines.h"
#include "store/evenement.h"
#include "store/liens_couple.h"

namespace kyb {

class TChpsSimple : public TLiensCouple<TChpsSimple> {
 public:
  struct TEnreg {
    int32_t ID = 0;
    int8_t Type = 1;
    AnsiString LibelleChamps;  // <= 20 characters
    UnicodeString Donnee;      // <= 300 characters
    int32_t NoPersA = 0;
    int32_t NoPersB = 0;
    int32_t RangA = 0;
    int32_t RangB = 0;
    bool operator==(const TEnreg&) const = default;
  };

  explicit TChpsSimple(TModuleBDD* bdd = nullptr) : bdd_(bdd) {}
  TChpsSimple(TModuleBDD* bdd, long id);

  void NouvelleFiche() { Enreg = TEnreg(); }
  bool Lecture(long id = 0);  // 0 re-reads the current identifier; false when absent
  // Writes through the store unless it is read-only or absent; id -3 keeps the current one,
  // rang < 1 leaves the rank.
  bool Enregistrement(long id = -3, int rang = 0, long noPers = 0);
  void SetNoPersRang(long noPers, int rang);
  void SetDonnee(const UnicodeString& donnee) { Enreg.Donnee = PremiersCaracteres(donnee, kLongueurDonnee); }
  void SetLibelle(const AnsiString& libelle) { Enreg.LibelleChamps = libelle.substr(0, kLongueurLibelle); }
  [[nodiscard]] bool IsLibelleChamps(std::string_view libelle) const { return Enreg.LibelleChamps == libelle; }
  [[nodiscard]] bool Vide() const { return Enreg.Donnee.empty(); }
  void Raz() { Enreg = TEnreg(); }


  [[nodiscard]] TModuleBDD* Bdd() const { return bdd_; }
  void SetBdd(TModuleBDD* bdd) { bdd_ = bdd; }

  TEnreg Enreg;

 private:
  TModuleBDD* bdd_ = nullptr;
};

// A simple field in a person's sorted vector. Sorting order (Compare): label, spouse rank,
// identifier (0 counts as 0xFFFFF), insertion order. Its less-than operator, used to find a
// value, compares the label, then the datum without regard to case.
struct TChpsSimpleTV {
  TChpsSimple Chps;
  int RgConj = 0;
  uint32_t Ordre = 0;
  [[nodiscard]] static bool Compare(const TChpsSimpleTV& a, const TChpsSimpleTV& b);
  bool operator<(const TChpsSimpleTV& autre) const;
};

}  // namespace kyb
