// The window's pictures read straight from their files' rows.
#pragma once

#include <QColor>
#include <QImage>
#include <span>
#include <vector>

namespace varnsel::platform::qt {

// The top-left `size` of a 24-bit bottom-up bitmap file, read straight from
// its rows, with the light grey (192, 192, 192) that was the face colour of
// its day drawn in `face` (give an invalid colour to keep it).
QImage readBitmap(std::span<const unsigned char> file, QSize size, const QColor& face = {});

// The images of an icon file of opaque palette images (4 or 8 bits a pixel),
// read straight from their rows: reading them through Qt would first have it
// find and load its image plug-ins.
std::vector<QImage> readIcon(std::span<const unsigned char> file);

}  // namespace varnsel::platform::qt
