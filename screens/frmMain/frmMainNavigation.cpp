// Which screen frmMain shows: the settings, the recall stage or the results, each over the last, and
// what follows when one is left. ScreenNavigation holds the table; this opens what it names.
#include "frmMain/frmMain.h"

#include "base/WindowPlacement.h"
#include "digits/SpecialNumbers.h"
#include "frmMain/SettingsPanel.h"
#include "frmSpecialNumber_Fin/frmSpecialNumber_Fin.h"
#include "frmSpecialNumber_Main/frmSpecialNumber_Main.h"
#include "settings/StageSettings.h"

#include <QLabel>

bool frmMain::CompetitionMode() const
{
    return m_screens.current() != MainScreen::Settings;
}

void frmMain::startClicked()
{
    if (m_startCheck.run())
        follow(ScreenExit::Start);
}

void frmMain::follow(ScreenExit exit, const AttemptOutcome* outcome)
{
    switch (ScreenNavigation::next(exit)) {
    case MainScreen::Settings:
        returnFromCompetition();
        return;
    case MainScreen::Stage:
        openStage();
        return;
    case MainScreen::Results:
        if (outcome) {
            startReport(outcome->evidence);
            openResults(*outcome);
        } else
            returnFromCompetition();
        return;
    }
}

void frmMain::openStage()
{
    // A stage already open is brought back rather than a second one started.
    MainScreen screen = m_screens.current();
    QWidget* window = workingScreen();
    if (!window) {
        const DigitSource source{m_settings.list(SettingsListId::Type).position(),
                                 m_specialNumber.SelectedTypeCaption(), m_specialNumber.SelectedDigits()};
        auto* stage =
            new frmSpecialNumber_Main(this, readStageSettings(m_settings.SettingsDocument()), source, m_clock);
        // An abandoned attempt has a journal too, and its report is written all the same.
        connect(stage, &frmSpecialNumber_Main::left, this, [this](const AttemptEvidence& evidence) {
            startReport(evidence);
            follow(ScreenExit::StageLeft);
        });
        connect(stage, &frmSpecialNumber_Main::finished, this,
                [this](const AttemptOutcome& outcome) { follow(ScreenExit::StageFinished, &outcome); });
        if (m_rehearsal)
            stage->attempt().markAsRehearsal();
        screen = MainScreen::Stage;
        window = stage;
    }
    showChildScreen(screen, window);
    temelYarismaEkraniCiz();
}

frmMain::ResultsScreenFactory frmMain::defaultResultsScreenFactory()
{
    return [](frmMain& main, const AttemptOutcome& outcome) -> QWidget* {
        return new frmSpecialNumber_Fin(&main, outcome, [&main] { main.follow(ScreenExit::ResultsDone); });
    };
}

void frmMain::openResults(const AttemptOutcome& outcome)
{
    QWidget* results = m_resultsScreenFactory ? m_resultsScreenFactory(*this, outcome) : nullptr;
    if (results) {
        followReport(results);
        showChildScreen(MainScreen::Results, results);
    } else
        returnFromCompetition();
}

void frmMain::beginRehearsal(int typePosition)
{
    m_rehearsal = true;
    m_writeNotice.report(m_settings.listPicked(SettingsListId::Type, typePosition));
    // In the title strip, right of the logo, which the stage and the results leave in sight, so that the
    // competitor knows throughout what this is.
    if (!m_rehearsalMark) {
        m_rehearsalMark = new QLabel(QStringLiteral("REHEARSAL \u2013 not a record attempt"), this);
        m_rehearsalMark->setObjectName(QStringLiteral("rehearsalMark"));
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(12);
        font.setBold(true);
        m_rehearsalMark->setFont(font);
        QPalette palette = m_rehearsalMark->palette();
        palette.setColor(QPalette::WindowText, QColor(192, 0, 0));
        m_rehearsalMark->setPalette(palette);
        m_rehearsalMark->adjustSize();
        m_rehearsalMark->move(110, (TitleStripHeight - m_rehearsalMark->height()) / 2);
    }
    m_rehearsalMark->show();
}

void frmMain::showChildScreen(MainScreen screen, QWidget* window)
{
    m_screens.show(screen, window);
    window->setGeometry(childScreenRect(geometry()));
    window->show();
    window->raise();
    window->activateWindow();
}

void frmMain::returnFromCompetition()
{
    m_screens.show(MainScreen::Settings, nullptr);
    temelYarismaEkraniCiz();
    activateWindow();
    m_panel->focusStart();
}

void frmMain::UnloadAllScreens()
{
    if (QWidget* screen = workingScreen())
        screen->close();
    m_background.close();
}
