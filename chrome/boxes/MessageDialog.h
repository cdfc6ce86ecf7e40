#pragma once

#include "boxes/ScriptedDialog.h"

#include <QMessageBox>

#include <optional>

class QHBoxLayout;
class QPushButton;

// A message box of the program's own: icon, one line of text and a row of buttons, each of which closes
// the dialog with its own answer code. It follows no system language and answers to no hook.
class MessageDialog final : public ScriptedDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MessageDialog)

public:
    MessageDialog(const QString& title, const QString& text, QMessageBox::Icon icon, QWidget* parent);

    QPushButton* addAnswerButton(const QString& objectName, const QString& caption, int answer);
    // The button that answers with the given code, or null when there is none.
    QPushButton* answerButton(int answer) const;
    // Escape and the window's close button answer with this code; without one they do nothing.
    void setEscapeAnswer(std::optional<int> answer);

public slots:
    void reject() override;

private:
    QHBoxLayout* m_buttonRow;
    std::optional<int> m_escapeAnswer;
};
