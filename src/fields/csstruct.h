#pragma once
// TChpCs: the definition of one field a genealogy records (name, sex, each kind of event, each
// free personal field, each kind of image). A folder keeps its definitions in TDefChpsCs
// (fields/csdefchps.h); events and personal fields refer to theirs by internal label.
//
// A definition travels as one line of Windows-1252 text, columns separated by TAB characters
// (T is the number of TABs in the line). Columns 1 to 12 are always read, a missing one being
// empty; the others are read only when T reaches the threshold shown, else take the default:
//
//   col  read when  content
//   1    always     internal label (unique key, compared exactly)
//   2    always     screen label
//   3    always     type code (NOM, PRENOM, SEXE, NOSOSA, EMAIL, DDMF, DCF, ES, EC, CPA, CPN,
//                   CPD, DDNOTIF, CPC, CPB, CPT); an unknown code keeps the previous type
//   4    always     description
//   5    always     piece count, decimal (not a number or negative: 0; at most kMaxMorceaux)
//   6    always     piece sizes, comma-separated; missing ones are 0
//   7    always     piece names (choices of a CPC list), comma-separated; missing ones empty
//   8    always     GEDCOM tag, alternatives separated by "/"
//   9    always     GEDCOM sub-tags, one per piece, comma-separated
//   10   always     value-table numbers, one per piece, comma-separated (0 or empty: none)
//   11   always     repeatable when it starts with "O"
//   12   always     link kind: first character (P person, C couple, N filiation fields)
//   13-15  T >= 13  symbol, masculine word, feminine word; otherwise these are empty, the
//                   boolean default 0, the equivalences empty and the cascade flag false
//   16   T >= 15    post-mortem when it starts with "O"; otherwise post-mortem for INHUMATION,
//                   INVENTAIRE_DECES and CREMATION only
//   17   T >= 16    kept as it stands, not interpreted
//   18   T >= 17    boolean default: -1 when it starts with "-", else its decimal value; empty
//                   or not a number leaves the default unchanged
//   19-20  T >= 19  equivalences ("|"-separated internal labels); cascade flag when col 20
//                   starts with "O"
//   21   T >= 20    sentence templates separated by "$"
//   22   T >= 21    flag 22 when it starts with "O"; otherwise false for PROFESSION and
//                   DIPLOME, true for any other label
//   23-24  T >= 23  values 23 and 24, decimal (0 when absent or not a number)
//   25   T >= 24    value 25
//   26   T >= 25    shared event when it starts with "O"
//   27-28  T >= 27  values 27 and 28
//   29   T >= 28    abbreviation; when absent it is computed (RetourneIdentEven kind 0)
//   30   T >= 29    category ("AUTRES", "PHOTOS", "PHOTOS_COUPLE")
//
// Per-piece items are trimmed of spaces; empty sentences are dropped.
//
// Code() always writes the 30 columns, so Decode(Code()) gives back an equal definition. Type 20
// has no code: its column 3 is written empty and decoding over the same definition keeps it.
// Texts cannot hold the separators of their column: control characters (TAB, CR, LF...) become
// spaces everywhere, a comma inside a per-piece item becomes ";" and a "$" inside a sentence a
// space.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/chaines.h"

namespace kyb {

class TDateKY;
class TDefChpsCs;

// Field types, with the values of the definition line's type codes.
enum TTypeChp : int {
  tcNom = 1,
  tcPrenom = 2,
  tcSexe = 3,
  tcNoSosa = 4,
  tcEmail = 5,
  tcDdmf = 6,
  tcDcf = 7,
  tcEvenSimple = 8,
  tcEvenInfo = 9,
  tcTexte = 10,
  tcNombre = 11,
  tcDate = 12,
  tcDdNotif = 13,
  tcListeChoix = 14,
  tcBooleen = 15,
  tcMarqueurs = 16,
  tcBooleen20 = 20,
};

// Decode and SetNbMorceaux bring larger piece counts down to this one (a corrupted count must not
// allocate without bound).
inline constexpr int kMaxMorceaux = 256;

class TChpCs {
 public:
  TChpCs() = default;
  explicit TChpCs(std::string_view ligne) { Decode(ligne); }

  // Fills the definition from one definition line (rules above). Every member except the type and
  // the boolean default is reset first; those two keep their value where the rules say so.
  void Decode(std::string_view ligne);
  // The definition line, 30 columns.
  [[nodiscard]] AnsiString Code() const;

  bool operator==(const TChpCs&) const = default;

  // Labels and tags. Screen labels compare without regard to case, the others exactly.
  [[nodiscard]] bool IsLibelleInterne(std::string_view libelle) const {
    return LibelleInterne == libelle;
  }
  [[nodiscard]] bool IsLibelleEcran(std::string_view libelle) const;
  [[nodiscard]] bool IsTagGedCom(std::string_view tag) const;  // one of the "/" alternatives
  [[nodiscard]] AnsiString GetTagGedCom(int n = 0) const;      // n-th alternative, or empty
  [[nodiscard]] int GetNbTagGedCom() const;
  [[nodiscard]] bool IsSousTagGedCom(std::string_view tag) const;

  // Classification.
  [[nodiscard]] bool IsEvenement() const { return Type == tcEvenSimple || Type == tcEvenInfo; }
  [[nodiscard]] bool IsSimple() const;
  [[nodiscard]] bool IsBase() const { return Type >= tcNom && Type <= tcNoSosa; }
  [[nodiscard]] bool IsDateGestSys() const {
    return Type == tcDdmf || Type == tcDcf || Type == tcDdNotif;
  }
  [[nodiscard]] bool IsPerso() const { return IsEvenement() || IsSimple() || IsDateGestSys(); }
  [[nodiscard]] bool IsBooleen() const { return Type == tcBooleen || Type == tcBooleen20; }
  // 1 base fields and system dates, 2 simple fields, 3 events, 0 otherwise.
  [[nodiscard]] int RetStyleDonnee() const;
  [[nodiscard]] bool IsSelectionChampRepete() const { return Repetable || IsSimple(); }
  [[nodiscard]] bool IsLiaisonCouple() const { return Liaison == 'C'; }
  void SetLiaisonPersonne() { Liaison = 'P'; }
  void SetLiaisonCouple() { Liaison = 'C'; }
  [[nodiscard]] bool ChpNonModifiable() const;  // the user cannot edit the definition itself
  [[nodiscard]] bool IsCache() const;           // never shown
  [[nodiscard]] bool IsIgnored() const;

  // Boolean fields: "N" for a default of 0, "O" for 1, "?" otherwise.
  [[nodiscard]] AnsiString GetValParDefaut() const;
  // Display of a boolean value ("O", "N", anything else unknown): "Oui" / "Non" / "?", or for
  // the two filiation fields "Certaine" / "Incertaine" / "Indéterminée".
  [[nodiscard]] AnsiString AfficheValeurBooleenne(std::string_view valeur) const;

  // Pieces. A value is the pieces side by side, each exactly its size wide.
  void SetNbMorceaux(int n);  // resizes the per-piece lists (clamped to 0..kMaxMorceaux)
  [[nodiscard]] int GetTailleTotale() const;
  // Piece n (from 1) of a value; a number outside 1..count reads piece 1. Without pieces the
  // whole value. The slice is cut short when the value is.
  [[nodiscard]] AnsiString GetMorceauNo(std::string_view valeur, int n) const;
  // A value from the texts of the entry controls: each piece cut to its size and padded with
  // spaces to it; missing texts are empty pieces. Without pieces the first text.
  [[nodiscard]] AnsiString GetMultiEdit(const std::vector<AnsiString>& textes) const;
  [[nodiscard]] AnsiString RetTailleMorceauChn() const;  // "90, 4, 3"
  [[nodiscard]] AnsiString RetNomMorceauxChn() const;
  [[nodiscard]] AnsiString RetSousTagGedComChn() const;
  [[nodiscard]] AnsiString RetIndexFicDupliChn() const;  // none written as an empty item

  // Type display name ("Autres !" for an unknown type); the type code of the line.
  [[nodiscard]] AnsiString RetTypeString() const;
  [[nodiscard]] static AnsiString RetTypeString(int type);
  [[nodiscard]] static const char* CodeType(int type);  // "" for a type without code
  // Internal label, type name, screen label and description joined by TABs.
  [[nodiscard]] AnsiString RetourneChn() const;

  // Identification text. kind 0: the abbreviation, or one computed from the label (with " :"
  // appended when formeLibelle); kind 1: the symbol; kind 2: the glyph of the genealogical symbol
  // font for the standard events, empty for the others.
  [[nodiscard]] AnsiString RetourneIdentEven(int genre, bool formeLibelle = false) const;

  // The internal labels of column 19. With cascade, the equivalences of each label met are
  // followed in turn through the set given, or else the set the definition belongs to, skipping
  // labels already collected and this definition's own label; the labels come back in the order
  // met.
  [[nodiscard]] std::vector<AnsiString> GetEquivalences(bool cascade,
                                                        const TDefChpsCs* ensemble = nullptr) const;

  // Sentence templates. In a template "#S" is the subject, "#D" the date, "#L" the place;
  // "(a|b|c)" offers wordings and "masculin/féminin" inside them is chosen by the subject's sex.
  //
  // Choices (deterministic): the template used is number variante modulo their count; among the
  // "|" wordings of each group, number choix modulo the group's count; a feminine form for sex
  // 'F', the masculine form otherwise (unknown sex included).
  [[nodiscard]] AnsiString GetPhrase(int variante) const;
  // Resolves the wordings of the template, then puts the subject for "#S".
  static void ReplaceFieldSubject(AnsiString& phrase, std::string_view sujet, char sexe,
                                  int choix = 0);
  // Puts the worded date ("le 3 mars 1850", "en 1850") for "#D".
  static void ReplaceFieldDate(AnsiString& phrase, std::string_view dateRedigee);
  static void ReplaceFieldDate(AnsiString& phrase, const TDateKY& date);
  // Puts "à " + the place for "#L" (nothing when the place is empty).
  static void ReplaceFieldPlace(AnsiString& phrase, std::string_view lieu);
  // The whole sentence: the three substitutions, doubled spaces removed, first letter in upper
  // case. Empty when the definition has no template.
  [[nodiscard]] AnsiString RedigePhrase(int variante, std::string_view sujet, char sexe,
                                        std::string_view dateRedigee, std::string_view lieu,
                                        int choix = 0) const;

  // Data, public as in the rest of the system.
  AnsiString LibelleInterne;
  AnsiString LibelleEcran;
  int Type = 0;
  AnsiString Description;
  int NbMorceaux = 0;
  std::vector<int16_t> TailleMorceaux;  // one per piece
  std::vector<AnsiString> NomMorceaux;  // one per piece
  AnsiString TagGedCom;
  std::vector<AnsiString> SousTagGedCom;  // one per piece
  std::vector<int> IndexFicDupli;         // one per piece, 0 = no value table
  bool Repetable = false;
  bool PostMortem = false;
  char Liaison = 0;       // 'P', 'C', 'N' or 0
  int ValBoolDefaut = 0;  // 0, 1 or -1
  AnsiString Symbole;
  AnsiString MotMasculin;
  AnsiString MotFeminin;
  AnsiString Colonne17;
  AnsiString Equivalences;  // "|"-separated internal labels
  bool Cascade = false;
  std::vector<AnsiString> Phrases;
  bool Drapeau22 = false;
  int Valeur23 = 0;
  int Valeur24 = 0;
  AnsiString Valeur25;
  bool Partage = false;
  AnsiString Valeur27;
  AnsiString Valeur28;
  AnsiString Abreviation;
  AnsiString Categorie;

  // The set the definition belongs to, set by TDefChpsCs; kept by Decode, never written and never
  // compared (two equal definitions of two sets are equal).
  struct TEnsemble {
    const TDefChpsCs* defs = nullptr;
    bool operator==(const TEnsemble&) const { return true; }
  };
  TEnsemble Ensemble;
};

}  // namespace kyb
