#pragma once
// The notices index: for each of the ten notice types, the list of the notices of that type with
// their titles, built from the notices file and kept in step with it (the file tells the index of
// each notice written or deleted); the notice that belongs to a word (a surname, a given name, a
// profession, a title, a decoration, a part of a place); and the notices of a set of persons.
//
// Types, in their display order (display index), with the keyword type each belongs to:
//   0 Patronyme (0), 7 Prénom (3), 1 Profession (1), 8 Titre (4), 9 Décoration (5), 2 Ville (2),
//   3 Code du lieu / Code postal (2), 4 Département (2), 5 Région / Province / Arrondissement (2),
//   6 Pays (2).
// Orders of a list: by title key (particles removed, plain upper case; an empty title sorts as
// "<vide>"), then number; or by record number.
//
// A word matches a notice when its key (whole, then each of its elements split at ", ;" in turn)
// equals the key of one part of the notice's title; the notice types of the keyword type are tried
// in display order, each list in its order, and the first match wins.
//
// Building stops at the first record that cannot be read (the folder's error flag set) and reports
// it through Endommage(), as it reports a cut file (the records it still holds whole are listed);
// a record whose type is not one of the ten is left out. Main thread only.
#include <map>
#include <set>
#include <vector>

#include "folder/fic_notices.h"
#include "platform/chaines.h"

namespace kyb {

class TPerson;

class TGestIndexNoticesPat final : public TIndexNotices {
 public:
  static constexpr int kNbTypes = 10;
  enum TTypeOrdre : int { toTitre = 0, toNumero = 1 };
  enum TTypeMotCle : int { tmPatronyme = 0, tmProfession, tmLieu, tmPrenom, tmTitre, tmDecoration };

  struct TEntree {
    AnsiString Cle;    // key of the whole title
    AnsiString Titre;  // the title parts joined with " / "
    long Numero = 0;
    std::vector<AnsiString> Parties;  // keys of the title parts
  };

  // Display index of a type value and back (values out of range give 0).
  [[nodiscard]] static int GetIndexTypeNotice(int type);
  [[nodiscard]] static int GetTypeNoticeFromIndex(int index);
  // Label of a type ("Patronyme"…); empty out of range.
  [[nodiscard]] static UnicodeString LibelleType(int type);
  // Keyword type of a type label, -1 for an unknown label.
  [[nodiscard]] static int GetTypeMotCle(std::u16string_view libelle);
  // Display style of a place label (120 town, 121 department, 128 code, 132 country, 138 region),
  // 0 for another label.
  [[nodiscard]] static int GetNoticeStyleLieu(std::u16string_view libelle);
  // Image categories in list order.
  [[nodiscard]] static const std::vector<UnicodeString>& CategoriesImages();
  // The key a title or a word is compared under.
  [[nodiscard]] static AnsiString CleNotice(std::string_view texte);

  // Builds every list and registers with the file (which then reports its writes); fichier may be
  // null (empty lists).
  explicit TGestIndexNoticesPat(TFicNoticesPat* fichier);
  ~TGestIndexNoticesPat() override;
  TGestIndexNoticesPat(const TGestIndexNoticesPat&) = delete;
  TGestIndexNoticesPat& operator=(const TGestIndexNoticesPat&) = delete;

  // Rebuilds the list of one type, or of every type for -1.
  void Construction(int type);
  // A live notice joins (or replaces its entry in) the list of its type.
  void Ajout(const TNoticesPat& notice) override;
  void Suppression(int type, long numero) override;
  void ChangeTypeOrdre(int type, TTypeOrdre ordre);
  [[nodiscard]] TTypeOrdre DonneTypeOrdre(int type) const;

  // The listed title of notice numero in its type, or the number as text when it is not listed.
  [[nodiscard]] AnsiString ConsultationTitreIndex(int type, long numero) const;
  // Record number of the notice of the word, 0 when none.
  [[nodiscard]] long IndexNoticeDuMotCle(std::string_view mot, int typeMotCle) const;
  // Image file of that notice, empty when none.
  [[nodiscard]] AnsiString ImageDuMotCle(std::string_view mot, int typeMotCle) const;

  // The list of a type, in its order.
  [[nodiscard]] const std::vector<TEntree>& Liste(int type) const;
  [[nodiscard]] bool Endommage() const { return endommage_; }
  [[nodiscard]] long Ignores() const { return ignores_; }

 private:
  void Range(int type);
  [[nodiscard]] long Cherche(const AnsiString& cle, int typeMotCle) const;

  TFicNoticesPat* fichier_;
  std::vector<TEntree> listes_[kNbTypes];
  TTypeOrdre ordres_[kNbTypes] = {};
  bool endommage_ = false;
  long ignores_ = 0;
};

// The notices that concern a set of persons: every surname, given name, profession, title,
// decoration and part of the places of their events, looked up once each.
class TGenereListeNotices {
 public:
  explicit TGenereListeNotices(const TGestIndexNoticesPat& index) : index_(index) {}
  void AjoutPerson(TPerson& personne);
  // Record number → type of each notice gathered.
  [[nodiscard]] const std::map<long, int>& GenereMapNotices() const { return notices_; }
  // Type label → record numbers, in the display order of the types.
  [[nodiscard]] std::vector<std::pair<UnicodeString, std::vector<long>>> GenereMapTypeNotices() const;

 private:
  void Ajoute(const UnicodeString& mot, int typeMotCle);

  const TGestIndexNoticesPat& index_;
  std::map<long, int> notices_;
  std::set<std::pair<int, AnsiString>> vus_;
};

}  // namespace kyb
