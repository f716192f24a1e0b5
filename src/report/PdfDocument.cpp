#include "report/PdfDocument.h"

#include "base/CodePage.h"

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <zlib.h>

namespace lanescope::report {

namespace {

constexpr std::string_view kEol = "\r\n";

std::string deflate(std::string_view data)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
                  static_cast<uLong>(data.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("PDF stream compression failed");
    out.resize(size);
    return out;
}

/** Collects numbered objects and remembers where each starts for the cross-reference table. */
class ObjectWriter
{
public:
    explicit ObjectWriter(int objectCount)
        : FOffsets(static_cast<std::size_t>(objectCount) + 1, 0)
    {
        // The comment with bytes above 127 marks the file as binary for transfer programs.
        FOut += "%PDF-1.2 ";
        FOut += kEol;
        FOut += "%\xE2\xE3\xCF\xD3";
        FOut += kEol;
    }

    void object(int number, std::string_view dictionary)
    {
        begin(number);
        FOut += dictionary;
        FOut += kEol;
        end();
    }

    void stream(int number, std::string dictionary, std::string_view data)
    {
        begin(number);
        dictionary.insert(dictionary.size() - 2, "/Length " + std::to_string(data.size()) + " ");
        FOut += dictionary;
        FOut += kEol;
        FOut += "stream";
        FOut += kEol;
        FOut += data;
        FOut += kEol;
        FOut += "endstream";
        FOut += kEol;
        end();
    }

    std::string finish(int root, int info)
    {
        const std::size_t xref = FOut.size();
        FOut += "xref";
        FOut += kEol;
        FOut += "0 " + std::to_string(FOffsets.size());
        FOut += kEol;
        FOut += "0000000000 65535 f";
        FOut += kEol;
        char entry[32];
        for (std::size_t i = 1; i < FOffsets.size(); ++i) {
            std::snprintf(entry, sizeof entry, "%010zu 00000 n\r\n", FOffsets[i]);
            FOut += entry;
        }
        FOut += "trailer";
        FOut += kEol;
        FOut += "<< /Size " + std::to_string(FOffsets.size()) + " /Root " + ref(root) + " /Info " +
                ref(info) + " >>";
        FOut += kEol;
        FOut += "startxref";
        FOut += kEol;
        FOut += std::to_string(xref);
        FOut += kEol;
        FOut += "%%EOF";
        FOut += kEol;
        return std::move(FOut);
    }

    static std::string ref(int number) { return std::to_string(number) + " 0 R"; }

private:
    void begin(int number)
    {
        FOffsets.at(static_cast<std::size_t>(number)) = FOut.size();
        FOut += std::to_string(number) + " 0 obj";
        FOut += kEol;
    }

    void end()
    {
        FOut += "endobj";
        FOut += kEol;
    }

    std::string FOut;
    std::vector<std::size_t> FOffsets;
};

/** Decodes well-formed UTF-8 (the caller checked it) into code points. */
std::u32string codePoints(std::string_view utf8)
{
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length && i + static_cast<std::size_t>(k) < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        out += cp;
        i += static_cast<std::size_t>(length);
    }
    return out;
}

} // namespace

void PdfDocument::addPage(int width, int height)
{
    Page page;
    page.width = width;
    page.height = height;
    FPages.push_back(std::move(page));
}

bool PdfDocument::hasPages() const { return !FPages.empty(); }

PdfDocument::Page& PdfDocument::currentPage()
{
    if (FPages.empty())
        throw std::logic_error("PDF drawing before the first page");
    return FPages.back();
}

void PdfDocument::appendContent(std::string_view operators)
{
    std::string& content = currentPage().content;
    content += operators;
    content += kEol;
}

void PdfDocument::addPageFont(const std::string& name)
{
    Page& page = currentPage();
    for (const std::string& used : page.fonts)
        if (used == name)
            return;
    page.fonts.push_back(name);
}

void PdfDocument::useFont(const std::string& name, const PdfFont& font)
{
    currentPage();
    FFonts.try_emplace(name, font);
    addPageFont(name);
}

void PdfDocument::useEmbeddedFont(const std::string& name) { addPageFont(name); }

void PdfDocument::defineEmbeddedFont(const std::string& name, PdfType0Font font)
{
    FEmbeddedFonts[name] = std::move(font);
}

void PdfDocument::addImage(const std::string& name, PdfImage image)
{
    Page& page = currentPage();
    if (!image.dctEncoded)
        image.data = deflate(image.data);
    const std::size_t hash = std::hash<std::string>{}(image.data);
    const auto [first, last] = FImagesByHash.equal_range(hash);
    for (auto it = first; it != last; ++it) {
        const PdfImage& known = FImages[it->second];
        if (known.data == image.data && known.colourSpace == image.colourSpace &&
            known.width == image.width && known.height == image.height &&
            known.extraEntries == image.extraEntries && known.dctEncoded == image.dctEncoded) {
            page.images.emplace_back(name, it->second);
            return;
        }
    }
    FImagesByHash.emplace(hash, FImages.size());
    page.images.emplace_back(name, FImages.size());
    FImages.push_back(std::move(image));
}

void PdfDocument::addOutline(int level, const std::string& title, int y)
{
    currentPage();
    FOutline.push_back({std::max(level, 0), title, {FPages.size() - 1, y}});
}

void PdfDocument::addDestination(const std::string& name, int y)
{
    currentPage();
    FDestinations.try_emplace(name, Place{FPages.size() - 1, y});
}

void PdfDocument::addLink(int left, int bottom, int right, int top, const std::string& destination)
{
    currentPage();
    FLinks.push_back({FPages.size() - 1, {left, bottom, right, top}, destination});
}

std::string PdfDocument::literalString(std::string_view bytes)
{
    std::string out = "(";
    for (const char c : bytes) {
        switch (c) {
        case '(':
        case ')':
        case '\\':
            out += '\\';
            out += c;
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    out += ')';
    return out;
}

std::string PdfDocument::textString(std::string_view utf8)
{
    bool ascii = true;
    for (const char c : utf8)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        return literalString(utf8);
    const std::string valid =
        base::isValidUtf8(utf8) ? std::string(utf8) : base::decodeToUtf8(utf8, base::CodePage::Windows1252);
    std::string hex = "<FEFF";
    char unit[8];
    const auto put = [&](unsigned value) {
        std::snprintf(unit, sizeof unit, "%04X", value);
        hex += unit;
    };
    for (const char32_t cp : codePoints(valid)) {
        if (cp >= 0x10000) {
            put(0xD800 + ((cp - 0x10000) >> 10));
            put(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            put(cp);
        }
    }
    return hex + ">";
}

std::string PdfDocument::serialize(const PdfInfo& info) const
{
    // Numbering: catalog, page tree, information, the fonts, the images, then page and content per page.
    const int catalog = 1;
    const int pageTree = 2;
    const int infoObject = 3;
    const int firstFont = 4;
    // An embedded font takes five objects: Type 0 font, CID font, descriptor, font file, ToUnicode map.
    const int firstEmbedded = firstFont + static_cast<int>(FFonts.size());
    const int firstImage = firstEmbedded + 5 * static_cast<int>(FEmbeddedFonts.size());
    const int firstPage = firstImage + static_cast<int>(FImages.size());
    // Then the outline (its root and one object per entry) and the link annotations.
    const int outlineRoot = firstPage + 2 * static_cast<int>(FPages.size());
    const int firstOutline = outlineRoot + 1;
    const int firstLink = FOutline.empty() ? outlineRoot : firstOutline + static_cast<int>(FOutline.size());
    std::vector<const Link*> links;
    for (const Link& link : FLinks)
        if (FDestinations.contains(link.destination))
            links.push_back(&link);
    const int objectCount = firstLink + static_cast<int>(links.size()) - 1;
    const auto destination = [&](const Place& place) {
        return "[" + ObjectWriter::ref(firstPage + 2 * static_cast<int>(place.page)) + " /XYZ 0 " +
               std::to_string(place.y) + " null]";
    };

    ObjectWriter writer(objectCount);
    writer.object(catalog, "<< /Type /Catalog /Pages " + ObjectWriter::ref(pageTree) +
                               (FOutline.empty() ? std::string()
                                                 : " /Outlines " + ObjectWriter::ref(outlineRoot) +
                                                       " /PageMode /UseOutlines") +
                               " >>");

    std::string kids;
    for (std::size_t i = 0; i < FPages.size(); ++i)
        kids += (i ? " " : "") + ObjectWriter::ref(firstPage + 2 * static_cast<int>(i));
    writer.object(pageTree,
                  "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(FPages.size()) + " >>");

    writer.object(infoObject, "<< /Producer " + textString(info.producer) + " /Creator " +
                                  textString(info.creator) + " /Author " + textString(info.author) +
                                  " /Subject " + textString(info.subject) + " /CreationDate " +
                                  literalString(info.creationDate) + " >>");

    std::map<std::string, int> fontObjects;
    int number = firstFont;
    for (const auto& [name, font] : FFonts) {
        std::string widths;
        for (std::size_t i = 0; i < font.widths.size(); ++i)
            widths += (i ? (i % 16 ? " " : std::string(kEol)) : "") + std::to_string(font.widths[i]);
        const int lastChar = font.firstChar + static_cast<int>(font.widths.size()) - 1;
        writer.object(number, "<< /Type /Font /Subtype /Type1 /Name /" + name + " /BaseFont /" +
                                  font.baseFont + " /Encoding /" + font.encoding + " /FirstChar " +
                                  std::to_string(font.firstChar) + " /LastChar " + std::to_string(lastChar) +
                                  " /Widths [" + widths + "] >>");
        fontObjects[name] = number++;
    }
    for (const auto& [name, font] : FEmbeddedFonts) {
        writer.object(number, "<< /Type /Font /Subtype /Type0 /BaseFont /" + font.baseFont +
                                  " /Encoding /Identity-H /DescendantFonts [" +
                                  ObjectWriter::ref(number + 1) + "] /ToUnicode " +
                                  ObjectWriter::ref(number + 4) + " >>");
        writer.object(number + 1,
                      "<< /Type /Font /Subtype " + std::string(font.cff ? "/CIDFontType0" : "/CIDFontType2") +
                          " /BaseFont /" + font.baseFont +
                          " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
                          " /FontDescriptor " +
                          ObjectWriter::ref(number + 2) + " /DW 1000 /W [" + font.widths + "]" +
                          (font.cff ? "" : " /CIDToGIDMap /Identity") + " >>");
        std::string descriptor =
            "<< /Type /FontDescriptor /FontName /" + font.baseFont + " " + font.descriptorEntries;
        if (!font.fontFile.empty())
            descriptor += (font.cff ? " /FontFile3 " : " /FontFile2 ") + ObjectWriter::ref(number + 3);
        writer.object(number + 2, descriptor + " >>");
        writer.stream(number + 3,
                      font.cff ? "<< /Subtype /CIDFontType0C /Filter /FlateDecode >>"
                               : "<< /Length1 " + std::to_string(font.fontFile.size()) +
                                     " /Filter /FlateDecode >>",
                      deflate(font.fontFile));
        writer.stream(number + 4, "<< /Filter /FlateDecode >>", deflate(font.toUnicode));
        fontObjects[name] = number;
        number += 5;
    }

    for (const PdfImage& image : FImages) {
        std::string dictionary = "<< /Type /XObject /Subtype /Image /Width " + std::to_string(image.width) +
                                 " /Height " + std::to_string(image.height) + " /ColorSpace " +
                                 image.colourSpace + " /BitsPerComponent 8 /Filter " +
                                 (image.dctEncoded ? "/DCTDecode" : "/FlateDecode");
        if (!image.extraEntries.empty())
            dictionary += " " + image.extraEntries;
        writer.stream(number++, dictionary + " >>", image.data);
    }

    for (const Page& page : FPages) {
        std::string procSet = "/PDF /Text /ImageC";
        std::string fonts;
        for (const std::string& name : page.fonts)
            fonts += " /" + name + " " + ObjectWriter::ref(fontObjects.at(name));
        std::string images;
        for (const auto& [name, index] : page.images) {
            images += " /" + name + " " + ObjectWriter::ref(firstImage + static_cast<int>(index));
            const std::string set = "/" + FImages[index].procSet;
            if (procSet.find(set) == std::string::npos)
                procSet += " " + set;
        }
        std::string resources = "<< /ProcSet [" + procSet + "]";
        if (!fonts.empty())
            resources += " /Font <<" + fonts + " >>";
        if (!images.empty())
            resources += " /XObject <<" + images + " >>";
        resources += " >>";
        std::string annotations;
        const auto pageIndex = static_cast<std::size_t>((number - firstPage) / 2);
        for (std::size_t i = 0; i < links.size(); ++i)
            if (links[i]->page == pageIndex)
                annotations += (annotations.empty() ? "" : " ") + ObjectWriter::ref(firstLink + static_cast<int>(i));
        writer.object(number, "<< /Type /Page /Parent " + ObjectWriter::ref(pageTree) + " /MediaBox [0 0 " +
                                  std::to_string(page.width) + " " + std::to_string(page.height) +
                                  "] /Resources " + resources + " /Contents " +
                                  ObjectWriter::ref(number + 1) +
                                  (annotations.empty() ? std::string() : " /Annots [" + annotations + "]") +
                                  " >>");
        writer.stream(number + 1, "<< /Filter /FlateDecode >>", deflate(page.content));
        number += 2;
    }

    if (!FOutline.empty()) {
        // Each entry's parent is the nearest entry before it with a lower level (or the root).
        const std::size_t count = FOutline.size();
        std::vector<int> parent(count, -1);
        std::vector<int> previous(count, -1);
        std::vector<int> next(count, -1);
        std::vector<int> first(count, -1);
        std::vector<int> last(count, -1);
        std::vector<int> descendants(count, 0);
        int rootFirst = -1;
        int rootLast = -1;
        std::vector<int> open;
        for (std::size_t i = 0; i < count; ++i) {
            while (!open.empty() && FOutline[static_cast<std::size_t>(open.back())].level >= FOutline[i].level)
                open.pop_back();
            const int index = static_cast<int>(i);
            parent[i] = open.empty() ? -1 : open.back();
            int& lastSibling = parent[i] < 0 ? rootLast : last[static_cast<std::size_t>(parent[i])];
            int& firstSibling = parent[i] < 0 ? rootFirst : first[static_cast<std::size_t>(parent[i])];
            if (lastSibling >= 0) {
                next[static_cast<std::size_t>(lastSibling)] = index;
                previous[i] = lastSibling;
            } else {
                firstSibling = index;
            }
            lastSibling = index;
            for (int up = parent[i]; up >= 0; up = parent[static_cast<std::size_t>(up)])
                ++descendants[static_cast<std::size_t>(up)];
            open.push_back(index);
        }
        const auto ref = [&](int index) { return ObjectWriter::ref(firstOutline + index); };
        writer.object(outlineRoot, "<< /Type /Outlines /First " + ref(rootFirst) + " /Last " + ref(rootLast) +
                                       " /Count " + std::to_string(count) + " >>");
        for (std::size_t i = 0; i < count; ++i) {
            std::string entry = "<< /Title " + textString(FOutline[i].title) + " /Parent " +
                                (parent[i] < 0 ? ObjectWriter::ref(outlineRoot) : ref(parent[i]));
            if (previous[i] >= 0)
                entry += " /Prev " + ref(previous[i]);
            if (next[i] >= 0)
                entry += " /Next " + ref(next[i]);
            if (first[i] >= 0)
                entry += " /First " + ref(first[i]) + " /Last " + ref(last[i]) + " /Count " +
                         std::to_string(descendants[i]);
            writer.object(firstOutline + static_cast<int>(i), entry + " /Dest " + destination(FOutline[i].place) + " >>");
        }
    }
    for (std::size_t i = 0; i < links.size(); ++i) {
        const Link& link = *links[i];
        writer.object(firstLink + static_cast<int>(i),
                      "<< /Type /Annot /Subtype /Link /Rect [" + std::to_string(link.rect[0]) + " " +
                          std::to_string(link.rect[1]) + " " + std::to_string(link.rect[2]) + " " +
                          std::to_string(link.rect[3]) + "] /Border [0 0 0] /Dest " +
                          destination(FDestinations.at(link.destination)) + " >>");
    }
    return writer.finish(catalog, infoObject);
}

} // namespace lanescope::report
