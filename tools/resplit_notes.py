#!/usr/bin/env python3
"""One-off: re-split the county notes from the treatise table and rederive
products, rewriting only the `note`, `products` and `unit` columns of
data/counties.tsv, and recording every change in data/notes_review.tsv.

The table's notes were cut from the treatise's running text at the first
occurrence of the next county's name; per commandery, the names and notes
in order concatenate back into that text, and the cut is moved here to the
occurrence that starts the entry. The rest (misprinted names whose text
form stayed in a neighbour's note, a province tally, the unit written in
the note as well as in its column) is handled case by case below; every
case was checked by reading the whole table.

    python3 tools/resplit_notes.py /path/to/junguozhi.tsv data/
Needs opencc (Debian: opencc). Not run by the build.
"""
import csv
import re
import sys
from pathlib import Path

from import_gazetteer import t2jp  # the same conversion the import used

UNIT = {'COUNTY': '', 'DAO': '道', 'MARQUISATE': '侯國', 'TOWN': '邑'}
UNIT_JP = {'': '', '道': '道', '侯國': '侯国', '邑': '邑'}

# (commandery, county) -> (traditional note, reason). Each is a county whose
# note held a leftover of a neighbour's misprinted or variant name, or lost
# text the treatise has.
OVERRIDES = {
    ('汝南郡', '慎陽'): ('', 'the next county\'s name 慎 (text 愼) left in the note'),
    ('汝南郡', '新息'): ('', 'the unit\'s 國 left in the note; the unit column holds 侯国'),
    ('勃海郡', '東光'): ('', 'the next county 章武 (the text drops 章) left in the note as 武'),
    ('交趾郡', '羸𨻻'): ('', 'the next county 安定 (text order garbled) left in the note as 定'),
    ('交趾郡', '西于'): ('', 'the next county 朱䳒 (glyph lost: 朱觏) left in the note'),
    ('武威郡', '鸞鳥'): ('', 'the next county 樸劚 (glyph lost: 樸峦) left in the note'),
    ('涿郡', '涿'): ('', 'the next county 迺 and its unit left in the note'),
    ('鉅鹿郡', '平鄉'): ('', 'the next county 南䜌 (composed glyph: 南讀) left in the note'),
    ('北海國', '下密'): ('安帝復', 'the next county 挺 (text misprint 拒) left in the note'),
    ('益州郡', '賁古'): ('采山出銅、錫。羊山出銀、鉛',
                      'the next county 毋棳 (text misprint 母掇) left in the note'),
    ('安平國', '南深澤'): ('故屬涿', 'the misprinted name\'s 國 (for 澤) left in the note'),
    ('北地郡', '廉'): ('', 'the next county 參䜌 (glyph lost: 參讀) and its note were in this note'),
    ('北地郡', '參䜌'): ('故屬安定', 'its note was in 廉\'s note after its lost-glyph name 參讀'),
    ('廬江郡', '襄安'): ('', 'the next county 皖 (text 晥) and its note were in this note'),
    ('廬江郡', '皖'): ('有鐵', 'its note was in 襄安\'s note after its text form 晥'),
    ('魏郡', '元城'): ('五鹿墟，故沙鹿，有沙亭',
                     'the table lost 五鹿; restored as the Shuijing zhu quotes the treatise'),
    ('汝南郡', '陽安'): ('有道亭，故國', 'the table lost the opening 有; restored as the treatise reads'),
    ('巴郡', '魚復'): ('扞水有扞關', 'the table has 扦 for the second 扞 (扞關), as editions of the treatise read'),
    ('廬江郡', '六安'): ('', 'the note was the 國 of 侯國; unit set to 侯国 (the 侯 is missing in the table)'),
}
UNIT_OVERRIDES = {('廬江郡', '六安'): '侯国', ('涿郡', '迺'): '侯国'}

# A province's closing tally ("右司隸校尉部，郡七，…") ends the last county's note.
TALLY = re.compile(r'[。，]?右[^。，]*部，郡[一二三四五六七八九十]+.*$')

# Products a note says the county has or yields, in the note's order:
# 有鐵, 有鹽池, 出銅、錫, 出美玉, 黃金采. Not a place named after one
# (有漆水, 有丹陽聚, 有玉門關, 有金馬碧雞).
PRODUCT_WORDS = ['雄黃', '雌黃', '文石', '鐵', '鹽', '銅', '錫', '銀', '鉛', '金', '丹', '玉', '瓜']
MINERALS = ['鐵', '鹽', '銅', '錫', '銀', '鉛', '金', '丹', '玉']
_PW = '|'.join(PRODUCT_WORDS)
_PLACE_AFTER = '水亭聚陽山城馬谷鄉澤陵門關里'
_HAS_RE = re.compile(r'有((?:(?:%s)、?)+)(?![%s])' % ('|'.join(MINERALS), _PLACE_AFTER))
_YIELDS_RE = re.compile(r'出美?((?:(?:%s)、?)+)' % _PW)
_MINED_RE = re.compile(r'黃?(%s)采' % '|'.join(MINERALS))


def products_of(note):
    found = []
    for m in sorted([*_HAS_RE.finditer(note), *_YIELDS_RE.finditer(note), *_MINED_RE.finditer(note)],
                    key=lambda m: m.start()):
        for w in re.findall(_PW, m.group(1)):
            if w not in found:
                found.append(w)
    return found


# Characters a Japanese reader keeps as the treatise writes them: t2jp turns
# 豫 (豫章) into 予, a different word in Japanese.
KEEP = set('豫')
# What the import's name table also changes (its forms are the ones names use).
NOTE_CHARS = {'閒': '間', '眾': '衆', '蟬': '蝉', '瀆': '涜', '俞': '兪', '毗': '毘', '鴈': '雁'}


def jp_note(trad, conv):
    if len(trad) != len(conv):
        raise SystemExit(f'conversion changed the length of {trad}')
    return ''.join(t if t in KEEP else NOTE_CHARS.get(c, c) for t, c in zip(trad, conv))


def resplit(group):
    """group: list of [county, note] (traditional) of one commandery. Moves a
    cut that fell at an earlier occurrence of a county's name: the entry
    starts where the name opens the note or follows a full stop in it."""
    changed = {}
    for i in range(1, len(group)):
        name, note = group[i]
        k = 0 if note.startswith(name) else note.find('。' + name) + 1
        if k == 0 and not note.startswith(name):
            continue
        prev = group[i - 1][1] + name + note[:k]
        group[i - 1][1] = prev.rstrip('。，')
        group[i][1] = note[k + len(name):].lstrip('。，')
        changed[i - 1] = changed[i] = 'cut at an earlier occurrence of %s; moved to where its entry starts' % name
    return changed


def main():
    src_path, data = Path(sys.argv[1]), Path(sys.argv[2])
    src = list(csv.DictReader(src_path.open(encoding='utf-8'), delimiter='\t'))
    lines = (data / 'counties.tsv').read_text(encoding='utf-8').split('\n')
    header = lines[0].split('\t')
    rows = [l.split('\t') for l in lines[1:] if l]
    assert len(rows) == len(src) == 1181
    col = {c: header.index(c) for c in header}

    reasons = [[] for _ in src]
    trad = [s['note'] for s in src]
    units = [UNIT[s['unit_type']] for s in src]

    # Re-split per commandery.
    start = 0
    while start < len(src):
        end = start
        while end < len(src) and src[end]['commandery'] == src[start]['commandery']:
            end += 1
        group = [[src[j]['county'], trad[j]] for j in range(start, end)]
        for i, why in resplit(group).items():
            reasons[start + i].append(why)
        for j in range(start, end):
            trad[j] = group[j - start][1]
        start = end

    for j, s in enumerate(src):
        key = (s['commandery'], s['county'])
        if key in OVERRIDES:
            trad[j], why = OVERRIDES[key]
            reasons[j].append(why)
            continue
        t = TALLY.sub('', trad[j])
        if t != trad[j]:
            trad[j] = t
            reasons[j].append('the province\'s closing tally removed')
        u = units[j]
        if u and trad[j].startswith(u):
            trad[j] = trad[j][len(u):].lstrip('。，')
            reasons[j].append('unit removed from the note; the unit column holds it')

    conv = t2jp(trad)
    review = []
    for j, (s, r) in enumerate(zip(src, rows)):
        note = jp_note(trad[j], conv[j])
        prods = products_jp(products_of(trad[j]))
        key = (s['commandery'], s['county'])
        unit = UNIT_OVERRIDES.get(key, r[col['unit']])
        before = (r[col['unit']], r[col['note']], r[col['products']])
        if '豫' in trad[j] and '予' in r[col['note']]:
            reasons[j].append('豫 kept (豫章), not converted to 予')
        r[col['note']] = note
        r[col['products']] = prods
        r[col['unit']] = unit
        after = (unit, note, prods)
        if before != after:
            why = list(reasons[j])
            if before[2] != after[2]:
                why.append('products taken from the note: %s' % (after[2] or 'none'))
            if before[0] != after[0]:
                why.append('unit %s' % (after[0] or 'none'))
            review.append([r[col['commandery']], r[col['name']],
                           '|'.join(before), '|'.join(after), '; '.join(why)])

    (data / 'counties.tsv').write_text(
        '\n'.join(['\t'.join(header)] + ['\t'.join(r) for r in rows]) + '\n', encoding='utf-8')
    with (data / 'notes_review.tsv').open('w', encoding='utf-8') as f:
        f.write('# Every change to a county\'s unit, note or products when the notes were re-split\n'
                '# from the treatise; before and after are unit|note|products.\n')
        f.write('commandery\tname\tbefore\tafter\treason\n')
        for row in review:
            f.write('\t'.join(row) + '\n')
    print(f'{len(review)} rows changed', file=sys.stderr)


_PRODUCT_JP = {'雄黃': '雄黄', '雌黃': '雌黄', '鐵': '鉄', '鹽': '塩'}


def products_jp(words):
    return '・'.join(_PRODUCT_JP.get(w, w) for w in words)


if __name__ == '__main__':
    main()
