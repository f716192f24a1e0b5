#include "ui/HelpView.h"

#include "app/RtfText.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <fstream>
#include <iterator>
#include <string>

namespace lanescope::ui {

namespace {

/** Far above any help text; a larger file is not one of ours. */
constexpr std::uintmax_t kMaxHelpFileSize = 16 * 1024 * 1024;

bool readFile(const std::filesystem::path& file, std::string& content)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return false;
    const auto size = std::filesystem::file_size(file, error);
    if (error || size > kMaxHelpFileSize)
        return false;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

HelpView::HelpView(QWidget* parent)
    : QTextBrowser(parent)
{
    setReadOnly(true);
    setOpenLinks(false);
    // Bullets are followed by a tab; a short tab stop keeps the item text close to its bullet.
    setTabStopDistance(24);
}

bool HelpView::loadHelpFile(const std::filesystem::path& file)
{
    std::string content;
    if (!readFile(file, content))
        return false;
    const std::vector<app::RtfParagraph> paragraphs = app::readRtf(content);

    QTextDocument* document = this->document();
    document->clear();
    QTextCursor cursor(document);
    QTextBlockFormat blockFormat;
    blockFormat.setBottomMargin(2);
    bool first = true;
    for (const app::RtfParagraph& paragraph : paragraphs) {
        if (first)
            cursor.setBlockFormat(blockFormat);
        else
            cursor.insertBlock(blockFormat);
        first = false;
        for (const app::RtfRun& run : paragraph.runs) {
            QTextCharFormat format;
            format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
            format.setFontItalic(run.italic);
            format.setFontPointSize(run.size);
            cursor.insertText(QString::fromUtf8(run.text.data(), static_cast<qsizetype>(run.text.size())),
                              format);
        }
    }
    moveCursor(QTextCursor::Start);
    return true;
}

} // namespace lanescope::ui
