#include "boxes/modMsgBox.h"

#include "boxes/MessageDialog.h"
#include "boxes/TextPromptDialog.h"

#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <utility>

MsgBoxRequest CurrentMsgBox;
QPointer<QWidget> MsgBoxWindow;

namespace {
struct OpenBox
{
    QPointer<MessageDialog> box;
    QPointer<QTimer> ticker;
    MsgBoxRequest* request = nullptr;
};

OpenBox& openBox()
{
    static OpenBox open;
    return open;
}

QPointer<TextPromptDialog>& openPrompt()
{
    static QPointer<TextPromptDialog> open;
    return open;
}

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
    QObject::connect(ticker, &QTimer::timeout, ticker, &msgBoxTick);
    // The count starts when the box is on the screen, so the user gets the full countdown.
    QObject::connect(box, &ScriptedDialog::firstShown, ticker, [box, ticker, countdownOn = request.CountdownOn] {
        MsgBoxWindow = box;
        if (countdownOn)
            ticker->start();
    });
    QObject::connect(box, &QDialog::finished, ticker, [ticker] {
        ticker->stop();
        MsgBoxWindow = nullptr;
    });
    return box;
}
} // namespace

int ShowMsgBox(MsgBoxRequest& request, QWidget* ownerScreen)
{
    request.TickCount = 0;
    QWidget* owner = request.OwnerWindow ? request.OwnerWindow : ownerScreen;
    QPointer<MessageDialog> box = createYesNoBox(request, owner);
    const OpenBox previous =
        std::exchange(openBox(), OpenBox{box, box->findChild<QTimer*>(QStringLiteral("trmMsgBox")), &request});
    // A box destroyed with its owner while waiting returns 0, which counts as No like every other answer.
    const int answer = box->exec();
    openBox() = previous;
    MsgBoxWindow = nullptr;
    delete box.data();
    return answer == MsgBoxYes ? MsgBoxYes : MsgBoxNo;
}

void msgBoxTick()
{
    const OpenBox& open = openBox();
    if (!MsgBoxWindow || !open.request)
        return;
    MsgBoxRequest& request = *open.request;
    // Counting on past the largest count would overflow; a box left open that long just stops counting.
    if (request.TickCount == std::numeric_limits<qint32>::max())
        return;
    ++request.TickCount;
    if (request.TickCount != request.CountdownTicks)
        return;
    if (open.ticker)
        open.ticker->stop();
    QPushButton* button = open.box ? open.box->answerButton(request.AutoButton) : nullptr;
    MsgBoxWindow = nullptr;
    if (button) {
        button->setFocus(Qt::OtherFocusReason);
        button->click();
    }
}

bool closeOpenMsgBox(int answer)
{
    MessageDialog* box = openBox().box;
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
    const QPointer<TextPromptDialog> previous = std::exchange(openPrompt(), dialog);
    const int answer = dialog->exec();
    openPrompt() = previous;
    const bool accepted = answer == QDialog::Accepted && dialog;
    const QString text = accepted ? dialog->text() : QString();
    delete dialog.data();
    return text;
}

bool closeOpenPrompt()
{
    TextPromptDialog* prompt = openPrompt();
    if (!prompt)
        return false;
    prompt->reject();
    return true;
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
