#pragma once
// Buffered binary streams of the names subsystem, over a file or over memory: little-endian
// integers, raw bytes, and texts written as a text record (int32 byte length L, then L bytes of
// UTF-8; an empty text is just L = 0).
//
// Errors are sticky: a failed read or write puts the stream in error and every later operation
// fails too; reads past the end fill nothing and return false. Not thread-safe; one stream per
// thread.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/chaines.h"
#include "platform/ecriture_atomique.h"
#include "platform/fichiers.h"

namespace kyb {

class TSortieBinaire {
 public:
  virtual ~TSortieBinaire() = default;
  TSortieBinaire(const TSortieBinaire&) = delete;
  TSortieBinaire& operator=(const TSortieBinaire&) = delete;

  void EcritOctets(const void* source, size_t n);
  void EcritOctet(uint8_t v) { EcritOctets(&v, 1); }
  void EcritEntier16(int16_t v);
  void EcritEntier32(int32_t v);
  // Sends the buffered bytes on; false when any write failed.
  [[nodiscard]] bool Vide();
  [[nodiscard]] bool Erreur() const { return erreur_; }

 protected:
  explicit TSortieBinaire(size_t tailleTampon) : tampon_(tailleTampon) {}
  // Hands n bytes to the destination; false on failure.
  virtual bool Transmet(const char* octets, size_t n) = 0;

 private:
  std::vector<char> tampon_;
  size_t plein_ = 0;
  bool erreur_ = false;
};

class TEntreeBinaire {
 public:
  virtual ~TEntreeBinaire() = default;
  TEntreeBinaire(const TEntreeBinaire&) = delete;
  TEntreeBinaire& operator=(const TEntreeBinaire&) = delete;

  [[nodiscard]] bool LitOctets(void* dest, size_t n) {
    if (n <= static_cast<size_t>(fin_ - pos_)) {
      if (n) __builtin_memcpy(dest, pos_, n);
      pos_ += n;
      return true;
    }
    return LitOctetsLent(static_cast<char*>(dest), n);
  }
  // n contiguous bytes, read in place when the buffer holds them, else copied into secours
  // (n bytes); null when fewer remain.
  [[nodiscard]] const char* LitBloc(size_t n, char* secours) {
    if (n <= static_cast<size_t>(fin_ - pos_)) {
      const char* p = pos_;
      pos_ += n;
      return p;
    }
    return LitOctetsLent(secours, n) ? secours : nullptr;
  }
  [[nodiscard]] bool LitOctet(uint8_t& v) { return LitOctets(&v, 1); }
  // Little-endian integers; inline because index entries read several per entry.
  [[nodiscard]] bool LitEntier16(int16_t& v) {
    uint8_t o[2];
    if (!LitOctets(o, 2)) return false;
    v = static_cast<int16_t>(o[0] | (o[1] << 8));
    return true;
  }
  [[nodiscard]] bool LitEntier32(int32_t& v) {
    uint8_t o[4];
    if (!LitOctets(o, 4)) return false;
    v = static_cast<int32_t>(uint32_t{o[0]} | (uint32_t{o[1]} << 8) | (uint32_t{o[2]} << 16) |
                             (uint32_t{o[3]} << 24));
    return true;
  }
  // Bytes left before the end of the stream.
  [[nodiscard]] int64_t Restant() const { return (fin_ - pos_) + RestantSource(); }
  [[nodiscard]] bool Erreur() const { return erreur_; }

 protected:
  TEntreeBinaire() = default;
  // Points pos_/fin_ at the next bytes of the source; false at its end or on error.
  virtual bool Recharge() = 0;
  // Bytes of the source not yet handed to the buffer.
  [[nodiscard]] virtual int64_t RestantSource() const = 0;
  const char* pos_ = nullptr;
  const char* fin_ = nullptr;
  bool erreur_ = false;

 private:
  bool LitOctetsLent(char* dest, size_t n);
};

// Writes a file whole through the platform's atomic writing (platform/ecriture_atomique.h): the
// bytes go to a temporary, and Ferme() puts it in place of the file. Until then, and when the
// stream is destroyed without Ferme() or after a failure, the file keeps its old content.
class TSortieFichier final : public TSortieBinaire {
 public:
  explicit TSortieFichier(const AnsiString& chemin);
  ~TSortieFichier() override = default;
  [[nodiscard]] bool Ouvert() const { return ecriture_.Ouvert(); }
  // Empties the buffer and puts the new file in place; false (old file kept) when anything failed.
  [[nodiscard]] bool Ferme();

 protected:
  bool Transmet(const char* octets, size_t n) override;

 private:
  TEcritureAtomique ecriture_;
};

// Reads a file in blocks of 1 MiB through the platform's file services.
class TEntreeFichier final : public TEntreeBinaire {
 public:
  explicit TEntreeFichier(const AnsiString& chemin);
  [[nodiscard]] bool Ouvert() const { return fichier_.Valide(); }

 protected:
  bool Recharge() override;
  [[nodiscard]] int64_t RestantSource() const override { return restantSource_; }

 private:
  TFichier fichier_;
  std::vector<char> tampon_;
  int64_t position_ = 0;
  int64_t restantSource_ = 0;
};

// Appends to a string held by the stream.
class TSortieMemoire final : public TSortieBinaire {
 public:
  TSortieMemoire() : TSortieBinaire(4096) {}
  // The bytes written so far (the buffer is emptied first).
  [[nodiscard]] const std::string& Contenu();

 protected:
  bool Transmet(const char* octets, size_t n) override;

 private:
  std::string contenu_;
};

// Reads the bytes of a view, which must outlive the stream.
class TEntreeMemoire final : public TEntreeBinaire {
 public:
  explicit TEntreeMemoire(std::string_view octets);

 protected:
  bool Recharge() override { return false; }
  [[nodiscard]] int64_t RestantSource() const override { return 0; }
};

// Text records. ReadUnicodeString refuses (false, text emptied) a negative length, a length
// beyond maxOctets or beyond the end of the stream, and bytes that are not valid UTF-8.
void WriteUnicodeString(TSortieBinaire& flux, std::u16string_view texte);
[[nodiscard]] bool ReadUnicodeString(TEntreeBinaire& flux, UnicodeString& texte, int32_t maxOctets);

// Strict UTF-8 to UTF-16 (overlong forms, surrogates, values past U+10FFFF and cut sequences are
// refused). Writes at most capacite units at dest, silently cutting the rest; *lg receives the
// count written. False when the bytes are not valid UTF-8.
[[nodiscard]] bool DecodeUtf8Strict(std::string_view octets, char16_t* dest, size_t capacite,
                                    size_t* lg) noexcept;
// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD. Appends to sortie.
void EncodeUtf8(std::u16string_view texte, std::string& sortie);

}  // namespace kyb
