#include "LenexLineWriter.h"

#include <charconv>
#include <utility>

namespace lanescope::bench {
namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;

void putDigits(char* out, int value, int width)
{
    for (int i = width; i > 0; --i) {
        out[i - 1] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

} // namespace

LenexLineWriter::LenexLineWriter(Sink sink)
    : FSink(std::move(sink))
{
}

void LenexLineWriter::line(std::string_view text)
{
    FText += text;
    FText += "\r\n";
}

void LenexLineWriter::open(std::string_view tag)
{
    startTag(tag, {}, {});
    FText += "\r\n";
    FOpen.push_back(tag);
}

void LenexLineWriter::openWithId(std::string_view tag, long long id)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, id).ptr;
    startTag(tag, "id", std::string_view(digits, static_cast<std::size_t>(end - digits)));
    FText += "\r\n";
    FOpen.push_back(tag);
}

void LenexLineWriter::close()
{
    const std::string_view tag = FOpen.back();
    FOpen.pop_back();
    indent();
    endTag(tag);
    // Blocks are handed over only between elements, so a sink never sees half a line.
    if (FSink && FText.size() >= kBlockSize) {
        FSink(FText);
        FFlushed += FText.size();
        FText.clear();
    }
}

void LenexLineWriter::data(std::string_view tag, std::string_view value)
{
    dataWithAttribute(tag, {}, {}, value);
}

void LenexLineWriter::number(std::string_view tag, long long value)
{
    startTag(tag, {}, {});
    appendNumber(value);
    endTag(tag);
}

void LenexLineWriter::dataWithAttribute(std::string_view tag, std::string_view attribute,
                                        std::string_view attributeValue, std::string_view value)
{
    startTag(tag, attribute, attributeValue);
    FText += value;
    endTag(tag);
}

std::string LenexLineWriter::finish()
{
    if (FSink) {
        FSink(FText);
        FFlushed += FText.size();
        FText.clear();
    }
    return std::move(FText);
}

void LenexLineWriter::startTag(std::string_view tag, std::string_view attribute,
                               std::string_view attributeValue)
{
    indent();
    FText += '<';
    FText += tag;
    if (!attribute.empty()) {
        FText += ' ';
        FText += attribute;
        FText += "=\"";
        FText += attributeValue;
        FText += '"';
    }
    FText += '>';
}

void LenexLineWriter::endTag(std::string_view tag)
{
    FText += "</";
    FText += tag;
    FText += ">\r\n";
}

void LenexLineWriter::appendNumber(long long value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    FText.append(digits, end);
}

LenexTime::LenexTime(char kind, int hundredths)
{
    FText = {kind, '0', '0', 'h', 0, 0, ':', 0, 0, '.', 0, 0};
    putDigits(&FText[4], hundredths / 6000 % 60, 2);
    putDigits(&FText[7], hundredths / 100 % 60, 2);
    putDigits(&FText[10], hundredths % 100, 2);
}

std::string zeroPadded(int value, int width)
{
    std::string text(static_cast<std::size_t>(width), '0');
    putDigits(text.data(), value, width);
    return text;
}

} // namespace lanescope::bench
