#pragma once

#include <QTextBrowser>
#include <filesystem>

namespace lanescope::ui {

/** Read-only view of a help text in rich-text form (paragraphs, bold, italic, font size). */
class HelpView : public QTextBrowser
{
    Q_OBJECT

public:
    explicit HelpView(QWidget* parent = nullptr);

    /**
     * Replaces the shown text by the file's. False, leaving the shown text unchanged, when the file is
     * missing, unreadable or larger than a help text can sensibly be.
     */
    bool loadHelpFile(const std::filesystem::path& file);
};

} // namespace lanescope::ui
