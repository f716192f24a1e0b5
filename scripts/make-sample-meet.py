#!/usr/bin/env python3
"""Regenerates the bundled sample meet samples/autumn-open-2026.lef and .lxf.

The meet is fictional: six clubs from three nations at a two-day short-course
meet in Lübeck. Swim times follow from each athlete's level on a cubic points
table, so times, splits, points and places agree with each other. The random
generator is seeded, so every run writes byte-identical files.

Usage: scripts/make-sample-meet.py [output folder]   (default: samples/)
"""

import itertools
import math
import random
import sys
import zipfile
from pathlib import Path

RNG = random.Random(20261017)
LANE_ORDER = [4, 5, 3, 6, 2, 7, 1, 8]

# Base times (seconds) of the points table, short course.
BASE = {
    ("F", 100, "FR"): 50.25, ("F", 200, "IM"): 121.86, ("F", 50, "BU"): 24.38,
    ("F", 100, "BR"): 62.36, ("F", 100, "BA"): 54.02, ("F", 100, "BU"): 54.05,
    ("M", 100, "FR"): 44.84, ("M", 200, "IM"): 109.63, ("M", 50, "BU"): 21.75,
    ("M", 100, "BA"): 48.33, ("M", 200, "FR"): 99.37, ("M", 100, "BR"): 55.28,
    ("M", 100, "BU"): 47.71,
    ("F", 400, "FR"): 205.43, ("M", 400, "IM"): 198.98,  # 4 x 100 m relays
}

# Share of the final time at each 50 m split (cumulative), per stroke and distance.
PACE = {
    (100, "FR"): [0.482], (100, "BA"): [0.486], (100, "BR"): [0.468], (100, "BU"): [0.470],
    (200, "FR"): [0.236, 0.489, 0.745], (200, "IM"): [0.218, 0.471, 0.770],
}

# Events: id, number, session, distance, swimmers, stroke, sex, round, fee (cents), age groups.
EVENTS = [
    (101, 1, 1, 100, 1, "FR", "F", "PRE", 600, None),
    (102, 2, 1, 100, 1, "FR", "M", "TIM", 600, "open"),
    (103, 3, 1, 200, 1, "IM", "F", "TIM", 750, "two"),
    (104, 4, 1, 200, 1, "IM", "M", "TIM", 750, "open"),
    (105, 5, 1, 50, 1, "BU", "F", "TIM", 600, None),
    (106, 6, 1, 50, 1, "BU", "M", "TIM", 600, None),
    (107, 7, 1, 100, 4, "FR", "F", "TIM", 1200, None),
    (108, 8, 2, 100, 1, "BA", "M", "TIM", 600, None),
    (109, 9, 2, 100, 1, "BR", "F", "TIM", 600, None),
    (110, 10, 2, 200, 1, "FR", "M", "TIM", 750, "open"),
    (111, 11, 2, 100, 1, "FR", "F", "FIN", 0, None),
    (112, 12, 2, 100, 4, "IM", "M", "TIM", 1200, None),
]
PRELIM, FINAL = 101, 111
JUNIOR_CAT, OPEN_CAT = 1031, 1032
OPEN_CATS = {102: 1021, 104: 1041, 110: 1101}

SESSIONS = [
    (1, "1st Session - Saturday", "20261017", (10, 0)),
    (2, "2nd Session - Sunday", "20261018", (9, 30)),
]

CLUBS = [
    ("SC Möwe Lübeck", "SCML", "GER",
     ("Petersen", "Jörg", "Falkenstraße 27", "23564", "Lübeck", "+49 451 555 3170",
      "meldungen@moewe-luebeck.example", "www.moewe-luebeck.example")),
    ("SV Nordlicht Kiel", "SVNK", "GER",
     ("Thießen", "Birgit", "Holtenauer Straße 112", "24105", "Kiel", "+49 431 555 8820",
      "wettkampf@nordlicht-kiel.example", "www.nordlicht-kiel.example")),
    ("Étoile Nautique de Rouen", "ENR", "FRA",
     ("Delacroix", "Sébastien", "14 rue de la Pie", "76000", "Rouen", "+33 2 35 55 41 07",
      "secretariat@etoile-rouen.example", "www.etoile-rouen.example")),
    ("Club Nautique Belle-Île", "CNBI", "FRA",
     ("Le Goff", "Annaïg", "3 quai Bonnelle", "56360", "Le Palais", "+33 2 97 55 12 68",
      "contact@cn-belle-ile.example", "www.cn-belle-ile.example")),
    ("Simklubben Ålen Västerås", "SKAV", "SWE",
     ("Holmgren", "Per-Åke", "Kopparbergsvägen 9", "722 13", "Västerås", "+46 21 555 04 19",
      "kansli@alen-vasteras.example", "www.alen-vasteras.example")),
    ("KK Tärnan Malmö", "KKTM", "SWE",
     ("Nordqvist", "Linnéa", "Ribersborgsstigen 4", "217 53", "Malmö", "+46 40 555 77 30",
      "info@tarnan-malmo.example", "www.tarnan-malmo.example")),
]

# Athletes: club index, family name, first name, sex, birth date, licence, level (points),
# events (number: points offset). A None offset marks an entry the athlete did not swim.
ATHLETES = [
    (0, "Schröder", "Lena", "F", "20040312", "340917", 690, {1: 10, 5: -20, 3: 0}),
    (0, "Köhler", "Marie", "F", "20080721", "352208", 560, {1: 0, 9: 15}),
    (0, "Wüst", "Johanna", "F", "20110204", "368841", 470, {1: -15, 3: 20, 9: 0}),
    (0, "Brandt", "Clara", "F", "20010930", "318350", 610, {1: 5, 5: None, 9: -10}),
    (0, "Krüger", "Jonas", "M", "20031118", "336492", 655, {2: 15, 10: 0, 4: -25}),
    (0, "Hoffmann", "Lukas", "M", "20060507", "347115", 560, {8: 20, 2: -10}),
    (0, "Jäger", "Felix", "M", "20000126", "311864", 700, {6: 15, 2: 0}),
    (0, "Weiß", "Tim", "M", "20090815", "359930", 480, {4: 10, 10: -5}),
    (1, "Petersen", "Anna", "F", "20060419", "348056", 640, {1: 15, 5: 0}),
    (1, "Müller", "Sophie", "F", "20120607", "371502", 430, {1: -10, 3: 15}),
    (1, "Hansen", "Greta", "F", "20030223", "333781", 600, {9: 25, 3: 0}),
    (1, "Börner", "Mia", "F", "20101029", "365427", 500, {5: 10, 1: 0}),
    (1, "Jürgensen", "Niklas", "M", "20020311", "327619", 620, {4: 20, 8: 0}),
    (1, "Schütt", "Paul", "M", "20050914", "342880", 590, {2: 5, 10: None, 6: 0}),
    (1, "Lorenzen", "Ben", "M", "20071203", "350673", 530, {8: 15, 2: -10}),
    (1, "Thomsen", "Jan", "M", "19981102", "301245", 610, {6: 20, 2: 0}),
    (2, "Lefèvre", "Chloé", "F", "20050611", "2205113468", 675, {1: 20, 3: 0}),
    (2, "Moreau", "Inès", "F", "20110917", "2211398270", 455, {3: 20, 1: -10}),
    (2, "Marchand", "Théo", "M", "20010405", "2201447512", 715, {2: 20, 10: 5, 6: -10}),
    (2, "Lemaître", "Hugo", "M", "20040822", "2204019638", 610, {4: 15, 8: 5}),
    (2, "Girard", "Maxime", "M", "20060130", "2206250184", 570, {10: 15, 2: -5}),
    (2, "Roussel", "Clément", "M", "20081014", "2208873329", 510, {8: 15, 6: 0}),
    (3, "Garnier", "Manon", "F", "20040703", "2204605291", 585, {5: 20, 1: 0}),
    (3, "Bérard", "Camille", "F", "20090225", "2209118740", 520, {9: 15, 3: 0}),
    (3, "Fontaine", "Zoé", "F", "20120813", "2212430657", 415, {3: 15, 9: 0}),
    (3, "Perrin", "Élodie", "F", "19991216", "2199570813", 580, {1: 10, 9: -15}),
    (3, "Lacroix", "Antoine", "M", "20030519", "2203341976", 600, {6: 20, 2: 0}),
    (4, "Åberg", "Elin", "F", "20030908", "SE-8812074", 655, {1: 15, 5: 5}),
    (4, "Nyström", "Saga", "F", "20100502", "SE-9903158", 495, {3: 15, 1: 0}),
    (4, "Sjöberg", "Oskar", "M", "20020617", "SE-8520433", 660, {10: 15, 2: 5}),
    (4, "Björklund", "Axel", "M", "20050129", "SE-9110287", 600, {8: 15, 4: 0}),
    (4, "Öhman", "Viktor", "M", "20041008", "SE-8907745", 590, {4: None, 8: None}),
    (4, "Strömberg", "Elias", "M", "20080721", "SE-9628190", 520, {6: 10, 2: 0}),
    (5, "Ekström", "Maja", "F", "20050226", "SE-9032516", 630, {5: 20, 1: 5}),
    (5, "Håkansson", "Wilma", "F", "20011119", "SE-8430962", 645, {3: 20, 9: 0}),
    (5, "Lundgren", "Alva", "F", "20080404", "SE-9520348", 545, {1: 0, 9: 10}),
    (5, "Bergström", "Tove", "F", "20110723", "SE-9987604", 445, {1: -5, 3: 10}),
    (5, "Dahlgren", "Filip", "M", "20040110", "SE-8866291", 625, {2: 10, 6: 5}),
]
FIRST_PERSON_ID = 1001

# The disqualified swim: athlete (family name), event number, reason.
DSQ = ("Bérard", 9, "SW 7.6 - one-hand touch at the turn")

# Relays: club index, sex, event number, scratched before the race.
RELAYS = [
    (0, "F", 7, False), (1, "F", 7, False), (3, "F", 7, False), (5, "F", 7, False),
    (0, "M", 12, False), (1, "M", 12, False), (2, "M", 12, False), (4, "M", 12, True),
]
MEDLEY_ORDER = ["BA", "BR", "BU", "FR"]


class Node:
    """One element of the file: a value (data element) or children (object)."""

    def __init__(self, tag, value=None, **attrs):
        self.tag, self.value, self.attrs, self.children = tag, value, attrs, []

    def add(self, tag, value=None, **attrs):
        child = Node(tag, value, **attrs)
        self.children.append(child)
        return child

    def data(self, **values):
        for tag, value in values.items():
            self.add(tag, str(value))
        return self

    def lines(self, indent=0):
        attrs = "".join(f' {k}="{v}"' for k, v in self.attrs.items())
        pad = " " * indent
        if self.value is not None:
            yield f"{pad}<{self.tag}{attrs}>{self.value}</{self.tag}>"
            return
        yield f"{pad}<{self.tag}{attrs}>"
        for child in self.children:
            yield from child.lines(indent + 1)
        yield f"{pad}</{self.tag}>"


def hundredths(seconds):
    return int(round(seconds * 100))


def lenextime(kind, cs):
    minutes, rest = divmod(cs, 6000)
    return f"{kind}00h{minutes:02d}:{rest // 100:02d}.{rest % 100:02d}"


def time_for_points(base, points):
    return base * (1000.0 / points) ** (1.0 / 3.0)


def points_for_time(base, cs):
    return int(1000.0 * (base / (cs / 100.0)) ** 3)


def reaction(mean):
    return f"{max(0.52, RNG.gauss(mean, 0.03)):.2f}"


def event_by_num(num):
    return next(e for e in EVENTS if e[1] == num)


def splits_for(dis, stroke, cs):
    pace = PACE.get((dis, stroke), [])
    cuts = [hundredths(cs / 100.0 * (share + RNG.gauss(0, 0.003))) for share in pace]
    return [(50 * (i + 1), c) for i, c in enumerate(cuts)]


def seed_heats(entries):
    """Fastest swimmers in the last heat, centre lanes first; the first heat keeps three."""
    fastest_first = sorted(entries, key=lambda e: e["entry"])
    groups = [fastest_first[i:i + 8] for i in range(0, len(fastest_first), 8)]
    if len(groups) > 1 and len(groups[-1]) < 3:
        moved = 3 - len(groups[-1])
        groups[-1] = groups[-2][-moved:] + groups[-1]
        groups[-2] = groups[-2][:-moved]
    for heat, group in enumerate(reversed(groups), start=1):
        for lane, entry in zip(LANE_ORDER, group):
            entry["heat"], entry["lane"] = heat, lane
    return len(groups)


def rank(swims):
    """Places by time; a disqualified swim gets none."""
    place = 0
    for swim in sorted((s for s in swims if not s.get("dsq")), key=lambda s: s["time"]):
        place += 1
        swim["rank"] = place


def unique_times(swims):
    seen = set()
    for swim in sorted(swims, key=lambda s: s["time"]):
        while swim["time"] in seen:
            swim["time"] += 1
        seen.add(swim["time"])


def build_athletes():
    athletes = []
    for number, row in enumerate(ATHLETES):
        club, family, first, sex, birth, licence, level, events = row
        athletes.append({
            "id": FIRST_PERSON_ID + number, "club": club, "name": family, "fname": first,
            "sex": sex, "birth": birth, "licence": licence, "level": level, "events": events,
            "rt": RNG.uniform(0.62, 0.76), "entries": [], "results": [],
        })
    return athletes


def age_group(eid, birth):
    """The age group an athlete swims in: juniors and open in event 3, else the open one."""
    if eid == 103:
        return JUNIOR_CAT if 2010 <= int(birth[:4]) <= 2013 else OPEN_CAT
    return OPEN_CATS.get(eid)


def individual_swims(athletes):
    by_event = {e[0]: [] for e in EVENTS}
    for athlete in athletes:
        for num, offset in athlete["events"].items():
            eid, _, _, dis, _, stroke, sex, _, _, _ = event_by_num(num)
            base = BASE[(sex, dis, stroke)]
            swam = offset is not None
            points = athlete["level"] + (offset or 0) + RNG.gauss(0, 12)
            cs = hundredths(time_for_points(base, points))
            entry_cs = hundredths(cs / 100.0 * (1.0 + RNG.gauss(0.008, 0.012)))
            entry = {"eid": eid, "entry": entry_cs, "athlete": athlete,
                     "cid": age_group(eid, athlete["birth"])}
            athlete["entries"].append(entry)
            swim = {"eid": eid, "time": cs, "entry_ref": entry, "athlete": athlete,
                    "swam": swam, "base": base}
            by_event[eid].append(swim)
    return by_event


def finish_individual(by_event):
    heats = {}
    for eid, dis, stroke in [(e[0], e[3], e[5]) for e in EVENTS if e[4] == 1 and e[0] != FINAL]:
        swims = by_event[eid]
        heats[eid] = seed_heats([s["entry_ref"] for s in swims])
        started = [s for s in swims if s["swam"]]
        unique_times(started)
        for swim in started:
            athlete = swim["athlete"]
            if (athlete["name"], event_by_num(DSQ[1])[0]) == (DSQ[0], eid):
                swim["dsq"] = DSQ[2]
            swim["rt"] = reaction(athlete["rt"])
            swim["splits"] = splits_for(dis, stroke, swim["time"])
            entry = swim["entry_ref"]
            swim["heat"], swim["lane"], swim["cid"] = entry["heat"], entry["lane"], entry["cid"]
            athlete["results"].append(swim)
        for cid in dict.fromkeys(s["cid"] for s in started):
            rank([s for s in started if s["cid"] == cid])
    final = sorted((s for s in by_event[PRELIM] if "rank" in s), key=lambda s: s["rank"])[:8]
    finals = []
    for lane, prelim in zip(LANE_ORDER, final):
        athlete = prelim["athlete"]
        cs = hundredths(prelim["time"] / 100.0 * (1.0 + RNG.gauss(-0.004, 0.006)))
        swim = {"eid": FINAL, "time": cs, "athlete": athlete, "base": prelim["base"],
                "heat": 1, "lane": lane, "cid": None, "rt": reaction(athlete["rt"])}
        finals.append(swim)
        athlete["results"].append(swim)
    unique_times(finals)
    for swim in finals:
        swim["splits"] = splits_for(100, "FR", swim["time"])
    rank(finals)
    by_event[FINAL] = finals
    heats[FINAL] = 1
    return heats


SPECIALTY = {("F", "FR"): 1, ("M", "FR"): 2, ("M", "BU"): 6, ("M", "BA"): 8, ("M", "BR"): 4}


def stroke_time(athlete, stroke):
    """100 m time of a relay leg from a flat start, better in the athlete's own strokes."""
    offset = athlete["events"].get(SPECIALTY.get((athlete["sex"], stroke)), -30) or 0
    points = athlete["level"] + offset + RNG.gauss(0, 15)
    return time_for_points(BASE[(athlete["sex"], 100, stroke)], points)


def build_relays(athletes):
    relays = []
    for club, sex, num, scratched in RELAYS:
        eid = event_by_num(num)[0]
        members = [a for a in athletes if a["club"] == club and a["sex"] == sex]
        members = [a for a in members if a["results"]][:4] if not scratched else members[:4]
        strokes = ["FR"] * 4 if num == 7 else MEDLEY_ORDER
        times = {(a["id"], s): stroke_time(a, s) for a in members for s in dict.fromkeys(strokes)}
        if num == 7:  # second fastest leads off, the fastest anchors
            ranked = sorted(members, key=lambda a: times[(a["id"], "FR")])
            legs = ranked[1:] + ranked[:1]
        else:
            legs = min(itertools.permutations(members),
                       key=lambda order: sum(times[(a["id"], s)] for a, s in zip(order, strokes)))
        leg_cs = [hundredths(times[(a["id"], s)] - (0.65 if i else 0.0))
                  for i, (a, s) in enumerate(zip(legs, strokes))]
        relay = {"club": club, "sex": sex, "eid": eid, "scratched": scratched, "legs": legs,
                 "time": sum(leg_cs), "rt": reaction(legs[0]["rt"]),
                 "exchanges": [f"{RNG.uniform(0.18, 0.45):.2f}" for _ in range(3)]}
        relay["entry"] = hundredths(relay["time"] / 100.0 * (1.0 + RNG.gauss(0.01, 0.008)))
        splits, elapsed = [], 0
        for cs, stroke in zip(leg_cs, strokes):
            splits += [elapsed + hundredths(cs / 100.0 * PACE[(100, stroke)][0]), elapsed + cs]
            elapsed += cs
        relay["splits"] = [(50 * (i + 1), c) for i, c in enumerate(splits[:-1])]
        relays.append(relay)
    for eid in sorted({r["eid"] for r in relays}):
        field = [r for r in relays if r["eid"] == eid]
        seed_heats(field)
        started = [r for r in field if not r["scratched"]]
        unique_times(started)
        rank(started)
        base = BASE[("F", 400, "FR")] if eid == 107 else BASE[("M", 400, "IM")]
        for relay in started:
            relay["points"] = points_for_time(base, relay["time"])
    return relays


def event_starts(by_event, heats):
    """Start time of each event: heats of the slowest swim plus a minute for the change."""
    starts = {}
    for number, _, _, (hour, minute) in SESSIONS:
        clock = hour * 60 + minute
        for event in (e for e in EVENTS if e[2] == number):
            eid = event[0]
            starts[eid] = f"{clock // 60:02d}{clock % 60:02d}"
            if event[4] == 4:
                slowest, count = 260, 1
            else:
                swims = by_event[eid]
                slowest = max(s["time"] for s in swims) / 100.0
                count = heats[eid]
            clock += math.ceil(count * (slowest + 70) / 60.0 / 5.0) * 5
            if eid == PRELIM:
                clock += 5
    return starts


def add_splits(result, splits):
    if splits:
        coll = result.add("SPLITS")
        for dis, cs in splits:
            coll.add("SPLIT", lenextime("V", cs), dis=str(dis))


def add_contact(parent, contact):
    name, fname, street, zipcode, place, phone, email, web = contact
    node = parent.add("CONTACT")
    node.data(NAME=name, FNAME=fname, STREET=street, ZIP=zipcode, PLACE=place, PHONE=phone,
              EMAIL=email, INTERNET=web)


def build_document(athletes, relays, starts):
    root = Node("LENEX")
    root.data(VERSION="01.03.0007")
    constructor = root.add("CONSTRUCTOR").data(NAME="Tidewater Meet Manager", VERSION="3.8.2")
    constructor.add("CONTACT").data(NAME="Tidewater Software", STREET="Hafenkante 4",
                                    ZIP="20457", PLACE="Hamburg", EMAIL="support@tidewater.example",
                                    INTERNET="www.tidewater.example")
    meet = root.add("COMPETITIONS").add("COMPETITION")
    meet.data(NAME="Autumn Open 2026", PLACE="Lübeck", NATION="GER", ORGANIZER="SC Möwe Lübeck",
              PL=25, PM="m", TI="A", AGEDATE="20261231", DEADLINE="20261004",
              POOLNAME="Schwimmhalle Falkenwiese", LANEMIN=1, LANEMAX=8)
    meet.add("POINTTABLE").data(NAME="FINA Point Scoring", VERSION="2026")
    add_contact(meet, ("Petersen", "Jörg", "Falkenstraße 27", "23564", "Lübeck",
                       "+49 451 555 3170", "meldungen@moewe-luebeck.example",
                       "www.autumn-open-luebeck.example"))
    periods = meet.add("PERIODS")
    for number, name, date, (hour, minute) in SESSIONS:
        period = periods.add("PERIOD")
        period.data(NUM=number, NAME=name, DATE=date, TIME=f"{hour:02d}{minute:02d}")
        events = period.add("EVENTS")
        for eid, num, session, dis, count, stroke, sex, kind, fee, cats in EVENTS:
            if session != number:
                continue
            event = events.add("EVENT", id=str(eid))
            event.data(NUM=num, ORDER=num, DIS=dis, DISCNT=count, STR=stroke, SEX=sex, TYPE=kind,
                       TIME=starts[eid])
            if kind == "FIN":
                event.data(PEID=PRELIM)
            if fee:
                event.add("FEE", str(fee), currency="EUR")
            if cats == "two":
                coll = event.add("CATS")
                coll.add("CAT", id=str(JUNIOR_CAT)).data(NAME="Juniors", MIN=2010, MAX=2013, SEX=sex)
                coll.add("CAT", id=str(OPEN_CAT)).data(NAME="Open", MIN=-1, MAX=2009, SEX=sex)
            elif cats == "open":
                event.add("CATS").add("CAT", id=str(OPEN_CATS[eid])).data(MIN=-1, MAX=-1)
    clubs = meet.add("CLUBS")
    for index, (name, code, nation, contact) in enumerate(CLUBS):
        club = clubs.add("CLUB").data(NAME=name, CODE=code, NATION=nation)
        add_contact(club, contact)
        persons = club.add("PERSONS")
        for athlete in (a for a in athletes if a["club"] == index):
            add_person(persons, athlete, nation)
        teams = [r for r in relays if r["club"] == index]
        if teams:
            add_relays(club.add("RELAYS"), teams, name)
    return root


def add_person(persons, athlete, nation):
    person = persons.add("PERSON", id=str(athlete["id"]))
    person.data(NAME=athlete["name"], FNAME=athlete["fname"], SEX=athlete["sex"],
                BIRTHDATE=athlete["birth"], YOB=athlete["birth"][:4], NATION=nation,
                LICENSE=athlete["licence"])
    entries = person.add("ENTRIES")
    for entry in sorted(athlete["entries"], key=lambda e: e["eid"]):
        node = entries.add("ENTRY").data(EID=entry["eid"])
        if entry["cid"]:
            node.data(CID=entry["cid"])
        node.data(TIME=lenextime("E", entry["entry"]), HEAT=entry["heat"], LANE=entry["lane"])
    if not athlete["results"]:
        return
    results = person.add("RESULTS")
    for swim in sorted(athlete["results"], key=lambda s: s["eid"]):
        result = results.add("RESULT").data(EID=swim["eid"])
        if swim["cid"]:
            result.data(CID=swim["cid"])
        if "dsq" in swim:
            result.data(TIME=lenextime("I", swim["time"]), CODE="DSQ", COMMENT=swim["dsq"])
        else:
            result.data(TIME=lenextime("V", swim["time"]), RANK=swim["rank"],
                        POINTS=points_for_time(swim["base"], swim["time"]))
        result.data(HEAT=swim["heat"], LANE=swim["lane"], RT=swim["rt"])
        add_splits(result, swim["splits"])


def add_relays(coll, teams, club_name):
    for relay in teams:
        node = coll.add("RELAY").data(NUM=1, NAME=f"{club_name} 1", SEX=relay["sex"])
        node.add("CAT").data(NAME="Open", MIN=-1, MAX=-1)
        node.add("ENTRIES").add("ENTRY").data(EID=relay["eid"], TIME=lenextime("E", relay["entry"]),
                                              HEAT=relay["heat"], LANE=relay["lane"])
        if relay["scratched"]:
            continue
        result = node.add("RESULTS").add("RESULT")
        result.data(EID=relay["eid"], TIME=lenextime("V", relay["time"]), RANK=relay["rank"],
                    POINTS=relay["points"], HEAT=relay["heat"], LANE=relay["lane"], RT=relay["rt"])
        add_splits(result, relay["splits"])
        positions = result.add("POSITIONS")
        for leg, athlete in enumerate(relay["legs"], start=1):
            rt = relay["rt"] if leg == 1 else relay["exchanges"][leg - 2]
            positions.add("POSITION").data(NUM=leg, PID=athlete["id"], RT=rt)


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "samples"
    athletes = build_athletes()
    by_event = individual_swims(athletes)
    heats = finish_individual(by_event)
    relays = build_relays(athletes)
    starts = event_starts(by_event, heats)
    root = build_document(athletes, relays, starts)
    lines = ['<?xml version="1.0" encoding="ISO-8859-1"?>'] + list(root.lines())
    data = ("\r\n".join(lines) + "\r\n").encode("iso-8859-1")
    out.mkdir(parents=True, exist_ok=True)
    (out / "autumn-open-2026.lef").write_bytes(data)
    member = zipfile.ZipInfo("autumn-open-2026.lef", date_time=(2026, 10, 18, 17, 45, 0))
    member.compress_type = zipfile.ZIP_DEFLATED
    member.external_attr = 0o644 << 16
    with zipfile.ZipFile(out / "autumn-open-2026.lxf", "w") as archive:
        archive.writestr(member, data)


if __name__ == "__main__":
    main()
