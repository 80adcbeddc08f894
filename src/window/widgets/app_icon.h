// The program's icon, drawn in code: 32 × 32 pixels in four colours.
#pragma once

#include <QIcon>
#include <QImage>

namespace appicon {

QImage image();
QIcon icon();

}  // namespace appicon
