# A person's record card on the demo genealogy: events in card order, places, cited persons.
$ kyb demo . > /dev/null
$ kyb evenements Exemple.kya 1
Personne 1 : Jean Baptiste Martin
Naissance : le 14 juillet 1820 à Rouen (Faubourg Saint-Sever)
    personne citée : 3 Pierre Martin, Déclarant, Père
    personne citée : 7 François Dupré, Témoin
    source : Registre des naissances de Rouen, 1820 (Acte)
    note : Baptême, Sources
Baptême : le 16 juillet 1820 à Rouen (Église Saint-Maclou)
    personne citée : 8 Jeanne Bernard, Marraine, Grand-mère
    source : Registre paroissial de Saint-Maclou (Acte)
Professions : en 1845 à Elbeuf
    Tisserand
Union avec 2 Marie Élise Dupré : le 5 juin 1845 à Elbeuf
    personne citée : 3 Pierre Martin, Témoin, Père
    personne citée : 7 François Dupré, Témoin, Beau-père
    source : Registre des mariages d'Elbeuf, 1845 (Acte)
    source : Minutes de Maître Hébert (Contrat)
Résidence : entre 1850 et 1860 à Elbeuf (Rue de la Barrière)
Décès : avant le 3 février 1880 à Elbeuf
    Décédé en son domicile
    personne citée : 5 Louis Martin, Déclarant, Fils
    source : Registre des décès d'Elbeuf, 1880 (Acte)
Date de création : @HORODATAGE@
Date dern. modif. : @HORODATAGE@
Nationalité : Française
$ kyb evenements Exemple.kya 99
kyb : la personne 99 n'existe pas
[1]
