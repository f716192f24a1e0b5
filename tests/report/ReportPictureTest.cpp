#include "report/ReportPicture.h"

#include "support/TestFiles.h"

#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace lanescope::report;
using lanescope::testing::readFile;
using lanescope::testing::writeFile;

namespace {

const std::filesystem::path kImages = std::filesystem::path(LANESCOPE_TEST_DATA_DIR) / "report" / "images";

using Bytes = std::vector<std::uint8_t>;

void putLe(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

/** A BMP file with a 40-byte info header (or the 12-byte core header) around the given pixel bytes. */
std::string makeBmp(int width, int height, int bits, const std::string& pixelData,
                    const Bytes& paletteBgr = {}, std::uint32_t compression = 0, bool coreHeader = false,
                    std::string extraAfterHeader = {})
{
    const std::uint32_t headerSize = coreHeader ? 12 : 40;
    const std::size_t entrySize = coreHeader ? 3 : 4;
    std::string palette;
    for (std::size_t i = 0; i + 2 < paletteBgr.size(); i += 3) {
        palette.append({static_cast<char>(paletteBgr[i]), static_cast<char>(paletteBgr[i + 1]),
                        static_cast<char>(paletteBgr[i + 2])});
        if (entrySize == 4)
            palette += '\0';
    }
    const auto offset =
        static_cast<std::uint32_t>(14 + headerSize + extraAfterHeader.size() + palette.size());
    std::string out = "BM";
    putLe(out, offset + static_cast<std::uint32_t>(pixelData.size()), 4);
    putLe(out, 0, 4);
    putLe(out, offset, 4);
    putLe(out, headerSize, 4);
    if (coreHeader) {
        putLe(out, static_cast<std::uint32_t>(width), 2);
        putLe(out, static_cast<std::uint32_t>(height), 2);
        putLe(out, 1, 2);
        putLe(out, static_cast<std::uint32_t>(bits), 2);
    } else {
        putLe(out, static_cast<std::uint32_t>(width), 4);
        putLe(out, static_cast<std::uint32_t>(height), 4);
        putLe(out, 1, 2);
        putLe(out, static_cast<std::uint32_t>(bits), 2);
        putLe(out, compression, 4);
        putLe(out, static_cast<std::uint32_t>(pixelData.size()), 4);
        putLe(out, 2835, 4);
        putLe(out, 2835, 4);
        putLe(out, static_cast<std::uint32_t>(palette.size() / entrySize), 4);
        putLe(out, 0, 4);
    }
    return out + extraAfterHeader + palette + pixelData;
}

std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (const int v : values)
        out += static_cast<char>(v);
    return out;
}

// Two colours as blue, green, red: black and white.
const Bytes kBlackWhite = {0, 0, 0, 255, 255, 255};
// Three colours: red, green, blue.
const Bytes kRgbPalette = {0, 0, 255, 0, 255, 0, 255, 0, 0};
const Bytes kRgbPaletteAsRgb = {255, 0, 0, 0, 255, 0, 0, 0, 255};

struct BmpCase
{
    const char* name;
    std::string file;
    int width;
    int height;
    int bitsPerPixel;
    Bytes palette;
    Bytes pixels;
};

std::vector<BmpCase> bmpCases()
{
    // Rows are stored bottom row first unless the height is negative, each padded to four bytes.
    return {
        {"Rgb24BottomUp",
         makeBmp(2, 2, 24, bytes({1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0})),
         2,
         2,
         24,
         {},
         {9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}},
        {"Rgb24TopDown",
         makeBmp(2, -2, 24, bytes({1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0})),
         2,
         2,
         24,
         {},
         {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}},
        {"Rgb32", makeBmp(2, 1, 32, bytes({1, 2, 3, 0, 4, 5, 6, 0})), 2, 1, 24, {}, {3, 2, 1, 6, 5, 4}},
        {"Bitfields32",
         makeBmp(1, 1, 32, bytes({0x12, 0x34, 0x56, 0x78}), {}, 3, false,
                 bytes({0, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0})),
         1,
         1,
         24,
         {},
         {0x78, 0x56, 0x34}},
        {"OneBitNineWide",
         makeBmp(9, 1, 1, bytes({0xA5, 0x80, 0, 0}), kBlackWhite),
         9,
         1,
         1,
         {0, 0, 0, 255, 255, 255},
         {1, 0, 1, 0, 0, 1, 0, 1, 1}},
        {"FourBit",
         makeBmp(3, 1, 4, bytes({0x12, 0x00, 0, 0}), kRgbPalette),
         3,
         1,
         4,
         kRgbPaletteAsRgb,
         {1, 2, 0}},
        {"EightBitIndexBeyondPalette",
         makeBmp(3, 1, 8, bytes({2, 7, 1, 0}), kRgbPalette),
         3,
         1,
         8,
         kRgbPaletteAsRgb,
         {2, 0, 1}},
        {"CoreHeader",
         makeBmp(2, 1, 8, bytes({1, 2, 0, 0}), kRgbPalette, 0, true),
         2,
         1,
         8,
         kRgbPaletteAsRgb,
         {1, 2}},
        // run of 3 × colour 1, end of line; absolute run of 2 (padded), end of picture
        {"Rle8",
         makeBmp(3, 2, 8, bytes({3, 1, 0, 0, 0, 3, 2, 0, 1, 0, 0, 1}), kRgbPalette, 1),
         3,
         2,
         8,
         kRgbPaletteAsRgb,
         {2, 0, 1, 1, 1, 1}},
        // run of 3 alternating 1 and 2, end of line; a jump one right and one up; end of picture
        {"Rle4",
         makeBmp(3, 2, 4, bytes({3, 0x12, 0, 0, 0, 2, 1, 1, 0, 1}), kRgbPalette, 2),
         3,
         2,
         4,
         kRgbPaletteAsRgb,
         {0, 0, 0, 1, 2, 1}},
    };
}

class BmpDecoding : public ::testing::TestWithParam<BmpCase>
{
};

TEST_P(BmpDecoding, GivesTopRowFirstPixels)
{
    const BmpCase& c = GetParam();
    const auto picture = bmpPicture(c.file);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->kind, ReportPicture::Kind::Bitmap);
    EXPECT_EQ(picture->width, c.width);
    EXPECT_EQ(picture->height, c.height);
    EXPECT_EQ(picture->bitsPerPixel, c.bitsPerPixel);
    EXPECT_EQ(picture->palette, c.palette);
    EXPECT_EQ(picture->pixels, c.pixels);
}

INSTANTIATE_TEST_SUITE_P(Formats, BmpDecoding, ::testing::ValuesIn(bmpCases()),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(BmpPicture, RejectsBrokenFilesWithoutReadingPastThem)
{
    const std::string good = makeBmp(3, 2, 8, bytes({0, 1, 2, 0, 2, 1, 0, 0}), kRgbPalette);
    ASSERT_TRUE(bmpPicture(good));
    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(bmpPicture(good.substr(0, length))) << "prefix of " << length << " bytes";

    const std::string pixels(8, '\0');
    const struct
    {
        const char* name;
        std::string file;
    } broken[] = {
        {"no magic", "XX" + good.substr(2)},
        {"zero width", makeBmp(0, 2, 8, pixels, kRgbPalette)},
        {"absurd width", makeBmp(10001, 1, 24, std::string(30004, '\0'))},
        {"absurd height", makeBmp(1, -20000, 24, std::string(80000, '\0'))},
        {"16 bits", makeBmp(2, 2, 16, pixels)},
        {"RLE with 24 bits", makeBmp(2, 1, 24, pixels, {}, 1)},
        {"unknown compression", makeBmp(2, 1, 8, pixels, kRgbPalette, 4)},
        {"RLE top-down", makeBmp(3, -2, 8, bytes({0, 1}), kRgbPalette, 1)},
        {"RLE delta past the data", makeBmp(3, 2, 8, bytes({0, 2}), kRgbPalette, 1)},
        {"RLE absolute run past the data", makeBmp(3, 2, 8, bytes({0, 5, 1}), kRgbPalette, 1)},
    };
    for (const auto& b : broken)
        EXPECT_FALSE(bmpPicture(b.file)) << b.name;

    std::string pixelsOutside = good;
    pixelsOutside[10] = static_cast<char>(0xF0); // pixel data offset beyond the end
    EXPECT_FALSE(bmpPicture(pixelsOutside));
    std::string minimumHeight = good;
    minimumHeight.replace(22, 4, bytes({0, 0, 0, 0x80})); // height INT32_MIN
    EXPECT_FALSE(bmpPicture(minimumHeight));
}

TEST(JpegPicture, ReadsFrameHeaderAndKeepsTheBytes)
{
    const struct
    {
        const char* file;
        int width;
        int height;
        int components;
    } files[] = {{"logo-rgb.jpg", 16, 8, 3}, {"gray.jpg", 8, 4, 1}};
    for (const auto& f : files) {
        const std::string data = readFile(kImages / f.file);
        ASSERT_FALSE(data.empty()) << f.file;
        const auto picture = jpegPicture(data);
        ASSERT_TRUE(picture) << f.file;
        EXPECT_EQ(picture->kind, ReportPicture::Kind::Jpeg);
        EXPECT_EQ(picture->width, f.width);
        EXPECT_EQ(picture->height, f.height);
        EXPECT_EQ(picture->components, f.components);
        EXPECT_FALSE(picture->adobeInverted);
        EXPECT_EQ(picture->jpegData, data);
    }
}

TEST(JpegPicture, ReadsProgressiveAndAdobeCmykHeaders)
{
    // SOI, fill bytes, APP14 "Adobe", progressive frame header (SOF2) of 300 × 200 with 4 components
    const std::string cmyk = bytes({0xFF, 0xD8, 0xFF, 0xFF, 0xEE, 0, 14}) + "Adobe" +
                             bytes({0, 100, 0,    0, 0, 0,    2, 0xFF, 0xC2, 0, 20, 8,    0, 200,  1,   44,
                                    4, 1,   0x11, 0, 2, 0x11, 0, 3,    0x11, 0, 4,  0x11, 0, 0xFF, 0xD9});
    const auto picture = jpegPicture(cmyk);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 300);
    EXPECT_EQ(picture->height, 200);
    EXPECT_EQ(picture->components, 4);
    EXPECT_TRUE(picture->adobeInverted);
}

TEST(JpegPicture, RejectsBrokenDataWithoutReadingPastIt)
{
    const std::string good = readFile(kImages / "logo-rgb.jpg");
    const std::size_t frame = good.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    for (std::size_t length = 0; length < frame + 10; ++length)
        EXPECT_FALSE(jpegPicture(good.substr(0, length))) << "prefix of " << length << " bytes";

    const std::string broken[] = {
        "GIF89a",
        bytes({0xFF, 0xD8, 0xFF, 0xDA, 0, 2}),                        // scan before any frame header
        bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 1, 0xFF, 0xC0}),            // segment length below 2
        bytes({0xFF, 0xD8, 0xFF, 0xE0, 0xFF, 0xFF, 0}),               // segment longer than the data
        bytes({0xFF, 0xD8, 0x00, 0xC0}),                              // no marker where one must be
        bytes({0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8, 0, 0, 0, 16, 1, 1}), // height 0 (given later)
        bytes({0xFF, 0xD8, 0xFF, 0xC0, 0, 14, 8, 0, 8, 0, 8, 2, 1, 0x11, 0, 2, 0x11, 0}), // two components
        bytes({0xFF, 0xD8, 0xFF, 0xC4, 0, 2, 0xFF, 0xD9}), // Huffman table is no frame header
    };
    for (const std::string& data : broken)
        EXPECT_FALSE(jpegPicture(data));
}

TEST(GifPicture, DecodesFirstFrameIntoPaletteBitmap)
{
    const auto plain = gifPicture(readFile(kImages / "plain.gif"));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->kind, ReportPicture::Kind::Bitmap);
    EXPECT_EQ(plain->bitsPerPixel, 8);
    EXPECT_EQ(plain->width, 3);
    EXPECT_EQ(plain->height, 2);
    EXPECT_EQ(plain->palette, (Bytes{255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0}));
    EXPECT_EQ(plain->pixels, (Bytes{0, 1, 2, 2, 1, 0}));

    const auto interlaced = gifPicture(readFile(kImages / "interlaced.gif"));
    ASSERT_TRUE(interlaced);
    ASSERT_EQ(interlaced->pixels.size(), 20u);
    for (std::size_t row = 0; row < 10; ++row)
        EXPECT_EQ(interlaced->pixels[2 * row], row % 4) << "row " << row;

    // A 2 × 1 frame with its own colour map at (1, 2) on a 4 × 4 canvas of background colour 0.
    const auto offset = gifPicture(readFile(kImages / "local-map-offset.gif"));
    ASSERT_TRUE(offset);
    EXPECT_EQ(offset->palette, (Bytes{255, 255, 255, 0, 0, 255}));
    Bytes expected(16, 0);
    expected[2 * 4 + 1] = 1;
    EXPECT_EQ(offset->pixels, expected);
}

TEST(GifPicture, RejectsBrokenData)
{
    const std::string good = readFile(kImages / "plain.gif");
    ASSERT_TRUE(gifPicture(good));
    // Without the final trailer the picture is complete, so only shorter prefixes must fail.
    for (std::size_t length = 0; length + 2 < good.size(); ++length)
        EXPECT_FALSE(gifPicture(good.substr(0, length))) << "prefix of " << length << " bytes";

    std::string huge = good;
    huge.replace(6, 4, bytes({0x20, 0x4E, 0x20, 0x4E})); // a 20000 × 20000 canvas
    EXPECT_FALSE(gifPicture(huge));
    EXPECT_FALSE(
        gifPicture(bytes({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, ';'}))); // no colour map
    EXPECT_FALSE(gifPicture(readFile(kImages / "logo-rgb.jpg")));
}

TEST(PngPicture, DecodesToRgbOnWhitePaper)
{
    const auto rgba = pngPicture(readFile(kImages / "rgba.png"));
    ASSERT_TRUE(rgba);
    EXPECT_EQ(rgba->kind, ReportPicture::Kind::Bitmap);
    EXPECT_EQ(rgba->bitsPerPixel, 24);
    EXPECT_EQ(rgba->width, 3);
    EXPECT_EQ(rgba->height, 2);
    ASSERT_EQ(rgba->pixels.size(), 18u);
    // Red, green, transparent (white); blue, half-transparent black (grey), white.
    EXPECT_EQ(Bytes(rgba->pixels.begin(), rgba->pixels.begin() + 12),
              (Bytes{255, 0, 0, 0, 255, 0, 255, 255, 255, 0, 0, 255}));
    EXPECT_GT(rgba->pixels[12], 100);
    EXPECT_LT(rgba->pixels[12], 200);
    EXPECT_EQ(Bytes(rgba->pixels.begin() + 15, rgba->pixels.end()), (Bytes{255, 255, 255}));

    const auto palette = pngPicture(readFile(kImages / "palette.png"));
    ASSERT_TRUE(palette);
    EXPECT_EQ(palette->pixels, (Bytes{255, 0, 0, 0, 0, 255}));

    std::string truncated = readFile(kImages / "rgba.png");
    truncated.resize(40);
    EXPECT_FALSE(pngPicture(truncated));
    EXPECT_FALSE(pngPicture(readFile(kImages / "plain.gif")));
}

TEST(LoadPageImage, ChoosesTheDecoderByTheFilesContent)
{
    const std::filesystem::path dir = ::testing::TempDir();
    const std::string gif = readFile(kImages / "plain.gif");
    const std::string bmp = makeBmp(1, 1, 24, bytes({1, 2, 3, 0}));
    writeFile(dir / "head.GiF", gif);
    writeFile(dir / "gif-as.bmp", gif);
    writeFile(dir / "side", bmp);
    writeFile(dir / "logo.jpeg", readFile(kImages / "logo-rgb.jpg"));
    writeFile(dir / "logo.png", readFile(kImages / "rgba.png"));
    writeFile(dir / "broken.png", readFile(kImages / "rgba.png").substr(0, 40));

    const struct
    {
        const char* name;
        int width; // 0: not readable
        ReportPicture::Kind kind;
    } cases[] = {
        {"head.GiF", 3, ReportPicture::Kind::Bitmap},    {"gif-as.bmp", 3, ReportPicture::Kind::Bitmap},
        {"side", 1, ReportPicture::Kind::Bitmap},        {"logo.jpeg", 16, ReportPicture::Kind::Jpeg},
        {"logo.png", 3, ReportPicture::Kind::Bitmap},    {"broken.png", 0, ReportPicture::Kind::Bitmap},
        {"missing.bmp", 0, ReportPicture::Kind::Bitmap},
    };
    for (const auto& c : cases) {
        const auto picture = loadPageImage(dir / c.name);
        ASSERT_EQ(picture.has_value(), c.width > 0) << c.name;
        if (picture) {
            EXPECT_EQ(picture->width, c.width) << c.name;
            EXPECT_EQ(picture->kind, c.kind) << c.name;
        }
    }
    EXPECT_FALSE(loadPageImage(dir));
}

} // namespace
