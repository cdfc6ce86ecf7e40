#pragma once

#include <QFileDialog>

// Qt's own dialog for the name of a file to write, never the desktop's: the program's other boxes are its
// own too, and a test can answer it from the script of ScriptedDialog.
class SaveFileDialog final : public QFileDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SaveFileDialog)

public:
    // `suggestedPath` is the folder it opens in and the name it offers; `filter` as QFileDialog's.
    SaveFileDialog(QWidget* owner, const QString& title, const QString& suggestedPath, const QString& filter);

    // Asks modally; empty when the competitor cancels. A file that exists is replaced only once they say so.
    static QString ask(QWidget* owner, const QString& title, const QString& suggestedPath, const QString& filter);
    // Test seam: the next dialog to open, when it is this one, chooses `path` (an empty path cancels).
    static void scriptAnswer(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_shown = false;
};
