#pragma once
// Checks a shown dialog as a user sees it: every control lies whole inside the box or frame
// that holds it, no two controls of one holder overlap, and no label's text is cut off.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>

namespace layout_check {

inline bool is_control(const QWidget *w)
{
    return qobject_cast<const QLabel *>(w) || qobject_cast<const QAbstractButton *>(w) ||
           qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w) ||
           qobject_cast<const QLineEdit *>(w) || qobject_cast<const QGroupBox *>(w) ||
           QByteArray(w->metaObject()->className()) == "QFrame" || w->inherits("ui_frame_t") ||
           w->inherits("ui_wv_ledit_t");
}

// A holder lays out controls: the dialog itself, a group box or a plain frame.
inline bool is_holder(const QWidget *w, const QWidget *dialog)
{
    return w == dialog || qobject_cast<const QGroupBox *>(w) || QByteArray(w->metaObject()->className()) == "QFrame" ||
           w->inherits("ui_frame_t") || w->inherits("ui_wv_ledit_t");
}

inline QString name_of(const QWidget *w)
{
    QString text;
    if (auto *l = qobject_cast<const QLabel *>(w))
        text = l->text();
    else if (auto *b = qobject_cast<const QAbstractButton *>(w))
        text = b->text();
    else if (auto *g = qobject_cast<const QGroupBox *>(w))
        text = g->title();
    return QString("%1 %2 \"%3\"").arg(w->metaObject()->className(), w->objectName(), text);
}

// The faults found, one line each; empty when the dialog looks whole.
inline QStringList faults(QWidget *dialog)
{
    QStringList found;
    QList<QWidget *> holders{dialog};
    for (QWidget *w : dialog->findChildren<QWidget *>())
        if (w->isVisible() && is_holder(w, dialog))
            holders << w;
    for (QWidget *holder : holders) {
        QList<QWidget *> controls;
        for (QObject *o : holder->children()) {
            auto *w = qobject_cast<QWidget *>(o);
            if (w && w->isVisible() && !w->isWindow() && is_control(w))
                controls << w;
        }
        for (int i = 0; i < controls.size(); ++i) {
            QWidget *w = controls[i];
            if (!holder->rect().contains(w->geometry()))
                found << name_of(w) + " sticks out of " + name_of(holder);
            if (auto *l = qobject_cast<QLabel *>(w))
                if (!l->wordWrap() && l->pixmap(Qt::ReturnByValue).isNull() && !l->text().isEmpty() &&
                    l->fontMetrics().horizontalAdvance(l->text()) > l->contentsRect().width())
                    found << name_of(w) + " is cut off";
            for (int j = i + 1; j < controls.size(); ++j) {
                const QRect both = w->geometry().intersected(controls[j]->geometry());
                // Stacked group boxes may share a border line.
                const bool shared_border = qobject_cast<QGroupBox *>(w) && qobject_cast<QGroupBox *>(controls[j]) &&
                                           (both.width() <= 2 || both.height() <= 2);
                if (!both.isEmpty() && !shared_border)
                    found << name_of(w) + " overlaps " + name_of(controls[j]);
            }
        }
    }
    return found;
}

} // namespace layout_check
