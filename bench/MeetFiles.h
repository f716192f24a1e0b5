#pragma once

#include <string>

namespace lanescope::bench {

/**
 * Path of the generated meet of a size in MB (fixed seed), in $TMPDIR/lanescope-bench (or /tmp): generated on
 * first use unless an earlier run left it there.
 */
const std::string& meetFile(int megabytes);

} // namespace lanescope::bench
