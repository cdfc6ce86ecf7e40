#include "boxes/SaveFileDialog.h"

#include "boxes/ScriptedDialog.h"

#include <QPointer>

SaveFileDialog::SaveFileDialog(QWidget* owner, const QString& title, const QString& suggestedPath,
                               const QString& filter)
    : QFileDialog(owner, title, suggestedPath, filter)
{
    setObjectName(QStringLiteral("saveFileDialog"));
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    selectFile(suggestedPath);
}

QString SaveFileDialog::ask(QWidget* owner, const QString& title, const QString& suggestedPath, const QString& filter)
{
    QPointer<SaveFileDialog> dialog = new SaveFileDialog(owner, title, suggestedPath, filter);
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog && !dialog->selectedFiles().isEmpty();
    const QString path = accepted ? dialog->selectedFiles().constFirst() : QString();
    delete dialog.data();
    // On a bare X server nobody gives the activation back to the owner once its dialog is gone.
    if (owner && owner->isVisible())
        owner->window()->activateWindow();
    return path;
}

void SaveFileDialog::scriptAnswer(const QString& path)
{
    ScriptedDialog::scriptNext([path](QDialog& dialog) {
        auto* files = qobject_cast<SaveFileDialog*>(&dialog);
        if (!files || path.isEmpty()) {
            dialog.done(QDialog::Rejected);
            return;
        }
        files->selectFile(path);
        files->accept();
    });
}

void SaveFileDialog::showEvent(QShowEvent* event)
{
    QFileDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    ScriptedDialog::runNextStep(*this);
}
