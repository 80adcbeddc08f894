#include "data/other_names.h"

#include "data/regular_file.h"

#include <QStringDecoder>
#include <array>
#include <cerrno>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace othernames {

namespace {

constexpr std::size_t kFields = 8;
enum : std::size_t { kFile, kRecord, kName, kReading, kKind, kOther, kOtherReading, kNote };

// Reads a file line by line through one fixed buffer; a line longer than
// kMaxLine is passed over without being held.
class LineReader {
public:
    ~LineReader() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool open(const QString& path) {
        regularfile::Failure failure{};
        fd_ = regularfile::open(path, failure);
        return fd_ >= 0;
    }
    // The next line without its newline; false at the end of the file or on
    // a read error. The view is valid until the next call.
    bool next(std::string_view& line) {
        bool skipping = false;  // inside a line too long to keep
        for (;;) {
            const std::size_t nl = std::string_view(buf_.data() + pos_, fill_ - pos_).find('\n');
            if (nl != std::string_view::npos) {
                const std::size_t start = pos_;
                pos_ += nl + 1;
                // However the reads fell, a long line is skipped whole.
                if (skipping || nl > kMaxLine) {
                    skipping = false;
                    continue;
                }
                line = std::string_view(buf_.data() + start, nl);
                return true;
            }
            if (fill_ - pos_ > kMaxLine) {
                skipping = true;
                pos_ = fill_ = 0;
            }
            if (!refill()) {
                // A last line without its newline counts; a skipped one not.
                if (skipping || pos_ == fill_ || fill_ - pos_ > kMaxLine)
                    return false;
                line = std::string_view(buf_.data() + pos_, fill_ - pos_);
                pos_ = fill_;
                return true;
            }
        }
    }

private:
    bool refill() {
        std::copy(buf_.begin() + static_cast<std::ptrdiff_t>(pos_),
                  buf_.begin() + static_cast<std::ptrdiff_t>(fill_), buf_.begin());
        fill_ -= pos_;
        pos_ = 0;
        for (;;) {
            const ssize_t n = ::read(fd_, buf_.data() + fill_, buf_.size() - fill_);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            fill_ += static_cast<std::size_t>(n);
            return true;
        }
    }

    int fd_ = -1;
    // Room for a whole kept line and a read behind it.
    std::vector<char> buf_ = std::vector<char>(kMaxLine + (1 << 16) + 1);
    std::size_t pos_ = 0, fill_ = 0;
};

bool split(std::string_view line, std::array<std::string_view, kFields>& out) {
    std::size_t n = 0;
    for (;;) {
        const std::size_t tab = line.find('\t');
        if (n == kFields)
            return false;
        out[n++] = line.substr(0, tab);
        if (tab == std::string_view::npos)
            return n == kFields;
        line.remove_prefix(tab + 1);
    }
}

bool decode(std::string_view bytes, QString& out) {
    if (bytes.find('\0') != std::string_view::npos)
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    out = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !utf8.hasError();
}

bool writable(const QString& s) {
    return !s.contains(u'\t') && !s.contains(u'\n') && !s.contains(u'\r') && !s.contains(QChar(u'\0'));
}

}  // namespace

QByteArray formatLine(const Entry& e) {
    if (!e.place.known())
        return {};
    const QString fields[] = {e.place.file, QString::number(e.place.record), e.name, e.reading,
                              e.kind, e.other, e.otherReading, e.note};
    QByteArray line;
    for (const QString& f : fields) {
        if (!writable(f))
            return {};
        if (!line.isEmpty())
            line += '\t';
        line += f.toUtf8();
    }
    if (line.startsWith('#'))
        return {};
    return line + '\n';
}

FileMatches find(const QString& indexFile, const QString& recordFile, const QString& needle,
                 Field field) {
    FileMatches found;
    // A needle that is not valid text matches no valid text; its UTF-8 form
    // would put U+FFFD in its place and match that.
    if (!QStringView(needle).isValidUtf16())
        return found;
    const QByteArray want = needle.toUtf8();
    const std::string_view wanted(want.constData(), static_cast<std::size_t>(want.size()));
    const QByteArray fileBytes = recordFile.toUtf8();
    const std::string_view file(fileBytes.constData(), static_cast<std::size_t>(fileBytes.size()));
    const std::size_t column = field == Field::Name ? kOther : kOtherReading;
    const std::size_t own = field == Field::Name ? kName : kReading;
    const auto contains = [&](std::string_view s) {
        return !s.empty() && s.find(wanted) != std::string_view::npos;
    };

    LineReader reader;
    if (!reader.open(indexFile))
        return found;
    std::string_view line;
    std::array<std::string_view, kFields> f;
    while (reader.next(line)) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#' || !split(line, f))
            continue;
        // UTF-8 is self-synchronising: a byte match of valid text is a match
        // of whole characters, so only matching lines need decoding.
        if (f[kFile] != file || !contains(f[column]) || contains(f[own]))
            continue;
        Entry e;
        e.place.record = recordNumberOf(f[kRecord]);
        if (e.place.record == 0 || found.contains(e.place.record) ||
            !decode(f[kFile], e.place.file) || !decode(f[kName], e.name) ||
            !decode(f[kReading], e.reading) || !decode(f[kKind], e.kind) ||
            !decode(f[kOther], e.other) || !decode(f[kOtherReading], e.otherReading) ||
            !decode(f[kNote], e.note))
            continue;
        found.insert(e.place.record, std::move(e));
    }
    return found;
}

const Entry* entryFor(const FileMatches& hits, int record, const QString& name,
                      const QString& reading) {
    const auto it = hits.constFind(record);
    if (it == hits.cend() || it->name != name || it->reading != reading)
        return nullptr;
    return &it.value();
}

}  // namespace othernames
