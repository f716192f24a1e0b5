#pragma once

#include "base/LanguageTexts.h"
#include "browser/BrowserModels.h"
#include "lenex/Lenex.h"
#include "lenex/LnxParser.h"
#include "report/RecordingDevice.h"
#include "swim/BSSwLenex.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

/** A loaded meet with both browser trees, the report texts in English, and helpers to read report output. */
namespace lanescope::report::testing {

/** The English wording of the language texts the reports print. */
inline std::string reportText(char section, int number, int item)
{
    static const std::map<std::pair<char, int>, std::string> texts = {
        {{'G', 55}, "Page "},    {{'S', 1}, "Indiv.;4 x;5 x"},       {{'S', 18}, "Event "},
        {{'S', 19}, "Relays"},   {{'S', 80}, "DSQ;DNS;DNF;WDR"},     {{'V', 3}, "Heat %d, lane %d"},
        {{'V', 30}, "Club"},     {{'V', 34}, "Participating clubs"}, {{'V', 35}, "Code / Nation"},
        {{'V', 36}, "Athletes"}, {{'V', 37}, "Total: %d clubs"},     {{'V', 38}, "%s (continued)"},
        {{'V', 140}, "Page %d of %d"}, {{'V', 141}, "%d characters are in no installed font and print as boxes"},
        {{'V', 142}, "%s (cont.)"},    {{'V', 143}, "Place;Name;Year;Club;Time;Points"},
        {{'V', 144}, "Contents"},      {{'V', 146}, "Result book"},
    };
    const auto found = texts.find({section, number});
    if (found == texts.end())
        return {};
    if (item <= 0)
        return found->second;
    std::string_view rest = found->second;
    for (int k = 1; k < item && rest.find(';') != std::string_view::npos; ++k)
        rest.remove_prefix(rest.find(';') + 1);
    return std::string(rest.substr(0, rest.find(';')));
}

/** Parses the meet, builds the trees and lists of its first competition and keeps the meet view. */
class ReportMeetTest : public ::testing::Test
{
protected:
    void SetUp() override { base::setLanguageTextSource(reportText); }
    void TearDown() override
    {
        models.clear();
        base::setLanguageTextSource({});
    }

    void load(std::string_view text)
    {
        lenex::TLnxParser parser(document);
        document.setRoot(parser.parseText(text));
        ASSERT_TRUE(document.errors().empty()) << document.errors().front();
        build();
    }
    void loadFile(const std::filesystem::path& file)
    {
        document.load(file.string());
        ASSERT_TRUE(document.errors().empty()) << document.errors().front();
        build();
    }

    /** The event node of the event number (level 1). */
    const browser::EventTreeNode* eventNode(int number) const
    {
        for (const browser::EventTreeNode* node : models.events.nodesInOrder())
            if (node->level == 1 && node->data && node->data->getInteger(lenex::tag::NUM) == number)
                return node;
        return nullptr;
    }

    lenex::TLenex document;
    browser::BrowserModels models;
    std::shared_ptr<swim::IBSLenexMeet> meet;

private:
    void build()
    {
        document.buildIndexes();
        ASSERT_TRUE(document.hasCompetitions());
        models.build(document, 0);
        meet = swim::lenexView<swim::IBSLenexMeet>(*document.currentCompetition());
    }
};

/** The texts of a recorded page that share one baseline with the first text equal to the given one. */
inline std::vector<std::string> lineWith(const RecordedPage& page, const std::string& text)
{
    std::vector<std::string> line;
    const RecordedItem* anchor = nullptr;
    for (const RecordedItem& item : page.items)
        if (item.kind == RecordedItem::Kind::Text && item.text == text) {
            anchor = &item;
            break;
        }
    if (anchor == nullptr)
        return line;
    for (const RecordedItem& item : page.items)
        if (item.kind == RecordedItem::Kind::Text && item.y == anchor->y && !item.text.empty())
            line.push_back(item.text);
    return line;
}

/** Every text of every page in drawing order. */
inline std::vector<std::string> allTexts(const std::vector<RecordedPage>& pages)
{
    std::vector<std::string> texts;
    for (const RecordedPage& page : pages)
        for (const std::string& text : page.texts())
            texts.push_back(text);
    return texts;
}

/** Whether a program is on PATH (the PDF checks use qpdf and pdftotext when they are there). */
inline bool onPath(const std::string& program)
{
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

/** Standard output of a command line. */
inline std::string commandOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

/** Runs `qpdf --check` on the file when qpdf is there; true when it passes or cannot be run. */
inline void expectQpdfClean(const std::filesystem::path& pdf)
{
    if (!onPath("qpdf"))
        return;
    EXPECT_EQ(std::system(("qpdf --check '" + pdf.string() + "' >/dev/null 2>&1").c_str()), 0)
        << pdf << " fails qpdf --check";
}

} // namespace lanescope::report::testing
