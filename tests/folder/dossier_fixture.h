#pragma once
// A temporary genealogy folder "Famille.kya" opened with TGestFichier, persons written through
// the store.
#include <gtest/gtest.h>

#include <memory>

#include "folder/gest_fic.h"
#include "platform/thread_nom.h"
#include "store/datamodulebdd.h"
#include "support/support.h"

namespace kyb::test {

class DossierTemporaire : public ::testing::Test {
 protected:
  DossierTemporaire() { NommeThreadPrincipal(); }
  // The store path of the folder "<nom>.kya".
  AnsiString Store(const std::string& nom = "Famille") const { return rep / (nom + ".kya/" + nom + ".adb"); }
  AnsiString Repertoire(const std::string& nom = "Famille") const { return rep / (nom + ".kya"); }
  static std::unique_ptr<TGestFichier> Cree(const AnsiString& chemin, TInterfaceUtilisateur* iu = nullptr) {
    return std::make_unique<TGestFichier>(chemin, TGestFichier::Creation(1, iu));
  }
  static std::unique_ptr<TGestFichier> Ouvre(const AnsiString& chemin, TInterfaceUtilisateur* iu = nullptr,
                                             TGestFichier::TModeConversion conversion = TGestFichier::mcAucune,
                                             bool lectureSeule = false) {
    TGestFichier::TOptionsOuverture options = TGestFichier::Ouverture(iu);
    options.PremierePersonne = 1;
    options.Conversion = conversion;
    options.LectureSeule = lectureSeule;
    return std::make_unique<TGestFichier>(chemin, options);
  }
  // Persons 2..nombre + 1 named "Lot", in one batch.
  static void AjoutePersonnes(TGestFichier& g, long nombre) {
    TModuleBDD& m = *g.GetModuleBDD();
    ASSERT_TRUE(m.BeginImport(false));
    TEnregPublic p;
    p.Nom = u"Lot";
    for (long n = 2; n <= nombre + 1; ++n) ASSERT_TRUE(m.WritePerson(p, n));
    ASSERT_TRUE(m.EndImport(false));
  }
  // Persons of the genealogy at that store, -1 when it does not open.
  static long PersonnesDe(const AnsiString& store) {
    if (!FichierExiste(store)) return -1;
    auto g = Ouvre(store);
    return g->Erreur ? -1 : g->NombrePersonnes();
  }
  RepertoireTemporaire rep;
};

}  // namespace kyb::test
