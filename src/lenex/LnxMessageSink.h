#pragma once

#include <string>
#include <vector>

/** Where the Lenex layer reports problems with its input. */
namespace lanescope::lenex {

/** Receives parse and load messages; the document implements it. */
class TLnxMessageSink
{
public:
    virtual ~TLnxMessageSink() = default;
    /** A message with its source position (0: none) for the warning list or the error list. */
    virtual void addMessage(const std::string& text, int position, bool warning) = 0;
};

/** Collects messages as "Line %d: %s", or the bare text where the position is 0. */
class TLnxMessageList : public TLnxMessageSink
{
public:
    void addMessage(const std::string& text, int position, bool warning) override;

    const std::vector<std::string>& errors() const { return FErrors; }
    const std::vector<std::string>& warnings() const { return FWarnings; }
    void clear();

private:
    std::vector<std::string> FErrors;
    std::vector<std::string> FWarnings;
};

/** "Line %d: %s" filled with the position and the text, or the text alone for position 0. */
std::string formatMessage(const std::string& text, int position);

} // namespace lanescope::lenex
