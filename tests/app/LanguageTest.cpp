#include "app/BSLanguage.h"
#include "app/VnxLanguage.h"
#include "base/FormatSettings.h"
#include "base/LanguageTexts.h"
#include "swim/DisplayLists.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

using namespace lanescope;
using namespace lanescope::app;
namespace fs = std::filesystem;

namespace {

/** A fresh folder per test, removed afterwards; the format settings start from their defaults. */
class LanguageFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "lanescope-language-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        base::setCurrentFormatSettings(base::TFormatSettings());
    }
    void TearDown() override { fs::remove_all(folder_); }

    void write(const std::string& name, const std::string& content, const fs::path& in = {}) const
    {
        std::ofstream(in.empty() ? folder_ / name : in / name, std::ios::binary) << content;
    }
    /** A language file whose G1 names its code. */
    void writeLanguage(const std::string& code) const
    {
        write("lanescope.x" + code, "[G]\n1=" + code + "\n");
    }

    LanguageSetup setup(int screen = -1, const std::string& locale = "C") const
    {
        LanguageSetup s;
        s.folders = {folder_};
        s.locale = locale;
        s.screen = screen;
        return s;
    }

    fs::path folder_;
};

struct LocaleCase
{
    const char* locale;
    int index;
};

const LocaleCase kLocales[] = {
    {"de_CH.UTF-8", 0},
    {"de_CH@euro", 0},
    {"de_AT", 15},
    {"de_DE.UTF-8", 1},
    {"de", 1},
    {"de_LI", 1},
    {"fr_FR", 2},
    {"fr_CA.UTF-8", 16},
    {"fr_CH", 2},
    {"en_US.UTF-8", 3},
    {"en_GB", 23},
    {"en_IE", 3},
    {"it_IT", 4},
    {"nl_BE", 5},
    {"es_ES", 6},
    {"es_MX", 22},
    {"ru_RU", 7},
    {"da_DK", 8},
    {"pl_PL", 9},
    {"pt_BR", 10},
    {"fi_FI", 11},
    {"is_IS", 12},
    {"sv_SE", 13},
    {"nb_NO", 14},
    {"nn_NO", 14},
    {"no_NO", 14},
    {"hu_HU", 17},
    {"cs_CZ", 18},
    {"sl_SI", 19},
    {"hr_HR", 20},
    {"tr_TR", 21},
    {"de_CH:de:en", 0},
    {"DE-at", 15},
    {"C", 3},
    {"POSIX", 3},
    {"C.UTF-8", 3},
    {"", 3},
    {"ja_JP", 3},
    {"sr_RS@latin", 3},
};

class LocaleMapping : public ::testing::TestWithParam<LocaleCase>
{
};

TEST_P(LocaleMapping, SelectsTheLanguage)
{
    EXPECT_EQ(languageOfLocale(GetParam().locale), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleMapping, ::testing::ValuesIn(kLocales));

TEST(LanguageTable, CodesInIndexOrder)
{
    std::string codes;
    for (int index = -1; index <= kLanguageCount; ++index)
        codes += TLanguage::CodeOf(index) + ' ';
    EXPECT_EQ(codes, " ch de fr us it nl es ru dk pl pt fi is se no at ca hu cz si hr tr mx uk xx  ");
}

TEST(LanguageTable, UserLocaleTakesTheFirstVariableSet)
{
    const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::pair<std::string, std::string>> saved;
    for (const char* name : names)
        if (const char* value = std::getenv(name))
            saved.emplace_back(name, value);
    setenv("LANGUAGE", "", 1);
    unsetenv("LC_ALL");
    setenv("LC_MESSAGES", "fr_CA.UTF-8", 1);
    setenv("LANG", "de_DE.UTF-8", 1);
    EXPECT_EQ(userLocale(), "fr_CA.UTF-8");
    for (const char* name : names)
        unsetenv(name);
    EXPECT_EQ(userLocale(), "C");
    for (const auto& [name, value] : saved)
        setenv(name.c_str(), value.c_str(), 1);
}

struct ChoiceCase
{
    const char* files; // blank-separated names written into the program folder
    const char* locale;
    int stored;
    int screen;
};

const ChoiceCase kChoices[] = {
    {"lanescope.xch lanescope.xde lanescope.xus", "de_CH.UTF-8", -1, 0},
    {"lanescope.xde lanescope.xus", "de_CH.UTF-8", -1, 3},           // no ch: the fallback
    {"notes.txt lanescope.xfr lanescope.xde", "de_CH.UTF-8", -1, 1}, // no us: the first file by name
    {"a.xml lanescope.xde", "de_CH.UTF-8", -1, kAutomaticLanguage},  // the first file is no language
    {"", "de_CH.UTF-8", -1, kAutomaticLanguage},                     // nothing at all
    {"lanescope.xfr lanescope.xus", "de_CH.UTF-8", 2, 2},            // the stored choice wins
    {"lanescope.xus", "de_CH.UTF-8", 1, 3},                          // a stored language whose file is gone
    {"lanescope.xch lanescope.xus", "de_CH.UTF-8", kAutomaticLanguage, 0}, // 24 stored means automatic
};

class LanguageChoice : public LanguageFolder, public ::testing::WithParamInterface<ChoiceCase>
{
};

TEST_P(LanguageChoice, LoadsTheFirstAvailable)
{
    const ChoiceCase& c = GetParam();
    std::istringstream files(c.files);
    for (std::string name; files >> name;)
        write(name, "[G]\n1=" + name.substr(name.size() - 2) + "\n");
    const TLanguage language(setup(c.stored, c.locale));
    EXPECT_EQ(language.screenLanguage(), c.screen);
    EXPECT_EQ(language.Text('G', 1), c.screen == kAutomaticLanguage ? "" : TLanguage::CodeOf(c.screen));
    EXPECT_EQ(language.printerLanguage(), c.screen);
}

INSTANTIATE_TEST_SUITE_P(Folders, LanguageChoice, ::testing::ValuesIn(kChoices));

constexpr const char* kTextFile = "\xEF\xBB\xBF[G]\r\n"
                                  "1=first\r\n"
                                  "G2=Meet_Record\\NSecond line\r\n"
                                  "3=a=b\r\n"
                                  "4=one;two;three;four\r\n"
                                  "no equals sign\r\n"
                                  "[S]\n"
                                  "1=swim\n"
                                  "[TfrmView]\n"
                                  "Ergebnisse\n"
                                  ".@btnOk$\n"
                                  "OK\n";

struct TextCase
{
    char section;
    int number;
    int item;
    const char* expected;
};

const TextCase kTexts[] = {
    {'G', 1, 0, "first"}, {'G', 2, 0, "Meet Record\r\nSecond line"},
    {'G', 3, 0, "a=b"}, // only the text up to the first "=" is dropped
    {'G', 4, 3, "three"}, {'G', 4, 1, "one"},
    {'G', 4, 5, ""},      {'G', 5, 0, "no equals sign"},
    {'g', 1, 0, "first"}, {'S', 1, 0, "swim"},
    {'S', 6, 0, ""},                       // beyond the end of the file
    {'G', 0, 0, ""},      {'V', 1, 0, ""}, // no such section
};

class LanguageText : public LanguageFolder, public ::testing::WithParamInterface<TextCase>
{
};

TEST_P(LanguageText, ReadsTheEntry)
{
    write("lanescope.xus", kTextFile);
    const TLanguage language(setup());
    const TextCase& c = GetParam();
    EXPECT_EQ(language.Text(c.section, c.number, c.item), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Entries, LanguageText, ::testing::ValuesIn(kTexts));

TEST_F(LanguageFolder, CutsLongTextsAt999Characters)
{
    std::string umlauts;
    for (int i = 0; i < 1200; ++i)
        umlauts += "ä";
    write("lanescope.xus", "[G]\n1=" + umlauts + "\n");
    const TLanguage language(setup());
    EXPECT_EQ(language.Text('G', 1), umlauts.substr(0, 999 * 2));
}

TEST_F(LanguageFolder, IndexesEverySection)
{
    write("lanescope.xus", kTextFile);
    const TLanguage language(setup());
    ASSERT_EQ(language.lines().size(), 12u);
    EXPECT_EQ(language.lines()[0], "[G]");
    EXPECT_EQ(language.lines()[2], "G2=Meet_Record\\NSecond line");
    const std::vector<LanguageSection>& index = language.sectionIndex();
    ASSERT_EQ(index.size(), 3u);
    const LanguageSection expected[] = {{"G", 1, 5}, {"S", 7, 1}, {"TfrmView", 9, 3}};
    for (std::size_t i = 0; i < index.size(); ++i) {
        EXPECT_EQ(index[i].name, expected[i].name);
        EXPECT_EQ(index[i].firstLine, expected[i].firstLine) << expected[i].name;
        EXPECT_EQ(index[i].lineCount, expected[i].lineCount) << expected[i].name;
    }
    EXPECT_EQ(language.findSection("tfrmview"), &index[2]);
    EXPECT_EQ(language.findSection("TfrmMissing"), nullptr);
}

TEST_F(LanguageFolder, TakesTheDateNamesTheLanguageGives)
{
    std::string file = "[G]\n";
    for (int n = 1; n < 70; ++n)
        file += std::to_string(n) + "=x\n";
    file += "70=Januar;Februar;März;April;Mai;Juni;Juli;August;September;Oktober;November;Dezember\n"
            "71=\n"
            "72=\n"
            "73=So;Mo;;Mi;Do;Fr;Sa\n";
    write("lanescope.xde", file);
    const TLanguage language(setup(1));
    ASSERT_EQ(language.screenLanguage(), 1);
    const base::TDateTime tuesday = base::encodeDate(2024, 3, 5);
    EXPECT_EQ(base::formatDateTime("mmmm mmm dddd ddd", tuesday), "März Mar Tuesday Tue");
    EXPECT_EQ(base::formatDateTime("ddd", tuesday + 1), "Mi");
}

TEST_F(LanguageFolder, CallsTheListenerAfterEachLoadOnly)
{
    writeLanguage("de");
    writeLanguage("fr");
    TLanguage language(setup(1));
    std::vector<std::string> heard;
    int refreshes = 0;
    language.setListener([&] { heard.push_back(language.Text('G', 1)); });
    language.setFormRefresher([&] { ++refreshes; });

    EXPECT_FALSE(language.LoadLanguage(4, true)); // no Italian file
    EXPECT_EQ(language.screenLanguage(), 1);
    EXPECT_FALSE(language.LoadLanguage(-1, false));
    EXPECT_FALSE(language.LoadLanguage(kLanguageCount, false));
    EXPECT_TRUE(heard.empty());

    EXPECT_TRUE(language.LoadLanguage(2, false));
    EXPECT_TRUE(language.LoadLanguage(1, true));
    EXPECT_EQ(heard, (std::vector<std::string>{"fr", "de"}));
    EXPECT_EQ(refreshes, 1);
}

TEST_F(LanguageFolder, PrintsInThePrinterLanguageAndReturns)
{
    writeLanguage("de");
    writeLanguage("fr");
    LanguageSetup s = setup(1);
    s.printer = 2;
    TLanguage language(s);
    EXPECT_EQ(language.printerLanguage(), 2);

    language.BeginPrintLanguage();
    EXPECT_EQ(language.screenLanguage(), 2);
    EXPECT_EQ(language.Text('G', 1), "fr");
    language.EndPrintLanguage();
    EXPECT_EQ(language.screenLanguage(), 1);
    EXPECT_EQ(language.Text('G', 1), "de");

    // A printer language without a file leaves the screen language, and the end of the job loads nothing.
    language.setPrinterLanguage(4);
    int loads = 0;
    language.setListener([&] { ++loads; });
    language.BeginPrintLanguage();
    language.EndPrintLanguage();
    EXPECT_EQ(language.Text('G', 1), "de");
    EXPECT_EQ(loads, 0);
}

TEST_F(LanguageFolder, FallsBackToTheEnglishHelp)
{
    writeLanguage("de");
    write("lanescopede.rtf", "help");
    LanguageSetup s = setup(1);
    TLanguage language(s);
    EXPECT_EQ(language.helpLanguage(), 1); // the screen language by default
    EXPECT_EQ(language.helpFile(), folder_ / "lanescopede.rtf");

    language.SetHelpLanguage(2); // no French help, no English help either
    EXPECT_EQ(language.helpLanguage(), kFallbackLanguage);
    EXPECT_TRUE(language.helpFile().empty());

    write("lanescopeus.rtf", "help");
    language.SetHelpLanguage(2);
    EXPECT_EQ(language.helpLanguage(), kFallbackLanguage);
    EXPECT_EQ(language.helpFile(), folder_ / "lanescopeus.rtf");
    EXPECT_EQ(language.HelpFileName(15), folder_ / "lanescopeat.rtf");
}

TEST_F(LanguageFolder, LooksInTheLaterFoldersToo)
{
    const fs::path shared = folder_ / "share";
    fs::create_directory(shared);
    write("lanescope.xfr", "[G]\n1=fr\n", shared);
    LanguageSetup s = setup(2);
    s.folders.push_back(shared);
    const TLanguage language(s);
    EXPECT_EQ(language.Text('G', 1), "fr");
    EXPECT_EQ(language.LanguageFileName(2), shared / "lanescope.xfr");
    EXPECT_EQ(language.LanguageFileName(1), folder_ / "lanescope.xde");
}

TEST_F(LanguageFolder, ManagerServesTheCoreAndTheSwimmingLists)
{
    write("lanescope.xus", "[G]\n1=us\n[S]\n1=\n2=\n3=\n4=\n5=\n6=Fr;Sc\n");
    createLanguageManager(setup());
    EXPECT_EQ(&LanguageManager(), &LanguageManager());
    EXPECT_EQ(base::languageText('G', 1), "us");
    EXPECT_EQ(swim::displayItem(swim::DisplayList::StrokeAbbreviations, 2), "Sc");
    EXPECT_EQ(swim::displayItem(swim::DisplayList::StrokeAbbreviations, 3), "");
    base::setLanguageTextSource({});
    swim::resetDisplayLists();
}

struct ReferenceCase
{
    const char* reference;
    int item;
    const char* expected;
};

const ReferenceCase kReferences[] = {
    {"#BS.Months", -1, "Jan;Feb;Mar"},
    {"#BS.Months", 1, "Feb"}, // items count from 0
    {"#bs.MONTHS", 0, "Jan"},
    {"#BS.Months", 5, ""},
    {"#BS.Line", -1, "One\r\nTwo words"},
    {"#BS.Key", -1, "Value"},
    {"#Other.Months", -1, "x"},
    {"#BS.Missing", 1, "#BS.Missing"},
    {"#Login.Caption", -1, "#Login.Caption"}, // form sections hold no keys
    {"plain_text", -1, "plain_text"},
    {"#BS", -1, "#BS"},
};

constexpr const char* kStore = "; comment\n"
                               "[Data.BS]\n"
                               "Months=Jan;Feb;Mar\n"
                               "Line=One\\nTwo_words\n"
                               "  Ke$y=Va$lue  \n"
                               "Months=ignored\n"
                               "[Data.Other]\n"
                               "Months=x\n"
                               "[Form.Login]\n"
                               "Caption\n"
                               ".\n"
                               "\n"
                               "Last\n";

class BSLanguageReference : public ::testing::TestWithParam<ReferenceCase>
{
};

TEST_P(BSLanguageReference, NamesAValue)
{
    const TBSLanguage store(kStore);
    EXPECT_EQ(store.Text(GetParam().reference, GetParam().item), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(References, BSLanguageReference, ::testing::ValuesIn(kReferences));

TEST(BSLanguage, KeepsFormSections)
{
    const TBSLanguage store(kStore);
    ASSERT_NE(store.formLines("login"), nullptr);
    EXPECT_EQ(*store.formLines("login"), (std::vector<std::string>{"Caption", "", "Last"}));
    EXPECT_EQ(store.formLines("BS"), nullptr);
}

TEST(BSLanguage, SetsTheDateNamesItHas)
{
    base::setCurrentFormatSettings(base::TFormatSettings());
    const TBSLanguage store("[Data.BS]\nLongDayNames=Dimanche;Lundi;Mardi;Mercredi;Jeudi;Vendredi;Samedi\n");
    EXPECT_EQ(base::formatDateTime("dddd ddd mmmm", base::encodeDate(2024, 3, 5)), "Mardi Tue March");
    base::setCurrentFormatSettings(base::TFormatSettings());
}

TEST(BSLanguage, BuiltInEnglishHasTheBaseTexts)
{
    const TBSLanguage& store = TBSLanguage::instance();
    for (const char* key : {"#BS.ShortMonthNames", "#BS.LongMonthNames", "#BS.ShortDayNames",
                            "#BS.LongDayNames", "#BS.FileFilterNames", "#BS.FileAll", "#BS.FileGeneric"})
        EXPECT_NE(store.Text(key), key);
    EXPECT_EQ(store.Text("#BS.LongMonthNames", 11), "December");
    EXPECT_EQ(store.Text("#BS.ShortDayNames", 0), "Sun");
}

} // namespace
