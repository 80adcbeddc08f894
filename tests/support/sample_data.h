// Small gazetteers written by the tests themselves: a temporary directory
// opened as a gazetteer, record files built from UTF-8 values.
#pragma once

#include "data/gazetteer.h"
#include "data/glyph_name.h"
#include "data/provinces.h"
#include "data/record_writer.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <vector>

// A fresh temporary directory with syu/ and ji/, open as a gazetteer whose
// handlers create a missing record file (as the program's do) unless the
// options say otherwise. The working directory is left alone.
class WorkDir {
public:
    explicit WorkDir(const Gazetteer::Options& options = {.create_if_missing = true})
        : gazetteer_(Gazetteer::open(options, dir_.path())) {
        EXPECT_TRUE(dir_.isValid());
        QDir(dir_.path()).mkpath(QStringLiteral("syu"));
        QDir(dir_.path()).mkpath(QStringLiteral("ji"));
    }
    WorkDir(const WorkDir&) = delete;
    WorkDir& operator=(const WorkDir&) = delete;

    QString path() const { return dir_.path(); }
    const Gazetteer& gazetteer() const { return gazetteer_; }
    // A path under the directory, for the tests' own file operations.
    QString file(const QString& relative) const { return gazetteer_.path(relative); }

    void writeCommanderies(const std::vector<gunrec>& recs) const {
        ASSERT_TRUE(recwrite::writeRecords(file(QStringLiteral("syu/州郡.txt")), recs));
    }
    // County file of the province at catalogue index `province`.
    void writeCounties(int province, const std::vector<kenrec>& recs) const {
        ASSERT_TRUE(recwrite::writeRecords(file(provinces::byIndex(province)->countyFile), recs));
    }
    // A small valid bitmap at ji/<name>.bmp, filled with `colour`.
    void writeGlyph(const QString& name, QRgb colour = qRgb(0, 0, 0)) const {
        QImage img(25, 27, QImage::Format_RGB32);
        img.fill(colour);
        ASSERT_TRUE(img.save(file(GlyphName(name).path()), "BMP"));
    }

private:
    QTemporaryDir dir_;  // first: the gazetteer is opened on it
    Gazetteer gazetteer_;
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

// The sample gazetteer most scenarios use:
//  - 司隸校尉 (0): 河南尹 (counties ■陽 with glyph u96d2, 河南), 河内郡 (懐)
//  - エン州 (3): 陳留郡 (counties 陳留, 長■ (glyph a), ■□ (glyphs a, b))
//  - 豫州 (1): 潁川郡 (county 同名, as in 河内郡 of 司隸校尉)
struct SampleGazetteer {
    explicit SampleGazetteer(const WorkDir& wd) {
        wd.writeCommanderies({
            gun({"司隸校尉", "河南尹", "かなんいん", "", "", "21", "208486", "1010827", "治所 ■陽。尹。"}),
            gun({"司隸校尉", "河内郡", "かだいぐん", "", "", "18", "159770", "801558", "治所 懐。"}),
            gun({"エン州", "陳留郡", "ちんりゅうぐん", "", "", "17", "177529", "869433", "治所 陳留。"}),
            gun({"豫州", "潁川郡", "えいせんぐん", "", "", "17", "263440", "1436513", "治所 陽城。"}),
        });
        wd.writeCounties(0, {
            ken({"", "河南尹", "■陽", "らくよう", "u96d2", "", "郡治。", "", }),
            ken({"", "河南尹", "河南", "かなん", "", "", "周公の城。", ""}),
            ken({"", "河内郡", "懐", "かい", "", "", "郡治。", ""}),
            ken({"", "河内郡", "同名", "どうめい", "", "", "司隸の同名。", "鉄"}),
        });
        wd.writeCounties(3, {
            ken({"", "陳留郡", "陳留", "ちんりゅう", "", "", "郡治。", ""}),
            ken({"", "陳留郡", "長■", "ちょうえん", "ga", "", "", "塩"}),
            ken({"", "陳留郡", "■□", "えんえん", "ga", "gb", "", ""}),
        });
        wd.writeCounties(1, {
            ken({"", "潁川郡", "陽城", "ようじょう", "", "", "郡治。", ""}),
            ken({"", "潁川郡", "同名", "どうめい", "", "", "豫州の同名。", "銅"}),
        });
        wd.writeGlyph(QStringLiteral("u96d2"), qRgb(10, 0, 0));
        wd.writeGlyph(QStringLiteral("en4"), qRgb(20, 0, 0));
        wd.writeGlyph(QStringLiteral("ga"), qRgb(30, 0, 0));
        wd.writeGlyph(QStringLiteral("gb"), qRgb(40, 0, 0));
    }
};
