// The language files in lang/ hold every numbered text the program reads, in the shape its callers expect.

#include <algorithm>
#include <cctype>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

/** A numbered text the program reads, with the number of ;-separated items its caller relies on (0: any). */
struct TextId
{
    char section;
    int number;
    int items;
};

// clang-format off
constexpr TextId kTextIds[] = {
    // General: dialogs, printing, date names, downloads, language names.
    {'G', 10, 0}, {'G', 11, 0}, {'G', 41, 0}, {'G', 52, 0}, {'G', 53, 0}, {'G', 54, 0}, {'G', 55, 0},
    {'G', 56, 0}, {'G', 57, 0}, {'G', 58, 0}, {'G', 59, 0}, {'G', 60, 0}, {'G', 61, 0}, {'G', 62, 0},
    {'G', 63, 0}, {'G', 68, 0}, {'G', 69, 3}, {'G', 70, 12}, {'G', 71, 12}, {'G', 72, 7}, {'G', 73, 7},
    {'G', 90, 0}, {'G', 95, 0}, {'G', 96, 0}, {'G', 97, 0}, {'G', 108, 0}, {'G', 109, 0}, {'G', 120, 0},
    {'G', 138, 0}, {'G', 140, 0}, {'G', 149, 24}, {'G', 158, 0}, {'G', 159, 0},
    // Swimming vocabulary: display lists, column headers, converter messages.
    {'S', 1, 8}, {'S', 2, 7}, {'S', 3, 3}, {'S', 4, 3}, {'S', 5, 10}, {'S', 6, 7}, {'S', 7, 2}, {'S', 8, 6},
    {'S', 9, 2}, {'S', 10, 2}, {'S', 11, 2}, {'S', 12, 5}, {'S', 13, 11}, {'S', 16, 0}, {'S', 17, 0},
    {'S', 18, 0}, {'S', 19, 0}, {'S', 21, 1}, {'S', 22, 1}, {'S', 23, 1}, {'S', 28, 7}, {'S', 29, 0},
    {'S', 40, 4}, {'S', 41, 0}, {'S', 43, 0}, {'S', 46, 0}, {'S', 47, 2}, {'S', 49, 0}, {'S', 57, 0},
    {'S', 58, 1}, {'S', 70, 1}, {'S', 72, 0}, {'S', 80, 4},
    // Viewer: messages, list headers, club statistics.
    {'V', 3, 0}, {'V', 4, 0}, {'V', 7, 0}, {'V', 8, 0}, {'V', 9, 0}, {'V', 10, 0}, {'V', 11, 0},
    {'V', 12, 0}, {'V', 13, 0}, {'V', 14, 0}, {'V', 15, 0}, {'V', 16, 0}, {'V', 17, 0}, {'V', 18, 0},
    {'V', 19, 0}, {'V', 20, 0}, {'V', 21, 0}, {'V', 22, 0}, {'V', 23, 0}, {'V', 24, 0}, {'V', 25, 0},
    {'V', 26, 0}, {'V', 27, 0}, {'V', 28, 0}, {'V', 29, 0}, {'V', 30, 0}, {'V', 31, 0}, {'V', 32, 0},
    {'V', 33, 3}, {'V', 34, 0}, {'V', 35, 0}, {'V', 36, 0}, {'V', 37, 0}, {'V', 38, 0},
    // Viewer: live reload, link downloads and why they failed.
    {'V', 39, 0}, {'V', 40, 0}, {'V', 41, 0}, {'V', 42, 0}, {'V', 43, 0}, {'V', 44, 0}, {'V', 45, 0},
    {'V', 46, 0}, {'V', 47, 0}, {'V', 48, 0}, {'V', 49, 0}, {'V', 50, 0},
    // Viewer: lists, athlete rows, filter, CSV export and optional columns.
    {'V', 56, 0}, {'V', 57, 0}, {'V', 59, 0}, {'V', 60, 0}, {'V', 61, 0},
    {'V', 63, 0}, {'V', 64, 0}, {'V', 65, 0}, {'V', 66, 0}, {'V', 67, 0}, {'V', 68, 0}, {'V', 69, 0},
    // Viewer: print dialog, preview, note editor, page setup standards, saved-file message.
    {'V', 90, 0}, {'V', 91, 0}, {'V', 92, 0}, {'V', 93, 0}, {'V', 94, 0}, {'V', 95, 0}, {'V', 96, 0},
    {'V', 97, 0}, {'V', 98, 0}, {'V', 99, 0}, {'V', 100, 0}, {'V', 101, 0}, {'V', 102, 0}, {'V', 103, 0},
    {'V', 104, 0}, {'V', 105, 0}, {'V', 106, 0}, {'V', 107, 0}, {'V', 108, 0}, {'V', 109, 0}, {'V', 110, 0},
    {'V', 111, 0}, {'V', 112, 0}, {'V', 113, 0}, {'V', 114, 0},
    // Viewer: the meet as a website.
    {'V', 160, 0}, {'V', 161, 0}, {'V', 162, 0}, {'V', 163, 0}, {'V', 164, 0}, {'V', 165, 0},
    {'V', 166, 0}, {'V', 167, 0}, {'V', 168, 0}, {'V', 169, 0},
    // Viewer: clubs without a name, files without a competition.
    {'V', 210, 0}, {'V', 211, 0}, {'V', 212, 0}, {'V', 213, 0},
    // Reports: pages, columns, the result book.
    {'V', 140, 0}, {'V', 141, 0}, {'V', 142, 0}, {'V', 143, 6}, {'V', 144, 0}, {'V', 146, 0},
    // Season library page, its lists and the personal best mark.
    {'V', 170, 0}, {'V', 171, 0}, {'V', 172, 0}, {'V', 173, 0}, {'V', 174, 0}, {'V', 175, 0}, {'V', 176, 0},
    {'V', 177, 0}, {'V', 178, 0}, {'V', 179, 0}, {'V', 180, 0}, {'V', 181, 0}, {'V', 182, 0}, {'V', 183, 0},
    {'V', 184, 0}, {'V', 185, 0}, {'V', 186, 0}, {'V', 187, 0}, {'V', 188, 0}, {'V', 189, 0}, {'V', 190, 0},
    {'V', 191, 0}, {'V', 192, 0}, {'V', 193, 0}, {'V', 194, 0}, {'V', 195, 0}, {'V', 196, 0}, {'V', 197, 0},
    {'V', 198, 0}, {'V', 199, 0}, {'V', 200, 0}, {'V', 201, 0}, {'V', 202, 0}, {'V', 203, 0}, {'V', 204, 0},
    {'V', 205, 0}, {'V', 206, 0}, {'V', 207, 0}, {'V', 208, 0}, {'V', 209, 0},
    // The race and progression pictures.
    {'V', 220, 0}, {'V', 221, 0}, {'V', 222, 0}, {'V', 223, 0}, {'V', 224, 0}, {'V', 225, 0}, {'V', 226, 0},
    {'V', 227, 0}, {'V', 228, 0}, {'V', 229, 0}, {'V', 230, 0}, {'V', 231, 0}, {'V', 232, 0},
};
// clang-format on

/** The raw lines of each data section (one-letter name); line n - 1 holds the entry numbered n. */
using DataSections = std::map<char, std::vector<std::string>>;

DataSections readDataSections(const std::string& fileName)
{
    DataSections sections;
    std::ifstream in(LANESCOPE_SAMPLES_DIR "/../lang/" + fileName, std::ios::binary);
    std::vector<std::string>* current = nullptr;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.starts_with('[')) {
            const std::string name = line.substr(1, line.find(']') - 1);
            current = name.size() == 1 ? &sections[name[0]] : nullptr;
        } else if (current) {
            current->push_back(line);
        }
    }
    return sections;
}

/** The entry text as the program takes it: everything after the first "=", or the whole line. */
std::string textOf(const DataSections& sections, char section, int number)
{
    const auto found = sections.find(section);
    if (found == sections.end() || number > static_cast<int>(found->second.size()))
        return {};
    const std::string& line = found->second[number - 1];
    const auto equals = line.find('=');
    return equals == std::string::npos ? line : line.substr(equals + 1);
}

/** The format conversions of a text in order ("%d", "%.2d", "%s" ...); any other "%" is plain text. */
std::vector<std::string> conversions(std::string_view text)
{
    std::vector<std::string> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        std::size_t end = i + 1;
        while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) ||
                                     std::string_view("-.:*").find(text[end]) != std::string_view::npos))
            ++end;
        if (end < text.size() &&
            std::string_view("dDuUeEfFgGnNmMpPsSxX").find(text[end]) != std::string_view::npos) {
            found.emplace_back(text.substr(i, end - i + 1));
            i = end;
        } else if (end == i + 1 && end < text.size() && text[end] == '%') {
            i = end;
        }
    }
    return found;
}

std::ptrdiff_t countOf(std::string_view text, char c) { return std::count(text.begin(), text.end(), c); }

bool isUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

class LanguageFile : public ::testing::TestWithParam<const char*>
{
protected:
    static const DataSections& english()
    {
        static const DataSections sections = readDataSections("lanescope.xus");
        return sections;
    }
};

// The reader counts lines, not the numbers written before "="; a missing or doubled line would shift every
// later text of its section.
TEST_P(LanguageFile, WrittenNumbersMatchLinePositions)
{
    const DataSections sections = readDataSections(GetParam());
    ASSERT_EQ(sections.size(), 3u) << "expected the data sections G, S and V";
    for (const auto& [section, lines] : sections) {
        for (std::size_t k = 0; k < lines.size(); ++k) {
            SCOPED_TRACE(std::string(1, section) + " line " + std::to_string(k + 1));
            EXPECT_TRUE(lines[k].starts_with(std::to_string(k + 1) + "=")) << lines[k];
            EXPECT_TRUE(isUtf8(lines[k]));
        }
    }
}

TEST_P(LanguageFile, HoldsEveryTextInTheShapeItsCallerExpects)
{
    const DataSections sections = readDataSections(GetParam());
    for (const TextId& id : kTextIds) {
        SCOPED_TRACE(std::string(1, id.section) + std::to_string(id.number));
        const std::string text = textOf(sections, id.section, id.number);
        const std::string reference = textOf(english(), id.section, id.number);
        EXPECT_FALSE(text.empty() || text == "-") << "missing text";
        EXPECT_EQ(conversions(text), conversions(reference)) << text;
        EXPECT_EQ(countOf(text, '|'), countOf(reference, '|')) << "file filter pieces: " << text;
        if (id.items > 0) {
            EXPECT_EQ(countOf(text, ';') + 1, id.items) << text;
        }
    }
}

std::string extensionOf(const ::testing::TestParamInfo<const char*>& test)
{
    return std::string(test.param).substr(std::string_view("lanescope.").size());
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFile,
                         ::testing::Values("lanescope.xus", "lanescope.xde", "lanescope.xch",
                                           "lanescope.xfr"),
                         extensionOf);

} // namespace
