#include "prompt_env_answer.h"

#include "lib_diag.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <cstdlib>

ui_prompt_answer_hook_t prompt_env_answer_hook()
{
    return [](QMessageBox &box) {
        const char *value = std::getenv("ONDRIX_PROMPT_AUTO_ANSWER");
        if (!value || !*value) {
            if (box.exec() < 0)
                return QMessageBox::NoButton;
            return box.standardButton(box.clickedButton());
        }
        const QString name = QString::fromUtf8(value).trimmed().toLower();
        QMessageBox::StandardButton wanted = QMessageBox::NoButton;
        if (name == "yes")
            wanted = QMessageBox::Yes;
        else if (name == "no")
            wanted = QMessageBox::No;
        else if (name == "ok")
            wanted = QMessageBox::Ok;
        else if (name == "cancel")
            wanted = QMessageBox::Cancel;
        lib_diag_line("prompt answered \"" + name.toStdString() + "\": " + box.text().toStdString());
        if (wanted != QMessageBox::NoButton && box.button(wanted))
            return wanted;
        return box.standardButton(box.escapeButton());
    };
}
