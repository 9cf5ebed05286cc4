#pragma once
// Checks a GEDCOM text against the grammar of the standard, for the tests: levels, line length
// (5.5.1), cross-references defined once, pointers to records that exist, and the tags allowed
// under each structure, read from the data files of dossierGrammaire (5.5.1: grammaire551.tsv,
// written from the standard's grammar; 7.0: the standard's published structure tables, with
// their cardinalities, payload kinds and enumerations; dates, times, ages and numbers read
// as the 7.0 grammar writes them). Extension tags ("_")
// are allowed anywhere and their lines not checked; 7.0 asks each to be declared in
// HEAD.SCHMA, where an extension tag given the URI of a standard record stands for that record
// ("_USER" documented as record-SUBM is a SUBM). Each fault is one line of text naming the file line.
#include <set>
#include <string>
#include <vector>

namespace kyb::test {

[[nodiscard]] std::vector<std::string> Valide551(const std::string& texte, const std::string& dossierGrammaire);
[[nodiscard]] std::vector<std::string> Valide70(const std::string& texte, const std::string& dossierGrammaire);

// The values of a file as tag paths: "INDI.BIRT.DATE 1 JAN 1900", one per line below a record
// (HEAD and TRLR left out), CONT/CONC joined. A pointer reads as its record's tag ("@INDI"),
// except a pointer to a note record, which reads as the note's text.
[[nodiscard]] std::set<std::string> Chemins(const std::string& texte);

}  // namespace kyb::test
