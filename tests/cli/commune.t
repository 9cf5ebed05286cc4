# Reference town tables: by name, INSEE code, postcode, former town; refusals.
$ kyb commune Lyon
Lyon (69123)
  Département    : Rhône (69)
  Région         : Auvergne-Rhône-Alpes
  Codes postaux  : 69001 69002 69003 69004 69005 69006 69007 69008 69009
  Population     : 519127
  Coordonnées    : inconnues
...
$ kyb commune 13055
Marseille (13055)
  Département    : Bouches-du-Rhône (13)
  Région         : Provence-Alpes-Côte d'Azur
  Codes postaux  : 13001 13002 13003 13004 13005 13006 13007 13008 13009 13010 13011 13012 13013 13014 13015 13016
  Population     : 886040
  Coordonnées    : inconnues
1 commune(s) trouvée(s)
# 42230: an INSEE code, and a postcode of two other towns.
$ kyb commune 42230
Saint-Germain-Laval (42230)
  Département    : Loire (42)
  Région         : Auvergne-Rhône-Alpes
  Codes postaux  : 42260
  Population     : 1608
  Coordonnées    : inconnues
Roche-la-Molière (42189)
  Département    : Loire (42)
  Région         : Auvergne-Rhône-Alpes
  Codes postaux  : 42230
  Population     : 9843
  Coordonnées    : inconnues
Saint-Étienne (42218)
  Département    : Loire (42)
  Région         : Auvergne-Rhône-Alpes
  Codes postaux  : 42000 42100 42230 (SAINT VICTOR SUR LOIRE)
  Population     : 173136
  Coordonnées    : inconnues
3 commune(s) trouvée(s)
$ kyb commune Voisinlieu
Voisinlieu (60696) : ancienne commune, aujourd'hui Beauvais (60057)
  Département    : Oise (60)
  Région         : Hauts-de-France
  Codes postaux  : 60000
  Coordonnées    : inconnues
1 commune(s) trouvée(s)
$ kyb commune 69
kyb : code « 69 » trop court : 3 caractères au moins
[1]
$ kyb commune Lyon --pays Atlantide
kyb : Aucune table de communes pour le pays « Atlantide » dans « @SRC@/data/TableVille »
[1]
$ kyb commune
kyb commune : argument manquant : NOM|CODE (usage : kyb commune NOM|CODE... [--pays P])
[2]
