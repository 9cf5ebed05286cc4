# Dates as people type them: qualifiers, ranges, month names, Republican years, short forms.
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
$ kyb date après 1750
Calendrier :           grégorien
Qualificatif :         >
Texte normalisé :      ../../1750
Forme exportée :       # >G../../1750#
Rédaction :            Après 1750
Année :                Après 1750
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
$ kyb date "1750-1760"
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
$ kyb date "14 juillet 1789"
Calendrier :           grégorien
Qualificatif :         —
Texte normalisé :      14/07/1789
Forme exportée :       #  G14/07/1789#
Rédaction :            Le 14 juillet 1789
Année :                1789
Grégorien :            14/07/1789
Républicain :          —
Hébraïque :            20/11/5549
Jour de la semaine :   mardi
Signe du zodiaque :    Cancer
Saison :               Durant le deuxième mois de l'été
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
$ kyb date "05/89"
Calendrier :           grégorien
Qualificatif :         —
Texte normalisé :      ../05/1989
Forme exportée :       #  G../05/1989#
Rédaction :            En mai 1989
Année :                1989
Grégorien :            ../05/1989
Républicain :          —
Hébraïque :            ../09/5749
Jour de la semaine :   —
Signe du zodiaque :    —
Saison :               Durant le troisième mois du printemps
