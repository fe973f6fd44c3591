#pragma once
// The content types a page's file inputs accept.
#include <string>
#include <string_view>
#include <vector>

namespace quillane {

// An accept list (".txt,.md,text/plain,image/*") as content types, in order, duplicates kept;
// entries the system has no type for are dropped. The wildcards image/*, audio/*, video/* and
// text/* stand for every type of their kind.
std::vector<std::string> contentTypes(std::string_view accepting);

} // namespace quillane
