#pragma once
// A fresh database file in a temporary directory, with an events-shaped table.
#include <gtest/gtest.h>

#include "engine/acr_database.h"
#include "engine/acr_query.h"
#include "engine/acr_table.h"
#include "support/support.h"

namespace kyb::test {

inline TACRFieldDefs ChampsEvenements() {
  return {{"ID", TTypeChamp::AutoInc, 0, false},
          {"Type", TTypeChamp::Int8, 0, false},
          {"LibelleChamps", TTypeChamp::String, 21, false},
          {"Donnee", TTypeChamp::WideString, 301, false},
          {"NoPersA", TTypeChamp::Int32, 0, false},
          {"Date", TTypeChamp::FixedChar, 10, false},
          {"Sexe", TTypeChamp::Byte, 0, false},
          {"Data", TTypeChamp::Blob, 0, false},
          {"DateLastModif", TTypeChamp::DateTime, 0, false}};
}

inline TACRIndexDefs IndexEvenements() {
  return {{"ParID", {"ID"}, kIndexPrimaire},
          {"ParNoPersA", {"NoPersA", "Type"}, 0},
          {"ParDonnee", {"Donnee"}, kIndexSansCasse}};
}

class BaseTemporaire : public ::testing::Test {
 protected:
  void SetUp() override {
    base.SetFileName(rep / "essai.adb");
    ASSERT_TRUE(base.CreateDatabase()) << base.DerniereErreur();
    TACRTable t(base, "Evenements");
    ASSERT_TRUE(t.CreateTable(ChampsEvenements(), IndexEvenements())) << base.DerniereErreur();
  }

  // Inserts one row and returns its ID.
  int64_t Ajoute(TACRTable& t, int noPers, int type, const std::string& donneeUtf8) {
    t.Insert();
    t.FieldByName("NoPersA").SetInteger(noPers);
    t.FieldByName("Type").SetInteger(type);
    t.FieldByName("Donnee").SetUnicodeString(U(donneeUtf8));
    EXPECT_TRUE(t.Post()) << base.DerniereErreur();
    return t.FieldByName("ID").AsInt64();
  }

  RepertoireTemporaire rep;
  TACRDatabase base;
};

}  // namespace kyb::test
