#pragma once

#include "lenex/Lenex.h"

#include <functional>
#include <memory>
#include <string>

/** Converters fill the program's one Lenex document from a result file of any supported format. */
namespace lanescope::convert {

using lenex::TLenex;
using lenex::TLnxObject;

/** Receives the progress texts a converter shows while it loads (the main window's status bar). */
using StatusCallback = std::function<void(const std::string& text)>;

/**
 * Base of every converter: created for one document, loaded once, then its error count and message are read.
 * An error count below 1 means success; otherwise the message says what went wrong.
 */
class TVnxLenexConverterAbstract
{
public:
    explicit TVnxLenexConverterAbstract(TLenex& document);
    virtual ~TVnxLenexConverterAbstract() = default;
    TVnxLenexConverterAbstract(const TVnxLenexConverterAbstract&) = delete;
    TVnxLenexConverterAbstract& operator=(const TVnxLenexConverterAbstract&) = delete;

    /** Fills the document from the file. Never throws: failures land in the error count and message. */
    virtual void Load(const std::string& fileName) = 0;

    int errorCount() const { return FErrorCount; }
    const std::string& errorMessage() const { return FErrorMessage; }
    void setStatusCallback(StatusCallback callback) { FStatus = std::move(callback); }

protected:
    /** Clears the document and starts a new one whose LENEX VERSION holds the source format's version. */
    void NewDocument(const std::string& softwareName, const std::string& softwareVersion,
                     const std::string& fileVersion);
    /**
     * Appends a COMPETITION with empty PERIODS and CLUBS, its trimmed name and the pool of the index.
     * A pool index outside the pool table throws std::out_of_range, which ends the conversion.
     */
    TLnxObject* AddCompetition(const std::string& name, int poolIndex);

    /**
     * Runs a format conversion inside the error guard: any exception ends it, the error count becomes 1 and
     * the message the exception's text. Afterwards the status text is cleared and, with the developer flag
     * (LANESCOPE_DEBUG=1), the document is dumped as "tmpConvert_<dumpName>.lef".
     */
    void runGuarded(const char* dumpName, const std::function<void()>& conversion);
    void showStatus(const std::string& text) const;

    TLenex& FDocument;
    int FErrorCount = 0;
    std::string FErrorMessage;

private:
    StatusCallback FStatus;
};

/**
 * Loads first-generation Lenex files and archives through the document's own loader. A file (or archive
 * member) whose root start tag is <LENEX version="N..."> with N of 2 or more is today's Lenex and goes to
 * the Lenex 3 converter instead.
 */
class TVnxLenexConverter : public TVnxLenexConverterAbstract
{
public:
    using TVnxLenexConverterAbstract::TVnxLenexConverterAbstract;
    void Load(const std::string& fileName) override;
};

/** True when the developer functions are switched on (LANESCOPE_DEBUG=1). */
bool developerMode();

} // namespace lanescope::convert
