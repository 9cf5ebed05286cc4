#pragma once
#include <gtest/gtest.h>

#include "platform/interface_utilisateur.h"
#include "store/datamodulebdd.h"
#include "support/support.h"

namespace kyb::test {

// A folder stand-in: read-only flag, scripted interface, image-control state.
class DossierEssai : public TDossierBDD {
 public:
  bool IsReadOnly() const override { return lectureSeule; }
  TInterfaceUtilisateur* GetProprietaire() const override { return iu; }
  int GetEtatControleImages() const override { return etatImages; }
  void SetEtatControleImages(int etat) override { etatImages = etat; }
  long NbNotes() const override { return nbNotes; }
  bool lectureSeule = false;
  long nbNotes = -1;
  TInterfaceUtilisateur* iu = nullptr;
  int etatImages = 1;
};

class Magasin : public ::testing::Test {
 protected:
  void SetUp() override {
    dossier.iu = &iu;
    module = std::make_unique<TModuleBDD>(&dossier, Chemin(), "5.90");
    ASSERT_TRUE(module->CreateDataBase());
    ASSERT_TRUE(module->OpenDataBase(true));
  }
  AnsiString Chemin() const { return rep.Chemin() + "Famille.kya/Famille.adb"; }

  RepertoireTemporaire rep;
  TInterfaceScriptee iu;
  DossierEssai dossier;
  std::unique_ptr<TModuleBDD> module;
};

}  // namespace kyb::test
