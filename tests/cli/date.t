# The report of one date: an exact day, a qualified year, a range, a Republican year.
$ kyb date "12/3/1854"
Calendrier :           grégorien
Qualificatif :         —
Texte normalisé :      12/03/1854
Forme exportée :       #  G12/03/1854#
Rédaction :            Le 12 mars 1854
Année :                1854
Grégorien :            12/03/1854
Républicain :          —
Hébraïque :            12/06/5614
Jour de la semaine :   dimanche
Signe du zodiaque :    Poissons
Saison :               Au cours des derniers jours de l'hiver
$ kyb date "vers 1750"
Calendrier :           grégorien
Qualificatif :         ~
Texte normalisé :      ../../1750
Forme exportée :       # ~G../../1750#
Rédaction :            Vers 1750
Année :                Vers 1750
Grégorien :            ../../1750
Républicain :          —
Hébraïque :            ../../5510
Jour de la semaine :   —
Signe du zodiaque :    —
Saison :               Saison inconnue
$ kyb date "entre 1750 et 1760"
Calendrier :           grégorien
Qualificatif :         —
Texte normalisé :      1750/1760
Forme exportée :       #  G1750/1760 #
Rédaction :            Entre 1750 et 1760
Année :                Entre 1750 et 1760
Grégorien :            1750/1760
Républicain :          —
Hébraïque :            5510/5520
Jour de la semaine :   —
Signe du zodiaque :    —
Saison :               Saison inconnue
$ kyb date "an XII"
Calendrier :           républicain
Qualificatif :         —
Texte normalisé :      ../..../12
Forme exportée :       #  R../..../12#
Rédaction :            En l'an 12
Année :                L'an 12
Grégorien :            ../../1804
Républicain :          ../..../12
Hébraïque :            ../../5564
Jour de la semaine :   —
Signe du zodiaque :    —
Saison :               Saison inconnue
