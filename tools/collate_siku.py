#!/usr/bin/env python3
"""One-off: collate the gazetteer against a second edition of the treatise,
the 文淵閣 四庫全書 text of 後漢書 郡國志 (卷二十九–三十三, mandoku plain text).

From the edition it keeps the treatise's own words: commentary in
parentheses, page marks, line ends and the volume's front and back matter
are dropped. It splits them into commanderies (name, 城 count, 戶 and 口
figures) and counties (the edition separates entries with a full-width
space; where it runs two together the next county's name splits them), in
the treatise's order, and aligns them with data/commanderies.tsv and
data/counties.tsv. It then compares, character by character, each name
(against `traditional`), each commandery's figures and each county's
unit + note (against the edition's words after the county's name).

Both sides are compared in one form: OpenCC t2jp, the import's character
table, and FOLD below for the edition's glyph variants, with the
gazetteer's punctuation removed; so only real differences remain. Every
difference is printed, one tab-separated line each:

    province  commandery  county  field  gazetteer  edition  class  context

`field` is name, cities, households, population or note; for a note the
gazetteer and edition columns hold the differing characters (empty where
one side has none) and `context` the gazetteer's text around them. `class`
comes from data/collation.tsv (same commandery, county, field, gazetteer
and edition), or is `unclassified`; a class that CLASSES below does not
define is printed as `undefined class …`. The summary on stderr ends with
each class, its count and what it means.

    python3 tools/collate_siku.py /work/shared/gazetteer/siku [data/]

Needs opencc (Debian: opencc). Not run by the build; exits 0.
"""
import csv
import difflib
import re
import sys
from pathlib import Path

# The edition's glyph variants, folded to the form the gazetteer's source
# table uses before both sides go through t2jp. Each is the same word in
# another glyph (the 四庫 copyists' forms), used so throughout the edition;
# a form met once, or one that could be another word (胊 for 朐, 已 for 己,
# 茍 for 苟), is left to data/collation.tsv instead, where a reason goes with it.
FOLD = {
    '𢎞': '弘',  # 弘農: 弘 with the 厶 written as 口
    '𤣥': '玄',  # 玄菟: 玄 without its last stroke (the Kangxi emperor's name 玄燁 is taboo)
    '竒': '奇',
    '㑹': '會',  # 會稽
    '𨽻': '隸',  # 司隸
    '髙': '高',  # the 髙 "ladder" form of 高
    '徳': '德',
    '栁': '柳',
    '夀': '壽',
    '衞': '衛',
    '宻': '密',
    '隂': '陰',
    '户': '戶',
    '乗': '乘',
    '㓂': '寇',
    '黒': '黑',
    '栢': '柏',
    '卭': '邛',  # 臨邛, 邛都
    '䝉': '蒙',
    '莵': '菟',  # 玄菟, 菟和山, 菟裘聚
    '𤓰': '瓜',  # 瓜里津
    '嵗': '歲',
    '郷': '鄉',
    '强': '強',
    '賔': '賓',
    '頼': '賴',
    '寃': '冤',  # 冤句
    '襃': '褒',  # 褒中
    '槖': '橐',
    '湼': '涅',  # 涅陽
    '羮': '羹',  # 不羹
    '歴': '歷',
    '絶': '絕',
    '緜': '綿',  # 綿竹, 綿虒
    '刪': '删',  # 删丹
    '吕': '呂',  # 呂, 大呂亭
    '兹': '茲',  # 茲氏, 龜茲, 景茲山
    '荆': '荊',
    '别': '別',
    '宫': '宮',
    '逺': '遠',
    '犂': '犁',
    '卧': '臥',
    '竝': '並',
    '攒': '攢',
    '䑕': '鼠',  # 鳥鼠同穴山
    '臯': '皐',  # 皐狼, 成皐
    '塪': '埳',  # 坎埳聚
    '坂': '阪',  # the edition writes 坂 for 阪 throughout: 蒲阪, 顛軨阪, 九折阪, 大阪
}

# The classes of data/collation.tsv, as data/README.md defines them.
CLASSES = {
    'gazetteer-error': "the gazetteer's own error, now fixed; `gazetteer` is the text before the fix",
    'edition-variant': "the editions differ and the gazetteer's reading is kept",
    'glyph-variant': 'the same word in another glyph, kept',
    'edition-error': "the second edition's own error (the source table's witness does not share it), kept",
    'emended': 'both witnesses share the reading and the gazetteer emends it from another source, '
               'named in the reason (漢書 地理志, the edition\'s own 考證, a commentary)',
}

# Commentary "(…/…)", page marks, line ends.
_PB = re.compile(r'<pb:[^>]*>')
# &KR0739; entities and [車*犬]-style compositions: one character each.
_ENTITY = re.compile(r'&(KR\d+);|(\[[^\]\[]*\*[^\]\[]*\])')
_NUM = '零一二三四五六七八九十百千萬万'  # t2jp writes 萬 as 万
_HEAD_TAIL = re.compile(r'(?:([%s]+)城)?(?:永和五年)?(?:都尉)?(?:[戶戸]([%s]+))?(?:口([%s]+))?'
                        % (_NUM, _NUM, _NUM))
_TALLY = re.compile(r'^右.*部')
_PUNCT = re.compile(r'[。，、；：]')

# The gazetteer's own character table (the import's), applied to both sides.
sys.dont_write_bytecode = True  # leave no __pycache__ in tools/
sys.path.insert(0, str(Path(__file__).resolve().parent))
from import_gazetteer import NAME_CHARS, t2jp  # noqa: E402

NOTE_CHARS = {k: v for k, v in NAME_CHARS.items() if k != '予'}


def cn_number(s):
    """二十萬八千四百八十六 -> 208486; 百一萬 -> 1010000; 萬七千 -> 17000."""
    digits = dict(zip('零一二三四五六七八九', range(10)))

    def small(t):
        total, cur = 0, None
        for ch in t:
            if ch in digits:
                cur = digits[ch]
            else:
                unit = {'十': 10, '百': 100, '千': 1000}[ch]
                total += (1 if cur is None else cur) * unit
                cur = None
        return total + (cur or 0)
    s = s.replace('万', '萬')
    if '萬' in s:
        hi, lo = s.split('萬', 1)
        return (small(hi) if hi else 1) * 10000 + small(lo)
    return small(s)


class Entities:
    """Characters without a code point (&KR0739;) become private-use
    characters for the comparison and are printed back as entities."""

    def __init__(self):
        self.to_pua, self.back = {}, {}

    def sub(self, text):
        def one(m):
            shown = '&%s;' % m.group(1) if m.group(1) else m.group(2)
            if shown not in self.to_pua:
                c = chr(0xE000 + len(self.to_pua))
                self.to_pua[shown] = c
                self.back[c] = shown
            return self.to_pua[shown]
        return _ENTITY.sub(one, text)

    def show(self, text):
        return ''.join(self.back.get(c, c) for c in text)


def treatise_words(path, ents):
    """The volume's text outside parentheses, one string; full-width spaces
    (the edition's entry separators) kept."""
    lines = [l for l in path.read_text(encoding='utf-8').split('\n') if not l.startswith('#')]
    text = _PB.sub('', ''.join(l.replace('¶', '') for l in lines))
    out, depth = [], 0
    for ch in text:
        if ch == '(':
            depth += 1
        elif ch == ')':
            depth -= 1
        elif depth == 0:
            out.append(ch)
    assert depth == 0, path
    text = ''.join(out)
    text = re.sub(r'戶\u3000+', '戶', text.replace('户', '戶'))  # 北地郡: "户　千一百"
    # The volume's back matter (考證) and the treatise's closing summary.
    text = re.sub(r'後漢書卷[^\u3000]*\u3000*後漢書卷.*', '', text, flags=re.S)
    text = re.sub(r'漢書地理志承秦.*', '', text, flags=re.S)
    return ents.sub(text)


def fold(texts):
    """One comparison form: glyph folds, t2jp, the import's table, no
    punctuation. Keeps the length of each text (asserted)."""
    pre = [''.join(FOLD.get(c, c) for c in t) for t in texts]
    conv = t2jp(pre)
    res = []
    for a, b in zip(pre, conv):
        assert len(a) == len(b), a
        res.append(''.join('豫' if x == '豫' else NOTE_CHARS.get(y, y) for x, y in zip(a, b)))
    return res


def read_tsv(path):
    lines = [l for l in path.read_text(encoding='utf-8').split('\n') if l and not l.startswith('#')]
    header = lines[0].split('\t')
    return [dict(zip(header, l.split('\t'))) for l in lines[1:]]


def main():
    siku = Path(sys.argv[1])
    data = Path(sys.argv[2]) if len(sys.argv) > 2 else Path(__file__).resolve().parent.parent / 'data'
    ents = Entities()
    raw = [treatise_words(p, ents) for p in sorted(siku.glob('0[23][0-9].txt'))]
    vols = fold(raw)

    comms = read_tsv(data / 'commanderies.tsv')
    counties = read_tsv(data / 'counties.tsv')
    classes = {}
    if (data / 'collation.tsv').exists():
        for r in read_tsv(data / 'collation.tsv'):
            cls = r['class'] if r['class'] in CLASSES else 'undefined class %s' % r['class']
            classes[(r['commandery'], r['county'], r['field'], r['gazetteer'], r['edition'])] = cls
    by_comm = {}
    for c in counties:
        by_comm.setdefault(c['commandery'], []).append(c)

    g_comm_names = fold([c['traditional'] for c in comms])
    g_county_names = fold([c['traditional'] for c in counties])
    # unit + note, as the text reads on after the name; a 道 whose name
    # already ends in 道 (湔氐道) is not written twice.
    g_notes = fold([_PUNCT.sub('', ('' if c['traditional'].endswith(c['unit']) else c['unit']) + c['note'])
                    for c in counties])
    cidx = {id(c): i for i, c in enumerate(counties)}

    # Locate each commandery's heading in order; its body runs to the next.
    text = '\u3000'.join(vols)
    pos, heads = 0, []
    for j, (c, name) in enumerate(zip(comms, g_comm_names)):
        m = None
        for k in range(len(name), 0, -1):  # a heading whose name the edition writes otherwise
            rx = re.compile(re.escape(name[:k]) + '.{%d}' % (len(name) - k) if k < len(name)
                            else re.escape(name))
            for mm in rx.finditer(text, pos):
                t = _HEAD_TAIL.match(text, mm.end())
                # A heading gives figures; one without (遼東屬國) only where
                # the gazetteer has none either.
                if t.end() > mm.end() or not (c['cities'] or c['households']):
                    m = (mm.start(), mm.end(), t)
                    break
            if m:
                break
        if not m:
            raise SystemExit('heading not found: %s' % c['name'])
        heads.append(m)
        pos = m[2].end()

    out = []

    def emit(c, county, field, g, e, ctx=''):
        e = ents.show(e)
        cls = classes.get((c['name'], county, field, g, e), 'unclassified')
        out.append('\t'.join([c['province'], c['name'], county, field, g, e, cls, ctx]))

    for j, c in enumerate(comms):
        start, name_end, t = heads[j]
        end = heads[j + 1][0] if j + 1 < len(heads) else len(text)
        body = text[t.end():end]
        ename = text[start:name_end]
        if ename != g_comm_names[j]:
            emit(c, '', 'name', g_comm_names[j], ename)
        for field, grp in (('cities', 1), ('households', 2), ('population', 3)):
            e = str(cn_number(t.group(grp))) if t.group(grp) else ''
            if e != c[field]:
                emit(c, '', field, c[field], e)
        segs = [s for s in body.split('\u3000') if s]
        # A province's tally closes its last commandery; what follows it is
        # the next volume's front matter.
        for q, seg in enumerate(segs):
            if _TALLY.match(seg):
                del segs[q:]
                break
        rows = by_comm[c['name']]
        names = [g_county_names[cidx[id(r)]] for r in rows]
        si, cur = 0, (segs[0] if segs else None)
        for k, r in enumerate(rows):
            i = cidx[id(r)]
            n = names[k]
            nn = names[k + 1] if k + 1 < len(rows) else None
            nxt = segs[si + 1] if si + 1 < len(segs) else None
            nnn = names[k + 2] if k + 2 < len(rows) else None
            if cur is None:
                emit(c, r['name'], 'name', n, '', 'not in the edition')
                continue
            if not cur.startswith(n) and nn and cur.startswith(nn):
                emit(c, r['name'], 'name', n, '', 'not in the edition')
                continue
            if cur.startswith(n):
                en = n
            else:
                # A name the edition writes otherwise: it ends where the
                # rest reads most like the gazetteer's unit + note.
                # Not past its own length when the next entry runs on in it.
                runs_on = nn and nxt and nnn and nxt.startswith(nnn) and not nxt.startswith(nn)
                best = max(range(1, min(len(cur), len(n) + (0 if runs_on else 1)) + 1),
                           key=lambda L: (difflib.SequenceMatcher(None, cur[L:], g_notes[i],
                                                                  autojunk=False).ratio(), L == len(n)))
                en = cur[:best]
            rest = cur[len(en):]
            cur = None
            if nn and not (nxt and nxt.startswith(nn)):
                # Two entries run together: the next name splits them; where
                # the edition writes that name otherwise and the entry after
                # it opens the next segment, it splits at the likeliest place.
                p = rest.find(nn)
                if p < 0 and (nxt is None and nnn is None or nxt and nnn and nxt.startswith(nnn)):
                    score = [(sum(a == b for a, b in zip(rest[q:], nn)), q) for q in range(len(rest))]
                    if score and max(score)[0] > 0:
                        p = max(score, key=lambda x: (x[0], -x[1]))[1]
                if p >= 0:
                    rest, cur = rest[:p], rest[p:]
            if cur is None:
                si += 1
                cur = segs[si] if si < len(segs) else None
            if en != n:
                emit(c, r['name'], 'name', n, en)
            g = g_notes[i]
            if g != rest:
                sm = difflib.SequenceMatcher(None, g, rest, autojunk=False)
                for op, a0, a1, b0, b1 in sm.get_opcodes():
                    if op != 'equal':
                        ctx = g[max(0, a0 - 4):a0] + '[' + g[a0:a1] + '|' + ents.show(rest[b0:b1]) + ']' + g[a1:a1 + 4]
                        emit(c, r['name'], 'note', g[a0:a1], rest[b0:b1], ctx)
        if cur is not None or si + 1 < len(segs):
            left = ([cur] if cur else []) + segs[si + 1:]
            emit(c, '', 'note', '', ''.join(left), 'edition text after the last county')

    sys.stdout.write(''.join(l + '\n' for l in out))
    counts = {}
    for l in out:
        counts[l.split('\t')[6]] = counts.get(l.split('\t')[6], 0) + 1
    print('%d differences: %s' % (len(out), ', '.join('%s %d' % kv for kv in sorted(counts.items()))),
          file=sys.stderr)
    for cls, meaning in CLASSES.items():
        print('  %s (%d): %s' % (cls, counts.get(cls, 0), meaning), file=sys.stderr)
    return 0


if __name__ == '__main__':
    sys.exit(main())
