#pragma once

#include <string>
#include <string_view>

namespace lanescope::download {

/** True for the extensions of files the viewer opens (".lxf", ".lef", ".snf", ".cl2", ".sd3", ".dsv",
 * ".zip"), any case. */
bool isResultFileExtension(std::string_view extension);

/**
 * The address with every byte that may not stand in an address percent-encoded: blanks, control
 * characters, bytes of non-ASCII characters and `"<>\^`{|}`. Escapes already present ("%20") stay; a "%"
 * that starts none becomes "%25". The fragment ("#...") is dropped, it is never sent.
 */
std::string percentEncodeUrl(std::string_view url);

/** Decodes "%XX" escapes; plusAsBlank also turns "+" into a blank (query values). */
std::string percentDecode(std::string_view text, bool plusAsBlank = false);

/**
 * The name of a result file from its address: the last path segment when it has a result-file extension,
 * else the value of the first query parameter that names such a file ("get.php?file=x.lxf"). Decoded, without
 * folders; empty when neither names one.
 */
std::string fileNameFromUrl(std::string_view url);

/** The file name of a Content-Disposition header ("filename*=UTF-8''..." before "filename=..."), without
 * folders; empty when none. */
std::string fileNameFromContentDisposition(std::string_view header);

/**
 * The extension that the first bytes of a file show: ".zip" for a zip archive, ".lef" for a Lenex document,
 * ".cl2" for SDIF (an A0 record first), ".dsv" for a DSV list (a "FORMAT:" line first); empty otherwise.
 */
std::string extensionFromContent(std::string_view firstBytes);

/**
 * The name a downloaded result file goes by, by the first rule that gives one with a result-file extension:
 * the address, the Content-Disposition header, the content. Empty when none does.
 */
std::string resultFileName(std::string_view url, std::string_view contentDisposition,
                           std::string_view firstBytes);

} // namespace lanescope::download
