#pragma once
#include "ui_prompt.h"

#include <QMessageBox>
#include <QStringList>
#include <deque>

// Answers boxes from a queue (else with the box's escape button, or Ok) and records their
// texts, for as long as it lives.
struct prompt_script_t
{
    std::deque<QMessageBox::StandardButton> answers;
    QStringList texts;
    prompt_script_t()
    {
        ui_prompt_t::set_answer_hook([this](QMessageBox &box) {
            texts << box.text();
            if (answers.empty())
                return box.escapeButton() ? box.standardButton(box.escapeButton()) : QMessageBox::Ok;
            QMessageBox::StandardButton b = answers.front();
            answers.pop_front();
            return b;
        });
    }
    ~prompt_script_t() { ui_prompt_t::set_answer_hook(nullptr); }
    prompt_script_t(const prompt_script_t &) = delete;
    prompt_script_t &operator=(const prompt_script_t &) = delete;
};
