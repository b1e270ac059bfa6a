#include "ui_prompt.h"

#include "ui_qmessagebox.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace {

ui_prompt_answer_hook_t &answer_hook()
{
    static ui_prompt_answer_hook_t hook;
    return hook;
}

} // namespace

ui_prompt_t::ui_prompt_t(QWidget *parent, bool centre) : QDialog(parent)
{
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    title = "Ondrix";
    out_of_memory_text = tr("The system has run out of memory.\n"
                            "Please reduce number of points or files, and try again.");
    if (centre) {
        QScreen *screen = QGuiApplication::primaryScreen();
        if (screen) {
            QRect desk = screen->geometry();
            move((desk.width() - width()) / 2, (desk.height() - height()) / 2);
        }
    }
}

void ui_prompt_t::set_answer_hook(ui_prompt_answer_hook_t hook)
{
    answer_hook() = std::move(hook);
}

QMessageBox::StandardButton
ui_prompt_t::run_box(QMessageBox::Icon icon, const QString &text,
                     const QList<QMessageBox::StandardButton> &buttons)
{
    ui_qmessagebox_t box(icon, title, text, QMessageBox::NoButton, this,
                         Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    for (QMessageBox::StandardButton b : buttons)
        box.addButton(b);
    // Chosen as the message box itself would on showing (Cancel, else No, else the only
    // button), but now, so that an answer hook sees the same escape button.
    if (box.button(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    else if (box.button(QMessageBox::No))
        box.setEscapeButton(QMessageBox::No);
    else if (buttons.size() == 1)
        box.setEscapeButton(buttons.front());
    if (answer_hook())
        return answer_hook()(box);
    if (box.exec() < 0)
        return QMessageBox::NoButton;
    return box.standardButton(box.clickedButton());
}

int32 ui_prompt_t::show_save_changes_box(const QString &file_name)
{
    QMessageBox::StandardButton b =
        run_box(QMessageBox::Question, tr("Save changes to the file ") + file_name + " ?",
                {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel});
    if (b == QMessageBox::Yes)
        return 0;
    if (b == QMessageBox::No)
        return 1;
    return 2;
}

int32 ui_prompt_t::show_yes_no_box(const QString &text)
{
    QMessageBox::StandardButton b =
        run_box(QMessageBox::Question, text, {QMessageBox::Yes, QMessageBox::No});
    return b == QMessageBox::Yes ? 0 : 1;
}

int32 ui_prompt_t::show_info_box(const QString &text, bool with_cancel)
{
    QList<QMessageBox::StandardButton> buttons{QMessageBox::Ok};
    if (with_cancel)
        buttons << QMessageBox::Cancel;
    return run_box(QMessageBox::Information, text, buttons) == QMessageBox::Ok ? 3 : 2;
}

int32 ui_prompt_t::show_error_box(const QString &text)
{
    return run_box(QMessageBox::Critical, text, {QMessageBox::Ok}) == QMessageBox::Ok ? 3 : 2;
}

int32 ui_prompt_t::show_instance_running_box()
{
    return show_error_box(tr("Ondrix Instance already running."));
}
