#include "report/ReportPicture.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gif_lib.h>
#include <memory>
#include <system_error>

namespace lanescope::report {

namespace {

/** Pictures larger than this in either direction are refused: a page image is never that big. */
constexpr int kMaxSide = 10000;
/** Page image files larger than this are refused before reading them. */
constexpr std::uintmax_t kMaxFileSize = 64u * 1024 * 1024;

/** Little- and big-endian reads that check the bounds of the data first. */
class ByteReader
{
public:
    explicit ByteReader(std::string_view data)
        : FData(data)
    {
    }

    bool has(std::size_t offset, std::size_t count) const
    {
        return offset <= FData.size() && count <= FData.size() - offset;
    }
    std::uint8_t u8(std::size_t offset) const { return static_cast<std::uint8_t>(FData[offset]); }
    std::uint32_t le16(std::size_t offset) const { return u8(offset) | (u8(offset + 1) << 8); }
    std::uint32_t le32(std::size_t offset) const { return le16(offset) | (le16(offset + 2) << 16); }
    std::uint32_t be16(std::size_t offset) const { return (u8(offset) << 8) | u8(offset + 1); }
    std::size_t size() const { return FData.size(); }

private:
    std::string_view FData;
};

bool isStartOfFrame(std::uint8_t marker)
{
    // C0..CF are frame headers except C4 (Huffman tables), C8 (reserved JPG) and CC (arithmetic coding).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// --- BMP -----------------------------------------------------------------------------------------

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;

struct BmpHeader
{
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = kBiRgb;
    std::size_t paletteOffset = 0;
    std::size_t paletteEntrySize = 4;
    std::size_t paletteCount = 0;
    std::array<std::uint32_t, 3> masks{0x00FF0000u, 0x0000FF00u, 0x000000FFu};
};

std::optional<BmpHeader> readBmpHeader(const ByteReader& in)
{
    if (!in.has(0, 18) || in.u8(0) != 'B' || in.u8(1) != 'M')
        return std::nullopt;
    const std::uint32_t headerSize = in.le32(14);
    BmpHeader h;
    std::uint32_t coloursUsed = 0;
    if (headerSize == 12) {
        if (!in.has(14, 12))
            return std::nullopt;
        h.width = static_cast<int>(in.le16(18));
        h.height = static_cast<int>(in.le16(20));
        h.bitsPerPixel = static_cast<int>(in.le16(24));
        h.paletteEntrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 1024) {
        if (!in.has(14, headerSize))
            return std::nullopt;
        h.width = static_cast<std::int32_t>(in.le32(18));
        const auto height = static_cast<std::int32_t>(in.le32(22));
        h.topDown = height < 0;
        h.height = height == INT32_MIN ? 0 : std::abs(height);
        h.bitsPerPixel = static_cast<int>(in.le16(28));
        h.compression = in.le32(30);
        coloursUsed = in.le32(46);
        if (h.compression == kBiBitfields) {
            // The masks follow a plain info header, or are part of the larger header versions.
            const std::size_t at = 14 + 40;
            if (!in.has(at, 12))
                return std::nullopt;
            h.masks = {in.le32(at), in.le32(at + 4), in.le32(at + 8)};
        }
    } else {
        return std::nullopt;
    }
    if (h.width <= 0 || h.height <= 0 || h.width > kMaxSide || h.height > kMaxSide)
        return std::nullopt;
    const bool paletted = h.bitsPerPixel == 1 || h.bitsPerPixel == 4 || h.bitsPerPixel == 8;
    const bool valid =
        (h.compression == kBiRgb && (paletted || h.bitsPerPixel == 24 || h.bitsPerPixel == 32)) ||
        (h.compression == kBiRle8 && h.bitsPerPixel == 8 && !h.topDown) ||
        (h.compression == kBiRle4 && h.bitsPerPixel == 4 && !h.topDown) ||
        (h.compression == kBiBitfields && h.bitsPerPixel == 32);
    if (!valid)
        return std::nullopt;
    if (paletted) {
        // The palette ends where the pixels begin; writers often store fewer entries than the bits allow.
        const std::size_t maximum = std::size_t{1} << h.bitsPerPixel;
        h.paletteOffset = 14 + headerSize;
        const std::size_t pixelOffset = in.le32(10);
        const std::size_t room =
            pixelOffset > h.paletteOffset ? (pixelOffset - h.paletteOffset) / h.paletteEntrySize : 0;
        h.paletteCount = std::min({coloursUsed == 0 ? maximum : std::size_t{coloursUsed}, maximum, room});
        if (h.paletteCount == 0 || !in.has(h.paletteOffset, h.paletteCount * h.paletteEntrySize))
            return std::nullopt;
    }
    return h;
}

/** Value of a colour channel under a bit mask, scaled to 0..255. */
std::uint8_t maskedChannel(std::uint32_t pixel, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0)
        ++shift;
    const std::uint32_t maximum = mask >> shift;
    return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255u / maximum);
}

bool decodeBmpRows(const ByteReader& in, std::size_t offset, const BmpHeader& h, ReportPicture& picture)
{
    const auto width = static_cast<std::size_t>(h.width);
    const auto stride = (width * static_cast<std::size_t>(h.bitsPerPixel) + 31) / 32 * 4;
    if (!in.has(offset, stride * static_cast<std::size_t>(h.height)))
        return false;
    const std::size_t channels = h.bitsPerPixel <= 8 ? 1 : 3;
    picture.pixels.resize(width * static_cast<std::size_t>(h.height) * channels);
    for (int row = 0; row < h.height; ++row) {
        const int fileRow = h.topDown ? row : h.height - 1 - row;
        const std::size_t source = offset + static_cast<std::size_t>(fileRow) * stride;
        std::uint8_t* out = picture.pixels.data() + static_cast<std::size_t>(row) * width * channels;
        for (std::size_t x = 0; x < width; ++x) {
            switch (h.bitsPerPixel) {
            case 1:
                out[x] = (in.u8(source + x / 8) >> (7 - x % 8)) & 1;
                break;
            case 4:
                out[x] = (in.u8(source + x / 2) >> (x % 2 ? 0 : 4)) & 15;
                break;
            case 8:
                out[x] = in.u8(source + x);
                break;
            case 24:
                out[3 * x] = in.u8(source + 3 * x + 2);
                out[3 * x + 1] = in.u8(source + 3 * x + 1);
                out[3 * x + 2] = in.u8(source + 3 * x);
                break;
            default: {
                const std::uint32_t pixel = in.le32(source + 4 * x);
                for (std::size_t c = 0; c < 3; ++c)
                    out[3 * x + c] = maskedChannel(pixel, h.masks[c]);
            }
            }
        }
    }
    return true;
}

/**
 * Run-length encoded 8 and 4 bit pictures: pairs of count and colour, or escapes for end of line, end of
 * picture, a jump and absolute runs. Pixels the data never reaches stay colour 0.
 */
bool decodeBmpRle(const ByteReader& in, std::size_t offset, const BmpHeader& h, ReportPicture& picture)
{
    const auto width = static_cast<std::size_t>(h.width);
    const auto height = static_cast<std::size_t>(h.height);
    const bool four = h.compression == kBiRle4;
    picture.pixels.assign(width * height, 0);
    std::size_t x = 0;
    std::size_t y = 0; // counted from the bottom row, as the file stores them
    const auto put = [&](std::uint8_t index) {
        if (x < width && y < height)
            picture.pixels[(height - 1 - y) * width + x] = index;
        ++x;
    };
    std::size_t at = offset;
    while (in.has(at, 2) && y < height) {
        const std::uint8_t count = in.u8(at);
        const std::uint8_t value = in.u8(at + 1);
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(four ? (i % 2 ? value & 15 : value >> 4) : value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (!in.has(at, 2))
                return false;
            x += in.u8(at);
            y += in.u8(at + 1);
            at += 2;
        } else {
            const std::size_t bytes = four ? (value + 1u) / 2 : value;
            if (!in.has(at, bytes))
                return false;
            for (int i = 0; i < value; ++i)
                put(four ? (i % 2 ? in.u8(at + static_cast<std::size_t>(i / 2)) & 15
                                  : in.u8(at + static_cast<std::size_t>(i / 2)) >> 4)
                         : in.u8(at + static_cast<std::size_t>(i)));
            at += (bytes + 1) / 2 * 2;
        }
    }
    return true;
}

// --- GIF -----------------------------------------------------------------------------------------

struct GifSource
{
    const std::string* data = nullptr;
    std::size_t position = 0;
};

int readGifBytes(GifFileType* gif, GifByteType* buffer, int count)
{
    auto* source = static_cast<GifSource*>(gif->UserData);
    const std::size_t available = source->data->size() - source->position;
    const std::size_t n = std::min(available, static_cast<std::size_t>(std::max(count, 0)));
    std::memcpy(buffer, source->data->data() + source->position, n);
    source->position += n;
    return static_cast<int>(n);
}

struct GifCloser
{
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

/** Reads the first image's rows into the canvas at its place, de-interlacing when the image is interlaced. */
bool readGifFrame(GifFileType* gif, ReportPicture& picture)
{
    const GifImageDesc& desc = gif->Image;
    if (desc.Width <= 0 || desc.Height <= 0 || desc.Width > kMaxSide || desc.Height > kMaxSide)
        return false;
    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
    std::vector<int> rows;
    if (desc.Interlace) {
        static constexpr int starts[] = {0, 4, 2, 1};
        static constexpr int steps[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int row = starts[pass]; row < desc.Height; row += steps[pass])
                rows.push_back(row);
    } else {
        for (int row = 0; row < desc.Height; ++row)
            rows.push_back(row);
    }
    const int colours = desc.ColorMap ? desc.ColorMap->ColorCount : gif->SColorMap->ColorCount;
    for (const int row : rows) {
        if (DGifGetLine(gif, line.data(), desc.Width) != GIF_OK)
            return false;
        const int y = desc.Top + row;
        if (y >= picture.height)
            continue;
        for (int x = 0; x < desc.Width && desc.Left + x < picture.width; ++x) {
            const int index =
                line[static_cast<std::size_t>(x)] < colours ? line[static_cast<std::size_t>(x)] : 0;
            picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                           static_cast<std::size_t>(desc.Left + x)] = static_cast<std::uint8_t>(index);
        }
    }
    return true;
}

} // namespace

std::optional<ReportPicture> jpegPicture(std::string data)
{
    const ByteReader in(data);
    if (!in.has(0, 3) || in.u8(0) != 0xFF || in.u8(1) != 0xD8)
        return std::nullopt;
    bool adobe = false;
    std::size_t at = 2;
    while (true) {
        if (!in.has(at, 2) || in.u8(at) != 0xFF)
            return std::nullopt;
        while (in.has(at + 1, 1) && in.u8(at + 1) == 0xFF)
            ++at; // fill bytes before a marker
        if (!in.has(at + 1, 1))
            return std::nullopt;
        const std::uint8_t marker = in.u8(at + 1);
        at += 2;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a segment
        if (marker == 0xD8 || marker == 0xD9 || marker == 0xDA || !in.has(at, 2))
            return std::nullopt; // image data or its end before any frame header
        const std::size_t length = in.be16(at);
        if (length < 2 || !in.has(at, length))
            return std::nullopt;
        if (marker == 0xEE && length >= 7 && std::string_view(data).substr(at + 2, 5) == "Adobe")
            adobe = true;
        if (isStartOfFrame(marker)) {
            if (length < 8)
                return std::nullopt;
            ReportPicture picture;
            picture.kind = ReportPicture::Kind::Jpeg;
            picture.height = static_cast<int>(in.be16(at + 3));
            picture.width = static_cast<int>(in.be16(at + 5));
            picture.components = in.u8(at + 7);
            picture.adobeInverted = adobe && picture.components == 4;
            const bool known = picture.components == 1 || picture.components == 3 || picture.components == 4;
            if (picture.width == 0 || picture.height == 0 || !known)
                return std::nullopt;
            picture.jpegData = std::move(data);
            return picture;
        }
        at += length;
    }
}

std::optional<ReportPicture> bmpPicture(const std::string& data)
{
    const ByteReader in(data);
    const std::optional<BmpHeader> header = readBmpHeader(in);
    if (!header)
        return std::nullopt;
    const std::size_t pixelOffset = in.le32(10);
    ReportPicture picture;
    picture.kind = ReportPicture::Kind::Bitmap;
    picture.width = header->width;
    picture.height = header->height;
    picture.bitsPerPixel = header->bitsPerPixel <= 8 ? header->bitsPerPixel : 24;
    for (std::size_t i = 0; i < header->paletteCount; ++i) {
        const std::size_t entry = header->paletteOffset + i * header->paletteEntrySize;
        picture.palette.insert(picture.palette.end(), {in.u8(entry + 2), in.u8(entry + 1), in.u8(entry)});
    }
    const bool rle = header->compression == kBiRle8 || header->compression == kBiRle4;
    if (!(rle ? decodeBmpRle(in, pixelOffset, *header, picture)
              : decodeBmpRows(in, pixelOffset, *header, picture)))
        return std::nullopt;
    // Indexes beyond a short palette would make the PDF picture invalid; they show the first colour.
    const std::size_t colours = header->paletteCount;
    if (colours > 0)
        for (std::uint8_t& index : picture.pixels)
            if (index >= colours)
                index = 0;
    return picture;
}

std::optional<ReportPicture> gifPicture(const std::string& data)
{
    GifSource source{&data, 0};
    int error = 0;
    const std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&source, readGifBytes, &error));
    if (!gif)
        return std::nullopt;
    if (gif->SWidth <= 0 || gif->SHeight <= 0 || gif->SWidth > kMaxSide || gif->SHeight > kMaxSide)
        return std::nullopt;
    // The records are read one by one up to the first image, so only that frame is ever decoded.
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    do {
        if (DGifGetRecordType(gif.get(), &record) != GIF_OK)
            return std::nullopt;
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) != GIF_OK)
                return std::nullopt;
            while (block != nullptr)
                if (DGifGetExtensionNext(gif.get(), &block) != GIF_OK)
                    return std::nullopt;
        }
    } while (record != IMAGE_DESC_RECORD_TYPE && record != TERMINATE_RECORD_TYPE);
    if (record != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif.get()) != GIF_OK)
        return std::nullopt;
    const ColorMapObject* colourMap = gif->Image.ColorMap ? gif->Image.ColorMap : gif->SColorMap;
    if (colourMap == nullptr || colourMap->ColorCount <= 0 || colourMap->ColorCount > 256)
        return std::nullopt;

    ReportPicture picture;
    picture.kind = ReportPicture::Kind::Bitmap;
    picture.bitsPerPixel = 8;
    picture.width = gif->SWidth;
    picture.height = gif->SHeight;
    for (int i = 0; i < colourMap->ColorCount; ++i) {
        const GifColorType& c = colourMap->Colors[i];
        picture.palette.insert(picture.palette.end(), {c.Red, c.Green, c.Blue});
    }
    // Parts of the canvas the first image leaves free show the background colour.
    const int background = gif->SBackGroundColor < colourMap->ColorCount ? gif->SBackGroundColor : 0;
    picture.pixels.assign(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height),
                          static_cast<std::uint8_t>(background));
    if (!readGifFrame(gif.get(), picture))
        return std::nullopt;
    return picture;
}

std::optional<ReportPicture> loadPageImage(const std::filesystem::path& file)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > kMaxFileSize)
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string data(static_cast<std::size_t>(size), '\0');
    in.read(data.data(), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size)
        return std::nullopt;
    if (data.starts_with("\xFF\xD8"))
        return jpegPicture(std::move(data));
    if (data.starts_with("\x89PNG\r\n\x1A\n"))
        return pngPicture(data);
    if (data.starts_with("GIF8"))
        return gifPicture(data);
    return bmpPicture(data);
}

} // namespace lanescope::report
