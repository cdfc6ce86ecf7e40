#pragma once

#include <QString>

// The program draws in Tahoma and Arial. Where those are missing, Wine's Tahoma and Liberation Sans
// take their place; registerFallbackFonts() must run once after the application object exists.
void registerFallbackFonts();

QString tahomaFamily();
QString arialFamily();

// A fixed-width face whose zero is marked (DejaVu Sans Mono), for texts people copy by hand, such as a
// seal; the system's fixed-width face where it is missing.
QString sealFamily();
