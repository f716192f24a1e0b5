#pragma once

#include "report/ReportCanvas.h"

#include <cstdio>
#include <string>

namespace lanescope::cli {

/** Shows a report run's warnings (a page image that cannot be read) on the error output. */
class ConsoleStatus : public report::SilentStatus
{
public:
    void warning(const std::string& text) override
    {
        std::fprintf(stderr, "lanescope-cli: %s\n", text.c_str());
    }
};

} // namespace lanescope::cli
