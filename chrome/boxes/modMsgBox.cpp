#include "boxes/modMsgBox.h"

#include "boxes/MessageDialog.h"
#include "boxes/TextPromptDialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <limits>

// The only code that sets a request's hold on its box.
class OpenMsgBox final
{
public:
    static void opened(MsgBoxRequest& request, QWidget* box) { request.m_box = box; }
    static void setCounting(MsgBoxRequest& request, QWidget* box) { request.m_counting = box; }
};

namespace {
QMessageBox::Icon iconOfStyle(quint32 style)
{
    switch (style & 0xF0u) {
    case 0x10u:
        return QMessageBox::Critical;
    case 0x20u:
        return QMessageBox::Question;
    case 0x30u:
        return QMessageBox::Warning;
    case 0x40u:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

MessageDialog* createYesNoBox(MsgBoxRequest& request, QWidget* owner)
{
    auto* box = new MessageDialog(request.Title, request.Prompt, iconOfStyle(request.Style), owner);
    box->setObjectName(QStringLiteral("msgBox"));
    box->addAnswerButton(QStringLiteral("btnYes"), QStringLiteral("Yes"), MsgBoxYes)->setDefault(true);
    box->addAnswerButton(QStringLiteral("btnNo"), QStringLiteral("No"), MsgBoxNo);

    auto* ticker = new QTimer(box);
    ticker->setObjectName(QStringLiteral("trmMsgBox"));
    ticker->setInterval(std::max(0, request.TickInterval));
    QObject::connect(ticker, &QTimer::timeout, ticker, [&request] { msgBoxTick(request); });
    // The count starts when the box is on the screen, so the user gets the full countdown.
    QObject::connect(box, &ScriptedDialog::firstShown, ticker,
                     [&request, box, ticker, countdownOn = request.CountdownOn] {
                         OpenMsgBox::setCounting(request, box);
                         if (countdownOn)
                             ticker->start();
                     });
    QObject::connect(box, &QDialog::finished, ticker, [&request, ticker] {
        ticker->stop();
        OpenMsgBox::setCounting(request, nullptr);
    });
    return box;
}
} // namespace

int ShowMsgBox(MsgBoxRequest& request, QWidget* ownerScreen)
{
    request.TickCount = 0;
    QWidget* owner = request.OwnerWindow ? request.OwnerWindow : ownerScreen;
    QPointer<MessageDialog> box = createYesNoBox(request, owner);
    OpenMsgBox::opened(request, box);
    // A box destroyed with its owner while waiting returns 0, which counts as No like every other answer.
    // The request may have gone with that owner, so nothing here touches it afterwards: deleting the box
    // is what clears the request's hold on it.
    const int answer = box->exec();
    delete box.data();
    return answer == MsgBoxYes ? MsgBoxYes : MsgBoxNo;
}

void msgBoxTick(MsgBoxRequest& request)
{
    if (!request.MsgBoxWindow())
        return;
    // Counting on past the largest count would overflow; a box left open that long just stops counting.
    if (request.TickCount == std::numeric_limits<qint32>::max())
        return;
    ++request.TickCount;
    if (request.TickCount != request.CountdownTicks)
        return;
    auto* box = qobject_cast<MessageDialog*>(request.openBox());
    if (auto* ticker = box ? box->findChild<QTimer*>(QStringLiteral("trmMsgBox")) : nullptr)
        ticker->stop();
    QPushButton* button = box ? box->answerButton(request.AutoButton) : nullptr;
    OpenMsgBox::setCounting(request, nullptr);
    if (button) {
        button->setFocus(Qt::OtherFocusReason);
        button->click();
    }
}

bool closeOpenMsgBox(MsgBoxRequest& request, int answer)
{
    auto* box = qobject_cast<QDialog*>(request.openBox());
    if (!box)
        return false;
    box->done(answer);
    return true;
}

void ShowMessage(QWidget* owner, const QString& title, const QString& text, QMessageBox::Icon icon)
{
    QPointer<MessageDialog> box = new MessageDialog(title, text, icon, owner);
    box->setObjectName(QStringLiteral("messageBox"));
    box->addAnswerButton(QStringLiteral("btnOk"), QStringLiteral("OK"), QDialog::Accepted)->setDefault(true);
    box->setEscapeAnswer(QDialog::Accepted);
    box->exec();
    delete box.data();
}

QString PromptForText(QWidget* owner, const QString& title, const QString& prompt)
{
    QPointer<TextPromptDialog> dialog = new TextPromptDialog(title, prompt, owner);
    const int answer = dialog->exec();
    const bool accepted = answer == QDialog::Accepted && dialog;
    const QString text = accepted ? dialog->text() : QString();
    delete dialog.data();
    return text;
}

// The prompt is open for exactly as long as it is on the screen: PromptForText deletes it once it closes.
bool closeOpenPrompt()
{
    bool closed = false;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        auto* prompt = qobject_cast<TextPromptDialog*>(window);
        if (prompt && prompt->isVisible()) {
            prompt->reject();
            closed = true;
        }
    }
    return closed;
}

void scriptMsgBoxAnswer(int answer)
{
    ScriptedDialog::scriptNext([answer](QDialog& dialog) { dialog.done(answer); });
}

void scriptPromptAnswer(const QString& text)
{
    ScriptedDialog::scriptNext([text](QDialog& dialog) {
        auto* prompt = qobject_cast<TextPromptDialog*>(&dialog);
        if (!prompt || text.isEmpty()) {
            dialog.done(QDialog::Rejected);
            return;
        }
        prompt->setText(text);
        prompt->accept();
    });
}
