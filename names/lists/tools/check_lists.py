#!/usr/bin/env python3
"""Checks the two built-in name lists (male.txt, female.txt), the word pools
they are made from, and that neither list holds a name from avoid.txt.

Every figure is printed with its wanted value; the script exits with status 1
and names each figure that is off.  make_lists.py runs the same checks before
it writes anything, so a freshly made pair of lists always passes.

    python3 check_lists.py              check ../male.txt and ../female.txt
    python3 check_lists.py --selftest   damage copies of the lists in memory
                                        and make sure each fault is caught

Standard library only.
"""

import os
import re
import sys
from collections import Counter
from decimal import Decimal, ROUND_HALF_UP

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
LISTS_DIR = os.path.dirname(TOOLS_DIR)
POOLS_DIR = os.path.join(TOOLS_DIR, "pools")

LIST_FILES = {
    "male": os.path.join(LISTS_DIR, "male.txt"),
    "female": os.path.join(LISTS_DIR, "female.txt"),
}
# Full names no table may hold (famous people and characters, joke names).
AVOID_FILE = os.path.join(TOOLS_DIR, "avoid.txt")
POOL_FILES = {
    "male": os.path.join(POOLS_DIR, "male_given.txt"),
    "female": os.path.join(POOLS_DIR, "female_given.txt"),
    "surnames": os.path.join(POOLS_DIR, "surnames.txt"),
}

# The make-up the program's tables are built around.
EXPECTED = {
    "male": {
        "entries": 1001,
        "distinct given names": 135,
        "max entries of one given name": 16,
        "distinct surnames": 937,
        "entry length min": 7,
        "entry length max": 22,
        "entry length mean": "13.0",
        "given name length min": 3,
        "given name length max": 11,
        "surname length min": 2,
        "surname length max": 12,
        "entries with Mc surname": 31,
        "entries with Mac surname": 2,
    },
    "female": {
        "entries": 1001,
        "distinct given names": 337,
        "max entries of one given name": 10,
        "distinct surnames": 941,
        "entry length min": 8,
        "entry length max": 21,
        "entry length mean": "13.3",
        "given name length min": 2,
        "given name length max": 10,
        "surname length min": 2,
        "surname length max": 12,
        "entries with Mc surname": 24,
        "entries with Mac surname": 6,
    },
}
SHARED_SURNAMES = 94
MAX_ENTRIES_PER_SURNAME = 3

# One word: a capital, then lower case only ("Mcdonald", "Oneill").
WORD_RE = re.compile(r"[A-Z][a-z]+\Z")
ENTRY_RE = re.compile(r"([A-Z][a-z]+) ([A-Z][a-z]+)\Z")

# Given names that are used for both sexes (or are too easily read as the
# other sex) never go into either given-name pool.
AMBIGUOUS_GIVEN = set("""
Jordan Taylor Casey Jamie Robin Alexis Kelly Jesse Jessie Ashley Leslie Lesley
Sidney Sydney Francis Frances Jean Marion Marian Carroll Carol Dana Morgan Riley
Avery Alex Sam Chris Pat Terry Kim Lee Leigh Lynn Dale Glenn Glen Tracy Tracey
Stacy Stacey Shannon Kerry Kelsey Lindsay Lindsey Hilary Hillary Evelyn Vivian
Beverly Beverley Shirley Meredith Cameron Quinn Blair Harper Rowan Rory Charlie
Frankie Billie Billy Bobbie Bobby Jackie Nicky Sandy Toni Andrea Nicola Jo Joey
Ali Drew Blake Reese Parker Peyton Skyler Devon Darcy Addison Emerson Hayden
Ellis Elliot Elliott Jan Kit Ray Rae Shelby Loren Laurie Gene Noel Dominique
Joyce Jocelyn Aubrey Emery Kai Remy Sage Carmen Esme Madison Mackenzie Logan
Tyler Kendall Kennedy Courtney Whitney Val Mel Lou Ronnie Georgie
""".split())

# Nothing rude, comic or infamous may stand as a surname.
BAD_SURNAMES = set("""
Butt Butts Death Cock Hitler Sillyman Balls Ball Bottom Hoare Hore Pratt Bastard
Fanny Willy Hooker Nutter Looney Crook Coffin Blood Slaughter Gotobed Daft
Smellie Hogg Pigg Fagg Savile Saville Manson Himmler Goebbels Mengele Eichmann
Goering Bormann Heydrich Stalin Gay Bean Trump Obama
""".split())
BAD_SURNAME_PARTS = ("cock", "butt", "bottom", "hitler", "shit", "fuck", "wank",
                     "twat", "cunt", "piss", "dick")



def read_words(path):
    with open(path, "r", encoding="ascii") as f:
        return [w.strip() for w in f.read().split("\n") if w.strip()]


def read_avoid(path=AVOID_FILE):
    """The lines of avoid.txt that are not blank or # comments, as written."""
    with open(path, "r", encoding="ascii") as f:
        return [line.strip() for line in f
                if line.strip() and not line.lstrip().startswith("#")]


def read_list(path):
    """Returns (lines, problems) for one list file."""
    problems = []
    with open(path, "rb") as f:
        raw = f.read()
    try:
        text = raw.decode("ascii")
    except UnicodeDecodeError:
        problems.append("not ASCII")
        text = raw.decode("ascii", errors="replace")
    if "\r" in text:
        problems.append("carriage return in file")
    if not text.endswith("\n"):
        problems.append("last line not newline-terminated")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return lines, problems


def mean_1dp(total, count):
    """Mean rounded half-up to one decimal, as text ("13.0")."""
    if count == 0:
        return "n/a"
    return str((Decimal(total) / Decimal(count)).quantize(Decimal("0.1"), ROUND_HALF_UP))


def list_figures(lines, avoid):
    """All figures of one list. Malformed lines are counted and skipped.
    avoid: set of full names the list must not hold."""
    parsed = []
    bad = 0
    for line in lines:
        m = ENTRY_RE.match(line)
        if m:
            parsed.append((m.group(1), m.group(2)))
        else:
            bad += 1
    given = Counter(g for g, _ in parsed)
    sur = Counter(s for _, s in parsed)
    full = Counter(lines)
    lens = [len(line) for line in lines] or [0]
    glens = [len(g) for g, _ in parsed] or [0]
    slens = [len(s) for _, s in parsed] or [0]
    single = sum(1 for c in sur.values() if c == 1)
    fig = {
        "entries": len(lines),
        "malformed entries": bad,
        "distinct given names": len(given),
        "max entries of one given name": max(given.values()) if given else 0,
        "distinct surnames": len(sur),
        "entry length min": min(lens),
        "entry length max": max(lens),
        "entry length mean": mean_1dp(sum(len(line) for line in lines), len(lines)),
        "given name length min": min(glens),
        "given name length max": max(glens),
        "surname length min": min(slens),
        "surname length max": max(slens),
        "entries with Mc surname": sum(c for s, c in sur.items() if s.startswith("Mc")),
        "entries with Mac surname": sum(c for s, c in sur.items() if s.startswith("Mac")),
        "max entries of one surname": max(sur.values()) if sur else 0,
        "full names listed twice or more": sum(1 for c in full.values() if c > 1),
        "percent of surnames with a single entry": (100.0 * single / len(sur)) if sur else 0.0,
        "sorted by given name": parsed == sorted(parsed, key=lambda p: p[0]),
        "sorted by surname": parsed == sorted(parsed, key=lambda p: p[1]),
        "given name equal to surname": sum(1 for g, s in parsed if g == s),
        "avoided full names": sum(1 for line in lines if line in avoid),
    }
    return fig, parsed


def pool_results(pools):
    """Checks on the word pools themselves."""
    res = []
    male, female, sur = pools["male"], pools["female"], pools["surnames"]
    for name, words, least in (("male given pool", male, 160),
                               ("female given pool", female, 380),
                               ("surname pool", sur, 2000)):
        res.append((name + " size", len(set(words)), ">= %d" % least, len(set(words)) >= least))
        badw = sum(1 for w in words if not WORD_RE.match(w))
        res.append((name + " malformed words", badw, 0, badw == 0))
        dup = len(words) - len(set(words))
        res.append((name + " repeated words", dup, 0, dup == 0))
    both = len(set(male) & set(female))
    res.append(("given names in both pools", both, 0, both == 0))
    amb = sorted((set(male) | set(female)) & AMBIGUOUS_GIVEN)
    res.append(("ambiguous given names in pools", len(amb), 0, not amb))
    badsur = sorted(s for s in sur if s in BAD_SURNAMES
                    or any(p in s.lower() for p in BAD_SURNAME_PARTS))
    res.append(("unsuitable surnames in pool", len(badsur), 0, not badsur))
    mc = len({s for s in sur if s.startswith("Mc")})
    mac = len({s for s in sur if s.startswith("Mac")})
    res.append(("distinct Mc surnames in pool", mc, ">= 45", mc >= 45))
    res.append(("distinct Mac surnames in pool", mac, ">= 12", mac >= 12))
    return res


def run_checks(lists, pools, file_problems=None, avoid_lines=None):
    """lists: {"male": [lines], "female": [lines]}; pools: {"male","female","surnames": [words]};
    avoid_lines: the names of avoid.txt (read from the file when None).
    Returns a list of (figure, value, wanted, ok)."""
    if avoid_lines is None:
        avoid_lines = read_avoid()
    avoid = set(avoid_lines)
    res = []
    parsed = {}
    for kind in ("male", "female"):
        for p in (file_problems or {}).get(kind, []):
            res.append(("%s file: %s" % (kind, p), "yes", "no", False))
        fig, parsed[kind] = list_figures(lists[kind], avoid)
        for key, want in EXPECTED[kind].items():
            res.append(("%s %s" % (kind, key), fig[key], want, fig[key] == want))
        other = "female" if kind == "male" else "male"
        checks = [
            ("malformed entries", fig["malformed entries"], 0, fig["malformed entries"] == 0),
            ("max entries of one surname", fig["max entries of one surname"],
             "<= %d" % MAX_ENTRIES_PER_SURNAME,
             fig["max entries of one surname"] <= MAX_ENTRIES_PER_SURNAME),
            ("full names listed twice or more", fig["full names listed twice or more"], ">= 1",
             fig["full names listed twice or more"] >= 1),
            ("percent of surnames with a single entry",
             "%.1f" % fig["percent of surnames with a single entry"], "> 90",
             fig["percent of surnames with a single entry"] > 90.0),
            ("sorted by given name", fig["sorted by given name"], False, not fig["sorted by given name"]),
            ("sorted by surname", fig["sorted by surname"], False, not fig["sorted by surname"]),
            ("given name equal to surname", fig["given name equal to surname"], 0,
             fig["given name equal to surname"] == 0),
            ("avoided full names", fig["avoided full names"], 0, fig["avoided full names"] == 0),
        ]
        g_pool, g_other = set(pools[kind]), set(pools[other])
        off = sum(1 for g, _ in parsed[kind] if g not in g_pool or g in g_other)
        checks.append(("given names not from the %s pool" % kind, off, 0, off == 0))
        s_pool = set(pools["surnames"])
        off = sum(1 for _, s in parsed[kind] if s not in s_pool)
        checks.append(("surnames not from the surname pool", off, 0, off == 0))
        for name, val, want, ok in checks:
            res.append(("%s %s" % (kind, name), val, want, ok))

    mg = {g for g, _ in parsed["male"]}
    fg = {g for g, _ in parsed["female"]}
    ms = {s for _, s in parsed["male"]}
    fs = {s for _, s in parsed["female"]}
    both_g = len(mg & fg)
    res.append(("given names in both lists", both_g, 0, both_g == 0))
    both_full = len(set(lists["male"]) & set(lists["female"]))
    res.append(("full names in both lists", both_full, 0, both_full == 0))
    shared = len(ms & fs)
    res.append(("surnames in both lists", shared, SHARED_SURNAMES, shared == SHARED_SURNAMES))
    bad_avoid = sum(1 for line in avoid_lines if not ENTRY_RE.match(line))
    res.append(("malformed names in avoid file", bad_avoid, 0, bad_avoid == 0))
    res.extend(pool_results(pools))
    return res


def report(results, out=sys.stdout):
    width = max(len(r[0]) for r in results)
    failed = []
    for name, val, want, ok in results:
        out.write("%-*s  %-8s want %-8s %s\n" % (width, name, val, want, "ok" if ok else "OFF"))
        if not ok:
            failed.append(name)
    if failed:
        out.write("\nFAILED: %d figure(s) off:\n" % len(failed))
        for name in failed:
            out.write("  - %s\n" % name)
    else:
        out.write("\nAll %d figures as wanted.\n" % len(results))
    return failed


def load_pools():
    return {k: read_words(p) for k, p in POOL_FILES.items()}


def selftest(lists, pools):
    """Damages copies of good lists in typical ways; every damage must be caught."""
    base = run_checks(lists, pools)
    assert all(r[3] for r in base), "selftest needs lists that pass to begin with"

    def swap_line(kind, i, text):
        new = {k: list(v) for k, v in lists.items()}
        new[kind][i] = text
        return new

    m, f = lists["male"], lists["female"]
    mg, ms = m[0].split(" ")
    fg, fs = f[0].split(" ")
    # The male list without repeated full names: the later copy of each repeat
    # gets an unused surname of about the same length.
    used = {line.split(" ")[1] for line in m + f}
    spare = [s for s in pools["surnames"] if s not in used and not s.startswith("Mc")
             and not s.startswith("Mac")]
    seen, uniq = set(), []
    for line in m:
        if line in seen:
            g, s = line.split(" ")
            new_s = min(spare, key=lambda x: abs(len(x) - len(s)))
            spare.remove(new_s)
            line = g + " " + new_s
        seen.add(line)
        uniq.append(line)
    # (damaged lists, figure that must be reported off)
    cases = {
        "inner capital": (swap_line("male", 0, mg + " McDonald"), "male malformed entries"),
        "two blanks": (swap_line("male", 0, mg + "  " + ms), "male malformed entries"),
        "trailing blank": (swap_line("female", 0, f[0] + " "), "female malformed entries"),
        "middle initial": (swap_line("male", 0, mg + " J " + ms), "male malformed entries"),
        "female name in male list": (swap_line("male", 0, fg + " " + ms),
                                     "male given names not from the male pool"),
        "name from no pool": (swap_line("female", 0, "Zyx " + fs),
                              "female given names not from the female pool"),
        "line dropped": ({"male": m[1:], "female": f}, "male entries"),
        "sorted list": ({"male": sorted(m), "female": f}, "male sorted by given name"),
        "same full name in both lists": (swap_line("female", 0, m[5]), "full names in both lists"),
        "famous name": (swap_line("male", 0, "Harry Potter"), "male avoided full names"),
        "name removed after reading": (swap_line("male", 0, "Philip Larkin"),
                                       "male avoided full names"),
        "joke name": (swap_line("female", 0, "Polly Tully"), "female avoided full names"),
        "avoid line with inner capital": (lists, "malformed names in avoid file"),
        "surname used four times": ({"male": m, "female": [
            (line.split(" ")[0] + " " + fs) if i < 4 else line for i, line in enumerate(f)]},
            "female max entries of one surname"),
        "entry too long": (swap_line("female", 0, "Jacqueline Christiansen"),
                           "female entry length max"),
        "no repeated full name": ({"male": uniq, "female": f},
                                  "male full names listed twice or more"),
        "unisex name in pool": (lists, "ambiguous given names in pools"),
    }
    avoid_lines = read_avoid()
    missed = []
    for name, (case, figure) in cases.items():
        use_pools = dict(pools, male=pools["male"] + ["Jordan"]) if name == "unisex name in pool" else pools
        use_avoid = avoid_lines + ["Paul McCartney"] if name == "avoid line with inner capital" else avoid_lines
        off = {r[0] for r in run_checks(case, use_pools, avoid_lines=use_avoid) if not r[3]}
        if figure not in off:
            missed.append(name)
    if missed:
        print("selftest: faults NOT caught: " + ", ".join(missed))
        return 1
    print("selftest: all %d damaged copies caught" % len(cases))
    return 0


def main(argv):
    pools = load_pools()
    lists, problems = {}, {}
    for kind, path in LIST_FILES.items():
        lists[kind], problems[kind] = read_list(path)
    if "--selftest" in argv:
        return selftest(lists, pools)
    failed = report(run_checks(lists, pools, problems))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
