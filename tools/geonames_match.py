#!/usr/bin/env python3
"""One-off: find the GeoNames places that data/locations.tsv takes its
coordinates from, and check the table against them.

    python3 tools/geonames_match.py find 卫辉 [Weihui …] [--admin1 09] [--near 35.2,114.0]
    python3 tools/geonames_match.py offset 1805031 SW 11.5
    python3 tools/geonames_match.py check data/locations.tsv [more.tsv …]
    python3 tools/geonames_match.py extract data/locations.tsv > data/geonames.tsv

`find` matches each term against a place's name, ASCII name and alternate
names, whole names only, case-insensitive; a Chinese term also matches with
or without a trailing 县, 市, 区, 镇, 乡 or 街道, so 卫辉 finds 卫辉市. A
county seat is often filed under its town (武陟's under 木城), so give the
pinyin and Wade-Giles forms too (Wuzhi, Wu-chih). `--near` sorts by distance.

`offset` moves a place's point by a compass bearing (N, NNE, NE, … or 北,
东北, 西南 …) and a distance in km: for a statement such as 在县西南二十里.

`check` reports, for every row of the given files: a geonames id that is
not in the GeoNames file, a point farther than 40 km from the place its id
names, and a county farther than 300 km from its commandery's seat (the
first county of the commandery in the same files).

`extract` writes the GeoNames rows that the tables name, in the file's own
columns under a header line and the attribution, for shipping beside the
data (data/geonames.tsv).

The GeoNames file defaults to ../shared/map/geonames/cities500_east_asia.txt
beside the clone; set QM_GEONAMES to use another.
"""
import csv
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT = os.path.join(HERE, '..', '..', 'shared', 'map', 'geonames', 'cities500_east_asia.txt')
SUFFIXES = ('街道', '县', '市', '区', '镇', '乡')
BEARINGS = {
    'N': 0, 'NNE': 22.5, 'NE': 45, 'ENE': 67.5, 'E': 90, 'ESE': 112.5, 'SE': 135, 'SSE': 157.5,
    'S': 180, 'SSW': 202.5, 'SW': 225, 'WSW': 247.5, 'W': 270, 'WNW': 292.5, 'NW': 315,
    'NNW': 337.5,
    '北': 0, '东北': 45, '東北': 45, '东': 90, '東': 90, '东南': 135, '東南': 135, '南': 180,
    '西南': 225, '西': 270, '西北': 315,
}


def load(path=None):
    path = path or os.environ.get('QM_GEONAMES') or DEFAULT
    rows = {}
    with open(path, encoding='utf-8') as f:
        for line in f:
            c = line.rstrip('\n').split('\t')
            if len(c) < 19:
                continue
            rows[c[0]] = c
    return rows


def names(c):
    out = {c[1].lower(), c[2].lower()}
    out.update(n.strip().lower() for n in c[3].split(',') if n.strip())
    return out


def variants(term):
    t = term.strip().lower()
    out = {t}
    for s in SUFFIXES:
        if t.endswith(s) and len(t) > len(s):
            out.add(t[: -len(s)])
    if any('\u4e00' <= ch <= '\u9fff' for ch in t):
        base = set(out)
        for b in base:
            out.update(b + s for s in SUFFIXES)
    return out


def distance_km(a, b):
    la1, lo1, la2, lo2 = map(math.radians, (a[0], a[1], b[0], b[1]))
    h = math.sin((la2 - la1) / 2) ** 2 + math.cos(la1) * math.cos(la2) * math.sin((lo2 - lo1) / 2) ** 2
    return 6371.0 * 2 * math.asin(math.sqrt(min(1.0, h)))


def moved(lat, lon, bearing, km):
    deg = BEARINGS.get(bearing.upper() if bearing.isascii() else bearing)
    if deg is None:
        raise SystemExit(f'unknown bearing {bearing!r}')
    r = math.radians(deg)
    dlat = km * math.cos(r) / 111.32
    dlon = km * math.sin(r) / (111.32 * math.cos(math.radians(lat)))
    return round(lat + dlat, 4), round(lon + dlon, 4)


def point(c):
    return float(c[4]), float(c[5])


def cmd_find(args, rows):
    terms, admin1, near = [], None, None
    i = 0
    while i < len(args):
        if args[i] == '--admin1':
            admin1 = args[i + 1]
            i += 2
        elif args[i] == '--near':
            near = tuple(float(x) for x in args[i + 1].split(','))
            i += 2
        else:
            terms.append(args[i])
            i += 1
    wanted = set()
    for t in terms:
        wanted |= variants(t)
    hits = [c for c in rows.values() if names(c) & wanted and (admin1 is None or c[10] == admin1)]
    if near:
        hits.sort(key=lambda c: distance_km(near, point(c)))
    for c in hits[:40]:
        zh = [n for n in c[3].split(',') if any('\u4e00' <= ch <= '\u9fff' for ch in n)]
        d = f'{distance_km(near, point(c)):.0f}km' if near else ''
        print('\t'.join([c[0], c[1], c[7], c[8], c[10], c[4], c[5], d, ','.join(zh)]))


def cmd_offset(args, rows):
    c = rows.get(args[0])
    if not c:
        raise SystemExit(f'no GeoNames id {args[0]}')
    lat, lon = moved(*point(c), args[1], float(args[2]))
    print(f'{lat}\t{lon}')


def read_tables(paths):
    out = []
    for p in paths:
        with open(p, encoding='utf-8') as f:
            lines = [l for l in f if l.strip() and not l.startswith('#')]
        for n, r in enumerate(csv.DictReader(lines, delimiter='\t', quoting=csv.QUOTE_NONE), 2):
            out.append((p, n, r))
    return out


def cmd_check(args, rows):
    table = read_tables(args)
    seats = {}
    for _, _, r in table:
        if not r.get('place') and r['commandery'] not in seats:
            seats[r['commandery']] = r
    faults = 0
    for p, n, r in table:
        try:
            here = float(r['latitude']), float(r['longitude'])
        except (TypeError, ValueError):
            print(f'{p}:{n}: no coordinates')
            faults += 1
            continue
        gid = (r.get('geonames') or '').strip()
        if gid:
            c = rows.get(gid)
            if not c:
                print(f'{p}:{n}: geonames {gid} is not in the file')
                faults += 1
            elif distance_km(here, point(c)) > 40:
                print(f'{p}:{n}: {distance_km(here, point(c)):.0f} km from geonames {gid} {c[1]}')
                faults += 1
        seat = seats.get(r['commandery'])
        if seat and seat is not r:
            d = distance_km(here, (float(seat['latitude']), float(seat['longitude'])))
            if d > 300:
                print(f'{p}:{n}: {r["county"]} {r.get("place", "")} {d:.0f} km from its seat '
                      f'{seat["county"]}; note: {r.get("note", "")[:40]}')
    return 1 if faults else 0


HEADER = ['geonameid', 'name', 'asciiname', 'alternatenames', 'latitude', 'longitude', 'feature class',
          'feature code', 'country code', 'cc2', 'admin1 code', 'admin2 code', 'admin3 code', 'admin4 code',
          'population', 'elevation', 'dem', 'timezone', 'modification date']


def cmd_extract(args, rows):
    ids = sorted({(r.get('geonames') or '').strip() for _, _, r in read_tables(args)} - {''}, key=int)
    print('# The GeoNames places data/locations.tsv takes its coordinates from, each row as')
    print('# cities500.txt has it. GeoNames (geonames.org), CC BY 4.0. Written by')
    print('# tools/geonames_match.py extract; do not edit by hand.')
    print('\t'.join(HEADER))
    for i in ids:
        if i in rows:
            print('\t'.join(rows[i][:len(HEADER)]))


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    rows = load()
    cmd = {'find': cmd_find, 'offset': cmd_offset, 'check': cmd_check, 'extract': cmd_extract}.get(sys.argv[1])
    if not cmd:
        raise SystemExit(__doc__)
    return cmd(sys.argv[2:], rows) or 0


if __name__ == '__main__':
    sys.exit(main())
