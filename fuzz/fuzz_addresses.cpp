// Typed addresses, quillane: links (query decoding included) and site texts.
#include "page/address_rules.h"
#include "page/navigation.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    if (auto typed = quillane::address(text)) {
        // A typed address reads back as the same address.
        auto again = quillane::address(typed->absoluteString());
        if (!again || again->absoluteString() != typed->absoluteString())
            __builtin_trap();
    }
    if (auto link = quillane::platform::URL::parse(text)) {
        if (auto inner = quillane::page(*link)) {
            if (inner->absoluteString().size() > quillane::longestAddress)
                __builtin_trap();
        }
    }
    quillane::lastPageIn({ text, "quillane://open?url=" + text });
    quillane::site(text, text, int(size));
    return 0;
}
