#!/usr/bin/env python3
"""Builds the reference town table of France (data/TableVille/France.adb) from open data.

Sources, installed with npm into a temporary directory (never into the repository):
  @etalab/decoupage-administratif 6.0.0   current communes (code officiel géographique 2026),
                                           departments, regions, postal codes, population,
                                           delegated and associated communes, old codes
  @etalab/decoupage-administratif 0.7.0   history of communes since 1943 (old names and codes)
  codes-postaux 4.1.2                     delivery names of each postal code
Usage: scripts/construit_table_france.py [output directory]   (default: data/TableVille)

The file is an SQLite database in the layout of the kybase engine layer: its catalogue tables
(_acr_base, _acr_champs, _acr_index) describe every table as the engine would have created it.
The cleaning of commune names below must stay the same as CleanCommune (src/store/ficbddini.cpp);
a test walks the whole table and checks that both agree.
"""
import json
import os
import sqlite3
import subprocess
import sys
import tempfile

PAQUETS = [
    "@etalab/decoupage-administratif@6.0.0",
    "historique@npm:@etalab/decoupage-administratif@0.7.0",
    "codes-postaux@4.1.2",
]

# Commune kinds kept in the Type column.
ACTUELLE, DELEGUEE, ASSOCIEE, ANCIENNE, ARRONDISSEMENT, ANCIEN_NOM = 0, 1, 2, 3, 4, 5

# Engine types (src/engine/acr_types.h).
STRING, WIDESTRING, INT8, INT32, DOUBLE = 2, 4, 5, 7, 21

TABLES = {
    "Communes": (
        [("A_COMMUNE", WIDESTRING, 80), ("B_CP", STRING, 5), ("C_INSEE", STRING, 5),
         ("D_DEP", STRING, 3), ("A_COMCLEAN", STRING, 80), ("Population", INT32, 0),
         ("Latitude", DOUBLE, 0), ("Longitude", DOUBLE, 0), ("Type", INT8, 0),
         ("Actuelle", STRING, 5)],
        [("A_COMCLEAN-Index", ["A_COMCLEAN", "Population"]), ("C_INSEE-Index", ["C_INSEE"]),
         ("D_DEP-Index", ["D_DEP"])],
    ),
    "CodesPostaux": (
        [("B_CP", STRING, 5), ("C_INSEE", STRING, 5), ("Acheminement", WIDESTRING, 60)],
        [("B_CP-Index", ["B_CP"]), ("C_INSEE-Index", ["C_INSEE"])],
    ),
    "Departements": (
        [("D_DEP", STRING, 3), ("NomDep", WIDESTRING, 60), ("E_REG", STRING, 3)],
        [("D_DEP-Index", ["D_DEP"])],
    ),
    "Regions": (
        [("E_REG", STRING, 3), ("NomReg", WIDESTRING, 60)],
        [("E_REG-Index", ["E_REG"])],
    ),
}

# Accented letters of Windows-1252 to their bare letters (upper case).
_SANS_ACCENT = {}
for lettres, base in [("ÀÁÂÃÄÅàáâãäå", "A"), ("Çç", "C"), ("ÈÉÊËèéêë", "E"), ("ÌÍÎÏìíîï", "I"),
                      ("Ññ", "N"), ("ÒÓÔÕÖØòóôõöø", "O"), ("ÙÚÛÜùúûü", "U"), ("ÝŸýÿ", "Y"),
                      ("Šš", "S"), ("Žž", "Z"), ("Ðð", "D")]:
    for c in lettres:
        _SANS_ACCENT[c] = base
_SANS_ACCENT.update({"Œ": "OE", "œ": "OE", "Æ": "AE", "æ": "AE", "ß": "SS"})
_ABREGES = {"ST": "SAINT", "STE": "SAINTE"}


def clean_commune(nom):
    """Upper case without accents; words joined without separators; ST and STE spelt out."""
    mots, mot = [], ""
    for c in nom:
        c = _SANS_ACCENT.get(c, c)
        c = c.upper() if c.isascii() else ""
        for x in c:
            if "A" <= x <= "Z" or "0" <= x <= "9":
                mot += x
            elif mot:
                mots.append(mot)
                mot = ""
        if not c and mot:
            mots.append(mot)
            mot = ""
    if mot:
        mots.append(mot)
    return "".join(_ABREGES.get(m, m) for m in mots)


def installe_paquets(repertoire):
    subprocess.run(["npm", "init", "-y"], cwd=repertoire, check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["npm", "install", "--no-audit", "--no-fund"] + PAQUETS, cwd=repertoire,
                   check=True, stdout=subprocess.DEVNULL)
    return os.path.join(repertoire, "node_modules")


def lit_json(modules, chemin):
    with open(os.path.join(modules, chemin), encoding="utf-8") as f:
        return json.load(f)


def cree_tables(base):
    base.executescript(
        "PRAGMA page_size=4096;"
        "CREATE TABLE _acr_base(cle TEXT PRIMARY KEY, valeur TEXT NOT NULL);"
        "CREATE TABLE _acr_champs(table_nom TEXT NOT NULL, position INTEGER NOT NULL,"
        " nom TEXT NOT NULL, type INTEGER NOT NULL, taille INTEGER NOT NULL,"
        " requis INTEGER NOT NULL, PRIMARY KEY(table_nom, nom));"
        "CREATE TABLE _acr_index(table_nom TEXT NOT NULL, nom TEXT NOT NULL,"
        " champs TEXT NOT NULL, options INTEGER NOT NULL, PRIMARY KEY(table_nom, nom));"
        "INSERT INTO _acr_base VALUES('format','kybase-acr'),('generation','5');")
    for table, (champs, index) in TABLES.items():
        colonnes = []
        for position, (nom, type_, taille) in enumerate(champs):
            sql_type = "TEXT" if type_ in (STRING, WIDESTRING) else (
                "REAL" if type_ == DOUBLE else "INTEGER")
            defaut = "''" if sql_type == "TEXT" else "0"
            colonnes.append(f'"{nom}" {sql_type} NOT NULL DEFAULT {defaut}')
            base.execute("INSERT INTO _acr_champs VALUES(?,?,?,?,?,0)",
                         (table, position, nom, type_, taille))
        base.execute(f'CREATE TABLE "{table}"({", ".join(colonnes)})')
        for nom, cols in index:
            base.execute("INSERT INTO _acr_index VALUES(?,?,?,0)", (table, nom, ",".join(cols)))


def cree_index(base):
    for table, (_, index) in TABLES.items():
        for nom, cols in index:
            liste = ", ".join(f'"{c}"' for c in cols)
            base.execute(f'CREATE INDEX "{table}_{nom}" ON "{table}"({liste})')


class Referentiel:
    """The communes of today and the way any older code leads to one of them."""

    def __init__(self, modules):
        racine = "@etalab/decoupage-administratif/data/"
        self.communes = lit_json(modules, racine + "communes.json")
        self.departements = lit_json(modules, racine + "departements.json")
        self.regions = lit_json(modules, racine + "regions.json")
        self.historique = lit_json(modules, "historique/data/historique-communes.json")
        self.anciennes_2019 = {c["code"]: c["nom"] for c in
                               lit_json(modules, "historique/data/communes.json")}
        self.postaux = lit_json(modules, "codes-postaux/codes-postaux.json")
        self.actuelles = {c["code"]: c for c in self.communes if c["type"] == "commune-actuelle"}
        self.vers_actuelle = {}
        for c in self.communes:
            if c["type"] in ("commune-deleguee", "commune-associee"):
                self.vers_actuelle.setdefault(c["code"], c["chefLieu"])
            elif c["type"] == "arrondissement-municipal":
                self.vers_actuelle.setdefault(c["code"], c["commune"])
        for c in self.actuelles.values():
            for ancien in c.get("anciensCodes", []):
                self.vers_actuelle.setdefault(ancien, c["code"])

    def actuelle(self, code):
        if code in self.actuelles:
            return code
        return self.vers_actuelle.get(code)

    def resout_historique(self):
        """(old name, old code, current code) for every past name the history gives."""
        par_id = {e["id"]: e for e in self.historique}
        resultats = set()
        for e in self.historique:
            courant, pas = e, 0
            code = self.actuelle(courant["code"])
            while code is None and pas < 20:
                suivant = par_id.get(courant.get("successeur")) or par_id.get(courant.get("pole"))
                if suivant is None:
                    break
                courant, pas = suivant, pas + 1
                code = self.actuelle(courant["code"])
            if code is not None:
                resultats.add((e["nom"], e["code"], code))
        return resultats


def lignes_communes(ref):
    lignes = []
    cles = set()  # (cleaned name, code, current code) already written

    def ajoute(nom, cp, code, dep, population, type_, actuelle):
        cle = (clean_commune(nom), code, actuelle or code)
        if cle in cles:
            return
        cles.add(cle)
        lignes.append((nom, cp, code, dep, cle[0], population, type_, actuelle))

    for c in ref.communes:
        cps = sorted(c.get("codesPostaux", []))
        cp = cps[0] if cps else ""
        if c["type"] == "commune-actuelle":
            ajoute(c["nom"], cp, c["code"], c["departement"], c.get("population", 0), ACTUELLE, "")
        elif c["type"] == "arrondissement-municipal":
            ajoute(c["nom"], cp, c["code"], c["departement"], c.get("population", 0),
                   ARRONDISSEMENT, c["commune"])
        else:
            type_ = DELEGUEE if c["type"] == "commune-deleguee" else ASSOCIEE
            dep = ref.actuelles[c["chefLieu"]]["departement"]
            ajoute(c["nom"], "", c["code"], dep, 0, type_, c["chefLieu"])
    historiques = sorted(ref.resout_historique())
    for nom, code, actuelle in historiques:
        type_ = ANCIEN_NOM if code == actuelle else ANCIENNE
        ajoute(nom, "", code, ref.actuelles[actuelle]["departement"], 0, type_, actuelle)
    # Old codes that no name of the history covers: named as in 2019 when known.
    connus = {l[2] for l in lignes}
    for ancien, actuelle in sorted(ref.vers_actuelle.items()):
        if ancien not in connus and ancien in ref.anciennes_2019:
            ajoute(ref.anciennes_2019[ancien], "", ancien,
                   ref.actuelles[actuelle]["departement"], 0, ANCIENNE, actuelle)
    return lignes


def lignes_postales(ref):
    noms = {c["code"]: c["nom"] for c in ref.communes
            if c["type"] in ("commune-actuelle", "arrondissement-municipal")}
    # A municipal district is delivered under its commune's name.
    parents = {c["code"]: noms[c["commune"]] for c in ref.communes
               if c["type"] == "arrondissement-municipal"}
    paires = {}
    for c in ref.communes:
        if c["code"] in noms and c["type"] != "commune-deleguee" and c["type"] != "commune-associee":
            for cp in c.get("codesPostaux", []):
                paires.setdefault((cp, c["code"]), "")
    for p in ref.postaux:
        code = p["codeCommune"] if p["codeCommune"] in noms else ref.actuelle(p["codeCommune"])
        if code is None or code not in noms:
            continue
        libelle = p["libelleAcheminement"]
        # The delivery name is kept only when it says more than the commune's own name.
        evidents = {clean_commune(noms[code]), clean_commune(parents.get(code, ""))}
        garde = libelle if clean_commune(libelle) not in evidents else ""
        if not paires.get((p["codePostal"], code)):
            paires[(p["codePostal"], code)] = garde
    return sorted((cp, code, ach) for (cp, code), ach in paires.items())


def main():
    sortie = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "data", "TableVille")
    os.makedirs(sortie, exist_ok=True)
    fichier = os.path.join(sortie, "France.adb")
    with tempfile.TemporaryDirectory(prefix="kybase-ref-") as temp:
        ref = Referentiel(installe_paquets(temp))
        provisoire = fichier + ".tmp"
        if os.path.exists(provisoire):
            os.remove(provisoire)
        base = sqlite3.connect(provisoire)
        cree_tables(base)
        communes = lignes_communes(ref)
        base.executemany('INSERT INTO "Communes"("A_COMMUNE","B_CP","C_INSEE","D_DEP",'
                         '"A_COMCLEAN","Population","Type","Actuelle") VALUES(?,?,?,?,?,?,?,?)',
                         communes)
        base.executemany('INSERT INTO "CodesPostaux" VALUES(?,?,?)', lignes_postales(ref))
        base.executemany('INSERT INTO "Departements" VALUES(?,?,?)',
                         [(d["code"], d["nom"], d["region"]) for d in ref.departements])
        base.executemany('INSERT INTO "Regions" VALUES(?,?)',
                         [(r["code"], r["nom"]) for r in ref.regions])
        cree_index(base)
        base.commit()
        base.execute("VACUUM")
        base.close()
        os.replace(provisoire, fichier)
    actuelles = sum(1 for l in communes if l[6] == ACTUELLE)
    print(f"{fichier} : {actuelles} communes actuelles, {len(communes)} lignes, "
          f"{os.path.getsize(fichier)} octets")


if __name__ == "__main__":
    main()
