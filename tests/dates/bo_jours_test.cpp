// TDateKY: construction, export form, years, ranges and moves.
#include "dates/bo_jours.h"

#include <gtest/gtest.h>

#include "platform/date_heure.h"
#include "texte_date.h"

namespace kyb {
namespace {

TDateKY G(const char* t) { return TDateKY('G', t); }

using test::Qualifiee;

TEST(TDateKY, FormeExporteeEtTexteSaisi) {
  HorlogeFixee horloge(EncodeDate(2026, 12, 5));
  EXPECT_EQ(TDateKY().ExportInString(), "");
  EXPECT_EQ(G("14/07/1789").ExportInString(), "#  G14/07/1789#");
  const TDateKY relue("# <G../../1750#");
  EXPECT_TRUE(relue.IsActeInferieur());
  EXPECT_EQ(relue.GetDate(), "../../1750");
  EXPECT_EQ(relue.ExportInString(), "# <G../../1750#");
  TDateKY sansCal;
  sansCal.SetDate("14/07/1789 et plus");  // cut to its ten characters, read as Gregorian
  EXPECT_EQ(sansCal.ExportInString(), "#  G14/07/1789#");
  EXPECT_EQ(TDateKY("#CAR01/PLUV/12#").GetCalendrier(), 'R');
  // 14 characters: not an export form, analysed as typed text (and refused here).
  EXPECT_TRUE(TDateKY("# <G1750/1760#").DateVide0());
  EXPECT_EQ(TDateKY(789, "31/12/").GetDate(), "31/12/0789");
  EXPECT_EQ(TDateKY("14 7 1789").ExportInString(), "#  G14/07/1789#");
  EXPECT_EQ(TDateKY("01/PLUV/12").ExportInString(), "#  R01/PLUV/12#");
  for (const char* refus : {"31/02/1789", "abc"}) EXPECT_TRUE(TDateKY(refus).DateVide0()) << refus;
}

TEST(TDateKY, QualificatifsVacuiteEtPrecision) {
  EXPECT_TRUE(Qualifiee("ca", "14/07/1789").IsActeImprecis());
  EXPECT_TRUE(Qualifiee("?", "14/07/1789").IsActeImprecis());
  EXPECT_FALSE(Qualifiee("~", "14/07/1789").NotActePrecisionDate());
  EXPECT_TRUE(Qualifiee("", "14/07/1789").NotActePrecisionDate());
  for (const char* vide : {"", "../../....", "../..../..", "..../....", "..../.... "})
    EXPECT_TRUE(G(vide).DateVide()) << vide;
  EXPECT_FALSE(G("../../1789").DateVide());
  EXPECT_FALSE(Qualifiee("<", "").Vide());
  int j = 0, m = 0, a = 0;
  EXPECT_TRUE(G("14/07/1789").IsDatePrecise(&j, &m, &a));
  EXPECT_EQ(std::make_tuple(j, m, a), std::make_tuple(14, 7, 1789));
  EXPECT_FALSE(G("../07/1789").IsDatePrecise(&j, &m, &a));
  EXPECT_FALSE(G("1750/1760").IsDatePrecise(nullptr, nullptr, nullptr));
  EXPECT_TRUE(G("").IsDatePrecise(nullptr, nullptr, nullptr, "01/02/1800", true));
  EXPECT_FALSE(Qualifiee("~", "14/07/1789").DateExacte());
  EXPECT_TRUE(G("../07/1789").DateNiPreciseNiFourchette());
  EXPECT_FALSE(G("1750/1760").DateNiPreciseNiFourchette());
  AnsiString annee;
  EXPECT_FALSE(G("14/07/1789").AnneeDateVide(&annee));
  EXPECT_EQ(annee, "1789");
  EXPECT_TRUE(G("14/07/....").AnneeDateVide());
  for (const TDateKY& d : {G("14/07/1789"), G("1750/...."), TDateKY('R', "01/PLUV/12")})
    EXPECT_TRUE(d.CalculDatePossible()) << d.GetDate();
  for (const TDateKY& d : {TDateKY('R', "14/07/1789"), G("../../....")})
    EXPECT_FALSE(d.CalculDatePossible()) << d.GetDate();
}

TEST(TDateKY, Annees) {
  TDateKY vers = Qualifiee("~", "14/07/1789");
  EXPECT_EQ(vers.RecupAnnee(true), 1789);
  EXPECT_EQ(vers.GetDate(), "1789/1789");
  EXPECT_TRUE(vers.ActeVide());
  TDateKY avant = Qualifiee("<", "14/07/1789");
  avant.AjusteDateFourchette();
  EXPECT_EQ(avant.GetDate(), "1789/1789");
  EXPECT_TRUE(avant.IsActeInferieur());
  int mn = 0, mx = 0, moy = 0;
  G("1750/....").RecupAnneeFourchetteEstim(true, true, nullptr, nullptr, &moy, &mn, &mx);
  EXPECT_EQ(std::make_tuple(mn, mx, moy), std::make_tuple(1750, 1850, 1750));
  G("..../1760").RecupAnneeFourchette(true, nullptr, nullptr, &moy, &mn, &mx);
  EXPECT_EQ(std::make_tuple(mn, mx, moy), std::make_tuple(0, 1760, 1760));
  G("1751/1760").RecupAnneeFourchette(true, nullptr, nullptr, &moy, &mn, &mx);
  EXPECT_EQ(moy, 1755);
  // Other calendars give their Gregorian year on request.
  EXPECT_EQ(TDateKY('R', "01/PLUV/12").RecupAnneeChn(true), "1804");
  EXPECT_EQ(TDateKY('R', "01/PLUV/12").RecupAnneeChn(false), "12");
  EXPECT_EQ(TDateKY('H', "01/01/5785").RecupAnneeChn(true), "2025");
  EXPECT_EQ(TDateKY('R', "02/05").RecupAnneeChn(true, nullptr, &mn, &mx), "1795");
  EXPECT_EQ(std::make_tuple(mn, mx), std::make_tuple(1794, 1797));
  TDateKY milieuAnnee = G("02/07/1789");
  EXPECT_NEAR(milieuAnnee.RecupAnneeFloat(true), 1789 + 182 / 365.0, 1e-3);
  bool fourchette = false;
  TDateKY f = G("1750/1760");
  EXPECT_FLOAT_EQ(f.RecupAnneeFloat(true, &mn, &mx, &fourchette), 1755.0f);
  EXPECT_TRUE(fourchette);
  EXPECT_TRUE(G("14/07/1789").LimiteAnneeMin(1788));
  EXPECT_FALSE(G("14/07/1789").LimiteAnneeMin(1789));
}

TEST(TDateKY, Fourchettes) {
  const TDateKY avant = Qualifiee("<", "14/07/1789");
  EXPECT_EQ(avant.GetDateLimiteFourchette(true).GetDate(), "31/12/1789");
  EXPECT_EQ(avant.GetDateLimiteFourchette(false).GetDate(), "../../....");
  EXPECT_EQ(G("1750/1760").GetDateLimiteFourchette(false).GetDate(), "01/01/1750");
  EXPECT_EQ(G("14/07/1789").GetDateLimiteFourchette(true).GetDate(), "14/07/1789");
  TDateKY f = G("1750/1761");
  EXPECT_TRUE(f.CalculDateMoyenneFourchette(true));
  EXPECT_EQ(f.GetDate(), "01/01/1755");
  TDateKY r('R', "02/06");
  EXPECT_TRUE(r.CalculDateMoyenneFourchette(false));
  EXPECT_EQ(r.GetDate(), "01/PLUV/04");
  EXPECT_FALSE(G("14/07/1789").CalculDateMoyenneFourchette(true));
  const auto transforme = [](const char* t) {
    TDateKY d = G(t);
    d.TransformeFourchetteDate();
    return d.GetDate();
  };
  EXPECT_EQ(transforme("..../1760"), "00/00/1759");
  EXPECT_EQ(transforme("1750/...."), "00/00/1751");
  EXPECT_EQ(transforme("1750/1760"), "00/00/1755");
  EXPECT_EQ(transforme("..../...."), "../../....");
  EXPECT_TRUE(G("14/07/1789").DateDansFourchette("1700", "1800"));
  EXPECT_FALSE(G("14/07/1789").DateDansFourchette("1790", ""));
  EXPECT_FALSE(G("14/07/1789").DateDansFourchette("", "1788"));
  EXPECT_TRUE(G("14/07/1789").DateDansFourchette("", ""));
  EXPECT_EQ(G("14/07/1789").DateIn(G("01/01/1789"), G("31/12/1789")), 0);
  EXPECT_EQ(G("14/07/1789").DateIn(G("01/01/1790"), G("31/12/1799")), -1);
  EXPECT_EQ(G("14/07/1789").DateIn(G("01/01/1700"), G("31/12/1788")), 1);
  EXPECT_EQ(G("").DateIn(G("01/01/1700"), G("31/12/1788")), 1);
  EXPECT_EQ(G("14/07/1789").DateIn(G(""), G("31/12/1788")), -1);
  short mn = 0, mx = 0;
  G("14/07/1789").AjusteFourchette(mn, mx, false);
  G("1750/1800").AjusteFourchette(mn, mx, true);
  EXPECT_EQ(std::make_tuple(mn, mx), std::make_tuple(short{1750}, short{1800}));
  float fmn = 1780, fmx = 1785;
  G("14/07/1789").AjusteFourchette(fmn, fmx, false);
  EXPECT_EQ(std::make_tuple(fmn, fmx), std::make_tuple(1780.0f, 1789.0f));
}

TEST(TDateKY, PartiesEtDecalage) {
  TDateKY d;
  d.SetJourMoisAnnee(0, 7, 1789);
  EXPECT_EQ(d.GetDate(), "../07/1789");
  EXPECT_EQ(d.GetCalendrier(), 'G');
  int j = 0, m = 0, a = 0;
  d.ExtractJourMoisAnnee(j, m, a, true);
  EXPECT_EQ(std::make_tuple(j, m, a), std::make_tuple(1, 7, 1789));
  TDateKY('R', "01/VEND/01").ExtractJourMoisAnnee(j, m, a, false);
  EXPECT_EQ(std::make_tuple(j, m, a), std::make_tuple(22, 9, 1792));
  G("1750/1760").ExtractJourMoisAnnee(j, m, a, true);
  EXPECT_EQ(std::make_tuple(j, m, a), std::make_tuple(0, 0, 0));
  EXPECT_EQ(G("../07/1789").RetAnneeMoisJour("9999", "12", "31"), "17890731");
  EXPECT_EQ(G("../../....").RetAnneeMoisJour("0000", "", "01"), "0000..01");
  const auto decale = [](const char* t, int n) {
    TDateKY x = G(t);
    return x.Decalage(n) ? x.GetDate() : AnsiString("refus");
  };
  EXPECT_EQ(decale("25/12/1789", 10), "04/01/1790");
  EXPECT_EQ(decale("14/07/1789", 400), "../../1790");
  EXPECT_EQ(decale("14/07/1789", 60), "../09/1789");
  EXPECT_EQ(decale("14/07/....", 10), "refus");
}

}  // namespace
}  // namespace kyb
