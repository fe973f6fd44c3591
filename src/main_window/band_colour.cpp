#include "main_window/band_colour.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace quillane {

namespace {
bool isNumberCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == '.';
}

// A piece made only of digits and full stops is a decimal number when it has a digit and at most one stop.
std::optional<double> number(const std::string& piece)
{
    if (std::count(piece.begin(), piece.end(), '.') > 1 || piece.find_first_of("0123456789") == std::string::npos)
        return std::nullopt;
    return std::strtod(piece.c_str(), nullptr);
}
} // namespace

std::optional<platform::Colour> colour(std::string_view css)
{
    std::vector<double> numbers;
    std::string piece;
    for (std::size_t index = 0; index <= css.size(); ++index) {
        if (index < css.size() && isNumberCharacter(css[index])) {
            piece += css[index];
            continue;
        }
        if (!piece.empty()) {
            if (auto value = number(piece))
                numbers.push_back(*value);
            piece.clear();
        }
    }
    if (css.substr(0, 3) != "rgb" || numbers.size() < 3)
        return std::nullopt;
    return platform::Colour { numbers[0] / 255, numbers[1] / 255, numbers[2] / 255, 1 };
}

} // namespace quillane
