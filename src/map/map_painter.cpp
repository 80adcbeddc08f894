#include "map/map_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace mappaint {
namespace {

const QColor kSea(0xd6, 0xe6, 0xf0);
const QColor kLand(0xf5, 0xf1, 0xe6);
const QColor kCoast(0x9c, 0xb4, 0xc4);
const QColor kRiver(0x5b, 0x93, 0xc7);
const QColor kBorder(0xc9, 0xb3, 0xbe);
const QColor kText(0x2a, 0x2a, 0x2a);
const QColor kRiverText(0x2f, 0x5f, 0x8f);
const QColor kWarning(0x9a, 0x2a, 0x10);

constexpr double kMargin = 8;       // between the corner boxes and the edge
constexpr double kBoxPadding = 5;
constexpr double kCornerWidth = 320;  // the note's wrapping width

QFont mapFont(int pixels, bool bold) {
    QFont f;
    // The faces the main window uses, in its order, so Japanese reads the same.
    f.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                   QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QString figureText(qint64 v) {
    // 口数 and 戸数 as a reader says them: 万 for ten thousands.
    if (v >= 10000 && v % 10000 == 0)
        return QStringLiteral("%1万").arg(v / 10000);
    return QString::number(v);
}

// The Natural Earth note, shown with the attribution: today's courses and
// coasts are not the Han's.
const char* const kNotToday =
    "川と海岸線は今日のものです。後漢の黄河の下流は今より北を流れ（千乗の辺りで海に入った）、"
    "江蘇と渤海の海岸は今よりずっと内陸にありました。";

constexpr qint64 kPopulationSteps[] = {2'000'000, 1'000'000, 250'000};
constexpr qint64 kHouseholdSteps[] = {500'000, 250'000, 50'000};
constexpr double kReferenceRadius = 28;  // the first step's radius

}  // namespace

QColor provinceColour(int index) {
    // Thirteen hues far enough apart on the cream land to tell neighbours
    // apart: each province borders several others.
    // 司隸 red, 豫州 orange, 冀州 brown, 兗州 olive, 徐州 green, 青州 cyan, 荊州 blue,
    // 揚州 purple, 益州 pink, 涼州 grey, 并州 navy, 幽州 moss, 交州 rose.
    static constexpr QRgb colours[13] = {0xd62728, 0xff7f0e, 0x8c564b, 0xbcbd22, 0x2ca02c, 0x17becf, 0x1f77b4,
                                         0x9467bd, 0xe377c2, 0x7f7f7f, 0x393b79, 0x637939, 0xad494a};
    return index >= 0 && index < 13 ? QColor(colours[index]) : QColor(Qt::black);
}

double riverWidth(int rank) { return rank <= 3 ? 1.8 : rank <= 6 ? 1.2 : 0.8; }

double censusRadius(Census mode, double value) {
    const double reference = mode == Census::Households ? double(kHouseholdSteps[0]) : double(kPopulationSteps[0]);
    if (!(value > 0))
        return 0;
    return kReferenceRadius * std::sqrt(value / reference);
}

Painter::Painter(const mapmodel::MapModel& model)
    : model_(model),
      seatFont_(mapFont(13, true)),
      countyFont_(mapFont(12, false)),
      riverFont_(mapFont(12, false)),
      placeFont_(mapFont(11, false)),
      smallFont_(mapFont(11, false)) {
    QHash<int, qint64> population;  // seat point -> its commandery's population
    for (const mapmodel::CensusCircle& c : model_.census)
        population.insert(c.seatPoint, c.population.value_or(0));
    for (std::size_t i = 0; i < model_.points.size(); ++i)
        if (model_.points[i].seat)
            seatsByPopulation_.push_back(static_cast<int>(i));
    std::stable_sort(seatsByPopulation_.begin(), seatsByPopulation_.end(),
                     [&](int a, int b) { return population.value(a) > population.value(b); });
    attribution_.setText(QString::fromLatin1(kAttribution));
    attribution_.setTextFormat(Qt::PlainText);
    attribution_.prepare(QTransform(), smallFont_);
    notToday_.setText(QString::fromUtf8(kNotToday));
    notToday_.setTextFormat(Qt::PlainText);
    notToday_.setTextWidth(std::max(kCornerWidth, attribution_.size().width()));
    notToday_.prepare(QTransform(), smallFont_);
}

double Painter::markerRadius(const mapmodel::Point& p) {
    if (p.place)
        return 2.5;
    return p.seat ? 4.5 : 3.0;
}

bool Painter::drawn(int i, const MapView& view) const {
    return !model_.points[static_cast<std::size_t>(i)].place || view.scale() >= kPlaceScale;
}

const QFont& Painter::fontFor(LabelKind kind) const {
    switch (kind) {
    case LabelKind::Highlight:
    case LabelKind::Seat: return seatFont_;
    case LabelKind::River: return riverFont_;
    case LabelKind::Place: return placeFont_;
    case LabelKind::County: break;
    }
    return countyFont_;
}

QSizeF Painter::textSize(const QString& text, LabelKind kind) const {
    QHash<QString, QSizeF>& cache = sizes_[static_cast<int>(kind)];
    const auto it = cache.constFind(text);
    if (it != cache.cend())
        return *it;
    const QFontMetricsF m(fontFor(kind));
    const QSizeF size(m.horizontalAdvance(text) + 2, m.height());
    cache.insert(text, size);
    return size;
}

const QStaticText& Painter::staticText(const QString& text, LabelKind kind) const {
    QHash<QString, QStaticText>& cache = texts_[static_cast<int>(kind)];
    auto it = cache.find(text);
    if (it == cache.end()) {
        QStaticText s(text);
        s.setTextFormat(Qt::PlainText);
        s.prepare(QTransform(), fontFor(kind));
        it = cache.insert(text, s);
    }
    return *it;
}

QString Painter::labelText(int point) const {
    const mapmodel::Point& p = model_.points[static_cast<std::size_t>(point)];
    const locations::Location& l = model_.locations[static_cast<std::size_t>(p.location)];
    return p.place ? l.placeName : l.shown;
}

QRectF Painter::attributionBox(const MapView& view) const {
    const QSizeF s(std::max(attribution_.size().width(), notToday_.size().width()) + 2 * kBoxPadding,
                   attribution_.size().height() + notToday_.size().height() + 2 * kBoxPadding);
    const QSizeF v = view.viewport();
    return {v.width() - s.width() - kMargin, v.height() - s.height() - kMargin, s.width(), s.height()};
}

QRectF Painter::problemsBox(const MapView& view, const State& state) const {
    const QStringList problems = model_.problems(state.census != Census::None);
    if (problems.isEmpty())
        return {};
    const QFontMetricsF m(seatFont_);
    double w = 0;
    for (const QString& s : problems)
        w = std::max(w, m.horizontalAdvance(s));
    const double h = m.height() * static_cast<double>(problems.size());
    return {kMargin, kMargin, std::min(w, view.viewport().width()) + 2 * kBoxPadding, h + 2 * kBoxPadding};
}

QRectF Painter::legendBox(const MapView& view, const State& state) const {
    if (state.census == Census::None)
        return {};
    const double d = 2 * kReferenceRadius;
    return {kMargin, view.viewport().height() - kMargin - d - 40, d + 90, d + 40};
}

std::vector<Label> Painter::layoutLabels(const MapView& view, const State& state) const {
    const QRectF area(QPointF(0, 0), view.viewport());
    std::vector<QRectF> obstacles{attributionBox(view), problemsBox(view, state), legendBox(view, state)};
    std::vector<maplabels::Candidate> candidates;
    std::vector<Label> meta;  // by candidate id
    const auto onScreen = [&](QPointF s) { return area.adjusted(-4, -4, 4, 4).contains(s); };
    const auto marker = [&](int i, QPointF s, double extra) {
        const double r = markerRadius(model_.points[static_cast<std::size_t>(i)]) + extra;
        obstacles.push_back(QRectF(s.x() - r, s.y() - r, 2 * r, 2 * r));
    };
    const auto add = [&](int point, QPointF anchor, const QString& text, LabelKind kind, double gap) {
        candidates.push_back({anchor, textSize(text, kind), gap, static_cast<int>(meta.size())});
        meta.push_back({{}, text, kind, point});
    };
    QList<int> highlighted;
    for (int i : state.highlighted) {
        const QPointF s = view.toScreen(model_.points[static_cast<std::size_t>(i)].km);
        if (!onScreen(s) || !drawn(i, view))
            continue;
        highlighted << i;
        marker(i, s, 3);
        add(i, s, labelText(i), LabelKind::Highlight, markerRadius(model_.points[static_cast<std::size_t>(i)]) + 5);
    }
    for (int i : seatsByPopulation_) {
        const QPointF s = view.toScreen(model_.points[static_cast<std::size_t>(i)].km);
        if (!onScreen(s) || highlighted.contains(i))
            continue;
        marker(i, s, 1);
        add(i, s, labelText(i), LabelKind::Seat, markerRadius(model_.points[static_cast<std::size_t>(i)]) + 3);
    }
    // One label a river, on the middle of its longest stretch on screen.
    const QRectF visible = view.visibleKm();
    QHash<QString, std::pair<double, QPointF>> rivers;  // label -> visible length, anchor
    QStringList riverOrder;
    const QTransform t = view.transform();
    for (const mapmodel::Line& line : model_.rivers) {
        if (line.label.isEmpty() || !line.bounds.intersects(visible))
            continue;
        std::vector<QPointF> run;
        double length = 0;
        QPointF prev;
        bool first = true;
        for (const QPointF& km : line.km) {
            const QPointF s = t.map(km);
            if (area.contains(s)) {
                if (!first && !run.empty())
                    length += std::hypot(s.x() - prev.x(), s.y() - prev.y());
                run.push_back(s);
            }
            prev = s;
            first = false;
        }
        if (run.empty())
            continue;
        if (!rivers.contains(line.label))
            riverOrder << line.label;
        auto& best = rivers[line.label];
        if (length >= best.first)
            best = {length, run[run.size() / 2]};
    }
    for (const QString& label : riverOrder)
        if (rivers.value(label).first > 40)
            add(-1, rivers.value(label).second, label, LabelKind::River, 2);
    for (std::size_t i = 0; i < model_.points.size(); ++i) {
        const mapmodel::Point& p = model_.points[i];
        if (p.seat || !drawn(static_cast<int>(i), view) || highlighted.contains(static_cast<int>(i)))
            continue;
        const QPointF s = view.toScreen(p.km);
        if (onScreen(s))
            add(static_cast<int>(i), s, labelText(static_cast<int>(i)), p.place ? LabelKind::Place : LabelKind::County,
                markerRadius(p) + 2);
    }
    std::vector<Label> out;
    for (const maplabels::Placed& placed : maplabels::place(candidates, obstacles, area)) {
        Label l = meta[static_cast<std::size_t>(placed.id)];
        l.rect = placed.rect;
        out.push_back(std::move(l));
    }
    return out;
}

void Painter::paintBase(QPainter& p, const MapView& view) const {
    p.save();
    p.setTransform(view.transform(), true);
    p.setPen(Qt::NoPen);
    p.setBrush(kLand);
    p.drawPath(model_.land);
    p.setBrush(kSea);
    p.drawPath(model_.lakes);
    p.setBrush(Qt::NoBrush);
    const QRectF visible = view.visibleKm();
    QPen pen(kBorder, 1.0);
    pen.setCosmetic(true);
    p.setPen(pen);
    for (const mapmodel::Line& line : model_.borders)
        if (line.bounds.intersects(visible))
            p.drawPolyline(line.at(view.scale()));
    pen.setColor(kRiver);
    for (const mapmodel::Line& line : model_.rivers) {
        if (!line.bounds.intersects(visible))
            continue;
        pen.setWidthF(riverWidth(line.rank));
        p.setPen(pen);
        p.drawPolyline(line.at(view.scale()));
    }
    p.restore();
}

void Painter::paintCensus(QPainter& p, const MapView& view, Census mode) const {
    if (mode == Census::None)
        return;
    struct Circle {
        QPointF at;
        double r;
        int province;
    };
    std::vector<Circle> circles;
    for (const mapmodel::CensusCircle& c : model_.census) {
        const auto value = mode == Census::Households ? c.households : c.population;
        if (!value)
            continue;
        circles.push_back({view.toScreen(c.km), censusRadius(mode, double(*value)), c.province});
    }
    // The large first, so that a small circle is never hidden under one.
    std::sort(circles.begin(), circles.end(), [](const Circle& a, const Circle& b) { return a.r > b.r; });
    for (const Circle& c : circles) {
        QColor fill = provinceColour(c.province);
        fill.setAlpha(70);
        p.setBrush(fill);
        QPen rim(provinceColour(c.province).darker(130), 1.0);
        rim.setCosmetic(true);  // a hairline: the fast stroke at any pixel ratio
        p.setPen(rim);
        p.drawEllipse(c.at, c.r, c.r);
    }
}

void Painter::paintPoints(QPainter& p, const MapView& view, const State& state) const {
    const QRectF area = QRectF(QPointF(0, 0), view.viewport()).adjusted(-8, -8, 8, 8);
    const bool places = view.scale() >= kPlaceScale;
    // Counties, then seats over them, then places over both.
    for (int pass = 0; pass < 3; ++pass) {
        for (const mapmodel::Point& pt : model_.points) {
            const int kind = pt.place ? 2 : pt.seat ? 1 : 0;
            if (kind != pass || (pt.place && !places))
                continue;
            const QPointF s = view.toScreen(pt.km);
            if (!area.contains(s))
                continue;
            const QColor colour = provinceColour(pt.province);
            const double r = markerRadius(pt);
            if (pt.place) {
                p.setPen(QPen(kText, 1.0));
                p.setBrush(Qt::NoBrush);
                p.drawLine(QPointF(s.x() - r, s.y()), QPointF(s.x() + r, s.y()));
                p.drawLine(QPointF(s.x(), s.y() - r), QPointF(s.x(), s.y() + r));
            } else {
                // Rings as two discs: filling is far cheaper than a stroke
                // wider than a pixel. A guess is hollow; a seat has a rim.
                p.setPen(Qt::NoPen);
                const double ring = pt.approximate ? (pt.seat ? 2.0 : 1.5) : pt.seat ? 1.2 : 0;
                if (ring > 0) {
                    p.setBrush(pt.approximate ? colour : colour.darker(160));
                    p.drawEllipse(s, r + ring / 2, r + ring / 2);
                }
                p.setBrush(pt.approximate ? QColor(Qt::white) : colour);
                p.drawEllipse(s, r - ring / 2, r - ring / 2);
            }
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 2.0));
    for (int i : state.highlighted) {
        const mapmodel::Point& pt = model_.points[static_cast<std::size_t>(i)];
        if (!drawn(i, view))
            continue;
        const double r = markerRadius(pt) + 3;
        p.drawEllipse(view.toScreen(pt.km), r, r);
    }
}

void Painter::paintLabels(QPainter& p, const std::vector<Label>& labels) const {
    for (const Label& l : labels) {
        p.setFont(fontFor(l.kind));
        p.setPen(l.kind == LabelKind::River ? kRiverText : l.kind == LabelKind::Highlight ? Qt::black : kText);
        p.drawStaticText(l.rect.topLeft() + QPointF(1, 0), staticText(l.text, l.kind));
    }
}

void Painter::panel(QPainter& p, const QRectF& box, const QColor& fill, const QFont& font, const QColor& text) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRect(box);
    p.setFont(font);
    p.setPen(text);
}

void Painter::paintLegend(QPainter& p, const MapView& view, const State& state) const {
    const QRectF box = legendBox(view, state);
    if (box.isEmpty())
        return;
    panel(p, box, QColor(255, 255, 255, 215), smallFont_, kText);
    const bool households = state.census == Census::Households;
    p.drawText(box.adjusted(kBoxPadding, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
               households ? QStringLiteral("郡の戸数（円の面積）") : QStringLiteral("郡の人口・口数（円の面積）"));
    const QPointF bottom(box.left() + kBoxPadding + kReferenceRadius, box.bottom() - kBoxPadding);
    p.setBrush(Qt::NoBrush);
    for (qint64 v : households ? kHouseholdSteps : kPopulationSteps) {
        const double r = censusRadius(state.census, double(v));
        p.setPen(QPen(kText, 1.0));
        p.drawEllipse(QPointF(bottom.x(), bottom.y() - r), r, r);
        p.drawLine(QPointF(bottom.x(), bottom.y() - 2 * r), QPointF(bottom.x() + kReferenceRadius + 6, bottom.y() - 2 * r));
        p.drawText(QPointF(bottom.x() + kReferenceRadius + 8, bottom.y() - 2 * r + 4),
                   figureText(v) + (households ? QStringLiteral("戸") : QStringLiteral("人")));
    }
}

void Painter::paintCorners(QPainter& p, const MapView& view, const State& state) const {
    const QRectF box = attributionBox(view);
    panel(p, box, QColor(255, 255, 255, 215), smallFont_, kText);
    p.drawStaticText(box.topLeft() + QPointF(kBoxPadding, kBoxPadding), attribution_);
    p.drawStaticText(box.topLeft() + QPointF(kBoxPadding, kBoxPadding + attribution_.size().height()), notToday_);
    const QRectF problems = problemsBox(view, state);
    if (problems.isEmpty())
        return;
    panel(p, problems, QColor(255, 250, 235, 230), seatFont_, kWarning);
    p.drawText(problems.adjusted(kBoxPadding, kBoxPadding, -kBoxPadding, -kBoxPadding), Qt::AlignLeft | Qt::AlignTop,
               model_.problems(state.census != Census::None).join(u'\n'));
}

void Painter::paint(QPainter& p, const MapView& view, const State& state, const std::vector<Label>& labels) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(QRectF(QPointF(0, 0), view.viewport()), kSea);
    paintBase(p, view);
    paintCensus(p, view, state.census);
    paintPoints(p, view, state);
    paintLabels(p, labels);
    paintLegend(p, view, state);
    paintCorners(p, view, state);
    p.restore();
}

}  // namespace mappaint
