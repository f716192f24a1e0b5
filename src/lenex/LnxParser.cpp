#include "lenex/LnxParser.h"

#include "base/CodePage.h"
#include "base/Strings.h"
#include "lenex/LnxArchive.h"
#include "lenex/LnxXmlText.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lanescope::lenex {

namespace {

enum TokenType
{
    ttNothing = 0,
    ttEnd = 1,
    ttText = 2,
    ttStartTag = 3,
    ttEndTag = 4,
    ttAttributeName = 5,
    ttAttributeValue = 6,
    ttComment = 7,
    ttProcessingInstruction = 8,
    ttDeclaration = 9,
};

// Where the tokenizer is: in content, inside a start tag, after "=", after an attribute name, or after "/"
// or an end-tag name.
enum TagState
{
    tsContent = 0,
    tsInStartTag = 1,
    tsAfterEquals = 2,
    tsAfterAttributeName = 3,
    tsBeforeClose = 4,
};

constexpr std::size_t kBufferSize = 4096;
// Room after the sentinel, so that a word of eight bytes can be read at any position up to it.
constexpr std::size_t kBufferSlack = 8;
constexpr std::size_t kNoToken = static_cast<std::size_t>(-1);

// Bytes of tag and attribute names: letters, digits and the XML name marks "_", "-", "." and ":" (an
// attribute such as "xml:lang" or "data-x" is one name), and "$".
struct NameChars
{
    bool table[256] = {};
    constexpr NameChars()
    {
        for (int c = 0; c < 256; ++c)
            table[c] = c == '$' || c == '_' || c == '-' || c == '.' || c == ':' || (c >= '0' && c <= '9') ||
                       (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    }
};
constexpr NameChars kNameChars;

bool isNameByte(char c) { return kNameChars.table[static_cast<unsigned char>(c)]; }

// The tag names, those of up to eight bytes also as a word with a mask of their length, so that a name at the
// cursor is compared with one of them in a single step.
struct TagNameWords
{
    struct Entry
    {
        std::string_view name;
        std::uint64_t word = 0;
        std::uint64_t mask = 0;
    };
    Entry entries[kTagCount];

    TagNameWords()
    {
        constexpr char kAllBits[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
        for (int tag = 0; tag < kTagCount; ++tag) {
            Entry& entry = entries[tag];
            entry.name = tagName(static_cast<TLnxTagId>(tag));
            if (entry.name.size() <= sizeof entry.word) {
                std::memcpy(&entry.word, entry.name.data(), entry.name.size());
                std::memcpy(&entry.mask, kAllBits, entry.name.size());
            }
        }
    }
};
const TagNameWords kTagNameWords;

// Passes a run of blanks, such as the indentation after a line break, eight bytes at a time where it can.
// The NUL sentinel, like any other byte, ends the run; the buffer has room to read a word beyond it.
const char* passBlanks(const char* p)
{
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020;
    for (std::uint64_t word; std::memcpy(&word, p, sizeof word), word == kEightBlanks;)
        p += sizeof word;
    while (*p == ' ')
        ++p;
    return p;
}

bool isLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

/** Bytes to parse: a file or a block of memory. */
class Source
{
public:
    virtual ~Source() = default;
    /** Fills up to size bytes; returns the count, 0 at the end of the input (or on a read error). */
    virtual std::size_t read(char* target, std::size_t size) = 0;
};

// The parser asks for a few kilobytes at a time; the file is read in larger chunks to save system calls.
class FileSource final : public Source
{
public:
    explicit FileSource(int fd)
        : FFd(fd)
        , FChunk(std::make_unique_for_overwrite<char[]>(kChunkSize))
    {
    }
    ~FileSource() override { ::close(FFd); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t read(char* target, std::size_t size) override
    {
        std::size_t total = 0;
        while (total < size && (FStart < FEnd || fill())) {
            const std::size_t n = std::min(size - total, FEnd - FStart);
            std::memcpy(target + total, FChunk.get() + FStart, n);
            FStart += n;
            total += n;
        }
        return total;
    }

private:
    static constexpr std::size_t kChunkSize = 64 * 1024;

    // Reads the next chunk; false at the end of the file or on a read error.
    bool fill()
    {
        ssize_t n;
        do
            n = ::read(FFd, FChunk.get(), kChunkSize);
        while (n < 0 && errno == EINTR);
        FStart = 0;
        FEnd = n > 0 ? static_cast<std::size_t>(n) : 0;
        return FEnd > 0;
    }

    int FFd;
    std::unique_ptr<char[]> FChunk;
    std::size_t FStart = 0;
    std::size_t FEnd = 0;
};

class TextSource final : public Source
{
public:
    explicit TextSource(std::string_view text)
        : FText(text)
    {
    }
    std::size_t read(char* target, std::size_t size) override
    {
        const std::size_t n = std::min(size, FText.size());
        if (n == 0)
            return 0; // an empty text has no data pointer to copy from
        std::memcpy(target, FText.data(), n);
        FText.remove_prefix(n);
        return n;
    }

private:
    std::string_view FText;
};

/** True for the text of "<?xml ...?>"; other processing instructions ("<?xml-stylesheet ...?>") are not. */
bool isXmlDeclaration(std::string_view instruction)
{
    const std::string_view text = base::trimLeftView(instruction);
    return text.starts_with("xml") && (text.size() == 3 || static_cast<unsigned char>(text[3]) <= ' ');
}

/** The XML declaration's encoding, or Windows-1252 when it names none or one we do not know. */
base::CodePage encodingOfDeclaration(std::string_view declaration)
{
    const std::size_t key = declaration.find("encoding");
    if (key == std::string_view::npos)
        return base::CodePage::Windows1252;
    std::string_view rest = base::trimLeftView(declaration.substr(key + 8));
    if (rest.empty() || rest.front() != '=')
        return base::CodePage::Windows1252;
    rest = base::trimLeftView(rest.substr(1));
    if (rest.empty() || (rest.front() != '"' && rest.front() != '\''))
        return base::CodePage::Windows1252;
    const std::size_t end = rest.find(rest.front(), 1);
    const std::string_view name = rest.substr(1, end == std::string_view::npos ? end : end - 1);
    return base::codePageFromName(name).value_or(base::CodePage::Windows1252);
}

} // namespace

class TLnxParser::Impl
{
public:
    explicit Impl(TLnxMessageSink& sink)
        : FSink(sink)
    {
        std::fill(std::begin(FTagGuesses), std::end(FTagGuesses), tag::Unknown);
    }
    ~Impl() { releaseNodeMemory(); }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    std::unique_ptr<TLnxObject> run(Source& source, const TLnxProgress& progress);

private:
    // An open element. Its children wait in FChildren from childrenStart on until its end tag hands them over
    // in one piece, so every child list is allocated once at its final size. Elements that could not be
    // attached to the tree are owned by FDetached and destroyed with their end tag.
    struct OpenElement
    {
        TLnxAbstractElement* node;
        std::size_t childrenStart;
        bool detached;
    };

    int position() const { return std::max(FElementCounter, FLine); }
    TLnxAbstractElement* innermost() const { return FStack.empty() ? nullptr : FStack.back().node; }
    void push(TLnxAbstractElement* node, bool detached);
    void pop();

    bool refill();
    int currentByte();
    template <bool CountLines, class Accept> std::string_view scanWhile(Accept accept);
    std::string_view scanUntil(char stop);
    std::string_view scanName();
    std::string_view scanToTerminator(char before);
    void passComment();

    int nextToken();
    int tokenInStartTag(int c);
    int tokenQuotedValue(int c);
    int tokenInContent(int c);
    void passCloseAfterName();
    bool takeTagNameAtCursor(TLnxTagId tag);
    std::size_t tagGuessSlot() const;

    // Messages are built only on the rare paths that report one, outside the hot functions: a string made in
    // a function makes the compiler guard that function's stack on every call.
    [[gnu::cold]] void message(std::string_view text, bool warning, int markLevel);
    [[gnu::cold]] void message(std::string_view before, std::string_view name, bool warning, int markLevel);
    void mark(int level);
    void decode(std::string_view raw, std::string& target) const;

    void handleText();
    void handleStartTag();
    void handleEndTag();
    bool handleAttributeName();
    [[gnu::cold]] void skipUnknownElement();
    void* takeNodeMemory();
    void releaseNodeMemory() noexcept;

    TLnxMessageSink& FSink;
    Source* FSource = nullptr;
    const TLnxProgress* FProgress = nullptr;

    char FBuffer[kBufferSize + 1 + kBufferSlack] = {};
    std::size_t FCursor = 0;
    std::size_t FDataEnd = 0;
    std::size_t FSentinel = 0;
    char FSavedByte = 0;
    std::size_t FTokenStart = kNoToken; // start of a token being read, kept across refills
    std::string FPending;               // token text carried over a refill

    int FLine = 1;
    int FElementCounter = 1;
    int FTagState = tsContent;
    TLnxTagId FTokenTag = tag::Unknown;
    TLnxTagId FOpenStartTag = tag::Unknown;
    bool FEmptyElementClose = false;
    std::string_view FTokenName; // valid until the next read
    std::string FTokenText;
    std::string FAttributeName;
    std::string_view FTokenView;
    std::string FDecoded;
    base::CodePage FCodePage = base::CodePage::Windows1252;

    std::vector<OpenElement> FStack;
    std::vector<std::unique_ptr<TLnxAbstractElement>> FDetached; // the detached open elements, innermost last
    // The guessed next start tag by the previous sibling's tag, and from kTagIds on by the parent's tag.
    static constexpr std::size_t kTagIds = 256;
    TLnxTagId FTagGuesses[2 * kTagIds];
    std::vector<std::unique_ptr<TLnxAbstractElement>> FChildren;

    // Memory for the next nodes, taken from the pool a run at a time (one lock per run, not per node).
    static constexpr std::size_t kNodeMemoryRun = 64;
    void* FNodeMemory[kNodeMemoryRun];
    std::size_t FNodeMemoryNext = 0;
    std::size_t FNodeMemoryEnd = 0;
};

// The buffer holds valid input up to a NUL sentinel. When the cursor reaches the sentinel, the unread tail
// moves to the front and the rest is filled from the input; a full buffer is cut at its last "<", so that
// markup is seldom split across refills. A token being read keeps its text in FPending.
bool TLnxParser::Impl::refill()
{
    if (FTokenStart != kNoToken) {
        FPending.append(FBuffer + FTokenStart, FCursor - FTokenStart);
        FTokenStart = 0;
    }
    FBuffer[FSentinel] = FSavedByte;
    std::memmove(FBuffer, FBuffer + FCursor, FDataEnd - FCursor);
    FDataEnd -= FCursor;
    FCursor = 0;

    const std::size_t read = FSource->read(FBuffer + FDataEnd, kBufferSize - FDataEnd);
    // A NUL byte in the input would pass for the sentinel; it is read as a blank instead.
    for (char* nul = FBuffer + FDataEnd;
         (nul = static_cast<char*>(std::memchr(nul, '\0', FBuffer + FDataEnd + read - nul)));)
        *nul = ' ';
    FDataEnd += read;

    FSentinel = FDataEnd;
    if (FDataEnd == kBufferSize) {
        // Cut at the last "<" after the cursor. A full buffer without one (a long text or comment) is
        // processed whole instead of waiting for room that would never come.
        const char* begin = FBuffer + FCursor + 1;
        const char* end = FBuffer + FDataEnd;
        const auto last = std::find(std::make_reverse_iterator(end), std::make_reverse_iterator(begin), '<');
        if (last != std::make_reverse_iterator(begin))
            FSentinel = static_cast<std::size_t>(&*last - FBuffer);
    }
    FSavedByte = FBuffer[FSentinel];
    FBuffer[FSentinel] = '\0';

    if (*FProgress)
        (*FProgress)(position());
    return FCursor < FSentinel;
}

// The byte at the cursor, or -1 at the end of the input.
int TLnxParser::Impl::currentByte()
{
    if (FBuffer[FCursor] == '\0' && !refill())
        return -1;
    return static_cast<unsigned char>(FBuffer[FCursor]);
}

// Reads the bytes the predicate accepts, up to the first it refuses or the end of the input, counting line
// feeds. The view points into the buffer or into FPending and is valid until the next read.
template <bool CountLines, class Accept> std::string_view TLnxParser::Impl::scanWhile(Accept accept)
{
    FPending.clear();
    FTokenStart = FCursor;
    for (;;) {
        const char* p = FBuffer + FCursor;
        // A local line count: the compiler cannot keep a member in a register across stores through char*.
        int lines = 0;
        while (*p != '\0' && accept(*p)) {
            if constexpr (CountLines)
                lines += *p == '\n';
            ++p;
        }
        FLine += lines;
        FCursor = static_cast<std::size_t>(p - FBuffer);
        if (*p != '\0' || !refill())
            break;
    }
    const std::size_t start = FTokenStart;
    FTokenStart = kNoToken;
    if (FPending.empty())
        return {FBuffer + start, FCursor - start};
    FPending.append(FBuffer + start, FCursor - start);
    return FPending;
}

// Nearly every token ends before the sentinel: then the stop byte is found with memchr and the line feeds
// before it are counted apart, and the view points into the buffer. Otherwise the general scan takes over.
std::string_view TLnxParser::Impl::scanUntil(char stop)
{
    const char* start = FBuffer + FCursor;
    if (const auto* found = static_cast<const char*>(std::memchr(start, stop, FSentinel - FCursor))) {
        FLine += static_cast<int>(std::count(start, found, '\n'));
        FCursor = static_cast<std::size_t>(found - FBuffer);
        return {start, static_cast<std::size_t>(found - start)};
    }
    return scanWhile<true>([stop](char c) { return c != stop; });
}

std::string_view TLnxParser::Impl::scanName()
{
    // A name that ends before the sentinel (no name byte) is read in place. Names hold no line feeds.
    const char* start = FBuffer + FCursor;
    const char* end = start;
    while (isNameByte(*end))
        ++end;
    if (*end != '\0') {
        FCursor = static_cast<std::size_t>(end - FBuffer);
        return {start, static_cast<std::size_t>(end - start)};
    }
    return scanWhile<false>(isNameByte);
}

// Reads to the first ">" that directly follows the given byte; both are consumed and left out of the text.
std::string_view TLnxParser::Impl::scanToTerminator(char before)
{
    FTokenText.clear();
    for (;;) {
        FTokenText += scanUntil('>');
        if (currentByte() < 0)
            return FTokenText;
        ++FCursor;
        if (!FTokenText.empty() && FTokenText.back() == before) {
            FTokenText.pop_back();
            return FTokenText;
        }
        FTokenText += '>';
    }
}

// A comment after its "<": leading "!" and "-" bytes are passed, the text runs to "-->".
void TLnxParser::Impl::passComment()
{
    int dashes = 0;
    for (int c = currentByte(); c == '!' || c == '-'; c = currentByte()) {
        dashes += c == '-';
        ++FCursor;
    }
    FTokenText.clear();
    // In "<!---->" the closing dashes are part of the leading run; they still end the comment.
    if (dashes >= 4)
        FTokenText = "--";
    for (;;) {
        FTokenText += scanUntil('>');
        if (currentByte() < 0)
            return;
        ++FCursor;
        if (FTokenText.size() >= 2 && FTokenText.ends_with("--"))
            return;
        FTokenText += '>';
    }
}

int TLnxParser::Impl::nextToken()
{
    int c;
    for (;;) {
        const char* p = FBuffer + FCursor;
        int lines = 0;
        while (static_cast<unsigned char>(*p) - 1u < 32u) {
            lines += *p == '\n';
            ++p;
            p = passBlanks(p);
        }
        FLine += lines;
        FCursor = static_cast<std::size_t>(p - FBuffer);
        if (*p != '\0') {
            c = static_cast<unsigned char>(*p);
            break;
        }
        if (!refill())
            return ttEnd;
    }

    switch (FTagState) {
    case tsInStartTag:
        return tokenInStartTag(c);
    case tsAfterEquals:
        return tokenQuotedValue(c);
    case tsAfterAttributeName:
        if (c == '=') {
            ++FCursor;
            FTagState = tsAfterEquals;
        } else {
            message("= expected !", false, 3);
            FTagState = tsInStartTag;
        }
        return ttNothing;
    case tsBeforeClose:
        if (c == '>')
            ++FCursor;
        else
            message("> expected !", false, 3);
        FTagState = tsContent;
        FTokenTag = tag::Unknown;
        return ttNothing;
    default:
        return tokenInContent(c);
    }
}

int TLnxParser::Impl::tokenInStartTag(int c)
{
    if (c == '/') {
        ++FCursor;
        FTagState = tsBeforeClose;
        FTokenTag = FOpenStartTag;
        FEmptyElementClose = true;
        return ttEndTag;
    }
    if (c == '<') {
        ++FCursor;
        // Only "<!--" starts a comment here; the bytes passed while checking would be skipped anyway.
        for (char expected : {'!', '-', '-'}) {
            if (currentByte() != expected)
                return ttNothing;
            ++FCursor;
        }
        passComment();
        return ttComment;
    }
    if (c == '>') {
        ++FCursor;
        FTagState = tsContent;
        FTokenTag = tag::Unknown;
        return ttNothing;
    }
    if (isLetter(c)) {
        FTokenName = scanName();
        FTagState = tsAfterAttributeName;
        return ttAttributeName;
    }
    ++FCursor;
    return ttNothing;
}

int TLnxParser::Impl::tokenQuotedValue(int c)
{
    FTagState = tsInStartTag;
    FTokenText.clear();
    if (c != '"') {
        message("Quote \" expected !", false, 3);
        return ttAttributeValue;
    }
    ++FCursor;
    FTokenText.assign(scanUntil('"'));
    if (currentByte() < 0)
        message("Quote \" expected !", false, 3);
    else
        ++FCursor;
    return ttAttributeValue;
}

int TLnxParser::Impl::tokenInContent(int c)
{
    if (c != '<') {
        // The view stays valid until the next read: the text is handled before that.
        FTokenView = base::trimRightView(scanUntil('<'));
        return ttText;
    }
    ++FCursor;
    switch (currentByte()) {
    case '!':
        ++FCursor;
        if (currentByte() == '-') {
            passComment();
            return ttComment;
        }
        scanToTerminator('!');
        return ttDeclaration;
    case '/':
        ++FCursor;
        // Most end tags close the innermost element.
        if (const TLnxAbstractElement* node = innermost(); !node || !takeTagNameAtCursor(node->tag())) {
            FTokenName = scanName();
            FTokenTag = tagIdOf(FTokenName);
        }
        FTagState = tsBeforeClose;
        FEmptyElementClose = false;
        passCloseAfterName();
        return ttEndTag;
    case '?':
        ++FCursor;
        scanToTerminator('?');
        return ttProcessingInstruction;
    default: {
        const std::size_t guessSlot = tagGuessSlot();
        if (const TLnxTagId guess = FTagGuesses[guessSlot];
            guess == tag::Unknown || !takeTagNameAtCursor(guess)) {
            FTokenName = scanName();
            FTokenTag = tagIdOf(FTokenName);
            FTagGuesses[guessSlot] = FTokenTag;
        }
        FOpenStartTag = FTokenTag;
        FTagState = tsInStartTag;
        passCloseAfterName();
        return ttStartTag;
    }
    }
}

// Where the tag's name stands whole at the cursor, ended by a byte before the sentinel that is no name byte,
// it is the token's name: taken without a scan and a look-up. False, with nothing read, otherwise.
bool TLnxParser::Impl::takeTagNameAtCursor(TLnxTagId tag)
{
    const TagNameWords::Entry& expected = kTagNameWords.entries[tag];
    const std::string_view name = expected.name;
    const char* at = FBuffer + FCursor;
    if (name.size() >= FSentinel - FCursor)
        return false;
    if (expected.mask != 0) {
        // The buffer has room to read a word beyond the sentinel.
        std::uint64_t word;
        std::memcpy(&word, at, sizeof word);
        if ((word & expected.mask) != expected.word)
            return false;
    } else if (std::memcmp(at, name.data(), name.size()) != 0) {
        return false;
    }
    if (isNameByte(at[name.size()]))
        return false;
    FTokenName = {at, name.size()};
    FCursor += name.size();
    FTokenTag = tag;
    return true;
}

// Lenex files give the children of an element in much the same order every time. The tag that last followed
// the same previous sibling, or last came first in a parent of the same tag, is the guess for the next start
// tag; it is taken only where its name stands at the cursor.
std::size_t TLnxParser::Impl::tagGuessSlot() const
{
    if (FStack.empty())
        return 0;
    const OpenElement& open = FStack.back();
    if (FChildren.size() > open.childrenStart)
        return FChildren.back()->tag();
    return kTagIds + open.node->tag();
}

// Most tags are "<NAME>" or "</NAME>": a ">" directly after the name ends the tag here, as the next token
// would (with no blank before it there is no line to count and nothing to report), saving that token.
void TLnxParser::Impl::passCloseAfterName()
{
    if (FBuffer[FCursor] == '>') {
        ++FCursor;
        FTagState = tsContent;
    }
}

void TLnxParser::Impl::message(std::string_view text, bool warning, int markLevel)
{
    FSink.addMessage(std::string(text), position(), warning);
    mark(markLevel);
}

// A message that quotes a name from the file: before, the name, then " !".
void TLnxParser::Impl::message(std::string_view before, std::string_view name, bool warning, int markLevel)
{
    std::string text(before);
    text.append(name).append(" !");
    message(text, warning, markLevel);
}

// Marks the innermost open element and gives its ancestors, the open elements below it up to one that
// is not part of the tree, the "contains an error" state. Ancestors of a marked node are always marked
// already, so the walk stops at the first one that is.
void TLnxParser::Impl::mark(int level)
{
    TLnxAbstractElement* node = innermost();
    if (!node || node->errorState() >= level)
        return;
    node->setErrorState(static_cast<std::uint8_t>(level));
    for (std::size_t i = FStack.size() - 1; i > 0 && !FStack[i].detached; --i) {
        TLnxAbstractElement* ancestor = FStack[i - 1].node;
        if (ancestor->errorState() >= esInnerError)
            break;
        ancestor->setErrorState(esInnerError);
    }
}

void TLnxParser::Impl::push(TLnxAbstractElement* node, bool detached)
{
    FStack.push_back({node, FChildren.size(), detached});
}

void TLnxParser::Impl::pop()
{
    OpenElement& open = FStack.back();
    if (TLnxAbstractObject* object = open.node->asAbstractObject())
        object->addChildren(FChildren.data() + open.childrenStart, FChildren.data() + FChildren.size());
    FChildren.resize(open.childrenStart);
    if (open.detached)
        FDetached.pop_back();
    FStack.pop_back();
}

void TLnxParser::Impl::decode(std::string_view raw, std::string& target) const
{
    if (isPlainXmlText(raw)) {
        target.assign(raw);
        return;
    }
    target.clear();
    base::appendDecoded(target, raw, FCodePage);
    // References are ASCII in every code page we read, so they are resolved in the decoded text.
    decodeXmlReferences(target);
}

std::unique_ptr<TLnxObject> TLnxParser::Impl::run(Source& source, const TLnxProgress& progress)
{
    FSource = &source;
    FProgress = &progress;
    // Start with an empty buffer whose sentinel sits at the cursor, so the first read fills it.
    FSavedByte = '\0';

    int token;
    do {
        token = nextToken();
        if (token == ttProcessingInstruction && isXmlDeclaration(FTokenText))
            FCodePage = encodingOfDeclaration(FTokenText);
    } while (token == ttNothing || token == ttComment || token == ttProcessingInstruction);
    if (token != ttStartTag || FTokenTag != tag::LENEX) {
        FSink.addMessage("No LENEX - File !", 0, false);
        return nullptr;
    }

    auto root = std::make_unique<TLnxObject>(tag::LENEX);
    root->setLine(position());
    push(root.get(), false);

    for (bool running = true; running;) {
        switch (nextToken()) {
        case ttEnd:
            running = false;
            break;
        case ttText:
            handleText();
            break;
        case ttStartTag:
            handleStartTag();
            break;
        case ttEndTag:
            handleEndTag();
            break;
        case ttAttributeName:
            running = handleAttributeName();
            break;
        case ttAttributeValue:
            decode(FTokenText, FDecoded);
            message("Unexpected value \"", FDecoded + "\"", false, 3);
            break;
        default:
            break;
        }
    }

    // Elements still open stay in the tree as far as they were read.
    while (!FStack.empty())
        pop();
    if (root->getText(tag::VERSION) < kMinimumVersion)
        FSink.addMessage("Expired LENEX - Version !", 0, true);
    releaseNodeMemory();
    return root;
}

// The pieces are used in the order the pool gave them, which is mostly ascending in memory: nodes then lie
// in document order, which keeps walks over the tree close to sequential.
void* TLnxParser::Impl::takeNodeMemory()
{
    if (FNodeMemoryNext == FNodeMemoryEnd) {
        FNodeMemoryEnd = TLnxNodePool::allocateMany(kLnxNodeSize, FNodeMemory, kNodeMemoryRun);
        FNodeMemoryNext = 0;
    }
    return FNodeMemory[FNodeMemoryNext++];
}

void TLnxParser::Impl::releaseNodeMemory() noexcept
{
    TLnxNodePool::ReleaseBatch batch;
    for (; FNodeMemoryNext < FNodeMemoryEnd; ++FNodeMemoryNext)
        batch.add(FNodeMemory[FNodeMemoryNext], kLnxNodeSize);
}

void TLnxParser::Impl::handleText()
{
    if (TLnxAbstractElement* node = innermost(); node && node->isData()) {
        // Most values are short enough to be stored in the string itself: decoded in place, they take no
        // allocation and no copy.
        decode(FTokenView, node->asData()->mutableValue());
    } else {
        message("Unexpected Data !", true, 2);
    }
}

void TLnxParser::Impl::handleStartTag()
{
    ++FElementCounter;
    TLnxAbstractElement* parent = innermost();
    if (parent && parent->isCollection() && parent->asCollection()->itemTag() != FTokenTag)
        message("Unallowed tag in collection: ", FTokenName, false, 2);
    if (FTokenTag == tag::Unknown) {
        skipUnknownElement();
        return;
    }

    std::unique_ptr<TLnxAbstractElement> node = createNodeForTag(FTokenTag, takeNodeMemory());
    node->setLine(position());
    if (parent && parent->isData()) {
        parent->setErrorState(esInnerError);
        message("No child elements allowed !", true, 3);
    }
    TLnxAbstractElement* raw = node.get();
    if (parent && !parent->isData()) {
        FChildren.push_back(std::move(node));
        push(raw, false);
    } else {
        // Not part of the tree: it lives until its end tag pops it.
        FDetached.push_back(std::move(node));
        push(raw, true);
    }
}

void TLnxParser::Impl::handleEndTag()
{
    TLnxAbstractElement* node = innermost();
    if (node && node->tag() == FTokenTag) {
        pop();
        return;
    }
    const std::string_view name = FEmptyElementClose ? tagName(FTokenTag) : FTokenName;
    message("Unexpected tag: /", name, false, 2);
}

// Returns false when the input ends before the attribute's value.
bool TLnxParser::Impl::handleAttributeName()
{
    // The name is copied: reading the value may refill the buffer it points into.
    FAttributeName.assign(FTokenName);
    const bool isId = base::asciiSameText(FAttributeName, "id");
    int token;
    do {
        token = nextToken();
    } while (token == ttNothing);
    if (token == ttEnd)
        return false;
    if (token != ttAttributeValue) {
        message("Value expected !", false, 3);
        return true;
    }
    if (TLnxAbstractElement* node = innermost()) {
        decode(FTokenText, FDecoded);
        if (isId)
            if (TLnxObject* object = node->asObject())
                object->setId(base::strToIntDef(FDecoded, 0));
        node->setNamedAttribute(FAttributeName, FDecoded);
    }
    return true;
}

// Reports the unknown element whose start tag was just read and reads over it and everything inside it.
// Nested start tags of the same name (without regard to case) deepen it; an empty-element close ends only a
// start tag that was counted, so empty children of other names inside an unknown element do not end the
// skip early.
void TLnxParser::Impl::skipUnknownElement()
{
    // Copied: reading on may refill the buffer the token's name points into.
    const std::string name(FTokenName);
    message("Unknown Tag: ", name, true, 2);
    int depth = 1;
    bool openCounted = true;
    while (depth > 0) {
        switch (nextToken()) {
        case ttEnd:
            return;
        case ttStartTag:
            ++FElementCounter;
            openCounted = base::asciiSameText(FTokenName, name);
            depth += openCounted;
            break;
        case ttEndTag:
            if (FEmptyElementClose ? openCounted : base::asciiSameText(FTokenName, name))
                --depth;
            openCounted = false;
            break;
        default:
            break;
        }
    }
}

TLnxParser::TLnxParser(TLnxMessageSink& sink)
    : FSink(sink)
{
}

TLnxParser::~TLnxParser() = default;

std::unique_ptr<TLnxObject> TLnxParser::parse(const std::string& fileName, const TLnxProgress& progress)
{
    FInternalFormat = false;
    // An archive's single .lef member is extracted into the private temporary folder and read instead; the
    // extracted file is deleted when parsing ends, whatever the outcome.
    ExtractedLenexFile extracted;
    std::string path = fileName;
    if (isLenexArchiveName(fileName)) {
        try {
            extracted = extractLenexMember(fileName);
        } catch (const std::exception& failure) {
            extracted.error = failure.what();
        }
        FInternalFormat = extracted.internalFormat;
        if (!extracted.error.empty()) {
            FSink.addMessage(extracted.error, 0, false);
            return nullptr;
        }
        path = extracted.file.path();
    }

    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info = {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        FSink.addMessage("Can not open file !", 0, false);
        return nullptr;
    }
    FileSource source(fd);
    return Impl(FSink).run(source, progress);
}

std::unique_ptr<TLnxObject> TLnxParser::parseText(std::string_view text, const TLnxProgress& progress)
{
    FInternalFormat = false;
    TextSource source(text);
    return Impl(FSink).run(source, progress);
}

} // namespace lanescope::lenex
