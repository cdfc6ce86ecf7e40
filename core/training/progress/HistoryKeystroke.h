#pragma once

#include <QtGlobal>

// One digit typed, kept small: a history of years holds millions of them. `ms` counts from the start of
// its session.
struct HistoryKeystroke
{
    qint32 sessionId = 0;
    qint32 ms = 0;
    quint16 position = 1;
    quint8 expected = 0;
    quint8 typed = 0;

    bool wrong() const { return expected != typed; }
};
static_assert(sizeof(HistoryKeystroke) == 12);
