#pragma once

#include "journal/VerificationResult.h"

#include <QByteArray>

// The cells of an attempt as CSV (RFC 4180, UTF-8, CRLF): one row per cell of the sheet with its
// index, row, column, question, answer, whether it is correct, the seconds since the start of its first
// entry and of its last change, the seconds since the previous new digit when it was one, and the
// number of corrections. A time the journal does not give is left empty.
QByteArray attemptCsv(const VerificationResult& result);
