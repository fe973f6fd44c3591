#pragma once
// How addresses are shown to people: an internationalised host in its own letters ("bücher.test"
// rather than "xn--bcher-kva.test") where that cannot pass for another site, else in its ASCII form.
// A label is shown in Unicode only when it holds letters, marks, digits and "-" alone, of one script
// (Latin may go with the scripts written together in Chinese, Japanese or Korean), and is not a
// Cyrillic word made wholly of letters that look Latin ("аррӏе"). One label that fails keeps the
// whole host in ASCII.
#include <string>

namespace quillane {

// The host as it is shown; hosts that are not internationalised stay as they are.
std::string hostForDisplay(const std::string& asciiHost);
// The address with its host as hostForDisplay shows it, and the rest as it is.
std::string addressForDisplay(const std::string& address);

} // namespace quillane
