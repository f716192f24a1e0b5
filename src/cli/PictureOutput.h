#pragma once

#include "chart/ChartReport.h"
#include "cli/Options.h"

#include <optional>
#include <string>
#include <vector>

/** Writing a picture as SVG, PNG or a PDF page, for the chart commands. */
namespace lanescope::cli {

/** The output the options name: exactly one of "--svg", "--pdf" and "--png". */
struct PictureTarget
{
    std::optional<std::string> svg;
    std::optional<std::string> pdf;
    std::optional<std::string> png;
    bool valid() const { return (svg ? 1 : 0) + (pdf ? 1 : 0) + (png ? 1 : 0) == 1; }
};

PictureTarget pictureTarget(const Options& options);

/** A table printed under the picture in PDF output. */
struct PictureTable
{
    std::string columns;
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
};

/**
 * Writes the picture: SVG at 960 CSS pixels wide, PNG at twice that resolution, PDF as a report page
 * (with the table below the picture). Gives the exit status and names a file it cannot write.
 */
int writePicture(const PictureTarget& target, std::shared_ptr<swim::IBSLenexMeet> meet,
                 const std::string& title, const chart::PictureDrawing& drawing,
                 const PictureTable& table = {});

} // namespace lanescope::cli
