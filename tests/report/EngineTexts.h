#pragma once

#include "base/LanguageTexts.h"

#include <map>
#include <string>
#include <utility>

namespace lanescope::report::testing {

/** Serves the English texts the report engine uses while a test runs; no source afterwards. */
class EngineTexts
{
public:
    EngineTexts()
    {
        base::setLanguageTextSource([](char section, int number, int) {
            static const std::map<std::pair<char, int>, std::string> texts{
                {{'G', 52}, "Portrait"},
                {{'G', 53}, "Landscape"},
                {{'G', 54}, ", paper size unknown"},
                {{'G', 55}, "Page "},
                {{'G', 60}, " (copy %d of %d)"},
                {{'G', 96}, "Writing HTML file %s"},
                {{'G', 97}, "Printing..."},
                {{'G', 158}, "Write PDF file"},
            };
            const auto found = texts.find({section, number});
            return found == texts.end() ? std::string() : found->second;
        });
    }
    ~EngineTexts() { base::setLanguageTextSource({}); }
    EngineTexts(const EngineTexts&) = delete;
    EngineTexts& operator=(const EngineTexts&) = delete;
};

} // namespace lanescope::report::testing
