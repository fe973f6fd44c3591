#include "app/question.h"

#include "platform/alert.h"

namespace quillane {

void ask(platform::Window& window, const Question& question, std::function<void(bool affirmative)> answer)
{
    auto alert = platform::Alert::make();
    alert->setMessageText(question.message);
    if (!question.informative.empty())
        alert->setInformativeText(question.informative);
    for (const auto& button : question.buttons)
        alert->addButton(button);
    alert->beginSheetModal(window, [answer = std::move(answer)](int response) { answer(response == platform::alertFirstButtonReturn); });
}

} // namespace quillane
