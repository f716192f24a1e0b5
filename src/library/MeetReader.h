#pragma once

#include "lenex/Lenex.h"
#include "library/MeetRecord.h"
#include "swim/BSSwLenex.h"

#include <vector>

namespace lanescope::library {

/**
 * The meets of a loaded and indexed document as records: one per competition, with every result of an
 * athlete and every relay leg whose swimmer is known. Reading may add empty collections to the tree (the
 * typed views do), so the document is a scratch copy loaded for this.
 */
std::vector<MeetRecord> readMeets(lenex::TLenex& document);
/** One meet of a document (the current competition of an opened one, for instance). */
MeetRecord readMeet(const swim::IBSLenexMeet& meet);

} // namespace lanescope::library
