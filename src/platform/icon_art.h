// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

// The program's own drawing of its icon, drawn from the vector art at exactly the size it is
// shown at: crisp at every scale, and with no image or icon-engine plugin needed at run time.
namespace IconArt {

// The sizes in device pixels that tray hosts ask for at scales 1 to 2.
inline const QList<int> traySizes{16, 22, 24, 32, 44, 48, 64};

// The icon as a square image of `pixels` device pixels, transparent around the drawing.
QImage render(int pixels);

// An icon that draws the art at whatever size and device pixel ratio it is painted with.
QIcon icon();

} // namespace IconArt
