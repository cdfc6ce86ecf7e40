#include "boxes/TextPromptDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TextPromptDialog::TextPromptDialog(const QString& title, const QString& prompt, QWidget* parent)
    : ScriptedDialog(parent), m_edit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("textPrompt"));
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* promptLabel = new QLabel(prompt, this);
    promptLabel->setObjectName(QStringLiteral("promptLabel"));
    promptLabel->setTextFormat(Qt::PlainText);
    m_edit->setObjectName(QStringLiteral("promptText"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);
    m_edit->setFocus(Qt::OtherFocusReason);
}

QString TextPromptDialog::text() const
{
    return m_edit->text();
}

void TextPromptDialog::setText(const QString& text)
{
    m_edit->setText(text);
}
