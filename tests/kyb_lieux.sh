#!/bin/sh
# kyb lieux and kyb lieu on a new folder given an older places file (114-byte records), which the
# store takes on the first opening.
set -e
kyb="$1"
rep="$2"
rm -rf "$rep"
mkdir -p "$rep"
"$kyb" nouveau "$rep/Essai" > /dev/null
enreg() {  # value, code, complement, state: ASCII texts
  printf '%s' "$1"; head -c $((51 - ${#1})) /dev/zero
  printf '%s' "$2"; head -c $((11 - ${#2})) /dev/zero
  printf '%s' "$3"; head -c $((51 - ${#3})) /dev/zero
  printf '%s' "$4"
}
{
  enreg 3 "" "" O
  enreg "Saint-Malo;Bretagne" 35 France N
  enreg Lyon 69 France N
  enreg Saint-Brieuc 22 France O
} > "$rep/Essai.kya/Essai.lie"
"$kyb" lieux "$rep/Essai.kya"
"$kyb" lieux "$rep/Essai.kya" saint
"$kyb" lieu "$rep/Essai.kya" 1
