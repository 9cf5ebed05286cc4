#include "engine/acr_erreur.h"

#include "engine/acr_sqlite_interne.h"

namespace kyb {

TErreurMoteur ErreurDeSqlite(int code) {
  switch (code & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE: return TErreurMoteur::Aucune;
    case SQLITE_FULL: return TErreurMoteur::DisquePlein;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return TErreurMoteur::Occupe;
    case SQLITE_NOTADB: return TErreurMoteur::PasUneBase;
    case SQLITE_CORRUPT: return TErreurMoteur::Endommagee;
    case SQLITE_READONLY: return TErreurMoteur::LectureSeule;
    case SQLITE_PERM:
    case SQLITE_AUTH: return TErreurMoteur::Refusee;
    case SQLITE_CANTOPEN: return TErreurMoteur::Ouverture;
    case SQLITE_IOERR: return TErreurMoteur::EntreeSortie;
    default: return TErreurMoteur::Autre;
  }
}

const char* NomErreurMoteur(TErreurMoteur erreur) {
  switch (erreur) {
    case TErreurMoteur::Aucune: return "Aucune";
    case TErreurMoteur::DisquePlein: return "DisquePlein";
    case TErreurMoteur::Occupe: return "Occupe";
    case TErreurMoteur::PasUneBase: return "PasUneBase";
    case TErreurMoteur::Endommagee: return "Endommagee";
    case TErreurMoteur::LectureSeule: return "LectureSeule";
    case TErreurMoteur::Refusee: return "Refusee";
    case TErreurMoteur::Ouverture: return "Ouverture";
    case TErreurMoteur::EntreeSortie: return "EntreeSortie";
    case TErreurMoteur::Autre: break;
  }
  return "Autre";
}

}  // namespace kyb
