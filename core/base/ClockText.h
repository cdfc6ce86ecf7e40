#pragma once

#include <QString>

// H:MM:SS of a number of seconds, rounded to whole seconds with halves to even. Hours do not wrap.
QString clockText(float seconds);
