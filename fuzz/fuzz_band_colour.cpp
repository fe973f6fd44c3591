// The colour texts the band script reports.
#include "main_window/band_colour.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    quillane::colour(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
