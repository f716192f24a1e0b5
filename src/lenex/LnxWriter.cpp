#include "lenex/LnxWriter.h"

#include "base/CodePage.h"
#include "lenex/LnxXmlText.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace lanescope::lenex {

namespace {

// Our text is UTF-8 inside. A document goes out in ISO-8859-1 when every character has the same byte there as
// in Windows-1252 (the 8-bit code page our reader and most others take such a file for); one with any other
// character (Polish, Cyrillic, Greek, the typographic quotes and the euro sign of Windows-1252) is written as
// UTF-8, so nothing turns into "?" or into a control character.
constexpr int kOutputCodePage = 1252;

// Every stored attribute in order as name="value", values escaped. An attribute whose name is no XML name
// (a "$" in it) cannot be written as one and is left out, so the file stays well-formed.
void appendOpenTag(std::string& line, const TLnxAbstractElement& node)
{
    line += '<';
    line += node.tagName();
    for (const TLnxAttributeValue& attribute : node.attributes()) {
        const std::string_view name = attribute.writtenName();
        if (!isXmlName(name))
            continue;
        line += ' ';
        line += name;
        line += "=\"";
        appendXmlEscaped(line, attribute.value, true);
        line += '"';
    }
    line += '>';
}

void appendCloseTag(std::string& line, const TLnxAbstractElement& node)
{
    line += "</";
    line += node.tagName();
    line += '>';
}

void alignIdAttribute(TLnxAbstractElement& node)
{
    if (TLnxObject* object = node.asObject()) {
        if (object->id() != 0)
            object->setAttribute(lxaID, std::to_string(object->id()));
        else
            object->removeAttribute(lxaID);
    }
}

} // namespace

std::string charsetOfCodePage(int codePage)
{
    switch (codePage) {
    case 1250:
        return "ISO-8859-2";
    case 1251:
        return "ISO-8859-5";
    case 1253:
        return "ISO-8859-7";
    case 1254:
        return "ISO-8859-9";
    default:
        return "ISO-8859-1";
    }
}

void writeNode(TLnxAbstractElement& node, std::vector<std::string>& lines, const std::string& prefix)
{
    // Open objects with the index of their next child: an explicit stack instead of recursion.
    struct Open
    {
        TLnxAbstractObject* object;
        int next;
    };
    std::vector<Open> open;
    std::string indent = prefix;

    auto enter = [&](TLnxAbstractElement& element) {
        alignIdAttribute(element);
        if (const TLnxDataElement* data = element.asData()) {
            std::string& line = lines.emplace_back(indent);
            appendOpenTag(line, element);
            appendXmlEscaped(line, data->value(), false);
            appendCloseTag(line, element);
            return;
        }
        appendOpenTag(lines.emplace_back(indent), element);
        open.push_back({element.asAbstractObject(), 0});
        indent += ' ';
    };

    enter(node);
    while (!open.empty()) {
        Open& top = open.back();
        if (top.next < top.object->childCount()) {
            enter(*top.object->childAt(top.next++));
            continue;
        }
        indent.pop_back();
        appendCloseTag(lines.emplace_back(indent), *top.object);
        open.pop_back();
    }
}

bool saveDocument(TLnxObject& root, const std::string& fileName)
{
    std::vector<std::string> lines;
    lines.emplace_back();
    root.pruneEmptyData();
    writeNode(root, lines, {});
    const bool eightBit =
        std::all_of(lines.begin(), lines.end(), [](const std::string& line) { return base::fitsLatin1(line); });
    lines.front() = "<?xml version=\"1.0\" encoding=\"" +
                    (eightBit ? charsetOfCodePage(kOutputCodePage) : std::string("UTF-8")) + "\"?>";

    const std::filesystem::path target = std::filesystem::path(fileName).replace_extension(".lef");
    std::filesystem::path temporary = target;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines) {
            out << (eightBit ? base::encodeWindows1252(line) : line) << "\r\n";
        }
        out.flush();
        if (!out)
            return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace lanescope::lenex
