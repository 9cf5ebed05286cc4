#pragma once
// TPerson: the in-memory person of a genealogy folder — identity, links to parents, spouses and
// children, and the alternative parent pair.
//
// A person is built on a number of its persons file and loads itself: from the store's Personnes
// row in the current format, from the 644-byte record (and its extension record) in an older
// folder. Numbers: 0 not numbered (nothing is saved), -2 the header person, -3 keep the current
// number on Lecture and Enregistrement, take a new one on NouvelleFiche.
//
// The alternative parents (father and mother A and B, with the principal-pair selectors) live in
// the store's IDParents table, a row only for persons whose pair differs from the default.
//
// Failures: a number beyond the persons storage, a folder in error or a garbage record leave the
// person empty (with its number). Enregistrement writes nothing on a read-only folder or one in
// error. A person belongs to one thread.
#include <cstdint>

#include "folder/gest_fic_pers.h"
#include "store/enreg_public.h"

namespace kyb {

class TPerson {
 public:
  using TEnregPublic = kyb::TEnregPublic;
  using TNoParent = kyb::TNoParent;

  // Reads the person when numero is positive or -2, otherwise starts an empty unnumbered one.
  // complet, entier and cache are passed to Lecture.
  TPerson(TFicPersons* fichier, long numero, bool complet = false, int entier = 0, bool cache = false);
  TPerson(const TPerson& autre) = default;
  TPerson& operator=(const TPerson& autre) = default;
  // Copies the public record, the alternative parents and the number.
  void CopyPerson(const TPerson& autre);

  // Resets to an empty person: alternative parents unset, public record cleared. -3 takes a new
  // number from the persons file and marks the link arrays loaded; any other number is kept.
  void NouvelleFiche(long numero);
  // With cache set (and a number other than 0 and -2) the person comes from the folder's cache;
  // otherwise it is read from the persons storage. The alternative parents come from IDParents
  // (not in 2009 folders). The folder records the time and thread of the read.
  void Lecture(long numero, bool complet = false, int entier = 0, bool cache = false, bool drapeau = false);
  // Events and simple fields join the person with their own storage; nothing is loaded yet.
  void LectureComplementaire() {}
  // Saves the identity and links (older folder: extension record first, then the person
  // record; current format: the Personnes row), then the IDParents row. fichier, when given,
  // replaces the person's file for this call. False when nothing was written.
  bool Enregistrement(long numero = kEnregCourant, TFicPersons* fichier = nullptr);

  // --- identity ---
  void SetNom(const UnicodeString& nom) { Public.Nom = nom.substr(0, kLongueurNom); }
  void SetPrenoms(const UnicodeString& prenoms) { Public.Prenoms = prenoms.substr(0, kLongueurPrenoms); }
  void SetSexe(char sexe) { Public.Sexe = sexe == 'M' || sexe == 'F' ? sexe : '?'; }
  [[nodiscard]] bool EstHomme() const { return Public.Sexe == 'M'; }
  [[nodiscard]] bool EstFemme() const { return Public.Sexe == 'F'; }
  [[nodiscard]] int RgSexe() const { return EstHomme() ? 1 : EstFemme() ? 2 : 0; }
  [[nodiscard]] char NotSex() const { return EstHomme() ? 'F' : EstFemme() ? 'M' : '?'; }
  [[nodiscard]] const UnicodeString& RetChnMF(const UnicodeString& masculin, const UnicodeString& feminin) const {
    return EstFemme() ? feminin : masculin;
  }
  // Sex as flags: 'M' male 1, 'F' female 1, otherwise both 0 and inconnu 1.
  void SexeTouint16(uint16_t& homme, uint16_t& femme, uint16_t& inconnu) const;
  void uint16ToSexe(uint16_t homme, uint16_t femme);
  void SetPersonne() { Public.TypePersonne = 'P'; }
  void SetTemoin() { Public.TypePersonne = 'T'; }
  [[nodiscard]] bool IsPersonne() const { return Public.TypePersonne == 'P' || Public.TypePersonne == ' '; }
  [[nodiscard]] bool IsTemoin() const { return Public.TypePersonne == 'T' || Public.TypePersonne == ' '; }
  [[nodiscard]] bool FicheSupprimee() const { return Public.FicheSupprimee == 'O'; }
  // Surname empty or "XXX", and no first names.
  [[nodiscard]] bool NomEtPrenomVides() const;

  // --- links ---
  // The first free slot takes the link; -1 when full or already there, else the slot.
  int AjouteConj(long no);
  int AjouteEnf(long no);
  [[nodiscard]] int CompteNbConjoint() const { return Public.NbConjoints(); }
  [[nodiscard]] int CompteNbEnfant() const { return Public.NbEnfants(); }
  // No parent, spouse or child.
  [[nodiscard]] bool AucunLien() const;

  // --- alternative parents ---
  // Reads the IDParents row; without one the pair is the default (A = displayed parents).
  void ReadNoParentFromBDD();
  // Writes the row, or deletes it when the pair is the default.
  void WriteNoParentFromBDD();
  [[nodiscard]] bool DefaultNoParent() const;
  // The displayed parents into the principal pair (B when its selector is 2, else A).
  void SetNoPere(long no);
  void SetNoMere(long no);
  [[nodiscard]] TNoParent& NoParents() { return noParents_; }
  [[nodiscard]] const TNoParent& NoParents() const { return noParents_; }

  [[nodiscard]] long Numero() const { return numero_; }
  [[nodiscard]] TFicPersons* Fichier() const { return fichier_; }
  [[nodiscard]] bool Modifie() const { return modifie_; }
  void SetModifie(bool modifie) { modifie_ = modifie; }

  TEnregPublic Public;

 private:
  [[nodiscard]] TGestFichier* Dossier() const { return fichier_ ? fichier_->Dossier() : nullptr; }
  void LitStockage();
  [[nodiscard]] bool EcritStockage(TFicPersons& fichier);
  void AfficheParents();

  TFicPersons* fichier_;
  long numero_ = 0;
  TNoParent noParents_;
  bool ligneParents_ = true;  // an IDParents row may exist for this number
  bool modifie_ = false;
};

}  // namespace kyb
