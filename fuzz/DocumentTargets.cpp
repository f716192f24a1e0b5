#include "FuzzTargets.h"
#include "base/TempFolder.h"
#include "convert/VnxLenexConverter.h"
#include "convert/VnxLenexConverterDSV4.h"
#include "convert/VnxLenexConverterDSV7.h"
#include "convert/VnxLenexConverterLenex3.h"
#include "convert/VnxLenexConverterPCE3.h"
#include "convert/VnxLenexConverterSDIF.h"
#include "lenex/Lenex.h"
#include "lenex/LnxParser.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <zip.h>

namespace lanescope::fuzz {
namespace {

namespace fs = std::filesystem;

void writeBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<long>(bytes.size()));
}

/** The input as a fresh file of the private temporary folder, deleted with the guard. */
base::TempFileGuard tempFile(std::string_view input, std::string_view extension)
{
    base::TempFileGuard file(base::uniqueTempName("fuzz", extension));
    writeBytes(file.path(), input);
    return file;
}

/** What the program does with a document once it loaded: index it and visit every competition. */
void useDocument(lenex::TLenex& document)
{
    document.buildIndexes();
    for (int i = 0; i < document.competitionCount(); ++i)
        document.selectCompetition(i);
    document.fileInformationText();
}

template <class Converter> void convertFile(const std::string& path)
{
    lenex::TLenex document;
    Converter converter(document);
    converter.Load(path);
    if (converter.errorCount() < 1)
        useDocument(document);
}

template <class Converter> void convertInput(std::string_view input, std::string_view extension)
{
    const base::TempFileGuard file = tempFile(input, extension);
    convertFile<Converter>(file.path());
}

/** Removes a folder with its contents when it goes out of scope. */
struct FolderGuard
{
    std::string path;
    ~FolderGuard()
    {
        std::error_code error;
        fs::remove_all(path, error);
    }
};

} // namespace

void fuzzLenexText(std::string_view input)
{
    lenex::TLenex document;
    lenex::TLnxParser parser(document);
    if (auto root = parser.parseText(input)) {
        document.setRoot(std::move(root));
        useDocument(document);
    }
}

void fuzzLenexMember(std::string_view input)
{
    const base::TempFileGuard archive(base::uniqueTempName("fuzz", ".lxf"));
    int error = 0;
    zip_t* zip = zip_open(archive.path().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (zip == nullptr)
        return;
    zip_source_t* source = zip_source_buffer(zip, input.data(), input.size(), 0);
    if (source == nullptr || zip_file_add(zip, "meet.lef", source, ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(source);
        zip_discard(zip);
        return;
    }
    if (zip_close(zip) != 0) {
        zip_discard(zip);
        return;
    }
    convertFile<convert::TVnxLenexConverter>(archive.path());
}

void fuzzLenexArchive(std::string_view input) { convertInput<convert::TVnxLenexConverter>(input, ".lxf"); }

void fuzzLenex3(std::string_view input) { convertInput<convert::TVnxLenexConverterLenex3>(input, ".lef"); }

void fuzzSdif(std::string_view input) { convertInput<convert::TVnxLenexConverterSDIF>(input, ".sd3"); }

void fuzzDsv4(std::string_view input) { convertInput<convert::TVnxLenexConverterDSV4>(input, ".dsv"); }

void fuzzDsv7(std::string_view input)
{
    lenex::TLenex document;
    convert::TVnxLenexConverterDSV7 converter(document);
    converter.LoadBytes(std::string(input));
    if (converter.errorCount() < 1)
        useDocument(document);
}

void fuzzPce3(std::string_view input)
{
    const FolderGuard folder{base::uniqueTempName("fuzz-pce3", "")};
    std::error_code error;
    if (!fs::create_directory(folder.path, error))
        return;
    for (const char* table : kPce3Tables) {
        const std::size_t end = input.find('\f');
        writeBytes(folder.path + "/" + table + ".txt", input.substr(0, end));
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    }
    convertFile<convert::TVnxLenexConverterPCE3>(folder.path);
}

} // namespace lanescope::fuzz
