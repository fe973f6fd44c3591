#pragma once
// One of our page scripts run by the engine's JavaScript, without a page or a display: a context of
// its own, set up with a pretend window.
#include "platform/gtk/gobject_ref.h"

#include <jsc/jsc.h>

#include <string>

namespace quillane::testing {

class ScriptRunner {
public:
    explicit ScriptRunner(const std::string& pretend = "")
    {
        if (!pretend.empty())
            run(pretend);
    }
    // The script's value as text; "exception: …" when it threw (and the context goes on).
    std::string run(const std::string& script)
    {
        auto value = platform::GObjectRef<JSCValue>::adopt(jsc_context_evaluate(m_context.get(), script.c_str(), -1));
        if (JSCException* exception = jsc_context_get_exception(m_context.get())) {
            std::string message = jsc_exception_get_message(exception);
            jsc_context_clear_exception(m_context.get());
            return "exception: " + message;
        }
        platform::GCharPtr text(jsc_value_to_string(value.get()));
        return static_cast<char*>(text.get());
    }

private:
    platform::GObjectRef<JSCContext> m_context = platform::GObjectRef<JSCContext>::adopt(jsc_context_new());
};

} // namespace quillane::testing
