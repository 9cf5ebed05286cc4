#pragma once
// The record-file layer shared by every binary file of a genealogy folder.
//
// A record file is a sequence of fixed-size records addressed by number:
//
//   offset            size          content
//   0                 tailleEnreg   header (record 0), layout chosen by each file
//   n * tailleEnreg   tailleEnreg   data record n, 1 <= n <= NbEnreg
//
// Integers are little-endian; texts fixed-size, zero-terminated and zero-padded.
//
// Record numbers: 1..NbEnreg data; 0 no record (reads give zeros, writes do nothing); -2 the
// header; -3 keep the number the record object already holds.
//
// Failures: every read or write that transfers no byte sets the folder's error flag, every one
// that transfers something clears it; once set, reads give empty records and writes do nothing
// until a caller clears it. Writing beyond NbEnreg throws ErreurKy("<file> : Erreur Enreg") and
// writes nothing: a new record is numbered by ReturnNewNum first. A read-only folder writes
// nothing and leaves the flag alone.
#include <cstdint>
#include <string>
#include <vector>

#include "folder/gest_fic.h"
#include "platform/fichiers.h"

namespace kyb {

inline constexpr long kEnregAucun = 0;
inline constexpr long kEnregEntete = -2;
inline constexpr long kEnregCourant = -3;

class TFicBase {
 public:
  // Opens (or, with creer, creates) the file of the given kind in the folder, then writes the
  // header when creating or reads it otherwise. nomCourt names the file in the write exception
  // ("FicExtPers"). erreurOuverture: a failed read also sets the folder's CodeErreurOuverture 1.
  // lireEntete false leaves the header to the derived file's own constructor (its own layout).
  TFicBase(TGestFichier* dossier, TGestFichier::TTypeFichier type, size_t tailleEnreg,
           std::string nomCourt, bool creer, bool erreurOuverture = false, bool lireEntete = true);
  virtual ~TFicBase() = default;
  TFicBase(const TFicBase&) = delete;
  TFicBase& operator=(const TFicBase&) = delete;

  // Reads NbEnreg from the header (0 first, so a failed read leaves 0). Files whose header is
  // laid out otherwise override it.
  virtual void LectureEntete();
  // Writes NbEnreg into the header.
  virtual void EcritureEntete();
  // NbEnreg + 1 becomes NbEnreg, the header is written, the new number returned.
  long ReturnNewNum();
  void Flush();

  // One record at a time; the rules of the header comment. The buffer holds TailleEnreg() bytes.
  void LitEnreg(long numero, void* donnees);
  void EcritEnreg(long numero, const void* donnees);

  [[nodiscard]] bool Valide() const { return fichier_.Valide(); }
  [[nodiscard]] size_t TailleEnreg() const { return tailleEnreg_; }
  [[nodiscard]] const AnsiString& Chemin() const { return chemin_; }
  [[nodiscard]] TGestFichier* Dossier() const { return dossier_; }
  [[nodiscard]] int64_t TailleFichier() const { return fichier_.Taille(); }

  // Reads nombre consecutive records from premier (>= 1) in one transfer, zero-padding what the
  // file does not hold; the count of records of which at least one byte was read (error rules
  // of LitEnreg: none read sets the folder's error flag).
  [[nodiscard]] long LitEnregs(long premier, long nombre, void* donnees);
  // Writes nombre consecutive records from premier (>= 1) in one transfer (rules of EcritEnreg:
  // the last one beyond NbEnreg throws and nothing is written).
  void EcritEnregs(long premier, long nombre, const void* donnees);
  // Reads taille bytes at offset inside record numero (data records only), zero-padded; false
  // when nothing was read (error rules of LitEnreg).
  [[nodiscard]] bool LitZone(long numero, size_t offset, void* donnees, size_t taille);

  long NbEnreg = 0;

 protected:
  // Raw transfers of the header slot for files with their own header layout.
  [[nodiscard]] bool LitEntete(void* donnees);
  void EcritEntete(const void* donnees);

 private:
  [[nodiscard]] int64_t Position(long numero) const;

  TGestFichier* dossier_;
  size_t tailleEnreg_;
  std::string nomCourt_;
  bool erreurOuverture_;
  AnsiString chemin_;
  TFichier fichier_;
};

// A record: a zero-filled block of the file's record size, its number and its file.
class TEnregKy {
 public:
  // A number below 1 other than -2 builds an empty record numbered 0; -3 builds an empty record
  // without reading; otherwise the record is read.
  TEnregKy(TFicBase* fichier, long numero);
  virtual ~TEnregKy() = default;

  void Lecture(long numero);
  // fichier, when given, replaces the record's file for this call only.
  void Enregistrement(long numero = kEnregCourant, TFicBase* fichier = nullptr);
  void Vide() { std::fill(donnees_.begin(), donnees_.end(), 0); }

  [[nodiscard]] long Numero() const { return numero_; }
  [[nodiscard]] TFicBase* Fichier() const { return fichier_; }
  [[nodiscard]] std::vector<unsigned char>& Donnees() { return donnees_; }
  [[nodiscard]] const std::vector<unsigned char>& Donnees() const { return donnees_; }

  // Little-endian fields at an offset of the record; out-of-range offsets read 0, write nothing.
  [[nodiscard]] int32_t LitEntier32(size_t offset) const;
  void EcritEntier32(size_t offset, int32_t valeur);
  [[nodiscard]] int16_t LitEntier16(size_t offset) const;
  void EcritEntier16(size_t offset, int16_t valeur);
  [[nodiscard]] unsigned char LitOctet(size_t offset) const;
  void EcritOctet(size_t offset, unsigned char valeur);
  // Zero-terminated 8-bit text of at most taille bytes (the terminator included).
  [[nodiscard]] AnsiString LitTexte(size_t offset, size_t taille) const;
  void EcritTexte(size_t offset, size_t taille, const AnsiString& texte);
  // Zero-terminated UTF-16LE text of at most taille code units.
  [[nodiscard]] UnicodeString LitTexteUnicode(size_t offset, size_t taille) const;
  void EcritTexteUnicode(size_t offset, size_t taille, const UnicodeString& texte);

 protected:
  TFicBase* fichier_;
  long numero_ = 0;
  std::vector<unsigned char> donnees_;
};

}  // namespace kyb
