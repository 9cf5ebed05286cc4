#pragma once
// The notes file (".not") and its notes: free texts, often RTF, kept in chains of 512-byte
// blocks and grouped per owner (a person or an event) under named headings.
//
// Block n at offset n * 512:
//
//   offset  size  content
//   0       508   text, 8-bit, zero-terminated: at most 507 characters (byte 507 is forced to 0
//                 on reading)
//   508     4     int32: in a text block, the next block of the same text (0 ends the chain);
//                 in a directory block, -1
//
// Block 0 is the header: its link field holds NbEnreg, the highest block in use. On reading,
// NbEnreg is brought to the blocks the file really holds (a partial last block counts), so that
// a header that lies neither sends reads past the end nor hands out blocks already written.
//
// A note (TNote) owns one directory block whose text lists, one line each, pairs of a heading
// title and the first block of that heading's text. Owners store the directory's number; 0 means
// no notes. Blocks are never freed: a text rewritten in place keeps its chain, other texts get new
// chains, removed headings leave their blocks unused.
//
// Damage: a link below -1 or above NbEnreg reads as 0 (the chain ends there); a chain stops at a
// block it has already visited and after 30000 blocks; a heading naming a block outside the file
// reads as an empty text. A chain is rewritten in place only through blocks that nothing else in
// the file points to, so that a damaged directory or chain never makes one note overwrite
// another's blocks.
//
// Errors follow the record layer: writing a block beyond NbEnreg throws "FicNote : Erreur
// Enreg"; a failed read sets the folder's error flag and its CodeErreurOuverture 1.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "folder/fic_enreg.h"

namespace kyb {

// One block as read: its text (at most 507 bytes, no NUL) and its checked link.
struct TBlocNote {
  AnsiString Texte;
  long Lien = 0;
};

class TFicNotes : public TFicBase {
 public:
  static constexpr size_t kTailleBloc = 512;
  static constexpr size_t kTailleTexte = 507;
  static constexpr size_t kPositionLien = 508;
  static constexpr long kLienRepertoire = -1;
  static constexpr long kMaxBlocsChaine = 30000;
  static constexpr long kBlocsParLot = 1024;  // 512 KB read in one operation
  static constexpr int kLecturesSimples = 10;  // single reads before batching

  // Opens the notes file of the folder; creer, or a writable folder without one, creates it.
  TFicNotes(TGestFichier* dossier, bool creer);

  void LectureEntete() override;
  void EcritureEntete() override;
  [[nodiscard]] bool NoNoteValide(long no) const { return no <= NbEnreg; }
  // n new consecutive blocks with one header write (as n calls of ReturnNewNum); the first.
  long ReserveBlocs(long n);

  // One block; a block outside 1..NbEnreg (or a failed read) gives an empty text and link 0.
  [[nodiscard]] TBlocNote LectureElementaire(long no);
  // Writes text (cut to 507 bytes) and link into block no (record-layer rules).
  void EnregistrementElementaire(long no, const AnsiString& texte, long lien);
  // The text of the chain starting at bloc (see the header comment for its limits).
  [[nodiscard]] AnsiString LectureChaine(long bloc);

  // Presentation helpers over TNote: the text of a heading of the note no (RTF removed when
  // asked), and whether that heading has no text.
  [[nodiscard]] AnsiString ChargeNote(long no, const AnsiString& titre, bool sansRtf);
  [[nodiscard]] bool NoteVide(long no, const AnsiString& titre);

  // --- ownership of blocks, used by rewrites in place ---
  // True when block no is pointed to at most once in the whole file (by its heading or its
  // predecessor). The first call walks the file once; later writes keep the counts up to date.
  [[nodiscard]] bool ReferenceUnique(long no);
  // Records one more pointer to block no (a link or a heading written).
  void AjouteReference(long no);

 private:
  [[nodiscard]] long LienValide(int32_t lien) const;
  void ConstruitReferences();
  void CompteReference(long no);

  std::vector<uint8_t> references_;  // per block present at the walk, pointers to it, saturated at 2
  std::unordered_map<long, uint8_t> referencesAuDela_;  // blocks beyond the file at the walk
  bool referencesPretes_ = false;
};

// A directory block and its list of heading/first-block pairs.
class TNote {
 public:
  // Reads directory no when it is -2 or positive; otherwise starts empty.
  TNote(TFicNotes* fichier, long no);

  // Reads the directory block no (-3: the note's own). A block that is not a directory (link not
  // -1) gives an empty list; an odd number of lines is completed with an empty line.
  void LectureEntete(long no = kEnregCourant);
  // Writes the list into block no (-3: the note's own), link -1: the whole pairs that fit in 507
  // characters (ModifNote and AjoutNoteContenuVide refuse a heading that would not). Note 0
  // writes nothing and succeeds. Refused (false, nothing written) with an odd number of lines, or
  // when the note's own block on disk is no longer a directory.
  [[nodiscard]] bool EnregistrementEntete(long no = kEnregCourant);
  // no < 1: takes a new block for an empty directory and stores its number in no; otherwise
  // reads directory no.
  void NouvelleFiche(long& no);

  // First block of a heading, 0 when absent; an empty title gives the first heading's block.
  [[nodiscard]] long GetPositionTitre(const AnsiString& titre) const;
  void SetPositionTitre(const AnsiString& titre, long bloc);
  [[nodiscard]] AnsiString LectureNote(const AnsiString& titre);
  [[nodiscard]] AnsiString LectureNoteRubrique(long bloc);
  [[nodiscard]] AnsiString RecupNoteTxt(const AnsiString& titre);
  // Writes the text of a heading (nothing in a read-only folder or one in error; fichier, when
  // given, becomes the note's file). True when the note's number changed (directory created,
  // moved to a new block, or emptied to 0): the owner must store Numero() again. A failed
  // transfer leaves the directory naming the old text. A new heading the directory block cannot
  // hold is refused: nothing is written and RepertoirePlein() is true.
  bool ModifNote(const AnsiString& titre, const AnsiString& texte, TFicNotes* fichier = nullptr);
  // Adds a heading with no text when it is absent and the directory can hold it; true when added.
  bool AjoutNoteContenuVide(const AnsiString& titre);
  // The last heading written or added was refused: the directory block is full.
  [[nodiscard]] bool RepertoirePlein() const { return plein_; }
  // Removes the heading (an empty title removes all) and rewrites the directory; an empty
  // directory sets the note's number to 0. The text blocks are not reused.
  void SupprimeNote(const AnsiString& titre);
  [[nodiscard]] bool Existe(const AnsiString& titre) const { return GetPositionTitre(titre) > 0; }

  [[nodiscard]] long Numero() const { return numero_; }
  [[nodiscard]] const std::vector<AnsiString>& Lignes() const { return lignes_; }
  [[nodiscard]] std::vector<AnsiString> Titres() const;
  // The text of the list as written into the directory block (before the cut).
  [[nodiscard]] AnsiString TexteListe() const;

 private:
  [[nodiscard]] long IndexTitre(const AnsiString& titre) const;  // line of the title, -1
  [[nodiscard]] static bool TientDansUnBloc(const std::vector<AnsiString>& lignes);
  [[nodiscard]] AnsiString TexteRepertoire() const;
  // Whether the list with that heading at that block still fits; sets plein_ otherwise.
  [[nodiscard]] bool AccepteTitre(const AnsiString& titre, long bloc);
  [[nodiscard]] std::vector<long> BlocsReutilisables(TFicNotes& f, long premier, size_t besoin);
  void EcritChaine(TFicNotes& f, const AnsiString& texte, const std::vector<long>& blocs);
  [[nodiscard]] bool EcritRepertoireOuDeplace(TFicNotes& f);
  void NoteReferencesRepertoire();

  TFicNotes* fichier_;
  long numero_ = 0;
  std::vector<AnsiString> lignes_;
  std::vector<long> blocsDisque_;  // first blocks listed by the directory as last read or written
  bool plein_ = false;
};

// The heading of an event's note that keeps a place text longer than the places table holds.
inline constexpr const char* kTitreNoteLieu = "Lieu";

// Shown when a heading is refused because the note's directory is full.
inline constexpr const char16_t* kMessageRepertoirePlein =
    u"Le répertoire de cette note est plein : la rubrique n'a pas été enregistrée.";

// Text of an RTF document without its control words and groups (line breaks for \par and \line).
// A text that does not start with "{\rtf" is returned as it is.
[[nodiscard]] AnsiString TexteSansRtf(const AnsiString& rtf);

}  // namespace kyb
