#pragma once
#include "lib_types.h"

#include <QDialog>
#include <QMessageBox>

#include <functional>

// Answers a box in place of the user: it gets the fully built box (not shown) and
// returns the button to press; NoButton counts as a box that failed to run.
typedef std::function<QMessageBox::StandardButton(QMessageBox &box)> ui_prompt_answer_hook_t;

// The one owner of every question and report box. Codes: save question 0 Yes, 1 No,
// 2 otherwise; yes/no question 0 Yes, 1 otherwise; information and error 3 Ok, 2 otherwise.
class ui_prompt_t : public QDialog
{
    Q_OBJECT
public:
    explicit ui_prompt_t(QWidget *parent = nullptr, bool centre = false);

    int32 show_save_changes_box(const QString &file_name);
    int32 show_yes_no_box(const QString &text);
    int32 show_info_box(const QString &text, bool with_cancel = false);
    int32 show_error_box(const QString &text);
    int32 show_instance_running_box();

    // Tests only: an installed hook answers every box without showing it. An empty hook
    // shows the boxes again. The program itself never installs one.
    static void set_answer_hook(ui_prompt_answer_hook_t hook);

    QString title;
    QString out_of_memory_text;

private:
    QMessageBox::StandardButton run_box(QMessageBox::Icon icon, const QString &text,
                                        const QList<QMessageBox::StandardButton> &buttons);
};
