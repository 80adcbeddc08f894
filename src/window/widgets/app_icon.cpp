#include "window/widgets/app_icon.h"

#include <QPainter>

namespace appicon {

QImage image() {
    // The window's own colours: blue ground, olive frame, a green field with
    // a white mark like the three strokes and dots of 州.
    const QColor blue(0x00, 0x00, 0xC0), olive(0xC0, 0xC0, 0x00), green(0x00, 0x60, 0x00),
        white(0xFF, 0xFF, 0xFF);
    QImage img(32, 32, QImage::Format_RGB32);
    img.fill(blue);
    QPainter p(&img);
    // Filled rectangles only: no antialiasing, so no in-between colours.
    p.fillRect(0, 0, 32, 2, olive);
    p.fillRect(0, 30, 32, 2, olive);
    p.fillRect(0, 0, 2, 32, olive);
    p.fillRect(30, 0, 2, 32, olive);
    p.fillRect(5, 5, 22, 22, green);
    for (int x : {9, 15, 21}) {
        p.fillRect(x, 8, 2, 16, white);   // stroke
        p.fillRect(x - 2, 14, 2, 3, white);  // dot beside it
    }
    p.end();
    return img;
}

QIcon icon() { return QIcon(QPixmap::fromImage(image())); }

}  // namespace appicon
