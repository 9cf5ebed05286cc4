# A place longer than the places table holds (50 characters): the table numbers its first 50,
# the event's note keeps the whole text under "Lieu", and the command says so. A refused edit
# leaves that note as it was; a shorter place later removes the heading.
$ kyb nouveau Essai > /dev/null
$ kyb ajoute Essai.kya --nom Martin --prenoms Jean --sexe M --naissance 12/03/1850 --lieu "Saint-Rémy-lès-Chevreuse, Yvelines, Île-de-France, France"
Attention : le lieu « Saint-Rémy-lès-Chevreuse, Yvelines, Île-de-France, France » dépasse 50 caractères : la table des lieux en garde 50, la note de l'événement (rubrique « Lieu ») le texte entier
Personne créée : 2
$ kyb note Essai.kya 1
Note             : 1
Rubriques        : 1

== Lieu (bloc 2)
Saint-Rémy-lès-Chevreuse, Yvelines, Île-de-France, France
$ kyb modifie Essai.kya 2 --champ "NAISSANCE.lieu=Versailles, Seine-et-Oise, Île-de-France, royaume de France" --champ PERE=2
kyb : PERE : une personne ne peut pas être son propre père (rien n'a été écrit)
[1]
$ kyb exporte Essai.kya a.ged > /dev/null && grep PLAC a.ged | tr -d '\r'
2 PLAC Saint-Rémy-lès-Chevreuse, Yvelines, Île-de-France, France
$ kyb modifie Essai.kya 2 --champ NAISSANCE.lieu=Paris
Personne 2 modifiée : 1 rubrique(s)
$ kyb exporte Essai.kya b.ged > /dev/null && grep PLAC b.ged | tr -d '\r'
2 PLAC Paris
