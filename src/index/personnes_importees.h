#pragma once
// What an import hands to the person index, gathered while it writes: for each person written,
// the parts of its record the index rows take (surname, given names, sex, type), the life years
// its events state, and the genealogy in memory that estimates the years its events leave
// unknown. The index then writes its rows from these, in person order, without reading the
// persons or walking the events again (TFicIndexPerson::RemplitApresImport).
//
// About 90 bytes a person plus its names, and 24 a dated event. One import, one thread.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dates/bo_jours.h"
#include "index/annees_vie.h"
#include "persons/genealogie_memoire.h"
#include "store/enreg_public.h"

namespace kyb {

class TPersonnesImportees {
 public:
  // The person was written with that record (the last call for a number wins).
  void Ecrite(long numero, const TEnregPublic& personne);
  // An event was written for that holder (and that spouse of a couple event, else 0).
  void Evenement(long numero, long conjoint, std::string_view libelle, const TDateKY& date);

  // Numbers 1..Nombre() - 1 may have been written.
  [[nodiscard]] long Nombre() const { return static_cast<long>(fiches_.size()); }
  [[nodiscard]] bool EstEcrite(long numero) const { return Valide(numero) && fiches_[Rang(numero)].ecrite; }
  // The record's indexed parts, into personne (the rest of it is left as it is).
  void Remplit(long numero, TEnregPublic& personne) const;
  // The years the events of the person state (0 for an unknown bound).
  [[nodiscard]] TAnneesVie Declarees(long numero) const;
  // The genealogy of the persons and events written, persons 1..nbPersonnes; once the writing is
  // over (nothing more may be added after).
  [[nodiscard]] TGenealogieMemoire& Genealogie(long nbPersonnes);
  // Frees it once the estimation is over.
  void LibereGenealogie() { genealogie_.reset(); }

 private:
  struct TFiche {
    uint32_t debut = 0;  // of its surname in noms_, given names right after
    uint16_t lgNom = 0, lgPrenoms = 0;
    char sexe = '?', type = 'P';
    bool ecrite = false;
  };
  [[nodiscard]] bool Valide(long numero) const { return numero >= 1 && static_cast<size_t>(numero) < fiches_.size(); }
  [[nodiscard]] static size_t Rang(long numero) { return static_cast<size_t>(numero); }
  void Etend(long numero);

  std::vector<TFiche> fiches_;
  std::vector<TCollecteAnneesVie> vies_;
  std::u16string noms_;
  std::unique_ptr<TGenealogieMemoire> genealogie_ = std::make_unique<TGenealogieMemoire>();
  bool acheve_ = false;
};

}  // namespace kyb
