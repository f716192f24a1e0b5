#pragma once

#include "convert/VnxLenexConverter.h"

#include <memory>
#include <string>

namespace lanescope::convert {

enum class ConverterKind
{
    None,
    Lenex,
    Sdif,
    Dsv4,
    Dsv7,
    Pce3,
};

/**
 * The converter for a file, by its extension in lower case: ".lxf", ".lef", ".snf", ".lxb", ".stf" and ".fxl"
 * are Lenex, ".cl2" and ".sd3" SDIF, ".dsv6", ".dsv7" and ".dsv8" DSV7, ".dsv" DSV4 unless the file begins
 * with a FORMAT record, which makes it a DSV7 file under the old name. A ".zip" holding a member "rcomp.txt"
 * (any case) is PCE3; any other zip is judged by the extension of its first file (folder entries are passed
 * over). None for everything else, an empty or unreadable zip included.
 */
ConverterKind chooseConverter(const std::string& fileName);

/** A new converter of the kind for the document; nullptr for kinds not available. */
std::unique_ptr<TVnxLenexConverterAbstract> createConverter(ConverterKind kind, TLenex& document);

} // namespace lanescope::convert
