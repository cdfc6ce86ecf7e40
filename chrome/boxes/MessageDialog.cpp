#include "boxes/MessageDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
const char* const AnswerProperty = "answer";

QPixmap iconPixmap(const QStyle& style, QMessageBox::Icon icon)
{
    QStyle::StandardPixmap which = QStyle::SP_MessageBoxQuestion;
    switch (icon) {
    case QMessageBox::NoIcon:
        return {};
    case QMessageBox::Information:
        which = QStyle::SP_MessageBoxInformation;
        break;
    case QMessageBox::Warning:
        which = QStyle::SP_MessageBoxWarning;
        break;
    case QMessageBox::Critical:
        which = QStyle::SP_MessageBoxCritical;
        break;
    case QMessageBox::Question:
        break;
    }
    const int extent = style.pixelMetric(QStyle::PM_MessageBoxIconSize);
    return style.standardIcon(which).pixmap(extent, extent);
}
} // namespace

MessageDialog::MessageDialog(const QString& title, const QString& text, QMessageBox::Icon icon, QWidget* parent)
    : ScriptedDialog(parent), m_buttonRow(new QHBoxLayout)
{
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("messageIcon"));
    iconLabel->setPixmap(iconPixmap(*style(), icon));
    iconLabel->setVisible(icon != QMessageBox::NoIcon);
    auto* textLabel = new QLabel(text, this);
    textLabel->setObjectName(QStringLiteral("messageText"));
    textLabel->setTextFormat(Qt::PlainText);

    auto* messageRow = new QHBoxLayout;
    messageRow->addWidget(iconLabel, 0, Qt::AlignTop);
    messageRow->addWidget(textLabel, 1);
    m_buttonRow->addStretch();
    m_buttonRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(messageRow);
    layout->addLayout(m_buttonRow);
}

QPushButton* MessageDialog::addAnswerButton(const QString& objectName, const QString& caption, int answer)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    button->setProperty(AnswerProperty, answer);
    connect(button, &QPushButton::clicked, this, [this, answer] { done(answer); });
    m_buttonRow->insertWidget(m_buttonRow->count() - 1, button);
    return button;
}

QPushButton* MessageDialog::answerButton(int answer) const
{
    const QList<QPushButton*> buttons = findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        const QVariant buttonAnswer = button->property(AnswerProperty);
        if (buttonAnswer.isValid() && buttonAnswer.toInt() == answer)
            return button;
    }
    return nullptr;
}

void MessageDialog::setEscapeAnswer(std::optional<int> answer)
{
    m_escapeAnswer = answer;
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (answer)
        flags |= Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
}

void MessageDialog::reject()
{
    if (m_escapeAnswer)
        done(*m_escapeAnswer);
}
