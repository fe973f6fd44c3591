#include "files/accepted_types.h"

#include "text.h"
#include "text.h"
#include "platform/content_types.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace quillane {

namespace {
// Each wildcard stands for its whole kind; a file filter understands these patterns as they are.
constexpr std::array<std::string_view, 4> wildcards { "image/*", "audio/*", "video/*", "text/*" };

std::string_view trimmedOfBlanks(std::string_view text)
{
    auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<std::string> typeFor(const std::string& entry)
{
    std::optional<std::string> type;
    if (entry.front() == '.')
        type = platform::contentTypeForExtension(std::string_view(entry).substr(1));
    else if (std::find(wildcards.begin(), wildcards.end(), entry) != wildcards.end())
        return entry;
    else
        type = platform::contentTypeForMimeType(entry);
    if (!type || !platform::conformsToData(*type))
        return std::nullopt;
    return type;
}
} // namespace

std::vector<std::string> contentTypes(std::string_view accepting)
{
    std::vector<std::string> types;
    while (!accepting.empty()) {
        auto comma = accepting.find(',');
        std::string_view piece = accepting.substr(0, comma);
        accepting = comma == std::string_view::npos ? std::string_view {} : accepting.substr(comma + 1);
        if (piece.empty())
            continue;
        std::string entry = lowercased(trimmedOfBlanks(piece));
        if (entry.empty())
            continue;
        if (auto type = typeFor(entry))
            types.push_back(std::move(*type));
    }
    return types;
}

} // namespace quillane
