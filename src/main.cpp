// Quillane: one web page in one frameless window.
#include "app/app_delegate.h"
#include "app/command_line.h"
#include "app/fixed_texts.h"
#include "platform/application.h"
#include "platform/preferences.h"

#include <cstdio>

int main(int argc, char** argv)
{
    using namespace quillane;
    const FixedTexts texts = buildFixedTexts();
    const std::vector<std::string> arguments(argv, argv + argc);
    switch (informationRequestFrom(arguments)) {
    case InformationRequest::version:
        std::fputs(versionText().c_str(), stdout);
        return 0;
    case InformationRequest::help:
        std::fputs(usageText().c_str(), stdout);
        return 0;
    case InformationRequest::none:
        break;
    }
    const std::optional<std::string> probeFile = probeFileFrom(arguments);

    // A probe run stands alone: it never hands anything to a running Quillane, nor takes anything from one.
    platform::Application app({ "org.quillane.Quillane", "quillane", "Quillane", "Quillane" }, !probeFile);
    platform::Preferences preferences(platform::Preferences::defaultFolder());
    AppDelegate delegate(app, preferences, texts, probeFile);
    app.setDelegate(&delegate);
    app.run(arguments.empty() ? "quillane" : arguments.front(), probeFile ? std::vector<std::string> {} : linksFrom(arguments));
    return 0;
}
