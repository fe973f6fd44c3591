// The accept lists of a page's file inputs.
#include "files/accepted_types.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    quillane::contentTypes(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
