#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/** The language manager: language files beside the program, their numbered texts, and the three choices. */
namespace lanescope::app {

/** Entries of the language table: 24 languages, then the automatic choice. */
constexpr int kLanguageCount = 25;
/** English (us): the language of unknown locales and of missing files. */
constexpr int kFallbackLanguage = 3;
/** Code "xx": no language; loading it takes the first language file found. */
constexpr int kAutomaticLanguage = 24;

/**
 * The language a POSIX locale selects ("de_CH.UTF-8" gives 0, "de" 1, "en_GB" 23); a colon-separated
 * list counts by its first entry. "C", "POSIX" and unknown languages give the fallback.
 */
int languageOfLocale(std::string_view locale);
/** The user's locale: the first non-empty of LANGUAGE, LC_ALL, LC_MESSAGES and LANG, else "C". */
std::string userLocale();

/** What the language manager starts from; the start-up code reads the choices from the settings file. */
struct LanguageSetup
{
    /** Where language and help files lie, searched in order (the program folder first). */
    std::vector<std::filesystem::path> folders;
    std::string programName = "lanescope";
    /** The user's locale (userLocale()); decides when no screen language is stored. */
    std::string locale;
    /** "Config"/"lbxLanguage": a language index, or -1 to choose automatically. */
    int screen = -1;
    /** "Config"/"lbxPrnLanguage"; none means the screen language. */
    std::optional<int> printer;
    /** "Config"/"lbxHlpLanguage"; none means the screen language. */
    std::optional<int> help;
};

/** One section of the loaded language file. */
struct LanguageSection
{
    std::string name;
    int firstLine = 0; // line number (from 0) of the first line after the header
    int lineCount = 0; // lines after the header up to the next header or the end of the file
};

/**
 * Loads a language file and serves its numbered data texts; keeps the screen, printer and help languages.
 * A language file is UTF-8 text: a line "[name]" starts a section; one-letter sections hold numbered data
 * texts, longer names are form sections. Missing files, sections and lines never fail: texts are empty.
 */
class TLanguage
{
public:
    /**
     * Loads the stored screen language; when it is not stored (or its file is missing) the locale's
     * language, then the fallback, then the first language file found. Then sets the printer and help
     * languages.
     */
    explicit TLanguage(LanguageSetup setup);

    /** The code of a language index ("ch", "de", ..., "xx"); empty outside the table. */
    static std::string CodeOf(int index);
    /** Program name + ".x" + code, in the first folder that has it (else in the first folder). */
    std::filesystem::path LanguageFileName(int index) const;
    /** The help text of a language: program name + code + ".rtf" ("lanescopede.rtf"), looked up like
     * LanguageFileName. */
    std::filesystem::path HelpFileName(int index) const;

    /**
     * Loads a language (kAutomaticLanguage: the first file "*.x*" by name in the first folder that has
     * one, when its extension is ".x" and a language code). Returns false and keeps everything when there
     * is no such file. Otherwise sets the screen language, takes the month and day names G70-G73 into the
     * format settings, runs the form refresher when refreshForms is set, and calls the listener.
     */
    bool LoadLanguage(int index, bool refreshForms);

    /**
     * Data text number (from 1) of a one-letter section: the text after the first "=" of its line (at most
     * 999 characters), "\N" made "\r\n" and "_" a blank; item > 0 keeps only that ;-separated part (from 1).
     */
    std::string Text(char section, int number, int item = 0) const;

    /** The help language becomes index when its help file exists, else the fallback. */
    void SetHelpLanguage(int index);
    /** Switches to the printer language for a print job (no form refresh) when it differs. */
    void BeginPrintLanguage();
    /** Returns to the screen language that BeginPrintLanguage left. */
    void EndPrintLanguage();

    int screenLanguage() const { return screen_; }
    int printerLanguage() const { return printer_; }
    void setPrinterLanguage(int index) { printer_ = index; }
    int helpLanguage() const { return help_; }
    /** The help file of the help language; empty when it does not exist. */
    const std::filesystem::path& helpFile() const { return helpFile_; }

    /** Called after every successful load (the main window rebuilds its texts). */
    void setListener(std::function<void()> listener) { listener_ = std::move(listener); }
    /** Called on loads with the refresh flag: translates the open forms again. */
    void setFormRefresher(std::function<void()> refresher) { formRefresher_ = std::move(refresher); }

    /** The lines of the loaded language file, numbered from 0. */
    const std::vector<std::string>& lines() const { return lines_; }
    /** One entry per section header, in file order. */
    const std::vector<LanguageSection>& sectionIndex() const { return sections_; }
    /** The first section of that name (ASCII case ignored), or nullptr. */
    const LanguageSection* findSection(std::string_view name) const;

private:
    std::filesystem::path locate(const std::string& fileName) const;
    std::optional<std::pair<int, std::filesystem::path>> findAnyLanguageFile() const;
    void readLines(const std::filesystem::path& file);

    std::vector<std::filesystem::path> folders_;
    std::string programName_;
    int rememberedScreen_ = kAutomaticLanguage; // the screen language while printing in another, 24 = none
    int help_ = kFallbackLanguage;
    int screen_ = kAutomaticLanguage;
    int printer_ = kAutomaticLanguage;
    std::filesystem::path helpFile_;
    std::vector<LanguageSection> sections_;
    std::vector<std::string> lines_;
    std::function<void()> listener_;
    std::function<void()> formRefresher_;
};

/** Replaces the swimming display lists by the S texts of the language. */
void refreshSwimVocabulary(const TLanguage& language);

/**
 * Creates the program's language manager (replacing an earlier one), makes it the source of the core's
 * language texts and refreshes the swimming display lists from it.
 */
TLanguage& createLanguageManager(LanguageSetup setup);
/** The program's language manager; throws std::logic_error before createLanguageManager. */
TLanguage& LanguageManager();

} // namespace lanescope::app
