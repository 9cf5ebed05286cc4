#!/usr/bin/env python3
"""Writes a GEDCOM 5.5.1 file of a full pedigree for the GEDCOM benchmarks.

Person 1 is the root; the father of person n is 2n and the mother 2n+1 (Sosa numbering), so
G generations hold 2^G - 1 persons and 2^(G-1) - 1 families. Each person has a birth (and a death
for most), each family a marriage, with places drawn from a list of towns and dates of several
forms (exact, ABT, BEF, BET … AND …, Julian before 1583, Republican from 1793 to 1805); one person
in ten has a note over several lines (CONC and CONT). Surnames follow a Zipf law over a built
list; a man keeps his son's surname, a woman draws hers.

    bench/genere_gedcom.py --generations 20 --sortie /tmp/pedigree20.ged
"""
import argparse
import random

MOIS = ["JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"]
REPUB = ["VEND", "BRUM", "FRIM", "NIVO", "PLUV", "VENT", "GERM", "FLOR", "PRAI", "MESS", "THER",
         "FRUC"]
VILLES = ["Lyon, Rhône, France", "Mâcon, Saône-et-Loire, France", "Dijon, Côte-d'Or, France",
          "Saint-Étienne, Loire, France", "Grenoble, Isère, France", "Bourg-en-Bresse, Ain, France",
          "Villefranche-sur-Saône, Rhône, France", "Roanne, Loire, France",
          "Chalon-sur-Saône, Saône-et-Loire, France", "Annecy, Haute-Savoie, France"]
PRENOMS_M = ["Jean", "Pierre", "Claude", "Antoine", "François", "Joseph", "Louis", "Benoît"]
PRENOMS_F = ["Marie", "Jeanne", "Anne", "Claudine", "Françoise", "Benoîte", "Louise", "Élise"]


def noms_de_famille(n, alea):
    syllabes = ["mar", "tin", "du", "pré", "ber", "nard", "rou", "x", "fa", "bre", "gi", "rard",
                "mo", "rel", "la", "croix", "ri", "chard", "bon", "net", "cha", "puis", "vi", "al"]
    noms = set()
    while len(noms) < n:
        noms.add("".join(alea.choice(syllabes) for _ in range(alea.randint(2, 3))).capitalize())
    return sorted(noms)


def date(annee, alea):
    forme = alea.random()
    if 1793 <= annee <= 1805 and forme < 0.5:
        an = annee - 1791
        return f"@#DFRENCH R@ {alea.randint(1, 30)} {alea.choice(REPUB)} {an}"
    jour = f"{alea.randint(1, 28)} {alea.choice(MOIS)} {annee}"
    prefixe = "@#DJULIAN@ " if annee < 1583 else ""
    if forme < 0.70:
        return prefixe + jour
    if forme < 0.80:
        return f"ABT {annee}"
    if forme < 0.87:
        return f"BEF {prefixe}{jour}"
    if forme < 0.94:
        return f"BET {annee - 2} AND {annee + 2}"
    return f"{alea.choice(MOIS)} {annee}"


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--generations", type=int, default=20)
    p.add_argument("--sortie", default="/tmp/pedigree20.ged")
    p.add_argument("--graine", type=int, default=2026)
    a = p.parse_args()
    alea = random.Random(a.graine)
    noms = noms_de_famille(3000, alea)
    poids = [1.0 / (rang + 1) for rang in range(len(noms))]
    total = (1 << a.generations) - 1
    tirages = iter(alea.choices(range(len(noms)), weights=poids, k=total + 1))
    nom = [0] * (total + 1)
    with open(a.sortie, "w", encoding="utf-8", newline="\r\n") as f:
        f.write("0 HEAD\n1 SOUR BENCH\n1 GEDC\n2 VERS 5.5.1\n2 FORM LINEAGE-LINKED\n"
                "1 CHAR UTF-8\n")
        lignes = []
        for n in range(1, total + 1):
            generation = n.bit_length() - 1
            nom[n] = nom[n // 2] if n % 2 == 0 else next(tirages)
            homme = n % 2 == 0 or n == 1
            prenom = alea.choice(PRENOMS_M if homme else PRENOMS_F)
            naissance = 2000 - 28 * generation + alea.randint(-5, 5)
            lignes.append(f"0 @I{n}@ INDI\n1 NAME {prenom} /{noms[nom[n]]}/\n"
                          f"1 SEX {'M' if homme else 'F'}\n1 BIRT\n2 DATE {date(naissance, alea)}\n"
                          f"2 PLAC {alea.choice(VILLES)}\n")
            if generation > 1 or alea.random() < 0.3:
                lignes.append(f"1 DEAT\n2 DATE {date(naissance + alea.randint(20, 85), alea)}\n"
                              f"2 PLAC {alea.choice(VILLES)}\n")
            if n > 1:
                lignes.append(f"1 FAMS @F{n // 2}@\n")
            if 2 * n + 1 <= total:
                lignes.append(f"1 FAMC @F{n}@\n")
            if alea.random() < 0.1:
                lignes.append(f"1 NOTE {prenom} {noms[nom[n]]} vivait de son travail à "
                              f"{alea.choice(VILLES)} ; les registres de la paroisse le nom\n"
                              f"2 CONC ment plusieurs fois.\n2 CONT Deuxième ligne de la note.\n")
            if 2 * n + 1 <= total:
                mariage = naissance - 2 + alea.randint(-3, 3)
                lignes.append(f"0 @F{n}@ FAM\n1 HUSB @I{2 * n}@\n1 WIFE @I{2 * n + 1}@\n"
                              f"1 CHIL @I{n}@\n1 MARR\n2 DATE {date(mariage, alea)}\n"
                              f"2 PLAC {alea.choice(VILLES)}\n")
            if len(lignes) > 20000:
                f.write("".join(lignes))
                lignes.clear()
        f.write("".join(lignes))
        f.write("0 TRLR\n")


if __name__ == "__main__":
    main()
