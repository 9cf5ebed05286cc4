#pragma once
// TBufferisationArbChrono: the person cache of a persons file, used when whole trees or
// chronologies are walked. Persons are kept by number in a hash map (one look-up per hit) and
// owned by the cache; the numbers are also kept in order, so that when it is full the
// lowest-numbered person leaves (not the least used) and memory stays bounded. Not locked: it
// belongs to the thread that walks the tree.
#include <memory>
#include <set>
#include <unordered_map>

#include "folder/gest_fic_pers.h"
#include "persons/gest_pers.h"

namespace kyb {

class TBufferisationArbChrono : public TCachePersonnes {
 public:
  TBufferisationArbChrono(TFicPersons* fichier, size_t capacite);

  // The cache of a persons file, installed there (capacity 10000) on first use.
  [[nodiscard]] static TBufferisationArbChrono& De(TFicPersons& fichier);

  // A negative number other than -2 is taken as 0. A cached person is returned as it is (its
  // complementary data read when complet); otherwise it is read and added.
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

  [[nodiscard]] size_t Taille() const { return personnes_.size(); }
  [[nodiscard]] size_t Capacite() const { return capacite_; }
  [[nodiscard]] bool Contient(long no) const { return personnes_.count(no) != 0; }

 private:
  TFicPersons* fichier_;
  size_t capacite_;
  std::unordered_map<long, std::unique_ptr<TPerson>> personnes_;
  std::set<long> numeros_;  // the same numbers, in order
};

}  // namespace kyb
