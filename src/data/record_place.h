// Where a record lies: the file and the record's number in it. A list item
// keeps one beside its text so that a click finds that record and no other
// of the same name.
#pragma once

#include <QString>
#include <string_view>

struct RecordPlace {
    QString file;    // path as the handlers open it, relative to the working directory
    int record = 0;  // 1-based; 0 means the item was listed without a place

    bool known() const { return record > 0 && !file.isEmpty(); }
};

// A record number written in decimal digits: 1 to 999,999,999 (more digits
// than a record file can have records is no place); 0 for anything else.
inline int recordNumberOf(std::string_view digits) {
    if (digits.empty() || digits.size() > 9)
        return 0;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}
