#pragma once

#include <QDialog>

#include <functional>

// Base of the program's own modal dialogs. Tests queue steps here in advance; each dialog that opens takes
// the next step and runs it from its own modal loop, right after it has been shown.
class ScriptedDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScriptedDialog)

public:
    using Step = std::function<void(QDialog& dialog)>;

    static void scriptNext(Step step);
    static void clearScript();
    static qsizetype scriptedStepsLeft();
    // For a modal dialog that cannot derive from this class (Qt's file dialog): once shown, it takes the
    // next step from the same script, so that a test's steps stay in the order the dialogs open.
    static void runNextStep(QDialog& dialog);

    // Closing the dialog while it or its owner is active hands the activation back to the owner.
    void setVisible(bool visible) override;

signals:
    // Emitted once, when the dialog is shown for the first time.
    void firstShown();

protected:
    explicit ScriptedDialog(QWidget* parent);

    void showEvent(QShowEvent* event) override;

private:
    bool m_shown = false;
};
