#pragma once
// Editing a person field by field, as a user types it ("NAISSANCE=14/07/1820", "NOM=Martin"),
// and creating a person with its parents: every value is checked before anything is written,
// and the person with every other person it touches (parents, spouses) is saved in one store
// transaction, so that a failure leaves the folder as it was.
//
// Field names: NOM, PRENOMS (PRENOM), SEXE, PERE, MERE, CONJOINT (a person number; 0 removes the
// parent), or the internal or screen label of a field definition. An event takes a date when
// its definition is a dated event ("ES"), its datum otherwise; the suffixes ".date", ".lieu",
// ".lieudit" and ".donnee" name one part. A couple field names its spouse after "@"
// ("UNION@2"). An empty value removes the field (a parent link, an event, a simple field).
//
// A woman in the father's place (a man in the mother's) is accepted beside a parent of the same
// sex: a couple of one sex and its children (SexesParentsAdmis), whether the edit names the
// parent or changes a parent's sex.
//
// Messages are French, in UTF-8; an empty message means success.
#include <memory>
#include <string>
#include <vector>

#include "engine/acr_database.h"
#include "persons/gest_pers.h"

namespace kyb {

class TChpCs;
class TFicNotes;
class TNote;

class TEditionPersonne {
 public:
  // Reads the person with its record card; Erreur() tells why it cannot be edited.
  TEditionPersonne(TFicPersons& fichier, long no);
  // A new person, numbered only by Enregistre.
  explicit TEditionPersonne(TFicPersons& fichier);

  [[nodiscard]] const std::string& Erreur() const { return erreur_; }
  // Changes the field (ajout: always a new record, refused when the definitions allow no
  // other). The message of a refusal, else empty; a refused change leaves the person as it was.
  [[nodiscard]] std::string Applique(const std::string& champ, const std::string& valeur, bool ajout = false);
  // Saves the person, its stamps and every person whose links changed, all or nothing. The
  // message of the failure, else empty.
  [[nodiscard]] std::string Enregistre();

  // What the edit did beyond the values given (a place kept whole in the event's note), French.
  [[nodiscard]] const std::vector<std::string>& Avertissements() const { return avertissements_; }

  [[nodiscard]] TPerson& Personne() { return *personne_; }
  [[nodiscard]] long Numero() const { return personne_->Numero(); }

 private:
  [[nodiscard]] std::string Lien(const std::string& champ, const std::string& valeur);
  [[nodiscard]] std::string Parent(bool pere, long no);
  [[nodiscard]] std::string Conjoint(long no);
  [[nodiscard]] std::string Evenement(const TChpCs& def, const std::string& partie, long conjoint,
                                      const std::string& valeur, bool ajout);
  // The place of an event (edition_lieu.cpp).
  [[nodiscard]] std::string Lieu(TEvenement& e, const std::string& valeur);
  // A new directory for the event's note holding its headings but "Lieu" (not yet written).
  [[nodiscard]] bool NoteSansLieu(TEvenement& e, TNote& nouvelle, TFicNotes& notes);
  [[nodiscard]] std::string Simple(const TChpCs& def, long conjoint, const std::string& valeur, bool ajout);
  // The person of that number, read once and kept for the save.
  [[nodiscard]] TPerson* Autre(long no);
  [[nodiscard]] std::string Existe(long no) const;
  [[nodiscard]] bool EnregistreTout();
  // The sexes of the person's parents, and of the person beside the other parent of each of
  // its children, as SexesParentsAdmis allows them: why not, else empty.
  [[nodiscard]] std::string Sexes();

  void Ouvre();

  TFicPersons& fichier_;
  // Every write of the edit (a spouse saved with a couple event, a place added) happens inside
  // it; committed by Enregistre, rolled back otherwise.
  std::unique_ptr<TACRTransaction> transaction_;
  std::unique_ptr<TPerson> personne_;
  std::vector<std::unique_ptr<TPerson>> autres_;
  long pereInitial_ = 0, mereInitial_ = 0;
  char sexeInitial_ = '?';
  std::vector<long> conjointsAjoutes_;
  bool nouvelle_ = false;
  std::string erreur_;
  std::vector<std::string> avertissements_;
};

}  // namespace kyb
