#include "platform/qt/picture_files.hpp"

#include "platform/face_colour.hpp"

namespace varnsel::platform::qt {
namespace {

// A little-endian number of four bytes (two with `bytes` 2) in a file.
int number(std::span<const unsigned char> file, std::size_t at, int bytes = 4) {
    unsigned value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | file[at + static_cast<std::size_t>(i)];
    return static_cast<int>(value);
}

}  // namespace

std::vector<QImage> readIcon(std::span<const unsigned char> file) {
    std::vector<QImage> images;
    const int count = number(file, 4, 2);
    for (int i = 0; i < count; ++i) {
        const std::size_t at = static_cast<std::size_t>(number(file, 6 + 16 * i + 12));
        const int width = number(file, at + 4), height = number(file, at + 8) / 2;
        const int bits = number(file, at + 14, 2);
        const int colours = number(file, at + 32) ? number(file, at + 32) : 1 << bits;
        const std::size_t palette = at + static_cast<std::size_t>(number(file, at));
        const std::size_t rows = palette + 4 * static_cast<std::size_t>(colours);
        const int stride = (width * bits + 31) / 32 * 4;
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            const unsigned char* row =
                file.data() + rows + static_cast<std::size_t>(height - 1 - y) * stride;
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const int shift = 8 - bits - (x * bits) % 8;
                const std::size_t index = (row[x * bits / 8] >> shift) & ((1 << bits) - 1);
                const unsigned char* colour = file.data() + palette + 4 * index;
                line[x] = qRgb(colour[2], colour[1], colour[0]);
            }
        }
        images.push_back(std::move(image));
    }
    return images;
}

QImage readBitmap(std::span<const unsigned char> file, QSize size, const QColor& face) {
    const auto field = [&](std::size_t at) { return number(file, at); };
    const int offset = field(10), width = field(18), height = field(22);
    const int stride = (width * 3 + 3) & ~3;
    size = size.boundedTo({width, height});
    QImage image(size, QImage::Format_RGB32);
    const auto byte = [](int component) { return static_cast<std::uint8_t>(component); };
    const Rgb shownFace = face.isValid()
                              ? Rgb{byte(face.red()), byte(face.green()), byte(face.blue())}
                              : kFaceOfItsDay;
    uchar* const bits = image.bits();  // once: scanLine() would check for sharing each row
    for (int y = 0; y < size.height(); ++y) {
        const unsigned char* pixel =
            file.data() + offset + static_cast<std::ptrdiff_t>(height - 1 - y) * stride;
        auto* line = reinterpret_cast<QRgb*>(bits + y * image.bytesPerLine());
        for (int x = 0; x < size.width(); ++x, pixel += 3) {
            const Rgb shown = shownOn(shownFace, {pixel[2], pixel[1], pixel[0]});
            line[x] = qRgb(shown.red, shown.green, shown.blue);
        }
    }
    return image;
}

}  // namespace varnsel::platform::qt
