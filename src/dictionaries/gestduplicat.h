#pragma once
// Value dictionaries for data entry: for one field, the values already entered, proposed again
// as a short list of the most recently used values (at most 20, the latest first) and a global
// sorted list of all values.
//
// A dictionary works either on a value table of the genealogy folder (TFicDupli given: its
// active values are the global list, adding a value adds it to the table) or, when none is
// given, on a private list that it saves itself.
//
// Dictionary file (Sauvegarde / Restauration on a file name), integers little-endian, texts as
// text records (int32 byte length L, then L bytes of UTF-8):
//
//   size  content
//   5     "UTF-8"
//   4     n, the count of the most recently used values; then n text records
//   4     m, the count of elements (only for a dictionary with its own list); then m elements
//         (TEltDupWideChn: number, state, value, code, complement)
//
// The stream forms write the same content without the marker; the object-stream form writes the
// counts as int32 and the texts as UTF-16 strings of that stream.
//
// Errors: a file that does not begin with "UTF-8" raises ErreurKy("Encodage inconnu !"); a cut or
// damaged file gives false and keeps what was read before the damage; texts longer than their
// fields are cut. Main thread only.
#include <atomic>
#include <memory>
#include <vector>

#include "folder/fic_dupli.h"
#include "platform/flux_binaire.h"
#include "platform/flux_objets.h"

namespace kyb {

// Lists of proposed values behind an entry control.
class TGestionListe {
 public:
  virtual ~TGestionListe() = default;
  [[nodiscard]] virtual int NbElementsListeMRU() const = 0;
  [[nodiscard]] virtual int NbElementsListeGlobale() const = 0;
};

class TGestDupChn : public TGestionListe {
 public:
  static constexpr int kMaxMRU = 20;

  // fichier: a value table of the folder, not owned; null gives the dictionary its own list.
  explicit TGestDupChn(TFicDupli* fichier = nullptr);
  ~TGestDupChn() override;
  TGestDupChn(const TGestDupChn&) = delete;
  TGestDupChn& operator=(const TGestDupChn&) = delete;

  // --- most recently used values ---
  // Value at index (then index + 1); false past the end. Code and complement come from the
  // global list when the value is there.
  bool ChargeElementListeMRU(int& index, UnicodeString& valeur, UnicodeString* code = nullptr,
                             UnicodeString* complement = nullptr) const;
  // An empty value is not added; double quotes are removed; a value already there moves to the
  // front; a new one goes to the front, the 21st dropping the oldest.
  void AjoutElementListeMRU(const UnicodeString& valeur, const UnicodeString* code = nullptr,
                            const UnicodeString* complement = nullptr);
  void SuppressionElementListeMRU(int index);
  [[nodiscard]] int NbElementsListeMRU() const override { return static_cast<int>(mru_.size()); }
  [[nodiscard]] const std::vector<UnicodeString>& ListeMRU() const { return mru_; }

  // --- global list, sorted ---
  bool ChargeElementListeGlobale(int& index, UnicodeString& valeur, UnicodeString* code = nullptr,
                                 UnicodeString* complement = nullptr) const;
  // Adds the value (to the folder's table when there is one); its index in the list, -1 when it
  // could not be added.
  int AjoutElementListeGlobale(const UnicodeString& valeur, const UnicodeString* code = nullptr,
                               const UnicodeString* complement = nullptr);
  // Adds to the list alone (never to a folder's table); its index.
  int AjoutElementListeGlobaleSimple(const UnicodeString& valeur, const UnicodeString* code = nullptr,
                                     const UnicodeString* complement = nullptr);
  // True when the value is in the list of its own.
  [[nodiscard]] bool ControleElementListeGlobaleSimple(const UnicodeString& valeur) const;
  void ClearElementListeGlobaleSimple();
  // Removes the value at index (marked deleted in a folder's table); false when not allowed.
  bool SuppressionElementListeGlobale(int index);
  [[nodiscard]] bool SuppressionAutorisee() const;
  [[nodiscard]] int NbElementsListeGlobale() const override;

  // --- look-ups ---
  // True when the value (with its code and complement when given) is in the global list; with
  // corrige, valeur takes the form stored (case and accents).
  bool ElementExistant(UnicodeString& valeur, const UnicodeString* code = nullptr,
                       const UnicodeString* complement = nullptr, bool corrige = false) const;
  // Binds the dictionary to the values typed in the events of a field (its label) in the store;
  // the store look-ups below then ask there. Not owned.
  void LieAuxEvenements(TModuleBDD* store, const AnsiString& libelle) {
    storeEvenements_ = store;
    libelle_ = libelle;
  }
  // The same question asked of the store: of its places when they live there, of the events of
  // the field the dictionary is bound to, otherwise of the table in memory. Indexed look-ups.
  [[nodiscard]] bool ElementExistantDansBDD(const UnicodeString& valeur) const;
  [[nodiscard]] int IndiceElement(const UnicodeString& valeur, const UnicodeString* code = nullptr,
                                  const UnicodeString* complement = nullptr) const;
  // Fills liste with up to maximum values (0: all) beginning with the typed text, in sorted
  // order; avecCode appends " (code)" to the values that have one. A range look-up, never a walk
  // of the whole table; on the events of a field the beginning is compared as typed (the store
  // keeps the case of the data). Returns the count found.
  int RechercheBDD(std::vector<UnicodeString>& liste, const UnicodeString& debut, int maximum,
                   bool avecCode = false);
  // Index in the global list of the first element whose value begins with the typed text,
  // case and accents aside (the first one of the list for an empty text); -1 when none does.
  [[nodiscard]] int CompareMorceauElementRecherche(const UnicodeString& texte) const;
  // Asks a running RechercheBDD to stop.
  void StopRecherche() { arret_ = true; }

  // --- persistence ---
  [[nodiscard]] bool Sauvegarde(const AnsiString& chemin) const;
  [[nodiscard]] bool Restauration(const AnsiString& chemin);
  void Sauvegarde(TSortieBinaire& flux) const;
  [[nodiscard]] bool Restauration(TEntreeBinaire& flux);
  void Sauvegarde(TFluxSortie& flux) const;
  [[nodiscard]] bool Restauration(TFluxEntree& flux);

  [[nodiscard]] TFicDupli* Fichier() const { return fichier_; }
  [[nodiscard]] bool FichierDonne() const { return donne_; }

 protected:
  [[nodiscard]] TEltDupWideChn Element(const UnicodeString& valeur, const UnicodeString* code,
                                       const UnicodeString* complement) const;
  // Element at index of the global list (a copy), empty out of range.
  [[nodiscard]] TEltDupWideChn ElementGlobal(int index) const;

  TFicDupli* fichier_;
  bool donne_;
  std::unique_ptr<TFicDupli> propre_;  // the private in-memory table of a dictionary without file
  std::vector<UnicodeString> mru_;
  TVectorTV<TEltDupWideChn> liste_;    // the global list of a dictionary without file
  std::atomic<bool> arret_{false};
  TModuleBDD* storeEvenements_ = nullptr;
  AnsiString libelle_;
};

// Dictionary of places: values made of town, region and country.
class TGestDupChnLieu : public TGestDupChn {
 public:
  explicit TGestDupChnLieu(TFicDupli* fichier = nullptr) : TGestDupChn(fichier) {}

  // The value being entered: the town alone (cut to 300 characters) or town (cut to 50) and
  // region joined by ';'.
  void SetVilleRegion(const UnicodeString& ville, const UnicodeString& region);
  // Splits the value at ';' into town and region, the complement into country and the rest,
  // which is appended to the region.
  void GetVilleRegionPays(UnicodeString& ville, UnicodeString& region, UnicodeString& pays) const;
  // The parts in display order, " ; " between them: town, department, region, country; Canada
  // shows no department, Switzerland no region (its canton is the code).
  [[nodiscard]] static UnicodeString FormatPlace(const TEltDupWideChn& lieu);
  // Spaces trimmed around each ';', empty parts and double quotes removed.
  static void NettoieChaine(UnicodeString& texte);

  void SetPaysCourant(const UnicodeString& pays) { pays_ = pays; }
  [[nodiscard]] const UnicodeString& GetPaysCourant() const { return pays_; }

  // --- countries (gestduplicat_pays.cpp); names compared without case and accents ---
  // The countries the places of the list name (first part of their complement), those added
  // with NouveauPays and the current one, sorted, each once. Hidden ones are listed too.
  [[nodiscard]] std::vector<UnicodeString> ListerPaysDispo() const;
  [[nodiscard]] bool PaysPresent(const UnicodeString& pays) const;
  // Adds a country to the list (trimmed); false when empty or already there.
  bool NouveauPays(const UnicodeString& pays);
  // Whether the country is offered for entry (all are, until hidden).
  void SetShowPays(const UnicodeString& pays, bool montrer);
  [[nodiscard]] bool PaysAffiche(const UnicodeString& pays) const;
  // The check list of the countries: every available one, ticked when offered.
  [[nodiscard]] std::vector<std::pair<UnicodeString, bool>> InitCheckListBox() const;
  // The check list back: each country named takes its tick.
  void UpdatePaysSelected(const std::vector<std::pair<UnicodeString, bool>>& coches);

  // --- visible fields: the parts of a place shown, in their order ---
  // Part names by number: 0 town, 1 department, 2 region, 3 country.
  [[nodiscard]] static const std::vector<UnicodeString>& ListerChampsDispo();
  // The parts to show, in that order; refused (nothing changes) when empty, out of range or
  // repeated.
  bool SetNewChamps(const std::vector<int>& champs);
  [[nodiscard]] const std::vector<int>& ChampsVisibles() const { return champs_; }
  // The part shown at position i, -1 out of range.
  [[nodiscard]] int RetourneTag(int i) const;
  // The visible parts of a place in their order, " ; " between them, empty ones left out.
  [[nodiscard]] UnicodeString FormatPlaceVisible(const TEltDupWideChn& lieu) const;

  UnicodeString Valeur, Code, Complement;  // the place being entered

 private:
  UnicodeString pays_;
  std::vector<UnicodeString> paysAjoutes_;
  std::vector<UnicodeString> paysCaches_;  // keys (CleDupli) of the countries not offered
  std::vector<int> champs_{0, 1, 2, 3};
};

}  // namespace kyb
