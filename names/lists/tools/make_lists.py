#!/usr/bin/env python3
"""Makes the program's two built-in name tables, ../male.txt and ../female.txt,
from the hand-written word pools in pools/.

Each table has 1001 lines "Given Surname"; line 1 is table index 0.  The
make-up of the tables (how many distinct names, lengths, Mc/Mac surnames,
surnames shared by the two tables, ...) is fixed in check_lists.EXPECTED; this
script builds tables that meet it exactly, runs every check of check_lists.py
on the result and writes the files only if all checks pass.

The given-name pools are ordered roughly from most to least common; common
names get more entries than rare ones.  Everything is drawn from one fixed
seed, so running the script again gives byte-identical files.

Pairing never makes a full name listed in avoid.txt (famous people and
characters, joke names).  The surname swaps recorded in swaps.txt are then
applied to the made tables; they take out avoided names that were only found
after the tables were first made, without disturbing the rest.

    python3 make_lists.py

Standard library only.
"""

import os
import random
import sys
from collections import Counter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_lists as chk  # noqa: E402

SWAPS_FILE = os.path.join(chk.TOOLS_DIR, "swaps.txt")

SEED = 20240611
ENTRIES = 1001

# Per table: how many given names are always taken from the head of the pool
# (the rest are drawn at random from the remainder), and how many surnames
# carry three entries (the remaining surplus entries go to surnames used twice).
PLAN = {
    "male": {"head": 90, "triples": 2},
    "female": {"head": 230, "triples": 2},
}
SHARED_MC = 4      # Mc surnames standing in both tables
SHARED_MAC = 1     # Mac surnames standing in both tables


def kind_of(surname):
    if surname.startswith("Mc"):
        return "mc"
    if surname.startswith("Mac"):
        return "mac"
    return "other"


# ---------------------------------------------------------------- given names

def pick_given(rng, pool, want, head, lmin, lmax):
    """Chooses `want` names: the first `head` of the pool plus a random draw
    from the rest, keeping pool order.  Makes sure the shortest and longest
    allowed lengths both occur."""
    pool = [g for g in pool if lmin <= len(g) <= lmax]
    chosen = pool[:head] + rng.sample(pool[head:], want - head)
    chosen.sort(key=pool.index)
    for length in (lmin, lmax):
        if not any(len(g) == length for g in chosen):
            spare = [g for g in pool if len(g) == length and g not in chosen]
            out = rng.choice([g for g in chosen[head:] if len(g) not in (lmin, lmax)])
            chosen[chosen.index(out)] = rng.choice(spare)
            chosen.sort(key=pool.index)
    return chosen


def given_counts(n, top, total):
    """Entry counts for n names in order of commonness: a smooth curve falling
    from `top` to 1 whose sum is exactly `total`."""
    xs = [(n - 1 - i) / (n - 1) for i in range(n)]

    def curve(p):
        return [1 + (top - 1) * x ** p for x in xs]

    lo, hi = 0.01, 50.0
    for _ in range(200):
        mid = (lo + hi) / 2
        if sum(curve(mid)) > total:
            lo = mid
        else:
            hi = mid
    f = curve((lo + hi) / 2)
    counts = [int(v) for v in f]
    rest = total - sum(counts)
    order = sorted(range(n), key=lambda i: -(f[i] - counts[i]))
    for i in order[:rest]:
        counts[i] += 1
    assert sum(counts) == total and max(counts) == top and min(counts) >= 1
    return counts


def given_table(rng, pool, exp, head):
    names = pick_given(rng, pool, exp["distinct given names"], head,
                       exp["given name length min"], exp["given name length max"])
    # Light jitter so neighbouring names in the pool do not get a strictly
    # falling count; the first few keep their places.
    jitter = sorted(range(len(names)), key=lambda i: i + (rng.uniform(0, 12) if i >= 5 else 0))
    names = [names[i] for i in jitter]
    counts = given_counts(len(names), exp["max entries of one given name"], ENTRIES)
    return dict(zip(names, counts))


# ------------------------------------------------------------------- surnames

def surname_tables(rng, pool, exp):
    """Returns {kind: Counter(surname -> entries)} for both tables."""
    pool = [s for s in pool if exp["male"]["surname length min"] <= len(s)
            <= exp["male"]["surname length max"]]
    pool = sorted(set(pool))
    rng.shuffle(pool)
    by = {"mc": [], "mac": [], "other": []}
    for s in pool:
        by[kind_of(s)].append(s)

    # Pinned surnames: each table gets one of the shortest and one of the
    # longest length, used once and never swapped out.
    smin, smax = exp["male"]["surname length min"], exp["male"]["surname length max"]
    shortest = [s for s in by["other"] if len(s) == smin]
    longest = [s for s in by["other"] if len(s) == smax]
    pins = {"male": {shortest[0], longest[0]}, "female": {shortest[1], longest[1]}}
    other = [s for s in by["other"] if s not in pins["male"] | pins["female"]]

    mc, mac = by["mc"], by["mac"]
    n_mc = {k: exp[k]["entries with Mc surname"] for k in exp}
    n_mac = {k: exp[k]["entries with Mac surname"] for k in exp}
    sets = {}
    sets["male_mc"] = mc[:n_mc["male"]]
    sets["female_mc"] = mc[:SHARED_MC] + mc[n_mc["male"]:n_mc["male"] + n_mc["female"] - SHARED_MC]
    sets["male_mac"] = mac[:n_mac["male"]]
    sets["female_mac"] = mac[:SHARED_MAC] + mac[n_mac["male"]:n_mac["male"] + n_mac["female"] - SHARED_MAC]

    shared_other = chk.SHARED_SURNAMES - SHARED_MC - SHARED_MAC
    n_other = {k: exp[k]["distinct surnames"] - n_mc[k] - n_mac[k] - len(pins[k]) for k in exp}
    shared = other[:shared_other]
    at = shared_other
    only = {}
    for k in ("male", "female"):
        n = n_other[k] - shared_other
        only[k] = other[at:at + n]
        at += n
    unused = other[at:]

    tables = {}
    for k in ("male", "female"):
        c = Counter()
        for s in sets[k + "_mc"] + sets[k + "_mac"] + shared + only[k] + sorted(pins[k]):
            c[s] = 1
        # A few surnames carry two or three entries; Mc/Mac and pinned ones
        # stay single so their counts are exact.
        extra = ENTRIES - sum(c.values())
        triples = PLAN[k]["triples"]
        doubles = extra - 2 * triples
        cand = shared + only[k]
        rep = rng.sample(cand, triples + doubles)
        for s in rep[:triples]:
            c[s] = 3
        for s in rep[triples:]:
            c[s] = 2
        tables[k] = c
    return tables, only, unused


def fit_surname_letters(rng, table, only, unused, target):
    """Swaps single-entry surnames of this table alone for unused ones until the
    table's surname letters add up to `target`."""
    cur = sum(len(s) * n for s, n in table.items())
    swappable = [s for s in only if table[s] == 1]
    unused_by_len = {}
    for s in unused:
        unused_by_len.setdefault(len(s), []).append(s)
    guard = 0
    while cur != target:
        guard += 1
        if guard > 200000:
            raise RuntimeError("cannot fit surname lengths")
        diff = target - cur
        step = rng.randint(1, min(abs(diff), 3)) * (1 if diff > 0 else -1)
        i = rng.randrange(len(swappable))
        u = swappable[i]
        bucket = unused_by_len.get(len(u) + step)
        if not bucket:
            continue
        v = bucket.pop(rng.randrange(len(bucket)))
        unused_by_len.setdefault(len(u), []).append(u)
        del table[u]
        table[v] = 1
        swappable[i] = v
        cur += step
    unused[:] = [s for b in unused_by_len.values() for s in b]
    unused.sort()


# -------------------------------------------------------------------- pairing

def pair_up(rng, given, surnames, lo, hi, avoid):
    """Pairs given names with surnames: every entry within [lo, hi] characters,
    at least one entry of each bound, exactly one full name listed twice, no
    full name from `avoid`, no 'Thomas Thomas'."""

    def ok(g, s):
        return lo <= len(g) + len(s) + 1 <= hi and g != s and (g + " " + s) not in avoid

    gtok = [g for g, n in sorted(given.items()) for _ in range(n)]
    stok = [s for s, n in sorted(surnames.items()) for _ in range(n)]
    rng.shuffle(gtok)
    rng.shuffle(stok)
    reserved = []

    def take(g, s, times=1):
        for _ in range(times):
            gtok.remove(g)
            stok.remove(s)
            reserved.append((g, s))

    # The one full name that is listed twice.
    twice = [s for s in stok if surnames[s] == 2]
    while True:
        s = rng.choice(twice)
        g = rng.choice([g for g in gtok if given[g] >= 4])
        if ok(g, s):
            take(g, s, 2)
            break
    # One entry of the shortest and one of the longest allowed length.
    for total in (lo, hi):
        done = False
        for s in rng.sample(sorted(set(stok)), len(set(stok))):
            gs = sorted({g for g in gtok if len(g) + len(s) + 1 == total and ok(g, s)})
            if gs:
                take(rng.choice(gs), s)
                done = True
                break
        assert done, "no pair of length %d" % total

    pairs = list(zip(gtok, stok))
    seen = Counter(reserved) + Counter(pairs)

    def bad(i):
        g, s = pairs[i]
        return not ok(g, s) or seen[(g, s)] > 1

    for _ in range(100):
        todo = [i for i in range(len(pairs)) if bad(i)]
        if not todo:
            break
        for i in todo:
            if not bad(i):
                continue
            for _ in range(5000):
                j = rng.randrange(len(pairs))
                (gi, si), (gj, sj) = pairs[i], pairs[j]
                if i == j or not ok(gi, sj) or not ok(gj, si):
                    continue
                if seen[(gi, sj)] or seen[(gj, si)]:
                    continue
                seen[(gi, si)] -= 1
                seen[(gj, sj)] -= 1
                pairs[i], pairs[j] = (gi, sj), (gj, si)
                seen[(gi, sj)] += 1
                seen[(gj, si)] += 1
                break
    assert not any(bad(i) for i in range(len(pairs))), "pairing failed"
    entries = ["%s %s" % p for p in reserved + pairs]
    rng.shuffle(entries)
    return entries


# ------------------------------------------------------------ recorded swaps

def read_swaps(path=SWAPS_FILE):
    """[(table, first entry, second entry)] from swaps.txt, in file order."""
    swaps = []
    with open(path, "r", encoding="ascii") as f:
        for n, line in enumerate(f, 1):
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            words = line.split()
            if len(words) != 5 or words[0] not in chk.LIST_FILES:
                raise SystemExit("%s line %d: want 'table Given Surname Given Surname'" % (path, n))
            swaps.append((words[0], " ".join(words[1:3]), " ".join(words[3:5])))
    return swaps


def apply_swaps(lists, swaps):
    """The two entries of each swap exchange surnames, each keeping its line."""
    for kind, a, b in swaps:
        table = lists[kind]
        for name in (a, b):
            if table.count(name) != 1:
                raise SystemExit(
                    "swaps.txt: %r is not in the made %s table exactly once; the record "
                    "was made for other tables (empty swaps.txt after changing the pools, "
                    "the plan or the seed)" % (name, kind))
        i, j = table.index(a), table.index(b)
        (ga, sa), (gb, sb) = a.split(" "), b.split(" ")
        table[i], table[j] = ga + " " + sb, gb + " " + sa


# ----------------------------------------------------------------------- main

def make():
    swaps = read_swaps()
    # Names that a recorded swap takes apart are left to the swap: dodging them
    # while pairing would reshuffle the whole table and the record would no
    # longer fit.  Every name of avoid.txt is still checked at the end.
    avoid = set(chk.read_avoid()) - {name for _, a, b in swaps for name in (a, b)}
    rng = random.Random(SEED)
    pools = chk.load_pools()
    exp = chk.EXPECTED
    given = {k: given_table(rng, pools[k], exp[k], PLAN[k]["head"]) for k in ("male", "female")}
    tables, only, unused = surname_tables(rng, pools["surnames"], exp)
    lists = {}
    for k in ("male", "female"):
        # Target total characters: mean * entries, the one blank per entry included.
        total = int(round(float(exp[k]["entry length mean"]) * ENTRIES))
        given_letters = sum(len(g) * n for g, n in given[k].items())
        fit_surname_letters(rng, tables[k], only[k], unused, total - ENTRIES - given_letters)
        lists[k] = pair_up(rng, given[k], tables[k],
                           exp[k]["entry length min"], exp[k]["entry length max"], avoid)
    apply_swaps(lists, swaps)
    return lists, pools


def main():
    lists, pools = make()
    failed = chk.report(chk.run_checks(lists, pools))
    if failed:
        print("not written: the made lists fail the checks above")
        return 1
    for k, path in chk.LIST_FILES.items():
        with open(path, "w", encoding="ascii", newline="\n") as f:
            f.write("".join(line + "\n" for line in lists[k]))
        print("wrote %s" % path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
