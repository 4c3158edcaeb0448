#include "form/pictures.hpp"

namespace varnsel::form {
namespace embedded {
extern const unsigned char icon[];
extern const std::size_t iconSize;
extern const unsigned char illustration[];
extern const std::size_t illustrationSize;
extern const unsigned char arrow[];
extern const std::size_t arrowSize;
}  // namespace embedded

std::span<const unsigned char> iconFile() {
    return {embedded::icon, embedded::iconSize};
}

std::span<const unsigned char> pictureFile(Picture picture) {
    switch (picture) {
        case Picture::Illustration:
            return {embedded::illustration, embedded::illustrationSize};
        case Picture::Arrow:
            return {embedded::arrow, embedded::arrowSize};
        case Picture::None:
            break;
    }
    return {};
}

}  // namespace varnsel::form
