#pragma once

#include "cli/Commands.h"

#include <map>
#include <optional>
#include <set>
#include <string>

namespace lanescope::cli {

/** Command-line words split into positional arguments, "--name value" options and "--flag" switches. */
class Options
{
public:
    /** valued: the option names that take a value. Unknown "--" words and missing values make it invalid. */
    Options(const Arguments& arguments, const std::set<std::string>& valued,
            const std::set<std::string>& flags);

    bool valid() const { return FError.empty(); }
    const std::string& error() const { return FError; }
    const Arguments& positional() const { return FPositional; }
    bool has(const std::string& name) const { return FValues.count(name) > 0 || FFlags.count(name) > 0; }
    /** The option's value as given; nothing when absent. */
    std::optional<std::string> text(const std::string& name) const;
    /** The option's value as an integer; nothing when absent; invalid() when it is no integer. */
    std::optional<int> integer(const std::string& name);

private:
    Arguments FPositional;
    std::map<std::string, std::string> FValues;
    std::set<std::string> FFlags;
    std::string FError;
};

/**
 * Prints why the options are invalid (when they are) and the usage text on standard error; returns 2, the
 * exit status of a call the command cannot run.
 */
int usageError(const Options& options, const char* usage);

} // namespace lanescope::cli
