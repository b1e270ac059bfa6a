#pragma once
class QWidget;

// Re-applies the style after an object-name change, so the style sheet rule of the
// new name takes effect at once.
void ui_restyle(QWidget *w);
