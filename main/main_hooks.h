#pragma once
#include <QtGlobal>

// How long the splash stays up, in milliseconds: five seconds. Only the program built for
// the tests shortens it.
extern qint64 g_splash_hold_ms;
