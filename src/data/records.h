// The two record layouts of the gazetteer files. Plain byte arrays, no code:
// every field is fixed-width CP932 text, padded with spaces.
#pragma once

// A commandery (郡): one 160-byte record of syu/州郡.txt.
struct gunrec {
    char syumei[10];   // province list label
    char gunmei[12];   // commandery name; "■" marks a glyph (gunji)
    char gunyomi[30];  // reading, kana
    char gunji[12];    // base name of the glyph bitmap in ji/
    char yobi[12];     // unused
    char jyo[2];       // cities
    char kosu[10];     // households
    char kousu[10];    // population
    char gunbiko[62];  // remarks
};

// A county (県): one 204-byte record of a province's county file.
struct kenrec {
    char yobi[10];     // unused
    char gunmei[12];   // the commandery it belongs to
    char kenmei[12];   // county name; "■"/"□" mark glyphs (kenji/kenji2)
    char kenyomi[20];  // reading, kana
    char kenji[12];    // glyph for "■"
    char kenji2[12];   // glyph for "□" in the second place
    char kenbiko[100]; // remarks
    char sanbutu[26];  // products
};

static_assert(sizeof(gunrec) == 160, "commandery record is 160 bytes");
static_assert(sizeof(kenrec) == 204, "county record is 204 bytes");
