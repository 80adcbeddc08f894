// What the tests know of the gazetteer without asking the code under test:
// the province catalogue typed here, and the source tables of data/ read
// the plain way.
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace typed {

// Each province as the window must list it, show it and read its counties.
struct Province { const char* label; const char* display; const char* file; };
inline constexpr Province kProvinces[] = {
    {"司隸校尉", "司隸校尉", "syu/司隸.txt"}, {"豫州", "豫州", "syu/豫州.txt"},
    {"冀州", "冀州", "syu/冀州.txt"},         {"エン州", "■州", "syu/エン州.txt"},
    {"徐州", "徐州", "syu/徐州.txt"},         {"青州", "青州", "syu/青州.txt"},
    {"荊州", "荊州", "syu/荊州.txt"},         {"揚州", "揚州", "syu/揚州.txt"},
    {"益州", "益州", "syu/益州.txt"},         {"涼州", "涼州", "syu/涼州.txt"},
    {"并州", "并州", "syu/并州.txt"},         {"幽州", "幽州", "syu/幽州.txt"},
    {"交州", "交州", "syu/交州.txt"},
};
inline QString labelOf(int p) { return QString::fromUtf8(kProvinces[p].label); }
inline QString displayOf(int p) { return QString::fromUtf8(kProvinces[p].display); }
inline QString fileOf(int p) { return QString::fromUtf8(kProvinces[p].file); }

#ifdef QM_DATA_SOURCE_DIR
// The rows of source table `file` of data/ by column name; blank lines and
// lines starting with '#' skipped, the first other line the header.
inline std::vector<std::map<QString, QString>> sourceRows(const QString& file) {
    QFile f(QStringLiteral(QM_DATA_SOURCE_DIR "/") + file);
    std::vector<std::map<QString, QString>> rows;
    if (!f.open(QIODevice::ReadOnly))
        return rows;
    QStringList header;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList cells = line.split(u'\t');
        if (header.isEmpty()) {
            header = cells;
            continue;
        }
        std::map<QString, QString> row;
        for (qsizetype i = 0; i < header.size(); ++i)
            row[header[i]] = cells.value(i);
        rows.push_back(row);
    }
    return rows;
}
#endif

}  // namespace typed
