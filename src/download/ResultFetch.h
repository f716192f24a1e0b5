#pragma once

#include "download/VnxHTTP.h"

#include <string>

namespace lanescope::download {

/** A result file fetched from an address. */
struct FetchedResult
{
    TransferResult transfer;
    /** The local copy; empty unless the transfer succeeded. */
    std::string localFile;
    /** The file's name from its address, its Content-Disposition header or its content. */
    std::string fileName;

    bool ok() const { return transfer.ok(); }
};

/**
 * Fetches the result file at the address (percent-encoded first) into the folder as `stem` with the extension
 * of the file's name. The bytes arrive in a ".part" file that replaces the local copy only when complete and
 * of a supported kind, so a failed or unchanged fetch (NotModified, with validators) leaves an earlier copy
 * untouched. A file whose name shows no supported kind fails as UnsupportedFile.
 */
FetchedResult fetchResultFile(TVnxHTTP& http, const std::string& url, const std::string& folder,
                              const std::string& stem, const Validators& previous = {});

} // namespace lanescope::download
