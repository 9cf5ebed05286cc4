// The payload checks of the 7.0 grammar check take what the standard's grammar takes, and only that.
#include <gtest/gtest.h>

#include "gedcom/valeurs_gedcom70.h"

namespace kyb::test {
namespace {

TEST(ValeursGedcom70, LaGrammaireDeLaNorme) {
  const std::string v7 = "https://gedcom.io/terms/v7/";
  const struct {
    std::string type;
    const char* valeur;
    bool juste;
  } kCas[] = {
      {v7 + "type-Date", "", true},
      {v7 + "type-Date", "BET JULIAN 4 SEP 1560 AND 1570", true},
      {v7 + "type-Date", "ABT HEBREW 6 ADR 5781", true},
      {v7 + "type-Date", "FROM _UNKNOWN _MONTH 12 TO FRENCH_R 20 THER 12", true},
      {v7 + "type-Date", "5 MAY 5 BCE", true},
      {v7 + "type-Date", "11 Jan 2001", false},
      {v7 + "type-Date", "27 OCT 1699/00", false},
      {v7 + "type-Date", "FRENCH_R 1 JAN 12", false},
      {v7 + "type-Date", "HEBREW 5781 BCE", false},
      {v7 + "type-Date", "BET 1700", false},
      {v7 + "type-Date", "INT 1700", false},
      {v7 + "type-Date#exact", "11 JAN 2001", true},
      {v7 + "type-Date#exact", "ABT 2001", false},
      {v7 + "type-Date#period", "FROM 1701 TO 1800", true},
      {v7 + "type-Date#period", "BET 1701 AND 1800", false},
      {v7 + "type-Time", "08:55:12.5Z", true},
      {v7 + "type-Time", "24:00", false},
      {v7 + "type-Age", "< 42y 6m", true},
      {v7 + "type-Age", "", true},
      {v7 + "type-Age", "<42y", false},
      {v7 + "type-Age", "6m 42y", false},
      {v7 + "type-Age", "CHILD", false},
      {v7 + "type-Latitude", "N45.75", true},
      {v7 + "type-Latitude", "45.75", false},
      {v7 + "type-Longitude", "W181", false},
      {"http://www.w3.org/2001/XMLSchema#nonNegativeInteger", "-1", false},
      {"http://www.w3.org/ns/dcat#mediaType", "image/jpeg", true},
      {"http://www.w3.org/ns/dcat#mediaType", "jpeg", false},
  };
  for (const auto& c : kCas) EXPECT_EQ(FauteValeur70(c.type, c.valeur).empty(), c.juste) << c.type << " « " << c.valeur << " »";
}

}  // namespace
}  // namespace kyb::test
