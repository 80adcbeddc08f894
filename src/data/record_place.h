// Where a record lies: the file and the record's number in it. A list item
// keeps one beside its text so that a click finds that record and no other
// of the same name.
#pragma once

#include <QString>

struct RecordPlace {
    QString file;    // path as the handlers open it, relative to the working directory
    int record = 0;  // 1-based; 0 means the item was listed without a place

    bool known() const { return record > 0 && !file.isEmpty(); }
};
