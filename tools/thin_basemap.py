#!/usr/bin/env python3
"""One-off: thin the Natural Earth clip of East Asia into the map sources of
data/map/, which qm-gazetteer compiles into chizu/kihon.bin.

    python3 tools/thin_basemap.py NATURALEARTH_DIR data/map

NATURALEARTH_DIR holds land_50m, lakes_50m, rivers_10m and borders_50m as
GeoJSON (longitude first). What it writes, one feature part a line:

    land.tsv         feature, points     coast rings
    lakes.tsv        feature, points     lake rings
    river_lines.tsv  name, name_zh, scalerank, points
    borders.tsv      name, points        land borders only

`points` is "lon,lat lon,lat ..." in degrees with two decimals. Everything
is clipped to the boxes below (the land's wide enough that its cut edges stay out of
sight of the Han's 97-132E, 15-43N; the source itself ends at 72-136E,
5-54N, but keeps whole the land rings that reach into it; the rest to a
margin around the Han),
rivers are kept to scalerank 9, and lines are simplified (Douglas-Peucker,
0.01 degrees, about 1 km, the precision of the source).
Country outlines share their coastal stretches with the land rings; those
stretches are dropped so that a border is drawn only between two countries,
and each border once.
"""
import json
import os
import sys

BOX = (60.0, 0.0, 160.0, 62.0)  # land: west, south, east, north
LINE_BOX = (88.0, 8.0, 142.0, 52.0)  # lakes, rivers, borders: around the Han only
TOLERANCE = 0.01
MAX_RANK = 9


def inside(p, box=LINE_BOX):
    return box[0] <= p[0] <= box[2] and box[1] <= p[1] <= box[3]


def rounded(pts):
    out = []
    for x, y in pts:
        q = (round(x, 2), round(y, 2))
        if not out or out[-1] != q:
            out.append(q)
    return out


def simplify(pts, tol=TOLERANCE):
    """Douglas-Peucker on a polyline; the ends stay."""
    if len(pts) < 3:
        return list(pts)
    keep = [False] * len(pts)
    keep[0] = keep[-1] = True
    stack = [(0, len(pts) - 1)]
    while stack:
        a, b = stack.pop()
        ax, ay = pts[a]
        bx, by = pts[b]
        dx, dy = bx - ax, by - ay
        norm = (dx * dx + dy * dy) ** 0.5
        best, at = -1.0, -1
        for i in range(a + 1, b):
            px, py = pts[i]
            if norm == 0:
                d = ((px - ax) ** 2 + (py - ay) ** 2) ** 0.5
            else:
                d = abs(dy * (px - ax) - dx * (py - ay)) / norm
            if d > best:
                best, at = d, i
        if at >= 0 and best > tol:
            keep[at] = True
            stack += [(a, at), (at, b)]
    return [p for p, k in zip(pts, keep) if k]


def simplify_ring(ring):
    """A closed ring: split at its farthest point so both halves keep their ends."""
    if len(ring) < 4:
        return ring
    far = max(range(len(ring)), key=lambda i: (ring[i][0] - ring[0][0]) ** 2 + (ring[i][1] - ring[0][1]) ** 2)
    a = simplify(ring[: far + 1])
    b = simplify(ring[far:])
    out = a + b[1:]
    return out if len(out) >= 4 else ring


def clip_ring(ring, BOX=BOX):
    """Sutherland-Hodgman against the box; the cut edges lie on the box."""
    def clip(pts, keep, cross):
        out = []
        for i, cur in enumerate(pts):
            prev = pts[i - 1]
            if keep(cur):
                if not keep(prev):
                    out.append(cross(prev, cur))
                out.append(cur)
            elif keep(prev):
                out.append(cross(prev, cur))
        return out

    def at_x(x):
        return lambda p, q: (x, p[1] + (q[1] - p[1]) * (x - p[0]) / (q[0] - p[0]))

    def at_y(y):
        return lambda p, q: (p[0] + (q[0] - p[0]) * (y - p[1]) / (q[1] - p[1]), y)

    pts = ring[:-1] if ring and ring[0] == ring[-1] else ring
    for keep, cross in ((lambda p: p[0] >= BOX[0], at_x(BOX[0])), (lambda p: p[0] <= BOX[2], at_x(BOX[2])),
                        (lambda p: p[1] >= BOX[1], at_y(BOX[1])), (lambda p: p[1] <= BOX[3], at_y(BOX[3]))):
        if not pts:
            break
        pts = clip(pts, keep, cross)
    if len(pts) < 3:
        return []
    return rounded(pts + [pts[0]])


def clip_line(pts):
    runs, cur = [], []
    for p in pts:
        if inside(p):
            cur.append(p)
        else:
            if len(cur) > 1:
                runs.append(cur)
            cur = []
    if len(cur) > 1:
        runs.append(cur)
    return runs


def fmt(pts):
    return ' '.join('%.2f,%.2f' % p for p in pts)


def rings_of(geometry):
    c = geometry['coordinates']
    if geometry['type'] == 'Polygon':
        return c
    if geometry['type'] == 'MultiPolygon':
        return [r for poly in c for r in poly]
    return []


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    src, out = sys.argv[1], sys.argv[2]
    load = lambda name: json.load(open(os.path.join(src, name), encoding='utf-8'))['features']
    os.makedirs(out, exist_ok=True)
    counts = {}

    coast = set()
    lines = ['feature\tpoints']
    for n, f in enumerate(load('land_50m.geojson')):
        for ring in rings_of(f['geometry']):
            coast.update(rounded([tuple(p) for p in ring]))
            clipped = clip_ring([tuple(p) for p in ring])
            if clipped:
                lines.append('%d\t%s' % (n, fmt(simplify_ring(clipped))))
    counts['land.tsv'] = lines

    lines = ['feature\tpoints']
    for n, f in enumerate(load('lakes_50m.geojson')):
        for ring in rings_of(f['geometry']):
            clipped = clip_ring([tuple(p) for p in ring], LINE_BOX)
            if len(clipped) >= 4:
                lines.append('%d\t%s' % (n, fmt(simplify_ring(clipped))))
    counts['lakes.tsv'] = lines

    lines = ['name\tname_zh\tscalerank\tpoints']
    for f in load('rivers_10m.geojson'):
        p = f['properties']
        if p.get('scalerank') is None or p['scalerank'] > MAX_RANK:
            continue
        for part in f['geometry']['coordinates']:
            for run in clip_line([tuple(q) for q in part]):
                pts = simplify(rounded(run))
                if len(pts) >= 2:
                    lines.append('%s\t%s\t%d\t%s' % (p.get('name') or '', p.get('name_zh') or '',
                                                     p['scalerank'], fmt(pts)))
    counts['river_lines.tsv'] = lines

    lines = ['name\tpoints']
    seen = set()
    for f in load('borders_50m.geojson'):
        name = f['properties'].get('name') or ''
        for part in f['geometry']['coordinates']:
            pts = rounded([tuple(q) for q in part])
            run = []
            for a, b in zip(pts, pts[1:]):
                edge = (min(a, b), max(a, b))
                shared = (a in coast and b in coast) or edge in seen
                seen.add(edge)
                if shared or not (inside(a) and inside(b)):
                    if len(run) > 1:
                        lines.append('%s\t%s' % (name, fmt(simplify(run))))
                    run = []
                    continue
                if not run:
                    run = [a]
                run.append(b)
            if len(run) > 1:
                lines.append('%s\t%s' % (name, fmt(simplify(run))))
    counts['borders.tsv'] = lines

    for name, rows in counts.items():
        with open(os.path.join(out, name), 'w', encoding='utf-8') as f:
            f.write('\n'.join(rows) + '\n')
        points = sum(r.count(',') for r in rows[1:])
        print('%s: %d lines, %d points' % (name, len(rows) - 1, points))


if __name__ == '__main__':
    main()
