#include "convert/ConverterChoice.h"

#include "base/Strings.h"
#include "base/ZipArchive.h"
#include "convert/Dsv7Reader.h"
#include "convert/VnxLenexConverterDSV4.h"
#include "convert/VnxLenexConverterDSV7.h"
#include "convert/VnxLenexConverterPCE3.h"
#include "convert/VnxLenexConverterSDIF.h"

#include <filesystem>

namespace lanescope::convert {

namespace {

std::string lowerExtension(const std::string& name)
{
    return base::asciiLower(std::filesystem::path(name).extension().string());
}

} // namespace

ConverterKind chooseConverter(const std::string& fileName)
{
    std::string extension = lowerExtension(fileName);
    if (extension == ".zip") {
        base::ZipArchive archive;
        if (archive.open(fileName)) {
            // Folder entries carry no extension: the first file decides.
            const base::TVnxFileList files = archive.membersMatching("*");
            for (const base::ZipMember& member : files)
                if (base::matchesMask(member.name, "rcomp.txt"))
                    return ConverterKind::Pce3;
            if (!files.empty())
                extension = lowerExtension(files.front().name);
        }
    }
    const std::string key = ";" + extension + ";";
    if (std::string_view(";.lxf;.lef;.snf;.lxb;.stf;.fxl;").find(key) != std::string_view::npos)
        return ConverterKind::Lenex;
    if (std::string_view(";.cl2;.sd3;").find(key) != std::string_view::npos)
        return ConverterKind::Sdif;
    if (std::string_view(";.dsv6;.dsv7;.dsv8;").find(key) != std::string_view::npos)
        return ConverterKind::Dsv7;
    if (std::string_view(";.dsv;").find(key) != std::string_view::npos)
        return startsWithFormatRecord(fileName) ? ConverterKind::Dsv7 : ConverterKind::Dsv4;
    return ConverterKind::None;
}

std::unique_ptr<TVnxLenexConverterAbstract> createConverter(ConverterKind kind, TLenex& document)
{
    switch (kind) {
    case ConverterKind::Lenex:
        return std::make_unique<TVnxLenexConverter>(document);
    case ConverterKind::Sdif:
        return std::make_unique<TVnxLenexConverterSDIF>(document);
    case ConverterKind::Dsv4:
        return std::make_unique<TVnxLenexConverterDSV4>(document);
    case ConverterKind::Dsv7:
        return std::make_unique<TVnxLenexConverterDSV7>(document);
    case ConverterKind::Pce3:
        return std::make_unique<TVnxLenexConverterPCE3>(document);
    case ConverterKind::None:
        break;
    }
    return nullptr;
}

} // namespace lanescope::convert
