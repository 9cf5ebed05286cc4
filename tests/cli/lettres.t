# Letters outside Windows-1252: a note keeps them (and a typed "&#65;"), a name key folds them to
# their base letter, so "Lodz" finds "Łódź" beside "Lodz".
$ printf '0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Łukasz /Łódź/\n1 NOTE Urodzony w Łodzi; 北京; Győr &#65;\n0 @I2@ INDI\n1 NAME Jan /Lodz/\n0 TRLR\n' > l.ged
$ kyb importe l.ged Lettres > /dev/null 2>&1
$ kyb cherche Lettres.kya Lodz
2 personnes trouvées :
       2  Lodz Jan
       1  Łódź Łukasz
$ kyb note Lettres.kya 1
Note             : 1
Rubriques        : 1

== Note (bloc 2)
Urodzony w Łodzi; 北京; Győr &#65;
