#pragma once
// TLecteurGedcom: streaming reader of a GEDCOM file (5.5, 5.5.1, 5.5.5, 7.0).
//
// The file is read in chunks of 64 KiB through the platform's file services: memory holds one
// chunk, the line being cut and the record being built, never the whole file. A map of each
// chunk's bytes (balayage_gedcom.h) gives every line its end and tells what it needs; lines are
// split in place and only a line with bytes beyond printable ASCII that are not already clean
// UTF-8 (another set, invalid bytes, control characters) is converted, into a copy. The first record
// (HEAD) is gathered raw to learn the character set (byte-order mark, else HEAD.CHAR) and the
// version (HEAD.GEDC.VERS); every line is then converted to UTF-8, split into level, cross-
// reference id, tag and value (or pointer), and the lines are gathered into records: a level-0
// line with its substructures. CONC and CONT lines are joined into the value of the line above
// them (CONT with a line feed) and do not appear as children. "@@" in a value reads as one "@"
// (7.0: only at its start).
//
// Faults give a French warning with the line number and the reading goes on: a line without a
// level (joined to the value above as a new line), a level jump (brought back to one below the
// line above), bytes invalid for the set, an unknown CHAR, a missing TRLR (file cut short), a
// line longer than 1 MiB (cut). A file whose first line is not "0 HEAD" is refused: Ouvre
// returns false and Erreur() says why. Lines of CR, LF or CRLF, and lines longer than the 255
// characters of 5.5.1, are read as they come.
//
// One reader is used by one thread at a time.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gedcom/balayage_gedcom.h"
#include "gedcom/codage_gedcom.h"
#include "platform/chaines.h"
#include "platform/fichiers.h"

namespace kyb {

// One line of a record, with its substructures.
struct TNoeudGedcom {
  long ligne = 0;       // number of the line in the file (from 1)
  int niveau = 0;
  std::string xref;     // "@I1@" as written, or empty
  std::string tag;      // "INDI", "_MARNM" (as written)
  std::string valeur;   // UTF-8, CONC/CONT joined; for a pointer the "@X@" text
  bool pointeur = false;
  std::vector<TNoeudGedcom> enfants;

  // First child of that tag, or null.
  [[nodiscard]] const TNoeudGedcom* Enfant(std::string_view tagCherche) const;
  // "@VOID@" (7.0): a pointer to no record, where the structure needs one but the record is
  // unknown (a family's unknown husband, a citation of no source record). Never a missing record.
  [[nodiscard]] bool Nul() const noexcept { return pointeur && valeur == "@VOID@"; }
};

struct TAvertissementGedcom {
  long ligne = 0;       // 0 when the warning concerns the whole file
  std::string message;  // French, UTF-8
};

// Where the bytes come from: a file or a text in memory.
class TSourceGedcom {
 public:
  virtual ~TSourceGedcom() = default;
  // Up to taille bytes; 0 at the end; -1 on a read error.
  [[nodiscard]] virtual int64_t Lit(char* tampon, std::size_t taille) = 0;
};

class TLecteurGedcom {
 public:
  TLecteurGedcom();
  ~TLecteurGedcom();
  TLecteurGedcom(const TLecteurGedcom&) = delete;
  TLecteurGedcom& operator=(const TLecteurGedcom&) = delete;

  // Opens a file (or reads a text) and reads its header. False, with Erreur() set, for a file
  // that cannot be opened or is not GEDCOM.
  [[nodiscard]] bool Ouvre(const AnsiString& chemin);
  [[nodiscard]] bool OuvreTexte(std::string_view contenu);

  // The next record (the header comes first); false at the end of the file. What the record
  // held before is dropped: passing the same record at each call lets the reader reuse its nodes
  // and their strings.
  [[nodiscard]] bool Suivant(TNoeudGedcom& enregistrement);

  [[nodiscard]] const std::string& Erreur() const { return erreur_; }
  [[nodiscard]] const std::vector<TAvertissementGedcom>& Avertissements() const {
    return avertissements_;
  }
  [[nodiscard]] TCodageGedcom Codage() const { return codage_; }
  [[nodiscard]] const std::string& Version() const { return version_; }  // "5.5.1", "7.0", ""
  [[nodiscard]] long Lignes() const { return numeroLigne_; }
  [[nodiscard]] int64_t OctetsLus() const { return octetsLus_; }

 private:
  struct TLigneBrute {
    long numero = 0;
    std::string octets;
  };
  // A line split into its parts: views into the reading buffer or into converti_, valid until
  // the next line is read.
  struct TLigneVue {
    long numero = 0;
    int niveau = 0;
    std::string_view xref, tag, valeur;
    bool pointeur = false;
    bool arobase = true;  // false when the line holds no "@": its value is taken as it is
  };
  bool Demarre();
  [[nodiscard]] bool EnUtf8() const noexcept;  // lines are UTF-8 once cut (UTF-16 is decoded)
  bool LigneBruteSuivante(std::string_view& octets, long& numero);
  bool RemplitTampon();
  void AjouteAuTampon(std::string_view octets);
  [[nodiscard]] std::string_view Tampon() const noexcept { return {tampon_.data(), taille_}; }
  TBalayage BalayeLigne(std::string_view octets);  // a line on its own, with carteLigne_
  void ChoisitCodage(const std::vector<TLigneBrute>& entete);
  bool LigneAnalysee(std::string_view octets, long numero, TLigneVue& ligne);
  std::string_view Converti(std::string_view octets, long numero);  // into converti_
  void AvertitLigne(long numero, std::string_view texte);           // "Ligne N : texte"
  void Place(const TLigneVue& ligne);
  void Remplit(TNoeudGedcom& noeud, const TLigneVue& ligne) const;
  void AjouteValeur(std::string& cible, std::string_view valeur) const;
  void AjouteValeur(std::string& cible, const TLigneVue& ligne) const;
  void Remonte(std::size_t profondeur);
  void Avertit(long ligne, std::string message);

  std::unique_ptr<TSourceGedcom> source_;
  std::string tampon_;           // bytes read (the first taille_), as UTF-8 when the file is UTF-16
  std::size_t taille_ = 0;
  std::size_t position_ = 0;
  std::vector<uint64_t> carte_;  // map of tampon_'s bytes (balayage_gedcom.h)
  bool carteAJour_ = false;
  std::vector<uint64_t> carteLigne_;
  std::string morceau_;          // raw chunk of a UTF-16 file before decoding
  std::string decode_;           // that chunk decoded, before it joins the buffer
  bool finSource_ = false;
  bool crPrecedent_ = false;     // the last line ended on CR: a LF right after belongs to it
  bool propre_ = false;          // the last raw line reads as it is, with nothing to convert
  bool arobase_ = true;          // the last raw line holds an "@"
  std::unique_ptr<TDecodeurUtf16> utf16_;
  bool bomUtf8_ = false;

  TCodageGedcom codage_ = TCodageGedcom::Utf8;
  std::string version_;
  bool version7_ = false;

  std::vector<TLigneBrute> enAttente_;  // header lines kept until the set is known
  std::size_t prochainEnAttente_ = 0;
  std::string converti_;                // a line that needed converting, as UTF-8
  // The record is built over the nodes of the one handed back before it: a node keeps its
  // strings and children, which are overwritten in order; the children left over are dropped
  // when the node is complete.
  struct TEtage {
    TNoeudGedcom* noeud = nullptr;
    std::size_t enfants = 0;  // children of this record placed so far
  };
  TNoeudGedcom courant_;                // record being built
  bool aCourant_ = false;
  std::vector<TEtage> pile_;            // path from the record to the last line placed
  bool trlrVu_ = false;
  bool fini_ = false;

  std::string erreur_;
  std::vector<TAvertissementGedcom> avertissements_;
  long numeroLigne_ = 0;
  long derniereLigne_ = 0;
  int64_t octetsLus_ = 0;
};

}  // namespace kyb
