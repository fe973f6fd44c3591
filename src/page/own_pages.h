#pragma once
// What the program's own pages have in common (the start page, the failure pages): their look, light
// or dark as the desktop is.
#include <string>

namespace quillane {

// The start of a page of ours up to its body: the document's head with the title (escaped here) and
// the style. The page is dark when the program says the desktop is (`dark`), and also when the engine
// does (the colour-scheme media query), so it follows a change of theme while it shows.
std::string ownPageHead(const std::string& title, bool dark);

// The page shown when there is no page yet: how to open one.
std::string startPage(bool dark);

} // namespace quillane
