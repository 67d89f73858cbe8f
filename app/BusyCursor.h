#pragma once

#include <QCursor>
#include <QGuiApplication>

/// While it lives, the mouse pointer says the program is busy, over all of its windows; it is the
/// ordinary pointer again however the scope is left. Guards may nest.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
