#!/usr/bin/env python3
"""One-off: a stand-in data/locations.tsv for building and trying the map
before the researched table is complete.

    python3 tools/provisional_locations.py DATA_DIR [RESEARCH.tsv ...] > locations.tsv

Takes the rows of the research files given (the columns of locations.tsv;
the first row of a county or place wins) and adds a row for every county of
DATA_DIR/counties.tsv they lack: at its commandery's first county when that
one is located, else at the rough centre of its province below. Such a row
is precision `approximate`, has no source, and its note says it is a
stand-in. The researched table replaces the whole file.
"""
import csv
import sys

COLUMNS = ['commandery', 'county', 'place', 'latitude', 'longitude', 'precision', 'modern',
           'source', 'geonames', 'note']

# Rough centres of each province's area (lat, lon), to one degree or so:
# where a county is drawn until its place is researched. Not data.
CENTRES = {
    '司隸校尉': (34.6, 111.0), '豫州': (33.5, 115.2), '冀州': (37.8, 115.3),
    'エン州': (35.5, 116.0), '徐州': (34.0, 118.3), '青州': (36.7, 118.6),
    '荊州': (29.5, 112.0), '揚州': (29.5, 117.5), '益州': (28.5, 104.0),
    '涼州': (37.0, 103.0), '并州': (38.5, 111.8), '幽州': (40.5, 118.0),
    '交州': (22.5, 108.5),
}


def table(path):
    with open(path, encoding='utf-8') as f:
        lines = [l for l in f if l.strip() and not l.startswith('#')]
    return list(csv.DictReader(lines, delimiter='\t', quoting=csv.QUOTE_NONE))


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    data = sys.argv[1]
    province = {r['name']: r['province'] for r in table(data + '/commanderies.tsv')}
    counties = table(data + '/counties.tsv')
    found = {}
    for path in sys.argv[2:]:
        for r in table(path):
            key = (r['commandery'], r['county'], r.get('place') or '')
            if key not in found and r.get('latitude') and r.get('longitude'):
                found[key] = {c: (r.get(c) or '').strip() for c in COLUMNS}
    seat = {}
    for r in counties:
        seat.setdefault(r['commandery'], r['name'])
    out = csv.writer(sys.stdout, delimiter='\t', lineterminator='\n', quoting=csv.QUOTE_NONE)
    out.writerow(COLUMNS)
    for r in counties:
        key = (r['commandery'], r['name'], '')
        if key in found:
            out.writerow([found[key][c] for c in COLUMNS])
            continue
        first = found.get((r['commandery'], seat[r['commandery']], ''))
        if first:
            lat, lon = first['latitude'], first['longitude']
            note = '仮の位置：未調査のため郡治の点に置く'
        else:
            lat, lon = ('%.2f' % v for v in CENTRES[province[r['commandery']]])
            note = '仮の位置：未調査のため州のおおよその中心に置く'
        out.writerow([r['commandery'], r['name'], '', lat, lon, 'approximate', '', '', '', note])
    for key, row in found.items():
        if key[2]:
            out.writerow([row[c] for c in COLUMNS])


if __name__ == '__main__':
    main()
