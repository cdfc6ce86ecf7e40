#pragma once

#include "boxes/ScriptedDialog.h"

class QLineEdit;

// A one-line text prompt with OK and Cancel.
class TextPromptDialog final : public ScriptedDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TextPromptDialog)

public:
    TextPromptDialog(const QString& title, const QString& prompt, QWidget* parent);

    QString text() const;
    void setText(const QString& text);

private:
    QLineEdit* m_edit;
};
