#include "cli/ReportOutput.h"

#include "report/ReportCanvas.h"

#include <cstdio>

namespace lanescope::cli {

namespace {

class ConsoleStatus : public report::SilentStatus
{
public:
    void warning(const std::string& text) override
    {
        std::fprintf(stderr, "lanescope-cli: %s\n", text.c_str());
    }
};

} // namespace

int writeReport(report::TVnxReport& engine, const std::optional<std::string>& pdf,
                const std::optional<std::string>& html)
{
    ConsoleStatus status;
    bool written = false;
    if (pdf) {
        engine.PdfFileName = *pdf;
        written = engine.PrintToPdf(status);
    } else if (html) {
        engine.HtmlFileName = *html;
        written = engine.PrintToHtml(status);
    }
    if (written)
        return 0;
    std::fprintf(stderr, "lanescope-cli: cannot write %s\n", (pdf ? *pdf : html.value_or("")).c_str());
    return 1;
}

} // namespace lanescope::cli
