#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

/**
 * Pictures placed on report pages: page images of the page setup (Windows BMP, GIF, JPEG or PNG files)
 * and the maker's logo (JPEG). JPEG data is kept as it is, because the PDF output passes it through
 * unchanged; everything else is decoded into a bitmap.
 */
namespace lanescope::report {

struct ReportPicture
{
    enum class Kind
    {
        Jpeg,
        Bitmap,
    };
    Kind kind = Kind::Bitmap;
    int width = 0;
    int height = 0;
    /** JPEG: the file's bytes unchanged, and its colour components (1 grey, 3 RGB, 4 CMYK). */
    std::string jpegData;
    int components = 3;
    /** JPEG: an Adobe marker says the CMYK components are stored inverted. */
    bool adobeInverted = false;
    /** Bitmap: 1, 4 or 8 bits per pixel use the palette; 24 is RGB. */
    int bitsPerPixel = 24;
    /** Palette entries as red, green, blue bytes. */
    std::vector<std::uint8_t> palette;
    /**
     * Pixels top row first, one byte per pixel (a palette index) for palette pictures, three bytes
     * (red, green, blue) per pixel otherwise; no row padding.
     */
    std::vector<std::uint8_t> pixels;
};

/** Reads width, height and components from a JPEG's frame header; nullopt when the data is no JPEG. */
std::optional<ReportPicture> jpegPicture(std::string data);
/**
 * Decodes a Windows BMP (info or core header; 1, 4, 8, 24 or 32 bits, uncompressed, RLE8/RLE4 or 32-bit
 * bit fields; bottom-up or top-down); nullopt on anything else, on more than 10000 pixels in either
 * direction and on data shorter than the header claims.
 */
std::optional<ReportPicture> bmpPicture(const std::string& data);
/**
 * Decodes the first frame of a GIF through giflib into an 8-bit palette bitmap of the GIF's canvas size
 * (the frame at its place, the rest in the background colour; transparency is ignored); nullopt on
 * failure or a canvas or frame over 10000 pixels in either direction.
 */
std::optional<ReportPicture> gifPicture(const std::string& data);

/**
 * Decodes a PNG through libpng into an RGB bitmap, transparent parts laid onto white; nullopt on failure
 * or more than 10000 pixels in either direction.
 */
std::optional<ReportPicture> pngPicture(const std::string& data);

/**
 * Loads a page image file, the decoder chosen by the file's first bytes (JPEG, PNG, GIF, else Windows BMP),
 * so a picture saved under another extension still prints. A missing, unreadable or undecodable file, or
 * one over 64 MB, gives nullopt.
 */
std::optional<ReportPicture> loadPageImage(const std::filesystem::path& file);

} // namespace lanescope::report
