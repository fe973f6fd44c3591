#pragma once
// What the program's own pages have in common (the start page, the failure pages): their look, light
// or dark as the desktop is.
#include <string>

namespace quillane {

// The start of a page of ours up to its body: the document's head with the title (escaped here) and
// the style. The page is dark while the engine says the desktop is (the colour-scheme media query,
// which follows GTK's dark variant and dark themes), so it follows a change while it shows.
std::string ownPageHead(const std::string& title);

// The page shown when there is no page yet: how to open one.
std::string startPage();

} // namespace quillane
