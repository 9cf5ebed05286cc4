#!/usr/bin/env python3
"""Writes a GEDCOM 5.5.1 file of a full pedigree for the GEDCOM benchmarks.

Person 1 is the root; the father of person n is 2n and the mother 2n+1 (Sosa numbering), so
G generations hold 2^G - 1 persons and 2^(G-1) - 1 families. Each person has a birth (and a death
for most), each family a marriage, with places drawn from a list of towns and dates of several
forms (exact, ABT, BEF, BET … AND …, Julian before 1583, Republican from 1793 to 1805); one person
in ten has a note over several lines (CONC and CONT). Surnames follow a Zipf law over a built
list; a man keeps his son's surname, a woman draws hers.

    bench/genere_gedcom.py --generations 20 --sortie /tmp/pedigree20.ged

With --large N, a genealogy of N persons with wide families instead: founding couples, then
generation after generation families of eight children whose sons marry spouses from outside
(who have no parents in the file); one man in five marries again and has two more children.

    bench/genere_gedcom.py --large 100000 --sortie /tmp/large100k.ged
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


def individu(n, homme, prenom, nom, naissance, alea, familles_enfant, familles_conjoint):
    lignes = [f"0 @I{n}@ INDI\n1 NAME {prenom} /{nom}/\n1 SEX {'M' if homme else 'F'}\n"
              f"1 BIRT\n2 DATE {date(naissance, alea)}\n2 PLAC {alea.choice(VILLES)}\n"]
    if naissance < 1940:
        lignes.append(f"1 DEAT\n2 DATE {date(naissance + alea.randint(20, 85), alea)}\n"
                      f"2 PLAC {alea.choice(VILLES)}\n")
    lignes.extend(f"1 FAMC @F{f}@\n" for f in familles_enfant)
    lignes.extend(f"1 FAMS @F{f}@\n" for f in familles_conjoint)
    if alea.random() < 0.1:
        lignes.append(f"1 NOTE {prenom} {nom} vivait de son travail.\n2 CONT Deuxième ligne.\n")
    return "".join(lignes)


def large(a, alea, noms, poids, f):
    """Wide families: each record is written once its links are all known."""
    personnes = {}  # number -> [homme, prenom, nom, naissance, famc, fams]
    familles = []   # [mari, femme, enfants, annee]
    tirage = lambda: noms[alea.choices(range(len(noms)), weights=poids)[0]]

    def nouvelle(homme, nom, naissance, famc=None):
        n = len(personnes) + 1
        personnes[n] = [homme, alea.choice(PRENOMS_M if homme else PRENOMS_F), nom, naissance,
                        [famc] if famc else [], []]
        return n

    def famille(mari, femme, annee):
        familles.append([mari, femme, [], annee])
        numero = len(familles)
        personnes[mari][5].append(numero)
        personnes[femme][5].append(numero)
        return numero

    generation = []
    while len(personnes) < min(a.large, 200):
        mari = nouvelle(True, tirage(), 1700)
        generation.append(famille(mari, nouvelle(False, tirage(), 1702), 1725))
    while len(personnes) < a.large and generation:
        suivante = []
        for numero in generation:
            mari, femme, enfants, annee = familles[numero - 1]
            for _ in range(8):
                if len(personnes) >= a.large:
                    break
                homme = alea.random() < 0.5
                enfant = nouvelle(homme, personnes[mari][2], annee + 1 + len(enfants) * 2, numero)
                enfants.append(enfant)
                if homme and len(personnes) + 1 < a.large:
                    naissance = personnes[enfant][3]
                    epouse = nouvelle(False, tirage(), naissance + 2)
                    suivante.append(famille(enfant, epouse, naissance + 25))
                    if alea.random() < 0.2 and len(personnes) + 1 < a.large:
                        seconde = nouvelle(False, tirage(), naissance + 10)
                        f2 = famille(enfant, seconde, naissance + 40)
                        for k in range(2):
                            if len(personnes) < a.large:
                                familles[f2 - 1][2].append(
                                    nouvelle(alea.random() < 0.5, personnes[enfant][2], naissance + 41 + k, f2))
        generation = suivante
    f.write("0 HEAD\n1 SOUR BENCH\n1 GEDC\n2 VERS 5.5.1\n2 FORM LINEAGE-LINKED\n1 CHAR UTF-8\n")
    lignes = []
    for n, (homme, prenom, nom, naissance, famc, fams) in personnes.items():
        lignes.append(individu(n, homme, prenom, nom, naissance, alea, famc, fams))
        if len(lignes) > 5000:
            f.write("".join(lignes))
            lignes.clear()
    for numero, (mari, femme, enfants, annee) in enumerate(familles, 1):
        lignes.append(f"0 @F{numero}@ FAM\n1 HUSB @I{mari}@\n1 WIFE @I{femme}@\n"
                      + "".join(f"1 CHIL @I{c}@\n" for c in enfants)
                      + f"1 MARR\n2 DATE {date(annee, alea)}\n2 PLAC {alea.choice(VILLES)}\n")
        if len(lignes) > 5000:
            f.write("".join(lignes))
            lignes.clear()
    f.write("".join(lignes))
    f.write("0 TRLR\n")


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--generations", type=int, default=20)
    p.add_argument("--large", type=int, default=0, help="wide genealogy of that many persons")
    p.add_argument("--sortie", default="/tmp/pedigree20.ged")
    p.add_argument("--graine", type=int, default=2026)
    a = p.parse_args()
    alea = random.Random(a.graine)
    noms = noms_de_famille(3000, alea)
    poids = [1.0 / (rang + 1) for rang in range(len(noms))]
    if a.large > 0:
        with open(a.sortie, "w", encoding="utf-8", newline="\r\n") as f:
            large(a, alea, noms, poids, f)
        return
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
