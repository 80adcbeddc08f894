#include "icon_sizes.h"

#include "window/widgets/app_icon.h"

namespace appicon {

QImage imageAt(int size) {
    // Below 16 the design's 2-pixel gaps could vanish and strokes merge.
    if (size < 16 || size > 1024)
        return QImage();
    const QImage design = image().convertToFormat(QImage::Format_ARGB32);
    const int n = design.width();
    QImage out(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        // Sample at the centre of each target pixel.
        const int sy = (2 * y + 1) * n / (2 * size);
        const auto* src = reinterpret_cast<const QRgb*>(design.constScanLine(sy));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < size; ++x)
            dst[x] = src[(2 * x + 1) * n / (2 * size)];
    }
    return out;
}

}  // namespace appicon
