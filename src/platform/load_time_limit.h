#pragma once
// The time limit on a load of the program's own. The engine gives a page request that is never
// answered no time limit of its own: when ours runs out, the load is stopped, and the engine then
// reports it cancelled, as it reports a load that another replaced. The limit tells the two apart,
// for the load it stopped and no other. The engine's events of a load replaced by ours may come
// after ours has been asked for, so the limit knows its load by its address (as the engine writes
// it, followed through redirects).
#include "platform/main_queue.h"

#include <functional>
#include <string>

namespace quillane::platform {

class LoadTimeLimit {
public:
    // A load of `address` was asked for: `stop` is called if it has not started to arrive within
    // `seconds` (never for 0 or less). Any earlier limit is gone.
    void start(double seconds, const std::string& address, std::function<void()> stop);
    // Loads the page starts itself (a link, a form, a script, a reload) are limited too: `stop` is
    // called if one has not started to arrive within `seconds` (never for 0 or less).
    void limitPageLoads(double seconds, std::function<void()> stop);
    // The engine began a load (ours, one it replaced, or one of the page's own): whatever the limit
    // stopped before is over, and a load no limit runs for gets the page's. The engine names the
    // page's own load only once it commits, redirects or fails, so that limit stops whichever load
    // the page is making. A load that sends data (a form's POST, an upload) gets none: sending it,
    // and the server's work on it, take what they take, and stopping it would lose what was sent.
    void began(bool sendsData = false);
    // The server asked who the user is: it has answered, and the user takes their time to sign in.
    void answered() { settled(); }
    // The load under way was sent on to another address (an earlier load's redirect comes before
    // ours has begun, when the engine still names ours).
    void redirected(const std::string& to);
    // A load of `address` has started to arrive: if it is ours, it is limited no more.
    void committed(const std::string& address);
    // The view made way for a page of the program's, or its page's process ended: nothing is limited.
    void settled();
    // The engine reports that the load of `address` failed: whether it was the one the limit stopped.
    // That load's failure ends the limit; another's leaves it running.
    bool failed(const std::string& address);

    bool isRunning() const { return m_timer.isPending(); }
    // The limit last started.
    double seconds() const { return m_seconds; }

private:
    ScheduledBlock m_timer;
    std::string m_address;
    double m_seconds = 0;
    bool m_expired = false;
    double m_pageSeconds = 0;
    std::function<void()> m_pageStop;
};

} // namespace quillane::platform
