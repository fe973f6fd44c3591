#pragma once
// What becomes of the main page's loads: told to whoever answers for them in this run (everyday
// navigation, or the self-test).
#include "platform/web_view_delegates.h"

namespace quillane {

class LoadEvents {
public:
    virtual ~LoadEvents() = default;
    virtual void pageDidFinish() = 0;
    virtual void pageDidFail(const platform::LoadFailure& failure) = 0;
};

} // namespace quillane
