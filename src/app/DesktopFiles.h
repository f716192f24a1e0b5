#pragma once

#include <string>
#include <string_view>
#include <vector>

/** What the program tells a freedesktop desktop about itself: its document types, entry and icon. */
namespace lanescope::app {

/** Name of the installed desktop entry and AppStream component, without ".desktop". */
inline constexpr std::string_view kDesktopId = "example.lanescope.Lanescope";

/** File name of the installed shared-mime-info package (share/mime/packages). */
inline constexpr std::string_view kMimePackageFileName = "lanescope.xml";

/** One document type of the shared-mime-info package. */
struct DocumentType
{
    std::string mimeType;                // "application/x-lenex+xml"
    std::vector<std::string> extensions; // from the type's "*.ext" globs, with the dot: ".lef"
};

/** The shared-mime-info package of the program's document types (the installed package file), built in. */
std::string_view documentTypesPackage();

/** The types of a shared-mime-info package in their order; a type known by its content has no extensions. */
std::vector<DocumentType> documentTypes(std::string_view package);

/** Every extension of the built-in package, in its order: the files the program registers for. */
std::vector<std::string> documentExtensions();

/** The program's icon (SVG text), built in. */
std::string_view programIconSvg();

} // namespace lanescope::app
