#pragma once
// TBufferisationArbChrono: the person cache of a persons file, used when whole trees or
// chronologies are walked. Persons are kept by number in an open-addressing table (linear
// probing, at most a third full: one or two probes per hit) and owned by the cache; the numbers
// are also kept in order, so that when it is full the lowest-numbered person leaves (not the
// least used) and memory stays bounded. Beside each person the cache keeps how many slots of its
// link lists are in use, so that a read copies only those. Not locked: it belongs to the thread
// that walks the tree.
#include <limits>
#include <memory>
#include <set>
#include <vector>

#include "folder/gest_fic_pers.h"
#include "persons/gest_pers.h"
#include "store/enreg_public_copie.h"

namespace kyb {

class TBufferisationArbChrono : public TCachePersonnes {
 public:
  TBufferisationArbChrono(TFicPersons* fichier, size_t capacite);

  // The cache of a persons file, installed there (capacity 10000) on first use.
  [[nodiscard]] static TBufferisationArbChrono& De(TFicPersons& fichier);

  // A cached person with the link slots it uses.
  struct TLecture {
    const TPerson* Personne;
    TLiensUtilises Liens;
  };
  // As GetPerson, for a reader that copies the person out: the cached person stays as it is.
  [[nodiscard]] TLecture Lit(long no, bool complet);
  // A negative number other than -2 is taken as 0. A cached person is returned as it is (its
  // complementary data read when complet); otherwise it is read and added. The caller may change
  // the person returned.
  TPerson* GetPerson(long no, bool complet = false);
  // Takes ownership; the lowest number leaves first when full. The modified mark is cleared.
  void AjoutePersonne(std::unique_ptr<TPerson> personne);
  // When the person is modified and cached under its number: the mark is cleared, the cached
  // copy refreshed and returned; otherwise null.
  TPerson* Update(TPerson& personne, bool complet = false);
  // Drops the cached copy of that person's number unless it is that very object.
  void Oublie(const TPerson& personne);
  void Delete(int no) override;
  void RazBuffers() override;
  [[nodiscard]] std::unique_ptr<TCachePersonnes> Recree() const override;

  [[nodiscard]] size_t Taille() const { return numeros_.size(); }
  [[nodiscard]] size_t Capacite() const { return capacite_; }
  [[nodiscard]] bool Contient(long no) const { return Cherche(no) != kAbsent; }

 private:
  static constexpr long kLibre = std::numeric_limits<long>::min();
  static constexpr size_t kAbsent = std::numeric_limits<size_t>::max();
  struct TCase {
    long No = kLibre;
    std::unique_ptr<TPerson> Personne;
    TLiensUtilises Liens;
  };

  [[nodiscard]] size_t Place(long no) const;
  // Index of the number's slot, or kAbsent.
  [[nodiscard]] size_t Cherche(long no) const;
  // The slot of the number, the person read and added when it is not cached.
  TCase& Trouve(long no, bool complet);
  TCase& Insere(std::unique_ptr<TPerson> personne);
  // Empties slot i and moves back the entries that probed past it.
  void Retire(size_t i);

  TFicPersons* fichier_;
  size_t capacite_;
  std::vector<TCase> cases_;  // a power of two, at least three times the capacity
  std::set<long> numeros_;    // the cached numbers, in order
};

}  // namespace kyb
