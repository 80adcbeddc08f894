// The data lint on the shipped source and on copies of it with one fault
// planted in each.
#include "lint.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char* const kFiles[] = {"provinces.tsv", "commanderies.tsv", "counties.tsv", "katakana.tsv",
                              "kanon.tsv", "other_names.tsv", "collation.tsv", "char_readings.tsv",
                              "readings_review.tsv"};

QStringList readLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(u'\n');
}

// The 1-based line of `file` whose field `keyColumn` is `key`, or 0.
int lineOf(const QStringList& lines, int keyColumn, const QString& key) {
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(u'\t');
        if (keyColumn < f.size() && f[keyColumn] == key)
            return i + 1;
    }
    return 0;
}

struct Plant {
    const char* what;   // the fault planted
    const char* file;   // where: empty for the data as shipped
    int keyColumn;      // the row whose field keyColumn is key
    const char* key;
    int column;         // the field set to value; -1 deletes the row, -2 writes it twice
    const char* value;
    const char* atFile; // where the lint must report it
    const char* atKey;
    const char* says;   // what the report must say
};

TEST(Lint, PassesOnTheDataAndFindsEachPlantedFault) {
    // counties.tsv: commandery, name, traditional, reading, unit, note, products
    const Plant plants[] = {
        {"none", "", 0, "", 0, "", "", "", ""},
        {"unit twice", "counties.tsv", 1, "邔", 5, "侯国。有犁丘城", "counties.tsv", "邔",
         "unit 侯国 is written again"},
        {"cut before a name", "counties.tsv", 1, "城父", 5, "聚。有垂恵聚。城父故属沛", "counties.tsv",
         "城父", "starts with a fragment \"聚。\""},
        {"cut inside a name", "counties.tsv", 1, "山桑", 5, "故属沛。有下", "counties.tsv", "山桑",
         "ends with \"有下\""},
        {"a neighbour's name left", "counties.tsv", 1, "東光", 5, "武", "counties.tsv", "東光",
         "lone character \"武\""},
        {"misprint left at the end", "counties.tsv", 1, "下密", 5, "安帝復。拒", "counties.tsv", "下密",
         "ends with a fragment \"。拒\""},
        {"province tally", "counties.tsv", 1, "杜陽", 5, "永和二年復。右司隸校尉部，郡七，県、邑、侯国百六",
         "counties.tsv", "杜陽", "tally"},
        {"neighbour's product", "counties.tsv", 1, "襄安", 6, "鉄", "counties.tsv", "襄安",
         "product 鉄 is not in the note"},
        {"豫 written 予", "counties.tsv", 1, "贛", 5, "有予章水", "counties.tsv", "贛",
         "予章 where the traditional text has 豫章"},
        {"wrong kan-on", "katakana.tsv", 0, "虢", 1, "ホウ", "katakana.tsv", "虢", "虢 is written ホウ"},
        {"kan-on missing", "kanon.tsv", 0, "虢", -1, "", "katakana.tsv", "虢", "no row in kanon.tsv"},
        {"kan-on not katakana", "kanon.tsv", 0, "雒", 1, "ラク らく", "kanon.tsv", "雒", "\"らく\" is not katakana"},
        // other_names.tsv: commandery, county, other, reading, kind, year, note, source
        {"other name of no county", "other_names.tsv", 2, "許昌", 1, "許都", "other_names.tsv", "許昌",
         "has no county \"許都\""},
        {"unknown kind", "other_names.tsv", 2, "官渡", 4, "battle", "other_names.tsv", "官渡", "unknown kind"},
        {"reading in katakana", "other_names.tsv", 2, "官渡", 3, "カント", "other_names.tsv", "官渡",
         "\"カント\" is not hiragana"},
        {"no source", "other_names.tsv", 2, "官渡", 7, " ", "other_names.tsv", "官渡", "empty source"},
        {"later name without a year", "other_names.tsv", 2, "許昌", 5, "", "other_names.tsv", "許昌",
         "needs the year"},
        {"row twice", "other_names.tsv", 2, "許昌", -2, "", "other_names.tsv", "許昌", "the same row again"},
        // Faults the collation with the second edition found, put back.
        {"a neighbour's entry", "counties.tsv", 1, "陽平", 5, "有莘亭。有岡成城。衛公国。本観故国", "counties.tsv",
         "陽平", "the entry of 衛"},
        {"a note the edition has", "counties.tsv", 1, "呉", 5, "", "collation.tsv", "呉", "the edition has a note"},
        // One reading per character (char_readings.tsv: chars, reading, names, basis, note).
        {"read two ways", "counties.tsv", 1, "陽羨", 3, "ようい", "counties.tsv", "陽羨", "allows only in 沙羨"},
        {"second reading, no reason", "char_readings.tsv", 2, "沛国/酇", 3, "kan-on", "char_readings.tsv",
         "沛国/酇", "needs its reason"},
        {"review row gone", "readings_review.tsv", 1, "随", -1, "", "char_readings.tsv", "随", "no row in readings_review"},
        {"a fixed character back", "counties.tsv", 1, "濩沢", 5, "有祁城山", "collation.tsv", "濩沢",
         "edition's 析 in place of 祁"},
    };
    for (const Plant& p : plants) {
        SCOPED_TRACE(p.what);
        QTemporaryDir tmp;
        ASSERT_TRUE(tmp.isValid());
        for (const char* name : kFiles)
            ASSERT_TRUE(QFile::copy(QDir(QStringLiteral(QM_DATA_SOURCE_DIR)).filePath(QLatin1String(name)),
                                    tmp.filePath(QLatin1String(name))))
                << name;
        QString expectAt;
        if (*p.file) {
            const QString path = tmp.filePath(QString::fromUtf8(p.file));
            QStringList lines = readLines(path);
            const int line = lineOf(lines, p.keyColumn, QString::fromUtf8(p.key));
            ASSERT_GT(line, 0) << p.key << " not in " << p.file;
            if (p.column == -1) {
                lines.removeAt(line - 1);
            } else if (p.column == -2) {
                lines.insert(line, lines[line - 1]);
            } else {
                QStringList f = lines[line - 1].split(u'\t');
                ASSERT_LT(p.column, f.size());
                f[p.column] = QString::fromUtf8(p.value);
                lines[line - 1] = f.join(u'\t');
            }
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(lines.join(u'\n').toUtf8());
            out.close();
            const QString atPath = tmp.filePath(QString::fromUtf8(p.atFile));
            const std::string atFile = p.atFile;
            const int atColumn = atFile == p.file ? p.keyColumn
                                 : atFile == "counties.tsv" ? 1 : atFile == "collation.tsv" ? 2 : 0;
            // A row written twice is reported at its second line.
            const int atLine = lineOf(readLines(atPath), atColumn, QString::fromUtf8(p.atKey)) +
                               (p.column == -2 ? 1 : 0);
            ASSERT_GT(atLine, 0);
            expectAt = QStringLiteral("%1:%2: ").arg(atPath).arg(atLine);
        }

        const QStringList faults = lint::check(tmp.path());
        if (expectAt.isEmpty()) {
            EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
            continue;
        }
        ASSERT_EQ(faults.size(), 1) << faults.join(u'\n').toStdString();
        EXPECT_TRUE(faults[0].startsWith(expectAt)) << faults[0].toStdString();
        EXPECT_TRUE(faults[0].contains(QString::fromUtf8(p.says))) << faults[0].toStdString();
    }
}

}  // namespace
