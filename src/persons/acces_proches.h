#pragma once
// The reader of relatives (store/lecteur_proches.h) the walks of a persons file use in place of
// person objects: the store's own on the main thread, a private one on a worker. None for a file
// a person object reads otherwise (older format, a 2009 folder without alternative parents) or
// while the folder is in error (a person object then reads nothing): the walk reads through
// person objects there.
#include <memory>

#include "folder/gest_fic_pers.h"
#include "store/lecteur_proches.h"

namespace kyb {

class TAccesProches {
 public:
  explicit TAccesProches(TFicPersons& fichier);
  ~TAccesProches();
  TAccesProches(const TAccesProches&) = delete;
  TAccesProches& operator=(const TAccesProches&) = delete;

  // The reader for the next reads, or null; stamps the folder's read time as a person object does.
  [[nodiscard]] TLecteurProches* Lecteur();

 private:
  TFicPersons& fichier_;
  TLecteurProches* lecteur_ = nullptr;
  std::unique_ptr<TLecteurProches> prive_;
};

}  // namespace kyb
