#include "app/DesktopFiles.h"

namespace lanescope::app {

namespace {

// The value of the attribute name="..." of a tag; empty when the tag has none.
std::string_view attribute(std::string_view tag, std::string_view name)
{
    const std::string key = " " + std::string(name) + "=\"";
    const std::size_t start = tag.find(key);
    if (start == std::string_view::npos)
        return {};
    const std::size_t value = start + key.size();
    const std::size_t end = tag.find('"', value);
    return end == std::string_view::npos ? std::string_view() : tag.substr(value, end - value);
}

} // namespace

std::vector<DocumentType> documentTypes(std::string_view package)
{
    // The package is the program's own file: each type is a <mime-type type="..."> block holding
    // <glob pattern="*.ext"/> lines.
    std::vector<DocumentType> types;
    constexpr std::string_view kTypeTag = "<mime-type ";
    constexpr std::string_view kGlobTag = "<glob ";
    for (std::size_t at = package.find(kTypeTag); at != std::string_view::npos;
         at = package.find(kTypeTag, at + 1)) {
        const std::size_t end = std::min(package.find("</mime-type>", at), package.size());
        const std::string_view block = package.substr(at, end - at);
        DocumentType type{std::string(attribute(block.substr(0, block.find('>')), "type")), {}};
        for (std::size_t glob = block.find(kGlobTag); glob != std::string_view::npos;
             glob = block.find(kGlobTag, glob + 1)) {
            const std::string_view pattern =
                attribute(block.substr(glob, block.find('>', glob) - glob), "pattern");
            if (pattern.starts_with("*."))
                type.extensions.emplace_back(pattern.substr(1));
        }
        types.push_back(std::move(type));
    }
    return types;
}

std::vector<std::string> documentExtensions()
{
    std::vector<std::string> extensions;
    for (const DocumentType& type : documentTypes(documentTypesPackage()))
        extensions.insert(extensions.end(), type.extensions.begin(), type.extensions.end());
    return extensions;
}

} // namespace lanescope::app
