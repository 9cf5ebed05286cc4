#pragma once
// TTabNomEquiv: the declared equivalences of surnames and of given names of a genealogy, so that a
// search for one spelling finds the others, with the option line and the list of placeholder
// names (the words used for an unknown person).
//
// Files (8-bit Windows-1252 text, one record per line, "\n" line ends): the surname file (".neq")
// and the given-name file (".preq") of the folder.
//
// | Line                 | Meaning                                                            |
// |----------------------|--------------------------------------------------------------------|
// | NOM,EQUIV1,EQUIV2,…  | a group: one pair NOM → EQUIVk per following element; a line of    |
// |                      | one element declares nothing                                        |
// | $oui|LISTE, $non|…   | option line (surname file only): "non" in the part before "|" turns |
// |                      | the option off; LISTE is the comma-separated placeholder list        |
//
// A line longer than 2000 characters is read as its first 2000; the first time that happens for a
// file (on a writable folder), the file is copied beside itself as "<name>Copie" before anything
// else can rewrite it. A file whose bytes form UTF-8 with letters beyond ASCII is read as UTF-8 (a
// file saved by a text editor) and written back as Windows-1252 by the next Sauvegarde.
// Names are kept in the form of the index keys (particles removed, plain upper case, cleaned).
//
// Not thread-safe: the table belongs to the thread of the user interface.
#include <map>
#include <vector>

#include "platform/chaines.h"

namespace kyb {

class TTabNomEquiv {
 public:
  static constexpr size_t kLongueurLigneMax = 2000;
  static constexpr const char* kListeInconnusDefaut = "INCONNU, PERE INCONNU";
  using TTable = std::multimap<AnsiString, AnsiString>;

  // Loads both files (a missing file leaves its table empty). lectureSeule: nothing is ever
  // written (no "Copie", Sauvegarde refuses).
  TTabNomEquiv(const AnsiString& fichierNoms, const AnsiString& fichierPrenoms, bool lectureSeule);

  // Declares nom → equivalent in the chosen table; false (nothing added) when either is empty
  // once in key form, when they are the same, or when the pair is already there.
  bool AjouteUneEquiv(std::string_view nom, std::string_view equivalent, bool noms = true);
  // Both directions; true when at least one was added.
  bool AjouteDoubleEntree(std::string_view nom, std::string_view equivalent, bool noms = true);
  // Each ";" element of a full surname field declared equivalent to equivalent (both directions).
  int AjouteUneEquivNomComplet(std::string_view nomComplet, std::string_view equivalent);
  // Removes the pair nom → equivalent; false when it was not there.
  bool SupprimePair(std::string_view nom, std::string_view equivalent, bool noms = true);

  // The names to search for: each ";" element of noms in key form, then the equivalents declared
  // for it not yet listed, all ";"-separated. nb receives how many equivalents were added.
  [[nodiscard]] AnsiString GetNomEquiv(std::string_view noms, int& nb, bool tableNoms) const;
  // The same as a list.
  [[nodiscard]] std::vector<AnsiString> ListeNomEquiv(std::string_view noms, bool tableNoms) const;

  // Rewrites both files (each through a synced temporary renamed over it). False, the files left
  // as they were, when the folder is read-only or a write fails.
  [[nodiscard]] bool Sauvegarde() const;

  // The key form of a typed name: particles removed, plain upper case, the excluded characters of
  // the index keys and "*;%" become spaces, spaces collapsed and trimmed.
  [[nodiscard]] static AnsiString CleEquiv(std::string_view nom);

  [[nodiscard]] const TTable& Noms() const { return noms_; }
  [[nodiscard]] const TTable& Prenoms() const { return prenoms_; }
  [[nodiscard]] bool Option() const { return option_; }
  void SetOption(bool oui) { option_ = oui; }
  [[nodiscard]] const std::vector<AnsiString>& ListeInconnus() const { return inconnus_; }
  void SetListeInconnus(std::vector<AnsiString> liste) { inconnus_ = std::move(liste); }
  // Lines cut on loading, per file (surnames, given names).
  [[nodiscard]] int LignesCoupees(bool noms) const { return coupees_[noms ? 0 : 1]; }
  // Files read as UTF-8 rather than Windows-1252.
  [[nodiscard]] bool LuEnUtf8(bool noms) const { return utf8_[noms ? 0 : 1]; }

 private:
  void Charge(const AnsiString& fichier, bool noms, bool& listeLue);
  void ChargeLigne(std::string_view ligne, TTable& table, bool noms, bool& listeLue);
  [[nodiscard]] TTable& Table(bool noms) { return noms ? noms_ : prenoms_; }
  [[nodiscard]] const TTable& Table(bool noms) const { return noms ? noms_ : prenoms_; }
  [[nodiscard]] static AnsiString Groupes(const TTable& table);

  AnsiString fichierNoms_, fichierPrenoms_;
  bool lectureSeule_;
  TTable noms_, prenoms_;
  bool option_ = true;
  std::vector<AnsiString> inconnus_;
  int coupees_[2] = {0, 0};
  bool utf8_[2] = {false, false};
};

}  // namespace kyb
