#!/usr/bin/env bash
# Runs the print job program under Wine against the local print server, then reads the PDFs
# its jobs produced: where the words stand on the page and how many pages there are.
# The print server is shared with other test runs: each job of this run prints a tag made here
# (TARNWELL_PRINT_TAG) and a letter, and its PDF is found by that word among the PDFs that
# appeared after the start.
# Usage: print_pdf_test.sh PRINT_JOB_TEST.EXE WORK_FOLDER
set -uo pipefail
exe=$1 work=$2
here=$(cd "$(dirname "$0")" && pwd)
out=$("$here/../../scripts/print_server.sh" | tail -n 1) || { echo "FAILED: no print server"; exit 1; }
mkdir -p "$work"
cd "$work" || exit 1

last_job() { # the highest job id among the PDFs of the print server
  ls "$out" 2>/dev/null | sed -n 's/^job_\([0-9]*\)-.*\.pdf$/\1/p' | sort -n | tail -n 1
}
first=$(( $(last_job || true) + 1 ))
export TARNWELL_PRINT_TAG=$(printf 'Q%06d' $(( (RANDOM << 15 | RANDOM) % 1000000 )))

program=0
wine "$exe" || { echo "FAILED: the job program"; program=1; } # its PDFs are read all the same

python3 - "$out" "$first" "$TARNWELL_PRINT_TAG" "$program" <<'PY'
import math, os, re, subprocess, sys, time
out, first, tag = sys.argv[1], int(sys.argv[2]), sys.argv[3]
jobs = "NWDPH" # named printer, client font, long listing, paged listing, hardcopy
failures = int(sys.argv[4])

def check(what, ok):
    global failures
    print(("ok: " if ok else "FAILED: ") + what)
    failures += 0 if ok else 1

def pending():
    # the ids of jobs the print server has not finished: their PDFs may be incomplete
    listing = subprocess.run(["lpstat", "-o"], capture_output=True, text=True).stdout
    return set(re.findall(r"^\S+-(\d+)\s", listing, re.M))

def words(pdf, page=None):
    pages = ["-f", str(page), "-l", str(page)] if page else []
    xml = subprocess.run(["pdftotext", "-bbox", *pages, pdf, "-"], capture_output=True, text=True).stdout
    return [(w, float(x0), float(y0), float(x1), float(y1)) for x0, y0, x1, y1, w in
            re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>', xml)]

found, seen = {}, set()
deadline = time.time() + 90
while len(found) < len(jobs) and time.time() < deadline:
    names = sorted(os.listdir(out))
    busy = pending() # asked after the listing: a listed PDF whose job is not busy is complete
    for name in names:
        m = re.match(r"job_(\d+)-.*\.pdf$", name)
        if not m or int(m.group(1)) < first or name in seen or m.group(1) in busy:
            continue
        seen.add(name)
        for job in jobs:
            if any(tag + job in w[0] for w in words(f"{out}/{name}")):
                found[job] = f"{out}/{name}"
    time.sleep(0.2)
missing = [j for j in jobs if j not in found]
if missing:
    print(f"FAILED: no PDF of the jobs {missing} (tag {tag}) appeared in {out}")
    sys.exit(1)

def queue(job):
    """The queue that printed a job, from the print server's list of completed jobs."""
    id = re.match(r".*/job_(\d+)-", found[job]).group(1)
    for _ in range(50):
        done = subprocess.run(["lpstat", "-W", "completed", "-o"], capture_output=True, text=True).stdout
        m = re.search(r"^(\S+)-" + id + r"\s", done, re.M)
        if m:
            return m.group(1)
        time.sleep(0.1)
    return "(not completed)"

queues = {job: queue(job) for job in jobs}
print("queues:", queues)
check("the LPT1 jobs went to the default printer, not the first listed",
      all(queues[j] == "tarnwellDefault" for j in "DPH"))
check("the COM3 jobs went to tarnwellS3", all(queues[j] == "tarnwellS3" for j in "NW"))

def info(pdf):
    text = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
    pages = re.search(r"^Pages:\s+(\d+)", text, re.M)
    size = re.search(r"^Page size:\s+([\d.]+) x ([\d.]+)", text, re.M)
    return int(pages.group(1)) if pages else -1, tuple(map(float, size.groups())) if size else (0, 0)

pitch = 12     # points: six lines to the inch
column = 7.2   # points: ten characters to the inch

named = found["N"]
w = words(named, 1)
print("named printer, page 1:", [t[0] for t in w])
texts = [t for t, *_ in w]
check("two pages on the named printer (the text, then a blank page)", info(named)[0] == 2)
check("the carriage return made Jello", "Jello" in texts and "Hello" not in texts)
check("characters past 10 columns dropped", "ABCDEFGHIJ" in texts and not any("K" in t for t in texts))
check("the mouse-event word stored nothing", "A" in texts and "AX" not in texts and "X" not in texts)
if all(t in texts for t in ("Jello", "ABCDEFGHIJ", "A", "B")):
    y = {t: yy for t, _, yy, _, _ in w}
    x = {t: xx for t, xx, _, _, _ in w}
    check("the lines go down the page in order", y["Jello"] < y["ABCDEFGHIJ"] < y["A"] < y["B"])
    check("the pitch is a sixth of an inch (12 points)", abs((y["ABCDEFGHIJ"] - y["Jello"]) - pitch) < 1.5)
    check("its line feed still acted: B one line below A", abs((y["B"] - y["A"]) - pitch) < 1.5)
    check("the first line at the top left of the page", y["Jello"] < 72 and x["Jello"] < 72)
check("the second page is blank", words(named, 2) == [])

wide = words(found["W"], 1)
print("client font:", wide)
check("the client's font is used: its half-inch letters stand much taller than a line",
      info(found["W"])[0] == 1 and len(wide) == 1 and wide[0][4] - wide[0][2] > 2 * pitch)

def listing(pdf, job):
    """The numbered lines of a listing job, page by page: [(number, yMin, yMax), ...] per page."""
    pages, size = info(pdf)
    result = []
    for page in range(1, pages + 1):
        lines = []
        for t, x0, y0, x1, y1 in words(pdf, page):
            m = re.fullmatch(re.escape(tag + job) + r"(\d{3})", t)
            lines.append((int(m.group(1)) if m else -1, y0, y1))
        result.append(lines)
    return result, size

long_pages, (width, height) = listing(found["D"], "D")
per_page = int(height // pitch)
print(f"long listing: {len(long_pages)} pages of", [len(p) for p in long_pages], f"({per_page} rows fit)")
numbers = [n for p in long_pages for n, _, _ in p]
check("every line of the 150-line listing printed, once, in order", numbers == list(range(1, 151)))
check("on as many pages as it needs", len(long_pages) == math.ceil(150 / per_page))
check("no line beyond the bottom of its page", all(y1 <= height for p in long_pages for _, _, y1 in p))
check("each page continues at the top, a line below the other",
      all(abs(p[0][1] - long_pages[0][0][1]) < 1 and
          all(abs((b[1] - a[1]) - pitch) < 1 for a, b in zip(p, p[1:])) for p in long_pages if p))

paged_pages, _ = listing(found["P"], "P")
counts = [len(p) for p in paged_pages]
print("paged listing: pages of", counts)
check("one page per form feed: 60 lines, 60 lines, then a full page",
      counts == [60, 60, per_page] and [n for p in paged_pages for n, _, _ in p] == list(range(1, 121 + per_page)))

hardcopy = found["H"]
h = words(hardcopy, 1)
pages, (width, height) = info(hardcopy)
check("the hardcopy is one page", pages == 1)
rows, tops = [], [] # the words of each printed row, left to right, and the row's top
for t, x0, y0, x1, y1 in sorted(h, key=lambda w: (w[2], w[1])):
    if not tops or y0 - tops[-1] > pitch / 2:
        rows.append([])
        tops.append(y0)
    rows[-1].append((t, x0, x1))
print("hardcopy, first rows:", rows[:2])
check("24 rows, a sixth of an inch apart",
      len(rows) == 24 and all(abs((b - a) - pitch) < 1 for a, b in zip(tops, tops[1:])))
if len(rows) == 24:
    left = rows[0][0][1]
    expected = [[(tag + "H", 0), ("HARDCOPY" + "." * 63, 9)]]
    for r in range(1, 23):
        expected.append([(f"r{r:02d}k{k}" + "z" * (4 if k < 7 else 5), 10 * k) for k in range(8)])
    expected.append([("." * 80, 0)])
    check("every row holds its words, the never-written cells as dots",
          [[t for t, _, _ in row] for row in rows] == [[t for t, _ in row] for row in expected])
    check("each character a tenth of an inch wide, each word at its column",
          all(abs(x0 - (left + column * c)) < 1 and abs((x1 - x0) - column * len(t)) < column / 2
              for row, want in zip(rows, expected) for (t, x0, x1), (_, c) in zip(row, want)))
    check("all 80 characters of every row inside the page width",
          0 <= left and max(x1 for row in rows for _, _, x1 in row) <= width)
sys.exit(1 if failures else 0)
PY
