#pragma once

#include "lenex/LnxElement.h"
#include "lenex/LnxMessageSink.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace lanescope::lenex {

/** Called after every buffer refill with the current position number (element ordinal or line). */
using TLnxProgress = std::function<void(int position)>;

/**
 * Streaming reader of first-generation Lenex text into the node tree.
 *
 * Never stops at a fault: every problem becomes a message in the sink, the offending node is marked with an
 * error state, and parsing goes on. Texts are decoded to UTF-8 by the XML declaration's encoding (none or
 * unknown: Windows-1252), and the predefined entities and numeric character references in them are resolved
 * (a bare "&" stays as it stands). Bounded in stack use for any nesting depth. Every input starts from a fresh
 * state, so one parser may read several in turn, whatever became of the one before.
 */
class TLnxParser
{
public:
    explicit TLnxParser(TLnxMessageSink& sink);
    ~TLnxParser();
    TLnxParser(const TLnxParser&) = delete;
    TLnxParser& operator=(const TLnxParser&) = delete;

    /**
     * Reads a Lenex file, or the single .lef member of a Lenex archive (".lxf", ".zip", ... scrambled or
     * not). Returns the LENEX root, or nullptr when the archive does not hold exactly one .lef, the file
     * cannot be opened ("Can not open file !") or does not start with a LENEX element ("No LENEX - File !").
     */
    std::unique_ptr<TLnxObject> parse(const std::string& fileName, const TLnxProgress& progress = {});
    /** The same for text already in memory. */
    std::unique_ptr<TLnxObject> parseText(std::string_view text, const TLnxProgress& progress = {});

    /** True when the last file read was a scrambled archive. */
    bool internalFormat() const { return FInternalFormat; }

private:
    class Impl;
    TLnxMessageSink& FSink;
    bool FInternalFormat = false;
};

} // namespace lanescope::lenex
