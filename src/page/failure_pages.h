#pragma once
// The pages the program shows in the window when the page cannot: a load that failed, a page whose
// process keeps ending. Plain HTML of our own, with every text from outside escaped, dark when the
// desktop is.
#include "platform/url.h"
#include "platform/web_view.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillane {

// The text with &, <, >, " and ' written as HTML character references.
std::string escapedForHTML(std::string_view text);

// Whether a failed load is told in its window: not one merely replaced by another (cancelled), nor
// a link for another program that reached the engine (a redirect, a script's move without a click),
// which leaves the page shown as it was.
bool isToldInTheWindow(const platform::LoadFailure& failure);
// The failure of a load of `address` on a port web pages are kept from, which the engine refuses
// without a word (it would show a blank page); none for any other address.
std::optional<platform::LoadFailure> blockedPortFailure(const platform::URL& address);
enum class FailureShownIn { mainWindow, pageWindow };
std::string loadFailurePage(const platform::LoadFailure& failure, FailureShownIn where = FailureShownIn::mainWindow);
std::string stoppedPage(const std::string& address);

} // namespace quillane
