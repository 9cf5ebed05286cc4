#pragma once
// The export's working state, shared by export_gedcom.cpp (persons, families, records) and
// export_gedcom_evenements.cpp (events, fields, notes).
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "fields/csdefchps.h"
#include "folder/gest_fic.h"
#include "gedcom/export_gedcom.h"
#include "store/chps_personne.h"
#include "store/datamodulebdd.h"
#include "store/enreg_public.h"

namespace kyb {

class TFicDupli;

struct TFamilleExport {
  int32_t mari = 0, femme = 0;
  std::vector<int32_t> enfants;
  std::vector<TEvenement> evenements;  // couple events, gathered while persons are written
  std::vector<TChpsSimple> champs;
};

class TExporteur {
 public:
  TExporteur(TGestFichier& dossier, TEcrivainGedcom& ecrivain, TBilanExportGedcom& bilan);
  // Pass 1: links of every person, families.
  void Recense();
  // Pass 2: INDI records, then FAM, SOUR and OBJE records.
  void Ecrit();

 private:
  // --- persons and families (export_gedcom.cpp) ---
  [[nodiscard]] std::pair<int32_t, int32_t> Couple(int32_t a, int32_t b) const;
  // The family of a couple (its union of rank union, from 0, when they married more than once):
  // number from 1, created when absent.
  int32_t Famille(int32_t a, int32_t b, int union_ = 0);
  [[nodiscard]] int32_t FamilleExistante(int32_t a, int32_t b, int union_ = 0) const;  // 0 when absent
  void OrdonneEnfants();
  // --- two parent pairs (export_gedcom_familles.cpp) ---
  // Persons with adoptive parents: the family of their other pair gets them as a child.
  void AjouteParentsAdoptifs();
  // The FAMC lines of person no: its shown parents, then its other pair, with their PEDI when
  // it has adoptive parents.
  void EcritFamc(int32_t no);
  // --- couples married more than once (export_gedcom_familles.cpp) ---
  // A family per spouse slot: the k-th slot holding a spouse is the couple's union of rank k.
  void AjouteUnions();
  // The families of person no as a spouse, one per slot, then those of its own.
  [[nodiscard]] std::vector<int32_t> FamillesConjoint(int32_t no) const;
  // The couple records gathered in the first family of a couple with several go to the union
  // they belong to: each union record (UNION) after the first opens the next one.
  void RepartitUnions();
  void EcritIndividu(const TEnregPublic& p, int32_t no);
  // The events and simple fields held by person no, taken from the walk (which stands on the
  // first record of a later holder afterwards).
  void FichesDe(int32_t no, std::vector<TEvenement>& evens, std::vector<TChpsSimple>& champs);
  // Moves the walk on by one record; false at its end.
  bool FicheSuivante();
  void EcritFamille(int32_t f);
  void EcritRecords();
  [[nodiscard]] char Sexe(int32_t no) const;
  // Events that have cited persons, sources or media: the others need no look-up of their lists.
  void ListesPresentes();
  void PrepareListes(TEvenement& e) const;

  // --- events and fields (export_gedcom_evenements.cpp) ---
  // The tag a field is written under.
  [[nodiscard]] std::string Tag(const AnsiString& libelle) const;
  // Simple fields that share a tag with other sub-tagged fields are written as one structure.
  [[nodiscard]] const TChpCs* ChampDeStructure(const AnsiString& libelle) const;
  void EcritChampsSimples(const std::vector<const TChpsSimple*>& champs, int niveau);
  void EcritEvenement(TEvenement& e, int niveau);
  // The headings of a note; an event's place heading is its PLAC, written by the event.
  void EcritNote(int32_t note, int niveau, bool evenement = false);
  [[nodiscard]] std::string Source(const TSourceEven& s);
  [[nodiscard]] std::string Media(const AnsiString& chemin);
  [[nodiscard]] std::string Texte(TFicDupli* table, int32_t no) const;

  TGestFichier& dossier_;
  TModuleBDD& bdd_;
  TDefChpsCs& defs_;
  TEcrivainGedcom& ecr_;
  TBilanExportGedcom& bilan_;
  bool v7_ = false;

  // Links by person number (pass 1).
  std::vector<char> sexe_;  // 0 when the number holds no live person
  std::vector<int32_t> pere_, mere_;
  std::vector<uint32_t> debutConj_, debutEnf_;  // offsets into conj_ / enf_ (size n + 1)
  std::vector<int32_t> conj_, enf_;
  std::vector<TFamilleExport> familles_;
  std::unordered_map<uint64_t, int32_t> parCouple_;
  std::map<std::pair<uint64_t, int>, int32_t> parUnion_;  // second and later unions of a couple
  std::map<int32_t, std::vector<int32_t>> unions_;  // first family of a couple -> its unions, when several
  struct TFiliationExport {
    int32_t autre = 0;         // family of the pair not shown, 0 when none
    char pediAffichee = 0;     // kPediNaissance or kPediAdoption
  };
  std::unordered_map<int32_t, TFiliationExport> filiations_;  // persons with adoptive parents

  std::map<std::pair<std::u16string, std::u16string>, int> sources_;  // (type, text) -> number
  std::vector<const std::pair<const std::pair<std::u16string, std::u16string>, int>*> ordreSources_;
  std::map<std::string, int> medias_;
  std::vector<const std::pair<const std::string, int>*> ordreMedias_;
  std::map<std::string, std::vector<const TChpCs*>> structures_;
  std::unordered_set<int32_t> avecCites_, avecSources_, avecMedias_;
  // The record the walk stands on: an event (estEven_) or a simple field; aFiche_ false at the end.
  TEvenement prochainEven_;
  TChpsSimple prochainChps_;
  bool aFiche_ = false, estEven_ = false;
};

}  // namespace kyb
