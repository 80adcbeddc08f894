#!/usr/bin/env python3
"""One-time import of the treatise table into data/.

Reads the traditional-character table (junguozhi.tsv), converts names and
notes to the forms a Japanese reader types (OpenCC t2jp plus the overrides
below), builds on'yomi readings from KANJIDIC (kan-on preferred, overrides
below), and writes data/provinces.tsv, data/commanderies.tsv,
data/counties.tsv and data/katakana.tsv.

After the import the files in data/ are the source of truth: correct them
there, not here. Run again only to start over, which replaces those
corrections and so must be asked for:
    python3 tools/import_gazetteer.py [--force] /path/to/junguozhi.tsv data/

The files are written into a temporary directory first and moved into place
only when all four are complete, so a failed run leaves data/ as it was.
"""
import argparse
import csv
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

KANJIDIC = Path('/usr/share/edict/kanjidic')

# Japanese forms t2jp does not give, or gives in a form a reader would not type.
NAME_CHARS = {
    '閒': '間', '眾': '衆', '蟬': '蝉', '瀆': '涜', '俞': '兪', '毗': '毘',
    '鴈': '雁', '予': '豫',  # 予 only comes from 豫: keep 豫章 as 豫州 is kept
}
WHOLE_NAMES = {
    '牂牁郡': '牂柯郡',  # the common form; one glyph instead of two
}

PROVINCES = [
    # label as the catalogue lists it, Japanese form, traditional, reading
    ('司隸校尉', '司隷', '司隸', 'しれい'),
    ('豫州', '豫州', '豫州', 'よしゅう'),
    ('冀州', '冀州', '冀州', 'きしゅう'),
    ('エン州', '兗州', '兗州', 'えんしゅう'),
    ('徐州', '徐州', '徐州', 'じょしゅう'),
    ('青州', '青州', '青州', 'せいしゅう'),
    ('荊州', '荊州', '荊州', 'けいしゅう'),
    ('揚州', '揚州', '揚州', 'ようしゅう'),
    ('益州', '益州', '益州', 'えきしゅう'),
    ('涼州', '涼州', '涼州', 'りょうしゅう'),
    ('并州', '并州', '并州', 'へいしゅう'),
    ('幽州', '幽州', '幽州', 'ゆうしゅう'),
    ('交州', '交州', '交州', 'こうしゅう'),
]

# Every commandery reading, checked by hand.
COMMANDERY_READINGS = {
    '河南尹': 'かなんいん', '河内郡': 'かだいぐん', '河東郡': 'かとうぐん',
    '弘農郡': 'こうのうぐん', '京兆尹': 'けいちょういん', '左馮翊': 'さひょうよく',
    '右扶風': 'ゆうふふう', '潁川郡': 'えいせんぐん', '汝南郡': 'じょなんぐん',
    '梁国': 'りょうこく', '沛国': 'はいこく', '陳国': 'ちんこく', '魯国': 'ろこく',
    '魏郡': 'ぎぐん', '鉅鹿郡': 'きょろくぐん', '常山国': 'じょうざんこく',
    '中山国': 'ちゅうざんこく', '安平国': 'あんぺいこく', '河間国': 'かかんこく',
    '清河国': 'せいかこく', '趙国': 'ちょうこく', '勃海郡': 'ぼっかいぐん',
    '陳留郡': 'ちんりゅうぐん', '東郡': 'とうぐん', '東平国': 'とうへいこく',
    '任城国': 'じんじょうこく', '泰山郡': 'たいざんぐん', '済北国': 'せいほくこく',
    '山陽郡': 'さんようぐん', '済陰郡': 'せいいんぐん', '東海郡': 'とうかいぐん',
    '琅邪国': 'ろうやこく', '彭城国': 'ほうじょうこく', '広陵郡': 'こうりょうぐん',
    '下邳国': 'かひこく', '済南国': 'せいなんこく', '平原郡': 'へいげんぐん',
    '楽安国': 'らくあんこく', '北海国': 'ほっかいこく', '東莱郡': 'とうらいぐん',
    '斉国': 'せいこく', '南陽郡': 'なんようぐん', '南郡': 'なんぐん',
    '江夏郡': 'こうかぐん', '零陵郡': 'れいりょうぐん', '桂陽郡': 'けいようぐん',
    '武陵郡': 'ぶりょうぐん', '長沙郡': 'ちょうさぐん', '九江郡': 'きゅうこうぐん',
    '丹陽郡': 'たんようぐん', '廬江郡': 'ろこうぐん', '会稽郡': 'かいけいぐん',
    '呉郡': 'ごぐん', '豫章郡': 'よしょうぐん', '漢中郡': 'かんちゅうぐん',
    '巴郡': 'はぐん', '広漢郡': 'こうかんぐん', '蜀郡': 'しょくぐん',
    '犍為郡': 'けんいぐん', '牂柯郡': 'そうかぐん', '越巂郡': 'えっすいぐん',
    '益州郡': 'えきしゅうぐん', '永昌郡': 'えいしょうぐん',
    '広漢属国': 'こうかんぞっこく', '蜀郡属国': 'しょくぐんぞっこく',
    '犍為属国': 'けんいぞっこく', '隴西郡': 'ろうせいぐん', '漢陽郡': 'かんようぐん',
    '武都郡': 'ぶとぐん', '金城郡': 'きんじょうぐん', '安定郡': 'あんていぐん',
    '北地郡': 'ほくちぐん', '武威郡': 'ぶいぐん', '張掖郡': 'ちょうえきぐん',
    '酒泉郡': 'しゅせんぐん', '敦煌郡': 'とんこうぐん',
    '張掖属国': 'ちょうえきぞっこく', '張掖居延属国': 'ちょうえききょえんぞっこく',
    '上党郡': 'じょうとうぐん', '太原郡': 'たいげんぐん', '上郡': 'じょうぐん',
    '西河郡': 'せいかぐん', '五原郡': 'ごげんぐん', '雲中郡': 'うんちゅうぐん',
    '定襄郡': 'ていじょうぐん', '雁門郡': 'がんもんぐん', '朔方郡': 'さくほうぐん',
    '涿郡': 'たくぐん', '広陽郡': 'こうようぐん', '代郡': 'だいぐん',
    '上谷郡': 'じょうこくぐん', '漁陽郡': 'ぎょようぐん',
    '右北平郡': 'ゆうほくへいぐん', '遼西郡': 'りょうせいぐん',
    '遼東郡': 'りょうとうぐん', '玄菟郡': 'げんとぐん', '楽浪郡': 'らくろうぐん',
    '遼東属国': 'りょうとうぞっこく', '南海郡': 'なんかいぐん',
    '蒼梧郡': 'そうごぐん', '鬱林郡': 'うつりんぐん', '合浦郡': 'ごうほぐん',
    '交趾郡': 'こうしぐん', '九真郡': 'きゅうしんぐん', '日南郡': 'じつなんぐん',
}

# County names whose established reading is not the sum of its characters.
COUNTY_READINGS = {
    '雒陽': 'らくよう', '長安': 'ちょうあん', '浩亹': 'こうもん', '盱台': 'くい',
    '沙羨': 'さい', '安平': 'あんぺい', '泰山': 'たいざん', '中山': 'ちゅうざん',
    '常山': 'じょうざん', '北海': 'ほっかい', '上邽': 'じょうけい', '亀茲属国': 'きゅうじぞっこく',
    '下邳': 'かひ', '高句驪': 'こうくり', '番禺': 'ばんぐう', '龍編': 'りょうへん',
    '邯鄲': 'かんたん', '朐忍': 'くじん', '犍為': 'けんい', '句町': 'こうてい',
    '敦煌': 'とんこう', '単父': 'ぜんぽ', '蕃': 'ひ', '酇': 'さん', '樸劚': 'ぼくちょく',
    '𧦦邯': 'ねんかん', '羸𨻻': 'るいろう', '葉': 'しょう', '黽池': 'べんち',
}

# On'yomi per character where KANJIDIC's first reading is not the one wanted
# (go-on listed first, or a reading only a Han place name uses), and for
# characters KANJIDIC lacks.
CHAR_ON = {
    '楽': 'ラク', '無': 'ブ', '封': 'ホウ', '竜': 'リョウ', '大': 'タイ', '済': 'セイ',
    '台': 'タイ', '次': 'ジ', '京': 'ケイ', '土': 'ト', '重': 'チョウ', '艾': 'ガイ',
    '相': 'ショウ', '雉': 'チ', '靡': 'ビ', '街': 'カイ', '内': 'ダイ', '和': 'カ',
    '巻': 'ケン', '右': 'ユウ', '幕': 'バク', '臧': 'ソウ', '婁': 'ロウ', '弥': 'ビ',
    '己': 'キ', '戚': 'セキ', '日': 'ジツ', '沃': 'ヨク', '涅': 'デツ', '茲': 'ジ',
    '蓼': 'リョウ', '八': 'ハツ', '六': 'リク', '卞': 'ヘン', '呂': 'リョ', '末': 'バツ',
    '布': 'ホ', '宗': 'ソウ', '挺': 'テイ', '曼': 'バン', '那': 'ダ', '枳': 'シ',
    '潼': 'トウ', '歙': 'ショウ', '沾': 'テン', '烝': 'ショウ', '孟': 'ボウ', '由': 'ユウ',
    '秣': 'バツ', '竟': 'ケイ', '粟': 'ショク', '畤': 'シ', '沂': 'キ', '荼': 'ト',
    '万': 'バン', '蒙': 'ボウ', '蕃': 'ハン', '示': 'シ', '迺': 'ダイ', '鏤': 'ロウ',
    '須': 'シュ', '鬲': 'レキ', '任': 'ジン', '忍': 'ジン', '楪': 'ヨウ', '沐': 'ボク',
    '乗': 'ジョウ', '間': 'カン', '邪': 'ヤ',
    # not in KANJIDIC
    '氐': 'テイ', '雒': 'ラク', '莋': 'サク', '鄣': 'ショウ', '朐': 'ク', '汶': 'ブン',
    '沅': 'ゲン', '涿': 'タク', '睢': 'スイ', '邳': 'ヒ', '䜌': 'ラン', '茌': 'シ',
    '巂': 'スイ', '甯': 'ネイ', '虒': 'シ', '泠': 'レイ', '洮': 'トウ', '涇': 'ケイ',
    '涪': 'フウ', '犍': 'ケン', '菑': 'シ', '邛': 'キョウ', '菀': 'エン', '蘄': 'キ',
    '贛': 'カン', '鄡': 'キョウ', '鄢': 'エン', '涜': 'トク', '雩': 'ウ', '邽': 'ケイ',
    '陘': 'ケイ', '邡': 'ホウ', '兪': 'ユ', '傂': 'シ', '僰': 'ホク', '剡': 'セン',
    '匽': 'エン', '蝉': 'セン', '洭': 'キョウ', '墊': 'テン', '嬴': 'エイ', '衆': 'シュウ',
    '崞': 'カク', '廮': 'エイ', '惤': 'ケン', '睪': 'コウ', '拼': 'ヘイ', '揟': 'ショ',
    '䳒': 'エン', '栒': 'ジュン', '梇': 'ロウ', '楨': 'テイ', '涫': 'カン', '劚': 'チョク',
    '棳': 'セツ', '毘': 'ヒ', '汧': 'ケン', '沔': 'ベン', '泫': 'ケン', '洨': 'コウ',
    '亹': 'ビ', '浿': 'ハイ', '淩': 'リョウ', '湔': 'セン', '湞': 'テイ', '溧': 'リツ',
    '滇': 'テン', '潞': 'ロ', '濦': 'イン', '濩': 'カク', '灈': 'ク', '熒': 'ケイ',
    '牂': 'ソウ', '柯': 'カ', '鞞': 'ヘイ', '犨': 'シュウ', '狋': 'ギン', '獷': 'コウ',
    '盱': 'ク', '碭': 'トウ', '祋': 'タイ', '祤': 'ウ', '厲': 'レイ', '秭': 'シ',
    '緱': 'コウ', '繒': 'ソウ', '𨻻': 'ロウ', '莒': 'キョ', '觻': 'ロク', '譙': 'ショウ',
    '豲': 'カン', '軑': 'タイ', '軹': 'シ', '邔': 'キ', '邾': 'チュ', '郃': 'コウ',
    '郪': 'セイ', '郫': 'ヒ', '郯': 'タン', '郴': 'チン', '郾': 'エン', '郿': 'ビ',
    '鄀': 'ジャク', '鄃': 'ユ', '鄄': 'ケン', '鄔': 'オ', '鄚': 'バク', '鄞': 'ギン',
    '鄠': 'コ', '鄧': 'トウ', '鄨': 'ヘツ', '鄮': 'ボウ', '鄱': 'ハ', '鄳': 'ボウ',
    '鄴': 'ギョウ', '酃': 'レイ', '酇': 'サン', '酈': 'レキ', '鞮': 'テイ', '銍': 'チツ',
    '閬': 'ロウ', '翟': 'テキ', '雊': 'コウ', '瞀': 'ボウ', '騶': 'スウ', '靬': 'ケン',
    '鮦': 'チュウ', '鸇': 'セン', '麊': 'ビ', '𧦦': 'ネン', '羸': 'ルイ', '兗': 'エン',
    # only in notes, for their katakana
    '媯': 'キ', '峦': 'ラン', '扦': 'カン', '羛': 'ギ', '苲': 'サク', '觏': 'コウ', '郚': 'ゴ',
    '郱': 'ヘイ', '鄤': 'バン', '鄾': 'ユウ', '酅': 'ケイ', '騩': 'キ',
}

UNIT = {'COUNTY': '', 'DAO': '道', 'MARQUISATE': '侯国', 'TOWN': '邑'}

# Products the notes name, in the order they are listed.
PRODUCTS = [('鐵', '鉄'), ('鹽', '塩'), ('銅', '銅'), ('錫', '錫'), ('銀', '銀'),
            ('鉛', '鉛'), ('金', '金'), ('丹', '丹'), ('漆', '漆'), ('橘', '橘'), ('玉', '玉')]
_PRODUCT_CHARS = ''.join(t for t, _ in PRODUCTS)
# "有鐵", "出銀、鉛", "黃金采"; not "有漆水", "有丹陽聚", "有金馬碧雞".
_PRODUCT_RE = re.compile(r'(?:有|出|采)((?:[%s]、?)+)(?![水亭聚陽山城馬谷鄉澤陵])' % _PRODUCT_CHARS)
_PRODUCT_AFTER_RE = re.compile(r'([%s])采' % _PRODUCT_CHARS)


def products(note):
    found = set()
    for m in _PRODUCT_RE.finditer(note):
        found.update(c for c in m.group(1) if c != '、')
    for m in _PRODUCT_AFTER_RE.finditer(note):
        found.add(m.group(1))
    return '・'.join(j for t, j in PRODUCTS if t in found)


def t2jp(lines):
    out = subprocess.run(['opencc', '-c', 't2jp.json'], input='\n'.join(lines) + '\n',
                         capture_output=True, text=True, check=True).stdout
    res = out.split('\n')[:len(lines)]
    assert len(res) == len(lines)
    return res


def jp_name(trad, converted):
    if trad in WHOLE_NAMES:
        return WHOLE_NAMES[trad]
    name = ''.join(NAME_CHARS.get(c, c) for c in converted)
    return WHOLE_NAMES.get(name, name)


def jp_note(converted):
    # 予 in a note is the word 予, not a converted 豫.
    return ''.join(c if c == '予' else NAME_CHARS.get(c, c) for c in converted)


def load_kanjidic():
    ons = {}
    text = KANJIDIC.read_bytes().decode('euc_jp', errors='replace')
    for line in text.splitlines():
        if line.startswith('#'):
            continue
        parts = line.split()
        readings = []
        for p in parts[1:]:
            if p in ('T1', 'T2'):
                break  # name readings follow
            if re.fullmatch(r'[\u30a1-\u30fa]+', p):
                readings.append(p)
        if readings:
            ons[parts[0]] = readings[0]
    return ons


def kata_to_hira(s):
    return ''.join(chr(ord(c) - 0x60) if '\u30a1' <= c <= '\u30f6' else c for c in s)


K_ROW = set('カキクケコガギグゲゴ')
S_ROW = set('サシスセソ')
T_ROW = set('タチツテト')
H_ROW = 'ハヒフヘホ'
P_ROW = 'パピプペポ'


def join_readings(parts):
    """Joins per-character readings with the usual sound changes:
    ツ before k/s/t/h becomes ッ (h then p); ク before k becomes ッ."""
    out = list(parts)
    for i in range(len(out) - 1):
        a, b = out[i], out[i + 1]
        if not a or not b:
            continue
        if a.endswith('ツ') and (b[0] in K_ROW - set('ガギグゲゴ') or b[0] in S_ROW or b[0] in T_ROW or b[0] in H_ROW):
            out[i] = a[:-1] + 'ッ'
            if b[0] in H_ROW:
                out[i + 1] = P_ROW[H_ROW.index(b[0])] + b[1:]
        elif a.endswith('ク') and b[0] in 'カキクケコ':
            out[i] = a[:-1] + 'ッ'
    return ''.join(out)


def reading_of(name, ons):
    if name in COUNTY_READINGS:
        return COUNTY_READINGS[name]
    suffix = ''
    if name.endswith('属国') and len(name) > 2:
        name, suffix = name[:-2], 'ぞっこく'
    parts = []
    for c in name:
        r = CHAR_ON.get(c) or ons.get(c)
        if not r:
            raise SystemExit(f'no reading for {c} in {name}')
        parts.append(r)
    return kata_to_hira(join_readings(parts)) + suffix


def cp932_ok(c):
    try:
        c.encode('cp932')
        return True
    except UnicodeEncodeError:
        return False


def unihan_on():
    """kJapaneseOn from Debian's unicode-data, if installed: only used for
    note characters that no table here covers."""
    import bz2
    path = Path('/usr/share/unicode/Unihan_Readings.txt.bz2')
    res = {}
    if not path.exists():
        return res
    with bz2.open(path, 'rt', encoding='utf-8') as f:
        for line in f:
            p = line.rstrip('\n').split('\t')
            if len(p) == 3 and p[1] == 'kJapaneseOn':
                res[chr(int(p[0][2:], 16))] = p[2].split()[0]
    return res


ROMA = [('KYOU', 'キョウ'), ('GYOU', 'ギョウ'), ('SHOU', 'ショウ'), ('JOU', 'ジョウ'), ('CHOU', 'チョウ'),
        ('RYOU', 'リョウ'), ('HYOU', 'ヒョウ'), ('BYOU', 'ビョウ'), ('NYOU', 'ニョウ'), ('MYOU', 'ミョウ'),
        ('KYUU', 'キュウ'), ('SHUU', 'シュウ'), ('JUU', 'ジュウ'), ('CHUU', 'チュウ'), ('RYUU', 'リュウ'),
        ('KYO', 'キョ'), ('SHO', 'ショ'), ('JO', 'ジョ'), ('CHO', 'チョ'), ('RYO', 'リョ'),
        ('KYU', 'キュ'), ('SHU', 'シュ'), ('JU', 'ジュ'), ('CHU', 'チュ'),
        ('SHI', 'シ'), ('CHI', 'チ'), ('TSU', 'ツ'), ('JI', 'ジ'), ('FU', 'フ')]
KANA = {'': 'アイウエオ', 'K': 'カキクケコ', 'G': 'ガギグゲゴ', 'S': 'サシスセソ', 'Z': 'ザジズゼゾ',
        'T': 'タチツテト', 'D': 'ダヂヅデド', 'N': 'ナニヌネノ', 'H': 'ハヒフヘホ', 'B': 'バビブベボ',
        'P': 'パピプペポ', 'M': 'マミムメモ', 'Y': 'ヤ?ユ?ヨ', 'R': 'ラリルレロ', 'W': 'ワ???'}


def romaji_to_kata(s):
    out = ''
    i = 0
    while i < len(s):
        for r, k in ROMA:
            if s.startswith(r, i):
                out += k
                i += len(r)
                break
        else:
            if s[i] == 'N' and (i + 1 == len(s) or s[i + 1] not in 'AIUEO'):
                out += 'ン'
                i += 1
                continue
            cons = '' if s[i] in 'AIUEO' else s[i]
            j = i + len(cons)
            if j >= len(s) or s[j] not in 'AIUEO':
                return None
            kana = KANA.get(cons, '?????')['AIUEO'.index(s[j])]
            if kana == '?':
                return None
            out += kana
            i = j + 1
    return out


OUTPUTS = ('provinces.tsv', 'commanderies.tsv', 'counties.tsv', 'katakana.tsv')


def main():
    ap = argparse.ArgumentParser(description='One-time import of the treatise table.')
    ap.add_argument('source', type=Path, help='junguozhi.tsv')
    ap.add_argument('outdir', type=Path, help='the data directory')
    ap.add_argument('--force', action='store_true',
                    help='replace existing files (and every correction made in them)')
    args = ap.parse_args()
    present = [n for n in OUTPUTS if (args.outdir / n).exists()]
    if present and not args.force:
        raise SystemExit(f'{args.outdir} already holds {", ".join(present)}, the corrected '
                         'source of truth; refusing to overwrite it (--force to start over)')
    args.outdir.mkdir(parents=True, exist_ok=True)
    work = Path(tempfile.mkdtemp(prefix='.import-', dir=args.outdir))
    try:
        write_all(args.source, work)
        for n in OUTPUTS:
            os.replace(work / n, args.outdir / n)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def write_all(src, outdir):
    rows = list(csv.DictReader(src.open(encoding='utf-8'), delimiter='\t'))
    ons = load_kanjidic()
    trad_names = sorted({r['commandery'] for r in rows} | {r['county'] for r in rows})
    name_map = dict(zip(trad_names, t2jp(trad_names)))
    notes_jp = t2jp([r['note'] for r in rows])
    prov_label = {p[2]: p[0] for p in PROVINCES}

    with (outdir / 'provinces.tsv').open('w', encoding='utf-8') as f:
        f.write('label\tname\ttraditional\treading\n')
        for p in PROVINCES:
            f.write('\t'.join(p) + '\n')

    seen = []
    comm = {}
    for r in rows:
        key = r['commandery']
        if key not in comm:
            seen.append(key)
            comm[key] = r
    seats = {}
    for r in rows:
        if r['ordinal'] == '1':
            seats[r['commandery']] = jp_name(r['county'], name_map[r['county']])

    missing = set()
    with (outdir / 'commanderies.tsv').open('w', encoding='utf-8') as f:
        f.write('province\tname\ttraditional\treading\tcities\thouseholds\tpopulation\tremark\n')
        for key in seen:
            r = comm[key]
            name = jp_name(key, name_map[key])
            if name not in COMMANDERY_READINGS:
                raise SystemExit(f'no checked reading for {name}')
            if key.endswith('屬國'):
                kind = '属国'
            elif key.endswith('國'):
                kind = '国'
            elif key.endswith('尹'):
                kind = '尹'
            elif key.endswith('郡'):
                kind = '郡'
            else:
                kind = '三輔'  # 左馮翊, 右扶風
            remark = f'治所 {seats[key]}。{kind}。'
            missing.update(c for c in remark if not cp932_ok(c))
            f.write('\t'.join([prov_label[r['province']], name, key, COMMANDERY_READINGS[name],
                               r['cities'], r['households'], r['population'], remark]) + '\n')

    with (outdir / 'counties.tsv').open('w', encoding='utf-8') as f:
        f.write('commandery\tname\ttraditional\treading\tunit\tnote\tproducts\n')
        for r, note in zip(rows, notes_jp):
            name = jp_name(r['county'], name_map[r['county']])
            note = jp_note(note)
            missing.update(c for c in note if not cp932_ok(c))
            f.write('\t'.join([jp_name(r['commandery'], name_map[r['commandery']]), name, r['county'],
                               reading_of(name, ons), UNIT[r['unit_type']], note,
                               products(r['note'])]) + '\n')

    # Remarks show a character CP932 lacks in katakana, as the catalogue shows
    # 兗州 as エン州.
    uni = unihan_on()
    with (outdir / 'katakana.tsv').open('w', encoding='utf-8') as f:
        f.write('char\tkatakana\n')
        for c in sorted(missing):
            k = CHAR_ON.get(c) or (romaji_to_kata(uni[c]) if c in uni else None)
            if k:
                f.write(f'{c}\t{k}\n')
            else:
                print(f'no katakana for {c}: remarks show 〓', file=sys.stderr)


if __name__ == '__main__':
    main()
