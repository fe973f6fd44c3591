#pragma once
// Whether a page whose process ended is brought back by itself: yes, unless it has ended again and
// again in a short while, when retrying would only keep the machine busy.
#include <deque>
#include <functional>

namespace quillane {

class PageRecovery {
public:
    static constexpr int endingsAllowed = 3;
    static constexpr double period = 60;

    // `now` reads a clock in seconds.
    explicit PageRecovery(std::function<double()> now);

    // The page's process has ended now: whether to load the page again.
    bool shouldReload();

private:
    std::function<double()> m_now;
    std::deque<double> m_endings;
};

} // namespace quillane
