#pragma once
// Helpers of the kyb commands that work on a genealogy folder.
#include <memory>
#include <string>

#include "folder/gest_fic.h"

namespace kyb::cli {

// A path typed by the user, in Windows-1252; throws ErreurKy (French) when a character has no
// Windows-1252 form, rather than substituting one.
[[nodiscard]] AnsiString CheminAnsi(const std::string& cheminUtf8);
// The store path of a folder given as "/a/Famille.kya", "/a/Famille.kya/Famille.adb" or
// "/a/Famille" (the ".kya" folder), in Windows-1252.
[[nodiscard]] AnsiString CheminDossier(const std::string& cheminUtf8);
// A file or directory a command writes, typed by the user: refused (ErreurKy, French) when,
// resolved through its links, it lies inside a genealogy folder, whose own files it could replace.
[[nodiscard]] AnsiString CheminSortie(const std::string& cheminUtf8);
// The store path of a genealogy to create (as CheminDossier): refused when its folder has no
// name a genealogy can bear ("", "/") or would lie inside another genealogy folder.
[[nodiscard]] AnsiString CheminNouveauDossier(const std::string& cheminUtf8);
// Refuses (ErreurKy, French) a path to be created whose directory does not exist or is not a
// directory: kyb creates the last level only, never a chain of directories the user mistyped.
void RepertoireParentExiste(const std::string& cheminUtf8);
enum class TAcces { Lecture, Ecriture };
// The genealogy at a path typed by the user (as CheminDossier), with its person index. Lecture
// changes nothing in the folder; Ecriture opens it for writing, read-only when it may not be
// written (IsReadOnly tells). Throws ErreurKy with MessageOuverture when it does not open; iu
// shows the progress of the opening (a rebuilt index, a conversion).
[[nodiscard]] std::unique_ptr<TGestFichier> OuvreGenealogie(const std::string& chemin, TAcces acces,
                                                          TInterfaceUtilisateur* iu = nullptr);
// A person number typed by the user (NumeroPersonne) that the open folder holds; ErreurKy else.
[[nodiscard]] long PersonneDuDossier(const TGestFichier& g, const std::string& texte);
// Why an opening failed, in French.
[[nodiscard]] std::string MessageOuverture(const TGestFichier& g);
// "MARTIN Louis" in UTF-8, or empty when the person is deleted or out of range.
[[nodiscard]] std::string NomPersonne(TFicPersons& f, long no);
// "12 (MARTIN Louis)", "12 (sans nom)" or "12 (absente)".
[[nodiscard]] std::string DesignePersonne(TFicPersons& f, long no);
// Format, read-only state, identifier, counts, tables and last modification; ecritAilleurs: the
// folder was opened read-only because another program is writing it.
void AfficheInfo(TGestFichier& g, bool ecritAilleurs = false);

}  // namespace kyb::cli
