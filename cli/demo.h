#pragma once
#include <string>
#include <vector>

#include "commandes.h"
#include "folder/gest_fic.h"

namespace kyb {
class TModuleBDD;
}

namespace kyb::cli {

// Builds a sample genealogy in a temporary directory (or in the directory given, kept then) and
// walks through what the library does.
int Demo(const TAppel& args);

// Writes the sample family's events (data/demo/evenements.tsv); the number of records written.
int ChargeEvenements(TGestFichier& dossier);
// Shows two record cards and a year search.
void DemoEvenements(TGestFichier& dossier);
// Imports data/demo/famille.ged into a folder of the directory, then exports it back.
bool DemoGedcom(const std::string& repertoire);

}  // namespace kyb::cli
