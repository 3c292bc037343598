#!/usr/bin/env bash
# Runs the print job program under Wine against the local print server, then reads the PDFs
# its jobs produced: where the words stand on the page and how many pages there are.
# Usage: print_pdf_test.sh PRINT_JOB_TEST.EXE WORK_FOLDER
set -uo pipefail
exe=$1 work=$2
here=$(cd "$(dirname "$0")" && pwd)
out=$("$here/../../scripts/print_server.sh" | tail -n 1) || { echo "FAILED: no print server"; exit 1; }
mkdir -p "$work"
cd "$work" || exit 1

job_files() { # the PDFs of the print server, by job id
  ls "$out" 2>/dev/null | sed -n 's/^job_\([0-9]*\)-.*\.pdf$/\1 &/p' | sort -n | cut -d' ' -f2
}
before=$(job_files | wc -l)

wine "$exe" || { echo "FAILED: the job program"; exit 1; }

expected=4 # named printer, 192 columns, default printer, hardcopy (the order of the tests)
for _ in $(seq 1 600); do
  [ "$(job_files | tail -n +$((before + 1)) | wc -l)" -ge $expected ] && break
  sleep 0.1
done
mapfile -t pdfs < <(job_files | tail -n +$((before + 1)) | head -n $expected)
if [ ${#pdfs[@]} -lt $expected ]; then
  echo "FAILED: ${#pdfs[@]} of $expected PDFs appeared in $out"
  exit 1
fi
for f in "${pdfs[@]}"; do # complete files only
  for _ in $(seq 1 100); do pdfinfo "$out/$f" >/dev/null 2>&1 && break; sleep 0.1; done
done

queue_of() { # the queue that printed the job of PDF file $1, once the job is complete
  local id=${1#job_}
  id=${id%%-*}
  for _ in $(seq 1 50); do
    lpstat -W completed -o 2>/dev/null | awk -v id="$id" '$1 ~ "-" id "$" { sub("-" id "$", "", $1); print $1; found = 1 }
      END { exit !found }' && return
    sleep 0.1
  done
  echo "(not completed)"
}
queues=()
for f in "${pdfs[@]}"; do queues+=("$(queue_of "$f")"); done
echo "queues: ${queues[*]}"

python3 - "$out" "${pdfs[@]}" "${queues[@]}" <<'PY'
import re, subprocess, sys
out, named, wide, default, hardcopy = sys.argv[1:6]
queue = dict(zip(("named", "wide", "default", "hardcopy"), sys.argv[6:10]))
failures = 0

def check(what, ok):
    global failures
    print(("ok: " if ok else "FAILED: ") + what)
    failures += 0 if ok else 1

def pages(pdf):
    info = subprocess.run(["pdfinfo", f"{out}/{pdf}"], capture_output=True, text=True).stdout
    m = re.search(r"^Pages:\s+(\d+)", info, re.M)
    return int(m.group(1)) if m else -1

def words(pdf, page):
    xml = subprocess.run(["pdftotext", "-bbox", "-f", str(page), "-l", str(page), f"{out}/{pdf}", "-"],
                         capture_output=True, text=True).stdout
    return [(w, float(x), float(y)) for x, y, w in
            re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>', xml)]

w = words(named, 1)
print("named printer, page 1:", w)
texts = [t for t, _, _ in w]
check("two pages on the named printer (the text, then a blank page)", pages(named) == 2)
check("the carriage return made Jello", "Jello" in texts and "Hello" not in texts)
check("characters past 10 columns dropped", "ABCDEFGHIJ" in texts and not any("K" in t for t in texts))
check("the mouse-event word stored nothing", "A" in texts and "AX" not in texts and "X" not in texts)
if all(t in texts for t in ("Jello", "ABCDEFGHIJ", "A", "B")):
    y = {t: yy for t, _, yy in w}
    x = {t: xx for t, xx, _ in w}
    check("the lines go down the page in order", y["Jello"] < y["ABCDEFGHIJ"] < y["A"] < y["B"])
    check("the pitch is a sixth of an inch (12 points)", abs((y["ABCDEFGHIJ"] - y["Jello"]) - 12) < 1.5)
    check("its line feed still acted: B one line below A", abs((y["B"] - y["A"]) - 12) < 1.5)
    check("the first line at the top left of the page", y["Jello"] < 72 and x["Jello"] < 72)
check("the second page is blank", words(named, 2) == [])

d = words(default, 1)
print("default printer, page 1:", d)
check("the default printer printed the LPT1 job", pages(default) == 1 and [t for t, _, _ in d] == ["DEFAULT"])
check("the LPT1 jobs went to the default printer, not the first listed",
      queue["default"] == "tarnwellDefault" and queue["hardcopy"] == "tarnwellDefault")
check("the COM3 jobs went to tarnwellS3", queue["named"] == "tarnwellS3" and queue["wide"] == "tarnwellS3")
check("the 192-column job printed its page", pages(wide) == 1 and "W" in [t for t, _, _ in words(wide, 1)])
h = words(hardcopy, 1)
print("hardcopy, first words:", h[:4])
ht = [t for t, _, _ in h]
check("the hardcopy is one page", pages(hardcopy) == 1)
check("the hardcopy starts with the screen's text",
      len(ht) >= 2 and ht[0] == "HARDCOPY" and ht[1].startswith("TEST") and set(ht[1][4:]) <= {"."})
# The large default font makes neighbouring rows overlap, so their words merge; what can be
# read is that every other cell printed as '.', and that the last row stands 23 lines (a
# sixth of an inch each) below the first.
ys = [y for _, _, y in h]
check("the never-written cells printed as dots", all(set(t) == {"."} for t in ht[2:]) and len(ht) > 10)
check("the hardcopy spans the screen's 24 rows", bool(ys) and abs((max(ys) - min(ys)) - 23 * 12) < 3)
sys.exit(1 if failures else 0)
PY
