#include "permissions/site_permission.h"

#include "page/address_rules.h"

namespace quillane {

SitePermission::SitePermission(platform::Preferences& preferences, std::string key, Ask ask, std::function<platform::Question(const std::string& host)> question)
    : m_preferences(preferences)
    , m_key(std::move(key))
    , m_ask(std::move(ask))
    , m_question(std::move(question))
{
}

platform::OrderedMap<bool> SitePermission::remembered() const
{
    return m_preferences.dictionary(m_key).value_or(platform::OrderedMap<bool> {});
}

void SitePermission::request(const platform::SecurityOrigin& origin, std::function<void(bool allowed)> answered)
{
    std::string siteText = site(origin.protocol, origin.host, origin.port);
    if (auto answer = remembered().find(siteText)) {
        answered(*answer);
        return;
    }
    auto [waiting, first] = m_waiting.try_emplace(siteText);
    waiting->second.push_back(std::move(answered));
    if (!first)
        return;
    m_ask(m_question(origin.host), [this, siteText, alive = std::weak_ptr(m_alive)](std::optional<bool> choice) {
        if (alive.expired())
            return;
        // A question dismissed without a choice refuses these requests and is asked again next
        // time, as is one for a site text past the store's bound.
        bool allowed = choice.value_or(false);
        if (choice && siteText.size() <= platform::Preferences::longestKey) {
            // Read again now: answers given or forgotten while this question was up are kept.
            auto current = remembered();
            current.set(siteText, allowed);
            m_preferences.setDictionary(m_key, current);
        }
        auto answered = std::move(m_waiting[siteText]);
        m_waiting.erase(siteText);
        for (const auto& each : answered)
            each(allowed);
    });
}

void SitePermission::forget()
{
    m_preferences.remove(m_key);
}

} // namespace quillane
