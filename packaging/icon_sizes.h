// The program's icon at the sizes a desktop asks for, made from the window's
// own 32 × 32 drawing so the launcher and the title bar show the same mark.
#pragma once

#include <QImage>
#include <array>

namespace appicon {

// The hicolor theme's usual application icon sizes.
inline constexpr std::array<int, 8> kThemeSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// `size` × `size`, sampled nearest-pixel from the 32 × 32 design: no
// in-between colours, and every stroke of the design keeps at least one
// pixel down to 16. Null for a size below 16 or above 1024.
QImage imageAt(int size);

}  // namespace appicon
