#pragma once
// Binary object stream: persistent objects written with their class name and version, pointers
// and references kept as a table so that an object written twice is read back once, plus plain
// 32-bit integers, doubles, strings and raw bytes. Search conditions, selections and settings are
// saved through it; each class decides the order and width of its fields.
//
// Framing (little-endian):
//   int32            4 bytes
//   double           8 bytes (IEEE 754)
//   8-bit string     int32 length, then the bytes (Windows-1252)
//   UTF-16 string    int32 count of code units, then 2 bytes each
//   pointer          1 byte tag: 0 null; 1 new object: class name (8-bit string), int32 version,
//                    the object's own fields; 2 back reference: int32 index of an object already
//                    in the stream (numbered from 0 in order of appearance)
//
// Reading never trusts a length: a length beyond the remaining bytes, an unknown class, a bad tag
// or a reference out of range puts the input stream in failure; from then on every read gives 0
// or an empty value and Echec() is true.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/chaines.h"

namespace kyb {

class TFluxSortie;
class TFluxEntree;

// A class that can be written through pointers.
class TObjetFlux {
 public:
  virtual ~TObjetFlux() = default;
  [[nodiscard]] virtual const char* NomClasse() const = 0;
  [[nodiscard]] virtual int32_t Version() const = 0;
  virtual void Ecrit(TFluxSortie& flux) const = 0;
  virtual void Lit(TFluxEntree& flux, int32_t version) = 0;
};

// Factories by class name, filled by each class that can be read through a pointer.
class TRegistreClasses {
 public:
  using Fabrique = std::function<std::unique_ptr<TObjetFlux>()>;
  static TRegistreClasses& Global();
  void Enregistre(const std::string& nomClasse, Fabrique fabrique);
  [[nodiscard]] std::unique_ptr<TObjetFlux> Cree(const std::string& nomClasse) const;

 private:
  std::map<std::string, Fabrique> fabriques_;
};

class TFluxSortie {
 public:
  void EcritEntier32(int32_t valeur);
  void EcritDouble(double valeur);
  void EcritOctet(uint8_t valeur);
  void EcritChaine(std::string_view texte);          // 8-bit
  void EcritChaineUnicode(std::u16string_view texte);
  void EcritOctets(const void* donnees, size_t taille);
  // Writes the object once; later writes of the same object are back references.
  void EcritPointeur(const TObjetFlux* objet);
  void EcritReference(const TObjetFlux& objet) { EcritPointeur(&objet); }

  [[nodiscard]] const std::string& Donnees() const { return donnees_; }

 private:
  std::string donnees_;
  std::map<const TObjetFlux*, int32_t> ecrits_;
};

class TFluxEntree {
 public:
  explicit TFluxEntree(std::string_view donnees,
                       const TRegistreClasses& registre = TRegistreClasses::Global())
      : donnees_(donnees), registre_(registre) {}
  // The stream reads the caller's bytes in place: they must outlive it.
  TFluxEntree(std::string&&, const TRegistreClasses& = TRegistreClasses::Global()) = delete;

  [[nodiscard]] int32_t LitEntier32();
  [[nodiscard]] double LitDouble();
  [[nodiscard]] uint8_t LitOctet();
  [[nodiscard]] AnsiString LitChaine();
  [[nodiscard]] UnicodeString LitChaineUnicode();
  [[nodiscard]] bool LitOctets(void* donnees, size_t taille);
  // A new object is created and owned by the stream's pool until Adopte() hands it over;
  // back references give the same pointer again. Null for a null pointer or on failure.
  [[nodiscard]] TObjetFlux* LitPointeur();
  // Takes ownership of an object read by LitPointeur (null if the stream does not own it).
  [[nodiscard]] std::unique_ptr<TObjetFlux> Adopte(TObjetFlux* objet);

  [[nodiscard]] bool Echec() const { return echec_; }
  [[nodiscard]] size_t Restant() const { return echec_ ? 0 : donnees_.size() - position_; }
  void MetEnEchec() { echec_ = true; }

 private:
  bool Prend(void* sortie, size_t taille);
  std::string_view donnees_;
  const TRegistreClasses& registre_;
  size_t position_ = 0;
  bool echec_ = false;
  std::vector<TObjetFlux*> lus_;
  std::vector<std::unique_ptr<TObjetFlux>> possedes_;
};

}  // namespace kyb
