// Record files back to UTF-8 TSV (qm-dump): one header line of field names,
// one line a record, the values as the program reads them (text::value),
// with "\", tab, CR and LF written as \\, \t, \r, \n.
#pragma once

#include <QString>

namespace gazetteer {

// False when `path` cannot be read as a record file (it is never created).
bool dumpCommanderies(const QString& path, QString& tsv);
bool dumpCounties(const QString& path, QString& tsv);

}  // namespace gazetteer
