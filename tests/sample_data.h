// Small gazetteers written by the tests themselves: a temporary data root
// with syu/ and ji/, record files built from UTF-8 values.
#pragma once

#include "data/format.h"
#include "data/provinces.h"
#include "data/record_writer.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <vector>

// A path under the data root, for the tests' own file operations.
inline QString inRoot(const QString& path) { return format::resolve(path); }

// Makes a fresh temporary directory with syu/ and ji/ the data root for its
// lifetime; the working directory is left alone.
class WorkDir {
public:
    WorkDir() : old_(format::root()) {
        EXPECT_TRUE(dir_.isValid());
        format::setRoot(dir_.path());
        QDir(dir_.path()).mkpath(QStringLiteral("syu"));
        QDir(dir_.path()).mkpath(QStringLiteral("ji"));
    }
    ~WorkDir() { format::setRoot(old_); }
    WorkDir(const WorkDir&) = delete;
    WorkDir& operator=(const WorkDir&) = delete;
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QString old_;
};

inline gunrec gun(const GunFields& f) {
    gunrec r{};
    QString error;
    EXPECT_TRUE(recwrite::makeGunrec(f, r, &error)) << error.toStdString();
    return r;
}

inline kenrec ken(const KenFields& f) {
    kenrec r{};
    QString error;
    EXPECT_TRUE(recwrite::makeKenrec(f, r, &error)) << error.toStdString();
    return r;
}

inline void writeCommanderies(const std::vector<gunrec>& recs) {
    ASSERT_TRUE(recwrite::writeRecords(QStringLiteral("syu/州郡.txt"), recs));
}

// County file of the province at catalogue index `province`.
inline void writeCounties(int province, const std::vector<kenrec>& recs) {
    ASSERT_TRUE(recwrite::writeRecords(provinces::byIndex(province)->countyFile, recs));
}

// A small valid bitmap at ji/<name>.bmp, filled with `colour`.
inline void writeGlyph(const QString& name, QRgb colour = qRgb(0, 0, 0)) {
    QImage img(25, 27, QImage::Format_RGB32);
    img.fill(colour);
    ASSERT_TRUE(img.save(inRoot(format::glyphPath(name)), "BMP"));
}

// The sample gazetteer most scenarios use:
//  - 司隸校尉 (0): 河南尹 (counties ■陽 with glyph u96d2, 河南), 河内郡 (懐)
//  - エン州 (3): 陳留郡 (counties 陳留, 長■ (glyph a), ■□ (glyphs a, b))
//  - 豫州 (1): 潁川郡 (county 同名, as in 河内郡 of 司隸校尉)
struct SampleGazetteer {
    SampleGazetteer() {
        writeCommanderies({
            gun({"司隸校尉", "河南尹", "かなんいん", "", "", "21", "208486", "1010827", "治所 ■陽。尹。"}),
            gun({"司隸校尉", "河内郡", "かだいぐん", "", "", "18", "159770", "801558", "治所 懐。"}),
            gun({"エン州", "陳留郡", "ちんりゅうぐん", "", "", "17", "177529", "869433", "治所 陳留。"}),
            gun({"豫州", "潁川郡", "えいせんぐん", "", "", "17", "263440", "1436513", "治所 陽城。"}),
        });
        writeCounties(0, {
            ken({"", "河南尹", "■陽", "らくよう", "u96d2", "", "郡治。", "", }),
            ken({"", "河南尹", "河南", "かなん", "", "", "周公の城。", ""}),
            ken({"", "河内郡", "懐", "かい", "", "", "郡治。", ""}),
            ken({"", "河内郡", "同名", "どうめい", "", "", "司隸の同名。", "鉄"}),
        });
        writeCounties(3, {
            ken({"", "陳留郡", "陳留", "ちんりゅう", "", "", "郡治。", ""}),
            ken({"", "陳留郡", "長■", "ちょうえん", "ga", "", "", "塩"}),
            ken({"", "陳留郡", "■□", "えんえん", "ga", "gb", "", ""}),
        });
        writeCounties(1, {
            ken({"", "潁川郡", "陽城", "ようじょう", "", "", "郡治。", ""}),
            ken({"", "潁川郡", "同名", "どうめい", "", "", "豫州の同名。", "銅"}),
        });
        writeGlyph(QStringLiteral("u96d2"), qRgb(10, 0, 0));
        writeGlyph(QStringLiteral("en4"), qRgb(20, 0, 0));
        writeGlyph(QStringLiteral("ga"), qRgb(30, 0, 0));
        writeGlyph(QStringLiteral("gb"), qRgb(40, 0, 0));
    }
};
