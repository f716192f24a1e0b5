#include "FuzzTargets.h"
#include "app/BSLanguage.h"
#include "app/RtfText.h"
#include "app/VnxLanguage.h"
#include "base/TempFolder.h"
#include "base/VnxIniFiles.h"
#include "download/MeetsFactory.h"
#include "download/ResultFileName.h"
#include "download/VnxTextTable.h"
#include "report/ReportPicture.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace lanescope::fuzz {

void fuzzLanguage(std::string_view input)
{
    static const std::string folder = [] {
        const std::string path = base::uniqueTempName("fuzz-lang", "");
        std::filesystem::create_directory(path);
        return path;
    }();
    app::LanguageSetup setup;
    setup.folders = {folder};
    setup.locale = "C";
    setup.screen = app::kFallbackLanguage;
    const std::string file =
        folder + "/" + setup.programName + ".x" + app::TLanguage::CodeOf(app::kFallbackLanguage);
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(input.data(), static_cast<long>(input.size()));
    const app::TLanguage language(setup);
    for (const char section : {'G', 'V', 'A', 'x'})
        for (const int number : {0, 1, 2, 70, 73, 999, 100000})
            for (const int item : {0, 1, 3})
                language.Text(section, number, item);

    const app::TBSLanguage store(input);
    for (const char* reference : {"#Main.caption", "#a.b", "#", "#.", "Main"})
        store.Text(reference, 1);
    store.formLines("Main");
}

void fuzzSettings(std::string_view input)
{
    base::IniContent content(input);
    const std::string text = content.text();
    for (const std::string& section : content.sectionNames()) {
        for (const auto& [key, value] : content.entries(section))
            content.find(section, key);
        content.keyCount(section);
    }
    content.set("Config", "lbxLanguage", "3");
    content.erase("Config", "lbxLanguage");
    content.eraseSection("Config");
    base::IniContent again(text);
    again.text();
}

void fuzzRtf(std::string_view input) { app::readRtf(input); }

void fuzzJpegPicture(std::string_view input) { report::jpegPicture(std::string(input)); }

void fuzzBmpPicture(std::string_view input) { report::bmpPicture(std::string(input)); }

void fuzzGifPicture(std::string_view input) { report::gifPicture(std::string(input)); }

void fuzzMeetList(std::string_view input)
{
    download::TVnxTextTable table;
    table.OpenText(input, true, '\t');
    for (table.First(); !table.Eof(); table.Next()) {
        download::TNodeDownloadMeet node;
        node.SetData(table.Value("MEETNAME"), table.Value("MEETCITY"), table.Value("URL"),
                     table.Value("MEETNATION"), 0);
        for (int column = 0; column < 3; ++column)
            node.sortKey(column);
        // A server's texts name the downloaded file: the address, a header and the content all decide it.
        download::resultFileName(download::percentEncodeUrl(node.fileUrl()), table.Value("MEETNAME"),
                                 table.Value("MEETCITY"));
    }
}

const std::vector<NamedTarget>& fuzzTargets()
{
    static const std::vector<NamedTarget> targets = {
        {"LenexText", fuzzLenexText},
        {"LenexMember", fuzzLenexMember},
        {"LenexArchive", fuzzLenexArchive},
        {"Lenex3", fuzzLenex3},
        {"Sdif", fuzzSdif},
        {"Dsv4", fuzzDsv4},
        {"Dsv7", fuzzDsv7},
        {"Pce3", fuzzPce3},
        {"Language", fuzzLanguage},
        {"Settings", fuzzSettings},
        {"Rtf", fuzzRtf},
        {"JpegPicture", fuzzJpegPicture},
        {"BmpPicture", fuzzBmpPicture},
        {"GifPicture", fuzzGifPicture},
        {"MeetList", fuzzMeetList},
    };
    return targets;
}

} // namespace lanescope::fuzz
