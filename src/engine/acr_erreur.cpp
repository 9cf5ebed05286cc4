#include "engine/acr_erreur.h"

#include "engine/acr_sqlite_interne.h"
#include "platform/fichiers.h"

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

TErreurMoteur ErreurDeConnexion(sqlite3* connexion) {
  const TErreurMoteur erreur = ErreurDeSqlite(sqlite3_extended_errcode(connexion));
  // A failed read or write, or a file that could not be made, on a full disk says so.
  const bool systeme = erreur == TErreurMoteur::EntreeSortie || erreur == TErreurMoteur::Ouverture;
  if (systeme && ErreurSystemeDe(sqlite3_system_errno(connexion)) == TErreurSysteme::DisquePlein)
    return TErreurMoteur::DisquePlein;
  return erreur;
}

std::string TexteConnexion(sqlite3* connexion) {
  const char* texte = TexteErreurMoteur(ErreurDeConnexion(connexion));
  return *texte ? std::string(texte) : std::string(sqlite3_errmsg(connexion));
}

const char* TexteErreurMoteur(TErreurMoteur erreur) {
  switch (erreur) {
    case TErreurMoteur::DisquePlein: return "le disque est plein";
    case TErreurMoteur::Occupe: return "la base est occupée par un autre programme";
    case TErreurMoteur::PasUneBase: return "le fichier n'est pas une base de données";
    case TErreurMoteur::Endommagee: return "la base est endommagée";
    case TErreurMoteur::LectureSeule: return "écriture refusée (lecture seule)";
    case TErreurMoteur::Refusee: return "accès refusé par le système";
    case TErreurMoteur::Ouverture: return "le fichier ne peut pas être ouvert";
    case TErreurMoteur::EntreeSortie: return "erreur de lecture ou d'écriture du disque";
    case TErreurMoteur::Aucune:
    case TErreurMoteur::Autre: break;
  }
  return "";
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
