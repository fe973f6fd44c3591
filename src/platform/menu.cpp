#include "platform/menu.h"

#include <cctype>

namespace quillane::platform {

std::string acceleratorFor(const MenuItem& item)
{
    if (item.keyEquivalent.size() != 1)
        return {};
    char key = item.keyEquivalent.front();
    bool control = item.modifierMask & controlKey;
    bool command = item.modifierMask & commandKey;
    if (control && command && (key == 'f' || key == 'F'))
        return "F11";
    std::string accelerator;
    if (command)
        accelerator += "<Primary>";
    if (control && !command)
        accelerator += "<Control>";
    if ((item.modifierMask & shiftKey) || std::isupper(static_cast<unsigned char>(key)))
        accelerator += "<Shift>";
    if (item.modifierMask & optionKey)
        accelerator += "<Alt>";
    accelerator += char(std::tolower(static_cast<unsigned char>(key)));
    return accelerator;
}

std::string actionNameFor(std::size_t menuIndex, std::size_t itemIndex)
{
    return "menu-" + std::to_string(menuIndex) + "-" + std::to_string(itemIndex);
}

} // namespace quillane::platform
