#!/usr/bin/env python3
"""Converts every real-world Lenex 3, DSV and SDIF file and checks what other programs make of the result.

Usage: converted_files_test.py LANESCOPE-CLI TESTDATA-DIR WORK-DIR

For each file: `lanescope-cli convert` writes a .lef; xmllint --noout must accept it; Python's ElementTree
reads it, and the club and athlete names it finds are the names the club tree shows for the original file
(`lanescope-cli clubs`); the converted file shows the same club tree as the original. Exits 77 (skipped)
when the folder of real-world files is absent.
"""

import glob
import os
import subprocess
import re
import sys
import xml.etree.ElementTree as ElementTree

PATTERNS = ["lenex3/*.lef", "lenex3/*.lxf", "dsv/*.dsv*", "dsv/*.DSV*", "sdif/*.cl2", "sdif/*.CL2", "sdif/*.ZIP"]


def club_tree(cli, path):
    """The lines of the club tree: (level, text), the statistics lines left out."""
    output = subprocess.run([cli, "clubs", path], check=True, capture_output=True, text=True).stdout
    lines = []
    for line in output.splitlines():
        text = line.lstrip(" ")
        if text.startswith("[members "):
            continue
        # Athletes and relays end in their id ("  [id 12]"), which the file keeps in an attribute.
        lines.append(((len(line) - len(text)) // 2, re.sub(r"\s+\[id \d+\]$", "", text)))
    return lines


# The program trims every byte up to the blank from texts, as XML does not.
BLANKS = "".join(chr(c) for c in range(1, 33))


def text_of(element, tag):
    child = element.find(tag)
    return child.text.strip(BLANKS) if child is not None and child.text else ""


def names_in_file(path):
    """Club names, and the athletes' texts as the club tree shows them ("NAME FNAME, YY")."""
    root = ElementTree.parse(path).getroot()
    clubs, athletes, relays = set(), set(), set()
    for club in root.iter("CLUB"):
        clubs.add(text_of(club, "NAME"))
        for person in club.iter("PERSON"):
            year = text_of(person, "YOB")
            year = int(year) % 100 if year.isdigit() else 0
            athletes.add("%s %s, %02d" % (text_of(person, "NAME"), text_of(person, "FNAME"), year))
        for relay in club.iter("RELAY"):
            relays.add(text_of(relay, "NAME"))
    return clubs, athletes, relays


def check(cli, source, work):
    problems = []
    target = os.path.join(work, os.path.basename(source) + ".lef")
    subprocess.run([cli, "convert", source, target], check=True)
    lint = subprocess.run(["xmllint", "--noout", target], capture_output=True, text=True)
    if lint.returncode != 0:
        return ["xmllint rejects it: " + lint.stderr.strip()[:500]]

    clubs, athletes, relays = names_in_file(target)
    tree = club_tree(cli, source)
    shown_clubs = {text for level, text in tree if level == 1}
    shown_participants = {text for level, text in tree if level == 2}
    # A club without a name is shown under the language's word for it.
    if "" in clubs:
        shown_clubs.discard("Unattached")
    if shown_clubs - clubs:
        problems.append("clubs shown but not read by ElementTree: %s" % sorted(shown_clubs - clubs)[:5])
    missing = {name for name in clubs - shown_clubs if name}
    if missing:
        problems.append("clubs read by ElementTree but not shown: %s" % sorted(missing)[:5])
    # A relay without a name of its own is shown as its club's name with its number; two relays of a club that
    # would read alike get their gender added.
    unknown = {
        text
        for text in shown_participants - athletes - relays
        if re.sub(r", (Men|Women|mixed)$", "", text) not in relays
        and not any(text.startswith(club) for club in clubs | {"Unattached"} if club)
    }
    if unknown:
        problems.append("athletes shown but not read by ElementTree: %s" % sorted(unknown)[:5])
    if club_tree(cli, target) != tree:
        problems.append("the converted file shows another club tree than the original")
    if not problems:
        print("%s: %d clubs, %d athletes" % (os.path.basename(source), len(clubs), len(athletes)))
    return problems


def main():
    cli, testdata, work = sys.argv[1:4]
    if not os.path.isdir(testdata):
        print("no real-world files in %s" % testdata)
        return 77
    os.makedirs(work, exist_ok=True)
    files = sorted({path for pattern in PATTERNS for path in glob.glob(os.path.join(testdata, pattern))})
    failed = False
    for source in files:
        for problem in check(cli, source, work):
            print("%s: %s" % (source, problem))
            failed = True
    return 1 if failed or not files else 0


if __name__ == "__main__":
    sys.exit(main())
