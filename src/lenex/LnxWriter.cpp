#include "lenex/LnxWriter.h"

#include "base/CodePage.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace lanescope::lenex {

namespace {

// Our text is UTF-8 inside. Files go out in Windows-1252, announced as its ISO-8859 twin, as long as every
// character has a byte there; a document with any other character (Polish, Cyrillic, Greek, symbols) is
// written as UTF-8, so nothing turns into "?".
constexpr int kOutputCodePage = 1252;

std::string openTag(const TLnxAbstractElement& node)
{
    const std::string attributes = node.attributeText();
    std::string tag = "<";
    tag += node.tagName();
    if (!attributes.empty()) {
        tag += ' ';
        tag += attributes;
    }
    tag += '>';
    return tag;
}

std::string closeTag(const TLnxAbstractElement& node) { return "</" + std::string(node.tagName()) + ">"; }

std::string withoutAngleBrackets(const std::string& value)
{
    std::string result;
    result.reserve(value.size());
    for (char c : value)
        if (c != '<' && c != '>')
            result += c;
    return result;
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
            lines.push_back(indent + openTag(element) + withoutAngleBrackets(data->value()) +
                            closeTag(element));
            return;
        }
        lines.push_back(indent + openTag(element));
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
        lines.push_back(indent + closeTag(*top.object));
        open.pop_back();
    }
}

bool saveDocument(TLnxObject& root, const std::string& fileName)
{
    std::vector<std::string> lines;
    lines.emplace_back();
    root.pruneEmptyData();
    writeNode(root, lines, {});
    const bool eightBit = std::all_of(lines.begin(), lines.end(),
                                      [](const std::string& line) { return base::fitsWindows1252(line); });
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
