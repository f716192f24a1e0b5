#!/usr/bin/env python3
"""Writes the program's own images as small SVG files into resources/images and lists them in
resources/lanescope.qrc: the command and tree images (16 x 16), the flags and regional badges (16 x 11)
and the logo. Run it after changing a drawing and commit its output; the build only reads the SVG files."""

import pathlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
IMAGES = ROOT / "resources" / "images"

OUT = "#37474f"  # outline colour of the command images


def svg(width, height, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">{body}</svg>\n')


PERSON = ('<circle cx="{x}" cy="4" r="2.5" fill="{c}"/>'
          '<path d="M{l} 15v-4a3.5 3.5 0 0 1 7 0v4z" fill="{c}"/>')


def person(x, colour):
    return PERSON.format(x=x, l=x - 3.5, c=colour)


# Index: (meaning, drawing). Indices 0 to 20 are the main window's command and tree images.
ACTIONS = {
    0: ("open", f'<path d="M1 3h5l1 2h7v9H1z" fill="#f4c542" stroke="{OUT}"/>'
                f'<path d="M3 7h12l-2 7H1z" fill="#ffd966" stroke="{OUT}"/>'),
    1: ("exit", f'<path d="M2 1h8v14H2z" fill="#8d6e63" stroke="{OUT}"/>'
                '<path d="M9 8h6M12 5l3 3-3 3" stroke="#c62828" stroke-width="2" fill="none"/>'),
    2: ("close file", f'<path d="M3 1h7l3 3v11H3z" fill="#fff" stroke="{OUT}"/>'
                      '<path d="M5 7l6 6M11 7l-6 6" stroke="#c62828" stroke-width="2"/>'),
    3: ("print", f'<path d="M4 1h8v5H4z" fill="#fff" stroke="{OUT}"/>'
                 f'<path d="M1 6h14v6H1z" fill="#90a4ae" stroke="{OUT}"/>'
                 f'<path d="M4 10h8v5H4z" fill="#fff" stroke="{OUT}"/>'),
    4: ("info", '<circle cx="8" cy="8" r="7" fill="#1e88e5"/>'
                '<path d="M8 7v5" stroke="#fff" stroke-width="2"/><circle cx="8" cy="4.5" r="1.2" fill="#fff"/>'),
    5: ("relay", person(5, "#1565c0") + person(11, "#43a047")),
    6: ("copy", f'<path d="M1 1h8v10H1z" fill="#fff" stroke="{OUT}"/>'
                f'<path d="M6 5h8v10H6z" fill="#e3f2fd" stroke="{OUT}"/>'),
    7: ("nation", '<path d="M3 1v14" stroke="#5d4037" stroke-width="1.5"/>'
                  f'<path d="M4 2h10l-2 3 2 3H4z" fill="#fff" stroke="{OUT}"/>'),
    8: ("file properties", f'<path d="M2 1h8l3 3v11H2z" fill="#fff" stroke="{OUT}"/>'
                           '<path d="M4 6h7M4 9h7M4 12h5" stroke="#607d8b"/>'),
    9: ("athlete", person(8, "#1565c0")),
    10: ("search", f'<circle cx="6.5" cy="6.5" r="4.5" fill="#e3f2fd" stroke="{OUT}" stroke-width="1.5"/>'
                   f'<path d="M10 10l5 5" stroke="{OUT}" stroke-width="2.5"/>'),
    11: ("session", f'<path d="M1 3h14v12H1z" fill="#fff" stroke="{OUT}"/><path d="M1 3h14v3H1z" fill="#e53935"/>'
                    '<path d="M4 1v4M12 1v4" stroke="#37474f" stroke-width="1.5"/>'
                    '<path d="M3 8h2M7 8h2M11 8h2M3 11h2M7 11h2" stroke="#607d8b" stroke-width="1.5"/>'),
    12: ("event", f'<circle cx="8" cy="9" r="6" fill="#fff" stroke="{OUT}" stroke-width="1.5"/>'
                  f'<path d="M6 1h4M8 1v2M8 9V5.5M8 9l2.5 1.5" stroke="{OUT}" stroke-width="1.5" fill="none"/>'),
    13: ("age group", '<path d="M1 3h9l5 5-5 5H1z" fill="#ffb74d" stroke="#8d4f00"/>'
                      '<circle cx="10" cy="8" r="1.3" fill="#fff" stroke="#8d4f00" stroke-width="0.6"/>'
                      '<path d="M3 6.5h4M3 9.5h4" stroke="#8d4f00"/>'),
    14: ("club", f'<path d="M2 2h12v6c0 4-3 6-6 7-3-1-6-3-6-7z" fill="#cfd8dc" stroke="{OUT}"/>'),
    15: ("statistics", '<path d="M2 15V9h3v6zM7 15V4h3v11zM12 15V7h3v8z" fill="#43a047"/>'
                       f'<path d="M1 15h14" stroke="{OUT}"/>'),
    16: ("register", f'<path d="M2 1h8l3 3v11H2z" fill="#fff" stroke="{OUT}"/>'
                     '<path d="M4.5 9l2.5 2.5 5-5" stroke="#2e7d32" stroke-width="2" fill="none"/>'),
    17: ("competition info", '<path d="M4 1h8v5a4 4 0 0 1-8 0z" fill="#fbc02d" stroke="#8d6e00"/>'
                             '<path d="M7 10h2v3h2v2H5v-2h2z" fill="#8d6e00"/>'
                             '<path d="M4 3H2v1a2 2 0 0 0 2 2M12 3h2v1a2 2 0 0 1-2 2" stroke="#8d6e00" fill="none"/>'),
    18: ("help", '<circle cx="8" cy="8" r="7" fill="#43a047"/>'
                 '<path d="M5.5 6a2.5 2.5 0 1 1 3.5 2.3c-.7.3-1 .8-1 1.7" stroke="#fff" stroke-width="1.8" fill="none"/>'
                 '<circle cx="8" cy="12.5" r="1.1" fill="#fff"/>'),
    19: ("editor", '<path d="M2 14l1-4 8-8 3 3-8 8z" fill="#ffb300" stroke="#5d4037"/>'
                   '<path d="M2 14l1-4 3 3z" fill="#5d4037"/>'),
    20: ("download", '<path d="M6 1h4v6h3l-5 6-5-6h3z" fill="#1e88e5"/>'
                     f'<path d="M1 13v2h14v-2" stroke="{OUT}" stroke-width="1.5" fill="none"/>'),
}


def hstripes(*colours, weights=None):
    weights = weights or [1] * len(colours)
    total, y, out = sum(weights), 0.0, []
    for colour, weight in zip(colours, weights):
        h = 11 * weight / total
        out.append(f'<rect y="{y:.3g}" width="16" height="{h + 0.05:.3g}" fill="{colour}"/>')
        y += h
    return "".join(out)


def vstripes(*colours, weights=None):
    weights = weights or [1] * len(colours)
    total, x, out = sum(weights), 0.0, []
    for colour, weight in zip(colours, weights):
        w = 16 * weight / total
        out.append(f'<rect x="{x:.3g}" width="{w + 0.05:.3g}" height="11" fill="{colour}"/>')
        x += w
    return "".join(out)


def nordic(ground, cross, border=None):
    body = f'<rect width="16" height="11" fill="{ground}"/>'
    if border:
        body += f'<path d="M4 0h4v11H4zM0 3.5h16v4H0z" fill="{border}"/>'
    return body + f'<path d="M5 0h2v11H5zM0 4.5h16v2H0z" fill="{cross}"/>'


def emblem(ground, mark):
    """Regional badges: a shield in the association's colours on a transparent ground."""
    return (f'<path d="M3 0.5h10v4.5c0 3-2.5 5-5 5.5-2.5-.5-5-2.5-5-5.5z" fill="{ground}" stroke="#37474f" '
            f'stroke-width="0.6"/>{mark}')


RED, WHITE, BLUE, GREEN, YELLOW, BLACK = "#d52b1e", "#fff", "#0039a6", "#009246", "#ffce00", "#000"
FLAGS = {
    "SUI": f'<rect width="16" height="11" fill="{RED}"/><path d="M7 2h2v7H7zM4.5 4.5h7v2h-7z" fill="#fff"/>',
    "GER": hstripes(BLACK, "#dd0000", YELLOW),
    "AUT": hstripes("#ed2939", WHITE, "#ed2939"),
    "BEL": vstripes(BLACK, "#fae042", "#ed2939"),
    "BUL": hstripes(WHITE, "#00966e", "#d62612"),
    "DEN": nordic("#c8102e", WHITE),
    "ESP": hstripes("#aa151b", "#f1bf00", "#aa151b", weights=[1, 2, 1]),
    "EST": hstripes("#0072ce", BLACK, WHITE),
    "FIN": nordic(WHITE, "#002f6c"),
    "FRA": vstripes("#0055a4", WHITE, "#ef4135"),
    "GBR": '<rect width="16" height="11" fill="#012169"/>'
           '<path d="M0 0l16 11M16 0L0 11" stroke="#fff" stroke-width="2.2"/>'
           '<path d="M0 0l16 11M16 0L0 11" stroke="#c8102e" stroke-width="0.8"/>'
           '<path d="M6.5 0h3v11h-3zM0 4h16v3H0z" fill="#fff"/><path d="M7 0h2v11H7zM0 4.5h16v2H0z" fill="#c8102e"/>',
    "GRE": hstripes(*(["#0d5eaf", WHITE] * 4 + ["#0d5eaf"]))
           + '<rect width="6.1" height="6.1" fill="#0d5eaf"/><path d="M2.4 0h1.3v6.1H2.4zM0 2.4h6.1v1.3H0z" fill="#fff"/>',
    "HUN": hstripes("#cd2a3e", WHITE, "#436f4d"),
    "IRL": vstripes("#169b62", WHITE, "#ff883e"),
    "ISL": nordic("#02529c", "#dc1e35", WHITE),
    "ISR": '<rect width="16" height="11" fill="#fff"/><path d="M0 1h16v1.5H0zM0 8.5h16V10H0z" fill="#0038b8"/>'
           '<path d="M8 3l2 3.3H6zM8 7.8l2-3.3H6z" fill="none" stroke="#0038b8" stroke-width="0.6"/>',
    "ITA": vstripes(GREEN, WHITE, "#ce2b37"),
    "LAT": hstripes("#9e3039", WHITE, "#9e3039", weights=[2, 1, 2]),
    "LIE": hstripes("#002b7f", "#ce1126") + '<path d="M2.5 1.5h2.5v2H2.5z" fill="#ffd83d"/>',
    "LTU": hstripes("#fdb913", "#006a44", "#c1272d"),
    "LUX": hstripes("#ed2939", WHITE, "#00a1de"),
    "MKD": '<rect width="16" height="11" fill="#d20000"/>'
           '<path d="M0 0l16 11M16 0L0 11M8 0v11M0 5.5h16" stroke="#ffe600" stroke-width="1.2"/>'
           '<circle cx="8" cy="5.5" r="2.2" fill="#ffe600" stroke="#d20000" stroke-width="0.5"/>',
    "MON": hstripes("#ce1126", WHITE),
    "NED": hstripes("#ae1c28", WHITE, "#21468b"),
    "NOR": nordic("#ba0c2f", "#00205b", WHITE),
    "POL": hstripes(WHITE, "#dc143c"),
    "POR": vstripes("#006600", "#ff0000", weights=[2, 3])
           + '<circle cx="6.4" cy="5.5" r="2.3" fill="#ffcc00" stroke="#fff" stroke-width="0.4"/>',
    "ROM": vstripes("#002b7f", "#fcd116", "#ce1126"),
    "RUS": hstripes(WHITE, "#0039a6", "#d52b1e"),
    "SLO": hstripes(WHITE, "#005ce5", "#ed1c24")
           + '<path d="M3 2h3v3c0 1-.7 1.6-1.5 1.9C3.7 6.6 3 6 3 5z" fill="#005ce5" stroke="#ed1c24" stroke-width="0.4"/>',
    "SVK": hstripes(WHITE, "#0b4ea2", "#ee1c25")
           + '<path d="M3 2.5h3.6v3c0 1.3-.9 2.1-1.8 2.5C3.9 7.6 3 6.8 3 5.5z" fill="#ee1c25" stroke="#fff" stroke-width="0.4"/>'
           + '<path d="M4.55 3v4M3.8 4.3h1.5" stroke="#fff" stroke-width="0.5"/>',
    "SWE": nordic("#006aa7", "#fecc00"),
    "TUR": '<rect width="16" height="11" fill="#e30a17"/><circle cx="6" cy="5.5" r="2.8" fill="#fff"/>'
           '<circle cx="6.7" cy="5.5" r="2.2" fill="#e30a17"/>'
           '<path d="M9.2 5.5l2.3-.8-1.4 2-.1-2.4 1.5 1.9z" fill="#fff"/>',
    "UKR": hstripes("#0057b7", "#ffd700"),
    "YUG": hstripes("#0c4076", WHITE, "#c6363c"),
    "SUI_BUEL": emblem("#1565c0", '<path d="M4 5.5h8" stroke="#fff" stroke-width="1.6"/>'),
    "SUI_LN": emblem("#2e7d32", '<path d="M8 1.5v8" stroke="#fff" stroke-width="1.6"/>'),
    "SUI_RFN": emblem("#c62828", '<circle cx="8" cy="5" r="2" fill="#fff"/>'),
    "SUI_RN": emblem("#6a1b9a", '<path d="M5 3l6 5M11 3l-6 5" stroke="#fff" stroke-width="1.3"/>'),
    "SUI_SCBU": emblem("#ef6c00", '<path d="M8 2l2.5 5h-5z" fill="#fff"/>'),
    "SUI_SCU": emblem("#00838f", '<path d="M4.5 4q1.75-1.5 3.5 0t3.5 0M4.5 6.5q1.75-1.5 3.5 0t3.5 0" '
                                 'stroke="#fff" stroke-width="0.9" fill="none"/>'),
    "SUI_SKBE": emblem("#fdd835", '<path d="M6.5 2.5h3v5h-3z" fill="#c62828"/>'),
}

LOGO = svg(96, 96,
           '<rect x="2" y="2" width="92" height="92" rx="14" fill="#0277bd"/>'
           '<path d="M2 58h92v22a14 14 0 0 1-14 14H16A14 14 0 0 1 2 80z" fill="#01579b"/>'
           '<path d="M10 62q9-7 19 0t19 0 19 0 19 0M10 76q9-7 19 0t19 0 19 0 19 0" stroke="#b3e5fc" '
           'stroke-width="4" fill="none" stroke-linecap="round"/>'
           '<circle cx="60" cy="24" r="8" fill="#fff"/>'
           '<path d="M16 50l22-16 14 9 18-4" stroke="#fff" stroke-width="7" fill="none" '
           'stroke-linecap="round" stroke-linejoin="round"/>'
           '<path d="M20 20v30M20 20h14" stroke="#ffca28" stroke-width="5" stroke-linecap="round" fill="none"/>')


def main():
    (IMAGES / "actions").mkdir(parents=True, exist_ok=True)
    (IMAGES / "flags").mkdir(parents=True, exist_ok=True)
    files = []
    for index, (_, body) in sorted(ACTIONS.items()):
        name = f"images/actions/{index:02d}.svg"
        (ROOT / "resources" / name).write_text(svg(16, 16, body))
        files.append(name)
    for code, body in FLAGS.items():
        name = f"images/flags/{code}.svg"
        (ROOT / "resources" / name).write_text(svg(16, 11, body))
        files.append(name)
    (IMAGES / "logo.svg").write_text(LOGO)
    files.append("images/logo.svg")
    entries = "".join(f"    <file>{name}</file>\n" for name in files)
    (ROOT / "resources" / "lanescope.qrc").write_text(
        f'<!DOCTYPE RCC>\n<RCC version="1.0">\n<qresource prefix="/">\n{entries}</qresource>\n</RCC>\n')


if __name__ == "__main__":
    main()
