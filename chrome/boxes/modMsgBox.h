#pragma once

#include "boxes/MsgBoxRequest.h"

#include <QMessageBox>
#include <QString>

class QWidget;

// Answer codes of the Yes/No box, also the identifiers of its two buttons.
constexpr int MsgBoxYes = 6;
constexpr int MsgBoxNo = 7;

/**
 * Shows the Yes/No box of @p request modally over its OwnerWindow (or @p ownerScreen when that is null)
 * and returns MsgBoxYes or MsgBoxNo. The buttons read "Yes" and "No", Yes is the default, Escape and the
 * window's close button do nothing. With CountdownOn a ticker of TickInterval ms counts from the moment
 * the box is shown; at TickCount == CountdownTicks it focuses and clicks the AutoButton. While it waits,
 * the request holds the box (MsgBoxWindow, openBox).
 */
int ShowMsgBox(MsgBoxRequest& request, QWidget* ownerScreen);

// One tick of the request's countdown: counts only while its MsgBoxWindow is set. The box's own ticker calls it.
void msgBoxTick(MsgBoxRequest& request);

// Closes the request's open Yes/No box as if answered; false when none is open.
bool closeOpenMsgBox(MsgBoxRequest& request, int answer);

// A plain modal box with an OK button.
void ShowMessage(QWidget* owner, const QString& title, const QString& text, QMessageBox::Icon icon);

// A modal one-line text prompt with OK and Cancel; Cancel gives an empty text.
QString PromptForText(QWidget* owner, const QString& title, const QString& prompt);

// Closes the open text prompt as if cancelled, so PromptForText returns an empty text; false when none
// is open. A stage that ends under the prompt uses it.
bool closeOpenPrompt();

// Test seams: the next dialog to open is answered with this code (Yes/No box: 6 or 7; OK box: any) ...
void scriptMsgBoxAnswer(int answer);
// ... or, when it is the text prompt, gets this text and OK (an empty text stands for Cancel).
void scriptPromptAnswer(const QString& text);
