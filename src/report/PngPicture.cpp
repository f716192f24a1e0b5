#include "report/ReportPicture.h"

#include <png.h>

namespace lanescope::report {

namespace {

constexpr png_uint_32 kMaxSide = 10000;

/** Frees the reader's state however decoding ends. */
struct ImageGuard
{
    png_image& image;
    ~ImageGuard() { png_image_free(&image); }
};

} // namespace

std::optional<ReportPicture> pngPicture(const std::string& data)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    const ImageGuard guard{image};
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size()))
        return std::nullopt;
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide)
        return std::nullopt;
    // Transparent parts are laid onto white paper: the PDF and the printer get plain RGB.
    image.format = PNG_FORMAT_RGB;
    const png_color paper{255, 255, 255};
    ReportPicture picture;
    picture.kind = ReportPicture::Kind::Bitmap;
    picture.bitsPerPixel = 24;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, &paper, picture.pixels.data(), 0, nullptr))
        return std::nullopt;
    return picture;
}

} // namespace lanescope::report
