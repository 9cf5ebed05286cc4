// Texts of the dates subsystem.
//
// Month and weekday texts keep a fixed layout that the dates code reads by position: a two-digit
// number at 1-2, a four-letter code at 4-7 and the name from character 9 (weekdays: number at
// 1-2, name from character 4).
#include "platform/ressources.h"

namespace kyb {
namespace {

constexpr TRessource kTable[] = {
    // Republican months.
    {1808, "01 VEND vendémiaire"},
    {1809, "02 BRUM brumaire"},
    {1810, "03 FRIM frimaire"},
    {1811, "04 NIVO nivôse"},
    {1812, "05 PLUV pluviôse"},
    {1813, "06 VENT ventôse"},
    {1814, "07 GERM germinal"},
    {1815, "08 FLOR floréal"},
    {1816, "09 PRAI prairial"},
    {1817, "10 MESS messidor"},
    {1818, "11 THER thermidor"},
    {1819, "12 FRUC fructidor"},
    {1820, "13 COMP complémentaires"},
    // Gregorian months.
    {1825, "01 JANV janvier"},
    {1826, "02 FEVR février"},
    {1827, "03 MARS mars"},
    {1828, "04 AVRI avril"},
    {1829, "05 MAI  mai"},
    {1830, "06 JUIN juin"},
    {1831, "07 JUIL juillet"},
    {1832, "08 AOUT août"},
    {1833, "09 SEPT septembre"},
    {1834, "10 OCTO octobre"},
    {1835, "11 NOVE novembre"},
    {1836, "12 DECE décembre"},
    // Weekdays, Sunday first.
    {1841, "01 dimanche"},
    {1842, "02 lundi"},
    {1843, "03 mardi"},
    {1844, "04 mercredi"},
    {1845, "05 jeudi"},
    {1846, "06 vendredi"},
    {1847, "07 samedi"},
    // Hebrew months, from Tichri.
    {3761, "01 TICH Tichri"},
    {3762, "02 HECH Hechvan"},
    {3763, "03 KISL Kislev"},
    {3764, "04 TEVE Tevet"},
    {3765, "05 CHEV Chevat"},
    {3766, "06 ADR1 Adar I"},
    {3767, "07 ADR2 Adar II"},
    {3768, "08 NISS Nissan"},
    {3769, "09 IYAR Iyar"},
    {3770, "10 SIVA Sivan"},
    {3771, "11 TAMO Tamouz"},
    {3772, "12 AV   Av"},
    {3773, "13 ELOU Eloul"},
    // Kinds of Hebrew year.
    {3776, "Année commune de 12 mois"},
    {3778, "Année embolismique de 13 mois"},
};

}  // namespace

std::span<const TRessource> RessourcesDates() { return kTable; }

}  // namespace kyb
