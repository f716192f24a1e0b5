#pragma once

#include <string_view>
#include <vector>

/**
 * The bodies of the fuzz harnesses: each feeds one input to one reader of outside data and must return
 * without crashing, hanging or leaking, whatever the bytes. The libFuzzer harnesses and the regression test
 * that replays found inputs call the same functions.
 */
namespace lanescope::fuzz {

using FuzzTarget = void (*)(std::string_view input);

/** A harness name (also the folder of its crash inputs and regression files) and its body. */
struct NamedTarget
{
    const char* name;
    FuzzTarget target;
};

/** Lenex text through the parser, then indexed as a document. */
void fuzzLenexText(std::string_view input);
/** Lenex text as the .lef member of a zip archive, loaded through the archive path. */
void fuzzLenexMember(std::string_view input);
/** The bytes as a Lenex archive file (".lxf"), plain or scrambled zip. */
void fuzzLenexArchive(std::string_view input);
/** Lenex 2/3 text through the Lenex 3 converter. */
void fuzzLenex3(std::string_view input);
/** SDIF text through the SDIF converter. */
void fuzzSdif(std::string_view input);
/** DSV4 text through the DSV4 converter. */
void fuzzDsv4(std::string_view input);
/** DSV6, DSV7 and DSV8 text through the DSV7 converter. */
void fuzzDsv7(std::string_view input);
/** PCE3 tables (kPce3Tables, in that order, split at form feeds) through the PCE3 converter. */
void fuzzPce3(std::string_view input);
/** A language file through the language manager and the keyed text store. */
void fuzzLanguage(std::string_view input);
/** A settings file's text. */
void fuzzSettings(std::string_view input);
/** RTF help text. */
void fuzzRtf(std::string_view input);
void fuzzJpegPicture(std::string_view input);
void fuzzBmpPicture(std::string_view input);
void fuzzGifPicture(std::string_view input);
/** A result server's meet list reply. */
void fuzzMeetList(std::string_view input);

/** The table names of a PCE3 fuzz input, in input order. */
inline constexpr const char* kPce3Tables[] = {"origine", "rcomp", "licence", "club",
                                              "relais",  "pcomp", "engag",   "prres"};

/** Every harness. */
const std::vector<NamedTarget>& fuzzTargets();

} // namespace lanescope::fuzz
