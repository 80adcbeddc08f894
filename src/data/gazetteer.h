// A gazetteer as the program and its tools read it: one root directory
// holding the record files (syu/), the glyph bitmaps (ji/) and the
// other-names index (betsu/), opened by its name as a database is:
//
//     const Gazetteer g = Gazetteer::open({.create_if_missing = true}, dir);
//
// A value owns its root and its options; nothing is process-wide, so two
// gazetteers can be open side by side (a compiler checking its fresh output
// beside the installed one, tests each in their own directory). Nothing is
// cached: every read goes to the files, as the handlers expect.
#pragma once

#include "data/other_names.h"
#include "data/record_file.h"
#include "data/record_place.h"

#include <QString>
#include <optional>

class Gazetteer {
public:
    struct Options {
        // A record file missing when a scan opens it is created empty, in a
        // directory that exists. Only the window's handlers ask for this,
        // which is what the program has always done; every other reader
        // (the search's index, the tools, the tests' checks) leaves the
        // directory as it found it.
        bool create_if_missing = false;
    };

    // `root` is the directory (absolute or relative to the working
    // directory; "." is the working directory). Opening reads nothing and
    // cannot fail: a root that is missing, or lacks syu/, only has no records.
    static Gazetteer open(const Options& options, const QString& root);

    const QString& root() const { return root_; }
    const Options& options() const { return options_; }

    // `relative` (syu/州郡.txt, ji/u96d2.bmp) as it is to be opened: under
    // the root, unless it is absolute.
    QString path(const QString& relative) const;

    // Calls `onRecord(const Rec&)` for every whole record of `file` (relative
    // to the root), in file order, until it returns false. False when the
    // file could not be opened or a read failed part-way (the records before
    // it were delivered).
    template <class Rec, class F>
    bool scan(const QString& file, F&& onRecord) const {
        RecordReader reader;
        if (!reader.open(path(file), sizeof(Rec), options_.create_if_missing))
            return false;
        while (const char* p = reader.next()) {
            Rec rec;
            std::memcpy(&rec, p, sizeof(Rec));
            if (!onRecord(static_cast<const Rec&>(rec)))
                return true;
        }
        return !reader.failed();
    }

    // The record at `place`, read by seeking straight to it; nullopt for no
    // place, or as readRecordAt fails. Never creates anything.
    template <class Rec>
    std::optional<Rec> recordAt(const RecordPlace& place) const {
        Rec rec{};
        if (!place.known() ||
            !readRecordAt(path(place.file), sizeof(Rec), place.record, reinterpret_cast<char*>(&rec)))
            return std::nullopt;
        return rec;
    }

    // The other names of `recordFile`'s records that hold `needle`, from its
    // index file (othernames::find). Never creates anything.
    othernames::FileMatches otherNames(const QString& recordFile, const QString& needle,
                                       othernames::Field field) const;

private:
    Gazetteer(const Options& options, QString root) : options_(options), root_(std::move(root)) {}

    Options options_;
    QString root_;
};
