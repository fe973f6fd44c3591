#pragma once
// A permission a site asks for (the microphone, notifications): asked once per site, the answer
// remembered in the preferences store under its own key until the user forgets the choices. The
// newest answers are kept, up to the store's limit; a site asked again moves to the newest.
#include "platform/dialogs.h"
#include "platform/preferences.h"
#include "platform/web_view.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillane {

// Asks a question; the answer is whether the affirmative (first) button was chosen, or none when
// the question was dismissed without a choice.
using Ask = std::function<void(const platform::Question& question, std::function<void(std::optional<bool> affirmative)> answer)>;

class SitePermission {
public:
    // `question` words the question for a site's host.
    SitePermission(platform::Preferences& preferences, std::string key, Ask ask, std::function<platform::Question(const std::string& host)> question);
    // A question still up is answered after this has gone (its window goes last): that answer is nobody's.
    ~SitePermission() { m_alive.reset(); }
    SitePermission(SitePermission&&) = default;

    // Answers at once from the store, or asks and stores the answer. While a site's question is up,
    // its later requests wait for the same answer: a page asks once, however often it calls.
    void request(const platform::SecurityOrigin& origin, std::function<void(bool allowed)> answered);
    // The answers remembered per site, oldest first; none when the stored value is of another shape.
    platform::OrderedMap<bool> remembered() const;
    void forget();

private:
    platform::Preferences& m_preferences;
    const std::string m_key;
    Ask m_ask;
    std::function<platform::Question(const std::string&)> m_question;
    // The requests waiting for each site's question that is up.
    std::map<std::string, std::vector<std::function<void(bool)>>> m_waiting;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace quillane
