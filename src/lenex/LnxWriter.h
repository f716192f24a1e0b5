#pragma once

#include "lenex/LnxElement.h"

#include <string>
#include <vector>

/** Writes a node tree back as first-generation Lenex text. */
namespace lanescope::lenex {

/** The character set named in the header for a Windows code page: 1250, 1251, 1253, 1254 or else ISO-8859-1.
 */
std::string charsetOfCodePage(int codePage);

/**
 * Appends the node's lines: one element per line, children indented by one more blank than their parent,
 * values and attribute values escaped as XML character data. An object's "id" attribute is first brought in line with its integer id
 * (set when not 0, removed when 0). Works without recursion, so any depth can be written.
 */
void writeNode(TLnxAbstractElement& node, std::vector<std::string>& lines, const std::string& prefix);

/**
 * Writes the whole tree to the file name with its extension replaced by ".lef": the XML header, then the
 * root. Empty data elements (empty or "0") are pruned from the tree first; the tree keeps that change.
 * The text goes out in ISO-8859-1 when every character is ASCII or one of U+00A0-U+00FF, else in UTF-8
 * (the header names the encoding), with CR LF line ends, replacing an existing file. Returns false when the file cannot be
 * written.
 */
bool saveDocument(TLnxObject& root, const std::string& fileName);

} // namespace lanescope::lenex
