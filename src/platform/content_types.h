#pragma once
// The system's content types (shared-mime-info through GIO); a type's identifier is its MIME type.
#include <optional>
#include <string>
#include <string_view>

namespace quillane::platform {

// The type of files with this extension (without the dot), when the system knows one.
std::optional<std::string> contentTypeForExtension(std::string_view extension);
// The type for a MIME type (aliases resolved), when the system knows it.
std::optional<std::string> contentTypeForMimeType(std::string_view mimeType);
// Whether a type is a kind of data (a file's content), not a folder or another inode type.
bool conformsToData(const std::string& type);

} // namespace quillane::platform
