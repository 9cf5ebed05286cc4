#pragma once
// Searches of persons over the person index: by surname and given names (exact keys, masks,
// phonetic codes, declared equivalences), then by the criteria that need the person's record
// (sex, places, parents, spouses, lifetime years, counts of children and spouses, events, simple
// fields, dates of creation and change), with exclusions; and the lists of distinct surnames,
// given names, professions and places for pick lists.
//
// A search walks the sorted in-memory index from the position of the searched surname key (the
// whole index when no surname is given); each person is examined once and results come in index
// order (the order of the first entry of the person that matched). Only the criteria that are set
// cost anything: names, sex and years are read from the index entries; the others read the
// person's record, places and events are looked up once per search in the store.
//
// Placeholders: the searched surname "ZPASZDEZNOM" finds the persons without surname, the given
// name "ZPASZDEZPRENOM" those without given name, the father "ZPASZDEZPERE" and the mother
// "ZPASZDEZMERE" those without that parent. An empty surname or given name of a person is compared
// as "ZPASZDEZNOMZ" or "ZPASZDEZPRENOMZ", so that a mask such as "ZPASZDEZ*" finds it too.
//
// Runs on the thread that owns the index; SetAbandon may be called from any thread and stops a
// running search at its next step (the result then holds what was found so far, Abandonnee set).
#include <atomic>
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "platform/chaines.h"
#include "platform/date_heure.h"
#include "store/filtre_even.h"

namespace kyb {

class TFicIndexPerson;
class TGestFichier;
class TTabNomEquiv;
class TEltIndex;
struct TEnregPublic;

inline constexpr char16_t kSansNom[] = u"ZPASZDEZNOM";
inline constexpr char16_t kSansPrenom[] = u"ZPASZDEZPRENOM";
inline constexpr char16_t kSansPere[] = u"ZPASZDEZPERE";
inline constexpr char16_t kSansMere[] = u"ZPASZDEZMERE";
inline constexpr char16_t kNomVide[] = u"ZPASZDEZNOMZ";
inline constexpr char16_t kPrenomVide[] = u"ZPASZDEZPRENOMZ";

// A criterion on the simple fields of a person: a field of that label whose value matches the
// mask (upper-cased, accents kept as typed).
struct TCritereChamp {
  AnsiString Libelle;
  UnicodeString Masque;
};

// The criteria of a search. Every criterion at its initial value adds nothing.
struct TRechSimple {
  // Names as typed; "*" makes a mask. Surname: ";" separates names searched together (any of them).
  UnicodeString Nom, Prenoms;
  bool PhonetiqueNom = false, PhonetiquePrenoms = false;
  bool Equivalences = false;           // surnames (and given names) widened by the equivalence table
  bool NomPartiel = false, PrenomsPartiel = false;  // typed beginnings: a "*" is appended
  char Sexe = '?';                     // 'M', 'F' or '?' for any
  bool AussiConjoints = false;         // a person matches also through the names of a spouse
  // Exclusions (IsExclu).
  int32_t Exclu1 = 0, Exclu2 = 0;
  bool ExcluPereConnu = false, ExcluMereConnue = false;
  int Profondeur = -1;                 // generations above the person (0: the person itself)
  std::set<int32_t> Exclus;
  // Criteria read from the person's record and its relatives.
  UnicodeString Lieu;                  // a place of one of the person's events (town, or a mask)
  UnicodeString NomConjoint, NomPere, NomMere;  // surnames (masks allowed, placeholders above)
  int AnneeMin = 0, AnneeMax = 0;      // the first year of the lifetime range lies within (0: open)
  int NbEnfantsMin = -1, NbEnfantsMax = -1, NbConjointsMin = -1, NbConjointsMax = -1;  // -1: open
  TFilterEvent Evenement;              // the person holds an event of this filter (when not Vide())
  std::vector<TCritereChamp> Champs;   // every one must match
  TDateTime CreeDu = 0, CreeAu = 0, ModifieDu = 0, ModifieAu = 0;  // days; 0: open
  bool TemoinsAussi = true;            // witnesses are found as well as persons

  void RazTotal() { *this = TRechSimple(); }
  void RazExclu() {
    Exclu1 = Exclu2 = 0;
    ExcluPereConnu = ExcluMereConnue = false;
    Profondeur = -1;
    Exclus.clear();
  }
  [[nodiscard]] bool ExclusionActive() const {
    return Exclu1 || Exclu2 || !Exclus.empty() || ExcluPereConnu || ExcluMereConnue;
  }
};

struct TResultatRecherche {
  std::vector<int32_t> Personnes;  // in index order, at most the limit asked
  long Total = 0;                  // every person that matched (when counted)
  bool Abandonnee = false;
};

// One distinct name (or profession, or place) and how many persons bear it.
struct TNomCompte {
  UnicodeString Nom;
  long Nombre = 0;
};

class TRechercheIndex {
 public:
  // The index of an open folder and, when searches use them, its equivalences (may be null).
  TRechercheIndex(TFicIndexPerson& index, const TTabNomEquiv* equivalences);

  // The name search: equivalences applied, then RechercheSimpleNomEtConj, then the exclusions.
  // Keeps the first limite persons (0: none kept) and counts every match when compte is set.
  [[nodiscard]] TResultatRecherche RechercheSimple(const TRechSimple& criteres, size_t limite, bool compte = true);
  // The core walk: persons matching names and every other criterion, excluded ones left in.
  // action receives each in index order and returns false to stop.
  void RechercheSimpleNomEtConj(const TRechSimple& criteres, const std::function<bool(int32_t)>& action);

  // Whether the record's surname field and given names match the searched ones (searched texts
  // in key form, masks allowed; empty searched text: anything).
  [[nodiscard]] static bool CompareNomPrenoms(std::u16string_view champNom, std::u16string_view prenoms,
                                              std::u16string_view nomCherche, std::u16string_view prenomsCherches,
                                              bool phonetiqueNom, bool phonetiquePrenoms);
  // Every searched given name (space-separated, masks allowed) is one of the person's, in any
  // order; phonetic codes compared when phonetique.
  [[nodiscard]] static bool IsPrenomsCorrespond(std::u16string_view cherches, std::u16string_view prenoms,
                                                bool phonetique = false);

  [[nodiscard]] bool IsExclu(int32_t noPers, const TRechSimple* criteres);
  [[nodiscard]] bool IsExcluParentsRecursif(int profondeur, int32_t noPers, const TRechSimple& criteres);

  // Distinct surnames whose key begins with lettre (every surname for a space or an empty text),
  // in index order, with the count of persons; persons of the other sex ('M' or 'F') and persons
  // excluded by criteres (may be null) left out.
  [[nodiscard]] std::vector<TNomCompte> RetournePatronyme(std::u16string_view lettre, char sexe,
                                                          const TRechSimple* criteres);
  [[nodiscard]] std::vector<UnicodeString> RetourneListPatronyme(std::u16string_view lettre, char sexe);
  // Given names of the entries whose given-name key begins with lettre, for the sex asked, each
  // once, sorted, with their counts.
  [[nodiscard]] std::vector<TNomCompte> RetourneListPrenom(std::u16string_view lettre, char sexe);
  [[nodiscard]] std::vector<UnicodeString> RetourneToutPrenom(std::u16string_view lettre);
  // Professions (field "PROFESSION") and places of events, each once with its count, sorted.
  [[nodiscard]] std::vector<TNomCompte> RetourneProfession(std::u16string_view debut);
  [[nodiscard]] std::vector<TNomCompte> RetourneLieux(std::u16string_view debut);
  // Surnames of the persons having an event in the place (town key or mask).
  [[nodiscard]] std::vector<TNomCompte> RetournePatronymeLieu(std::u16string_view lieu);
  // Persons whose Sosa generation (1 for number 1, 2 for 2 and 3…) is below, or equal to, the one
  // given, in person number order.
  [[nodiscard]] std::vector<int32_t> RetourneSosaInfGenerationNo(int generation);
  [[nodiscard]] std::vector<int32_t> RetourneSosaEgalGenerationNo(int generation);

  // Stops the running search at its next step (any thread).
  void SetAbandon(bool abandon) { abandon_.store(abandon); }

 private:
  struct TContexte;
  [[nodiscard]] bool ExamineFiche(int32_t noPers, const TRechSimple& c, TContexte& ctx);
  [[nodiscard]] bool ParentCorrespond(int32_t noParent, std::u16string_view cherche, std::u16string_view absent);
  [[nodiscard]] bool LitPersonne(int32_t noPers, TEnregPublic& p);
  [[nodiscard]] std::set<long> PlacesCorrespondant(std::u16string_view lieu);

  TFicIndexPerson& index_;
  TGestFichier& dossier_;
  const TTabNomEquiv* equivalences_;
  std::atomic<bool> abandon_{false};
};

}  // namespace kyb
