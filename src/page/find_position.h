#pragma once
// Where find in page stands among the matches, as the bar shows it ("2 of 3"): going past either
// end comes round to the other.
#include <string>

namespace quillane {

class FindPosition {
public:
    // The page counted `matches` (more than none) for the text looked for.
    void found(unsigned matches);
    // Nothing matches, or a new text is being looked for.
    void clear();
    // Return and Shift+Return; false when there is nothing to go to.
    bool next();
    bool previous();
    // "2 of 3"; empty when nothing matches.
    std::string text() const;
    // The bar's buttons step only when this holds.
    bool hasMatches() const { return m_matches > 0; }

private:
    unsigned m_matches = 0;
    unsigned m_current = 0;
};

} // namespace quillane
