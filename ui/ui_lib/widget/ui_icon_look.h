#pragma once
#include <QIcon>
#include <QSize>

// The icon with a muted look for its disabled state as well: the normal picture at a
// third of its opacity, so that a disabled control reads grey on the dark tool bar
// instead of looking like the enabled one.
QIcon ui_icon_with_disabled_look(const QIcon &icon, const QSize &size = QSize(32, 32));
