// The compiled glyph pictures beside the name boxes' own text: over a county
// name, a picture must look like the window's face would if it had the
// character, in stroke weight and in place, at 1x and at 2x. The reference is
// the real name box drawing the same character, for every compiled glyph
// whose character the window's face has.
#include "support/window_support.h"

#include <QDir>
#include <QRawFont>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

namespace {

const QString kOut = QStringLiteral(QM_GAZETTEER_DIR);

// Light on the name boxes' dark green: the red channel is the ink's coverage.
double coverage(const QImage& img, int x, int y) { return qRed(img.pixel(x, y)) / 255.0; }

struct Ink {
    double stroke = 0;  // mean stroke width in pixels: twice the area over the outline's length
    double cx = 0, cy = 0;
};

// Measured inside `r`, which keeps clear of the name box's frame.
Ink measure(const QImage& img, QRect r) {
    double mass = 0, edge = 0, sx = 0, sy = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const double c = coverage(img, x, y);
            mass += c, sx += c * x, sy += c * y;
            if (x < r.right())
                edge += std::abs(coverage(img, x + 1, y) - c);
            if (y < r.bottom())
                edge += std::abs(coverage(img, x, y + 1) - c);
        }
    if (mass <= 0 || edge <= 0)
        return {};
    return {2 * mass / edge, sx / mass, sy / mass};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

TEST_F(WindowTest, CompiledGlyphsMatchTheNameBoxFaceInWeightAndPlace) {
    showAndActivate();
    auto* name = get<QLineEdit>("Text3");
    const QWidget* first = get("Picture4");
    const QWidget* second = get("Picture5");
    ASSERT_TRUE(name && first && second);
    // The face the box resolved to, without the fallbacks Qt would take for
    // a character it lacks.
    const QRawFont face = QRawFont::fromFont(name->font());
    ASSERT_TRUE(face.isValid());

    QStringList files = QDir(kOut + QStringLiteral("/ji")).entryList({QStringLiteral("u*.bmp")});
    files.removeIf([](const QString& f) { return f.contains(u'@') || f.contains(u'_'); });
    ASSERT_GT(files.size(), 100);

    for (const int scale : {1, 2}) {
        SCOPED_TRACE(scale == 1 ? "1x" : "2x");
        // Glyph against name box, per picture: stroke width ratio, and how far
        // the ink's centre lies from the box's, across and down.
        std::vector<double> ratio, across[2], down;
        for (const QString& file : files) {
            bool ok = false;
            const char32_t code = file.mid(1, file.indexOf(u'.') - 1).toUInt(&ok, 16);
            if (!ok || !face.supportsCharacter(static_cast<uint>(code)))
                continue;
            const QString ch = QString::fromUcs4(&code, 1);
            QString path = QDir(kOut).filePath(QStringLiteral("ji/") + file);
            if (scale == 2)
                path.replace(QStringLiteral(".bmp"), QStringLiteral("@2x.bmp"));
            const QImage glyph(path);
            ASSERT_EQ(glyph.size(), first->size() * scale) << path.toStdString();

            name->setText(ch + ch);
            QImage box(name->size() * scale, QImage::Format_RGB32);
            box.setDevicePixelRatio(scale);
            name->render(&box);
            // Each picture's footprint on the name box, two pixels in from its edges.
            const QRect inner = QRect(QPoint(), glyph.size()).adjusted(2 * scale, 2 * scale, -2 * scale, -2 * scale);
            for (int place = 0; place < 2; ++place) {
                const QPoint at = ((place == 0 ? first : second)->pos() - name->pos()) * scale;
                const Ink want = measure(box, inner.translated(at));
                const Ink got = measure(glyph, inner);
                ASSERT_GT(want.stroke, 0) << "the name box drew no " << ch.toStdString();
                ratio.push_back(got.stroke / want.stroke);
                across[place].push_back((got.cx + at.x() - want.cx) / scale);
                down.push_back((got.cy + at.y() - want.cy) / scale);
                // Two faces draw a character a little differently, but never
                // this differently.
                EXPECT_NEAR(ratio.back(), 1.0, 0.3) << ch.toStdString();
                EXPECT_NEAR(down.back(), 0.0, 2.0) << ch.toStdString();
            }
        }
        ASSERT_GT(down.size(), 100u) << "too few characters in the window's face to compare";
        std::printf("%s, %dx: %zu comparisons; median glyph/face stroke ratio %.3f, "
                    "ink centre off by %.2f, %.2f across and %.2f down (pixels)\n",
                    qPrintable(face.familyName()), scale, down.size(), median(ratio),
                    median(across[0]), median(across[1]), median(down));
        EXPECT_NEAR(median(ratio), 1.0, 0.1) << "stroke weight";
        // One bitmap serves both places, whose character cells start at
        // different offsets in their pictures: across, a pixel either way.
        EXPECT_NEAR(median(across[0]), 0.0, 1.25) << "first place";
        EXPECT_NEAR(median(across[1]), 0.0, 1.25) << "second place";
        EXPECT_NEAR(median(down), 0.0, 0.5) << "baseline";
    }
}

}  // namespace
