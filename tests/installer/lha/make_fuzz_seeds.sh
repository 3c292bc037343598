#!/usr/bin/env bash
# Writes a seed corpus for lha_fuzz into DIR: small archives made by jlha with every method
# and header level it writes.
set -euo pipefail
out=${1:?usage: make_fuzz_seeds.sh DIR}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -p sub/deeper
for i in $(seq 1 60); do echo "line $i of a short text, line $((i % 7))"; done > text.txt
head -c 300 /dev/urandom > random.bin
: > empty
printf 'abcabcabcabcabcabcabcabcabcabc%.0s' $(seq 1 40) > sub/deeper/runs.txt
for option in o5 o6 o7 z; do
  for level in 0 1 2; do
    jlha "c${level}${option}q" "$out/seed_${option}_${level}.lzh" text.txt random.bin empty sub sub/deeper \
      sub/deeper/runs.txt >/dev/null
  done
done
