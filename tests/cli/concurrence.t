# Four programs add 200 persons each to one folder while another reads it: every person said
# created is in the base under a number given once, a writer that waits too long is refused as
# busy, the reader always reads, and no store is rebuilt, converted or left aside.
$ kyb nouveau C > /dev/null
$ for w in 1 2 3 4; do (for i in $(seq 200); do kyb ajoute C.kya --nom W$w --prenoms P$i --sexe M; done > sortie$w 2>&1) & done
> (for i in $(seq 50); do kyb info C.kya > /dev/null 2>&1 || echo "[$?]" >> lectures; done) &
> wait
$ cat sortie? | grep -v -e '^Personne créée : [0-9]*$' -e 'est déjà ouverte par un autre programme$'
[1]
$ touch lectures && cat lectures
$ grep -h créée sortie? | sort | uniq -d
$ n=$(grep -h créée sortie? | wc -l); test "$n" -gt 0 && kyb info C.kya | grep -c "^Personnes  *: $((n + 1)) (dont supprimées : 0)$"
1
$ ls C.kya | grep -e '_v[0-9]' -e '\.tmp$' -e '\.~adb$'
[1]
