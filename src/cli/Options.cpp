#include "cli/Options.h"

#include "base/Strings.h"

#include <cstdio>

namespace lanescope::cli {

Options::Options(const Arguments& arguments, const std::set<std::string>& valued,
                 const std::set<std::string>& flags)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (!word.starts_with("--")) {
            FPositional.push_back(word);
        } else if (flags.count(word)) {
            FFlags.insert(word);
        } else if (valued.count(word) && i + 1 < arguments.size()) {
            FValues[word] = arguments[++i];
        } else {
            FError = valued.count(word) ? "missing value for " + word : "unknown option " + word;
            return;
        }
    }
}

std::optional<std::string> Options::text(const std::string& name) const
{
    const auto found = FValues.find(name);
    return found == FValues.end() ? std::nullopt : std::optional<std::string>(found->second);
}

std::optional<int> Options::integer(const std::string& name)
{
    const auto found = FValues.find(name);
    if (found == FValues.end())
        return std::nullopt;
    if (!base::isInteger(found->second)) {
        FError = name + " needs a whole number";
        return std::nullopt;
    }
    return base::strToIntDef(found->second, 0);
}

int usageError(const Options& options, const char* usage)
{
    if (!options.valid())
        std::fprintf(stderr, "lanescope-cli: %s\n", options.error().c_str());
    std::fputs(usage, stderr);
    return 2;
}

} // namespace lanescope::cli
