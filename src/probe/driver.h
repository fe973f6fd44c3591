#pragma once
// Drives the loaded probe page: its download, nine presses and a key, then the page's question.
#include "fixed_texts.h"
#include "main_window/main_window.h"
#include "platform/main_queue.h"

#include <functional>
#include <string>

namespace quillane {

class ProbeDriver {
public:
    // `answered` gets the page's answer to the question, or what went wrong.
    ProbeDriver(MainWindow& main, const FixedTexts& texts, std::function<void(const std::string& answer)> answered);

    void drive();

private:
    void pressWhenSettled(int checksLeft);
    void press();

    MainWindow& m_main;
    const FixedTexts& m_texts;
    std::function<void(const std::string&)> m_answered;
    platform::ScheduledBlock m_waiting;
};

} // namespace quillane
