#include "frmMain/frmMain.h"

#include "base/Clock.h"
#include "base/ProgramTitle.h"
#include "base/WindowPlacement.h"
#include "boxes/modMsgBox.h"
#include "buttons/PFormKontrol.h"
#include "digits/SpecialNumbers.h"
#include "files/FolderAccess.h"
#include "files/ProgramDirectory.h"
#include "frmSpecialNumber_Fin/frmSpecialNumber_Fin.h"
#include "frmSpecialNumber_Main/frmSpecialNumber_Main.h"
#include "frmZFon/frmZFon.h"
#include "settings/SettingsPanelLayout.h"
#include "settings/StageSettings.h"
#include "skin/Fonts.h"
#include "skin/FramePainter.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {
const QColor LabelColour(192, 0, 0);
const QString WebAddress = QStringLiteral("www.korvalin.org");
constexpr QSize PanelSize(750, 265);

struct PanelRow
{
    SettingsListId list;
    int labelIndex;
    const char* labelText;
    int listWidth;
};

// Top to bottom, as the rows stand on the panel.
constexpr std::array<PanelRow, 6> PanelRows = {{
    {SettingsListId::Type, 3, "Type of attempt :", 210},
    {SettingsListId::ColCount, 0, "Number of columns per row :", 140},
    {SettingsListId::GroupCount, 1, "Number of columns to be highlighted :", 140},
    {SettingsListId::Timer, 4, "Timer is enabled :", 140},
    {SettingsListId::CellTimer, 5, "Cell timer is enabled :", 140},
    {SettingsListId::ConTime, 2, "Concentration Time (sec.) :", 140},
}};

constexpr std::array<const char*, 6> ComboNames = {"cmbType",  "cmbColCount", "cmbGroupCount",
                                                   "cmbTimer", "cmbConTime",  "cmbCellTimer"};

QFont panelFont()
{
    QFont font(tahomaFamily());
    font.setPointSizeF(12);
    font.setBold(true);
    return font;
}
} // namespace

frmMain::frmMain(Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_clock(clock),
      m_settings(specialNumberEntries(),
                 [](int position, const QString& text) { SelectSpecialNumber(position, text); }),
      m_surface(this)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(ProgramTitle);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_screenGeometry = [this] { return screen()->geometry(); };
    m_workArea = [this] { return screen()->availableGeometry(); };

    createSettingsPanel();
    createUrlLabels();
    m_strip = new PFormKontrol(skinImage(), this);
    m_strip->setObjectName(QStringLiteral("PFormKontrol"));
    connect(m_strip, &PFormKontrol::toggleBackgroundRequested, this, &frmMain::ToggleBackground);
    connect(m_strip, &PFormKontrol::minimiseRequested, this, &frmMain::minimiseClicked);
    connect(m_strip, &PFormKontrol::closeRequested, this, &QWidget::close);
    mirrorSettings();
}

frmMain::~frmMain()
{
    delete m_background;
}

void frmMain::setScreenGeometryProvider(std::function<QRect()> screen, std::function<QRect()> workArea)
{
    m_screenGeometry = std::move(screen);
    m_workArea = std::move(workArea);
}

void frmMain::createSettingsPanel()
{
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("picAyarlar"));
    m_panel->setAutoFillBackground(true);
    QPalette palette = m_panel->palette();
    palette.setColor(QPalette::Window, SkinPieces::InnerColour);
    palette.setColor(QPalette::WindowText, LabelColour);
    m_panel->setPalette(palette);
    m_panel->hide();
    m_panel->installEventFilter(this);

    for (std::size_t row = 0; row < PanelRows.size(); ++row) {
        auto* label = new QLabel(QString::fromLatin1(PanelRows[row].labelText), m_panel);
        label->setObjectName(QStringLiteral("lbBilgi%1").arg(PanelRows[row].labelIndex));
        label->setFont(panelFont());
        label->adjustSize();
        m_rowLabels[row] = label;

        auto* list = new QComboBox(m_panel);
        list->setObjectName(QString::fromLatin1(ComboNames[std::size_t(PanelRows[row].list)]));
        list->setFont(panelFont());
        list->setFixedWidth(PanelRows[row].listWidth);
        m_combos[std::size_t(PanelRows[row].list)] = list;
    }
    m_startButton = new QPushButton(QStringLiteral("START"), m_panel);
    m_startButton->setObjectName(QStringLiteral("btnStart"));
    m_startButton->setFont(panelFont());
    m_startButton->setFixedSize(StartButtonSize);
    connect(m_startButton, &QPushButton::clicked, this, &frmMain::startClicked);
}

void frmMain::createUrlLabels()
{
    QFont font(tahomaFamily());
    font.setPointSizeF(9);
    font.setUnderline(true);
    const auto makeLabel = [&](const char* name, QColor colour) {
        auto* label = new QLabel(WebAddress, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setFont(font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
        label->setAttribute(Qt::WA_TranslucentBackground);
        label->setCursor(Qt::PointingHandCursor);
        label->adjustSize();
        return label;
    };
    m_urlShadow = makeLabel("lbKucukURLGolge", QColor(207, 207, 207));
    m_urlLabel = makeLabel("lbKucukURL", Qt::black);
}

QComboBox* frmMain::combo(SettingsListId id) const
{
    return m_combos[std::size_t(id)];
}

// The lists show what the settings logic holds; only the user's own picks flow back into it.
void frmMain::mirrorSettings()
{
    for (SettingsListId id : AllSettingsLists) {
        QComboBox* list = combo(id);
        list->addItems(m_settings.list(id).entries());
        list->setCurrentIndex(m_settings.list(id).position());
        connect(list, &QComboBox::activated, this,
                [this, id](int position) { reportWriteFailure(m_settings.listPicked(id, position)); });
    }
    connect(&m_settings, &SettingsController::listEntriesReplaced, this,
            [this](SettingsListId id, const QStringList& entries) {
                const QSignalBlocker blocker(combo(id));
                combo(id)->clear();
                combo(id)->addItems(entries);
                combo(id)->setCurrentIndex(-1);
            });
    connect(&m_settings, &SettingsController::listPositionChanged, this, [this](SettingsListId id, int position) {
        const QSignalBlocker blocker(combo(id));
        combo(id)->setCurrentIndex(position);
    });
}

bool frmMain::load()
{
    reportWriteFailure(m_settings.LoadSettings());
    reportWriteFailure(m_settings.RestoreLists());

    const QRect screenRect = m_screenGeometry();
    switch (screenFitForHeight(screenRect.height())) {
    case ScreenFit::Refused:
        ShowMessage(nullptr, ProgramTitle, MinimumResolutionMessage, QMessageBox::Critical);
        return false;
    case ScreenFit::WholeScreen:
        setGeometry(screenRect);
        break;
    case ScreenFit::Standard:
        resize(StandardWindowWidth, StandardWindowHeight);
        move(centredOnWorkArea(screenRect, StandardWindowWidth, StandardWindowHeight).topLeft());
        break;
    }
    m_strip->paintRestingImage();
    PlaceSettingsPanel();
    return true;
}

void frmMain::PlaceSettingsPanel()
{
    if (isMinimized())
        showNormal();
    m_panel->setGeometry((width() - PanelSize.width()) / 2, height() - 305, PanelSize.width(), PanelSize.height());
    m_panel->show();
}

void frmMain::layOutPanel()
{
    std::array<QSize, 6> labelSizes;
    std::array<QSize, 6> listSizes;
    for (std::size_t row = 0; row < PanelRows.size(); ++row) {
        labelSizes[row] = m_rowLabels[row]->size();
        listSizes[row] = QSize(PanelRows[row].listWidth, combo(PanelRows[row].list)->sizeHint().height());
    }
    const SettingsPanelLayout layout = layOutSettingsPanel(m_panel->size(), labelSizes, listSizes);
    m_startButton->setGeometry(layout.start);
    for (std::size_t row = 0; row < PanelRows.size(); ++row) {
        m_rowLabels[row]->setGeometry(layout.labels[row]);
        combo(PanelRows[row].list)->setGeometry(layout.lists[row]);
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel && event->type() == QEvent::Resize)
        layOutPanel();
    return QWidget::eventFilter(watched, event);
}

bool frmMain::CompetitionMode() const
{
    return workingScreen() != nullptr;
}

void frmMain::temelYarismaEkraniCiz()
{
    const bool competition = CompetitionMode();
    m_surface.resize(size(), SkinPieces::InnerColour);
    m_surface.paintPersistent([this, competition](QPainter& painter) {
        painter.fillRect(QRect(QPoint(0, 0), size()), SkinPieces::InnerColour);
        paintSettingsLook(painter, size(), competition);
        if (!competition)
            DrawControlFrame(painter, m_panel->geometry());
    });
    placeUrlLabels();
}

void frmMain::placeUrlLabels()
{
    m_urlLabel->raise();
    m_urlLabel->move(m_strip->x() - m_urlLabel->width() - 20, 3);
    m_urlShadow->move(m_urlLabel->x() + 1, m_urlLabel->y() + 1);
}

void frmMain::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_surface.paintOnto(painter, event->rect());
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (isMinimized())
        return;
    // The strip goes to its place first: the web-address labels are placed against it.
    m_strip->setGeometry(width() - 72, 4, 68, 15);
    temelYarismaEkraniCiz();
}

bool frmMain::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        // Coming back from another program leaves the focus where the operator had it.
        if (m_firstActivation || m_activation.activatedFromWithin()) {
            m_firstActivation = false;
            m_startButton->setFocus();
            m_settings.finishLoading();
        }
        // Only the title strip shows above a stage or results window, and it works with the mouse
        // alone; the keyboard stays with the working screen, so no typed digit lands here.
        if (QWidget* screen = workingScreen(); screen && screen->isVisible())
            QTimer::singleShot(0, screen, [screen] { screen->activateWindow(); });
    }
    return QWidget::event(event);
}

void frmMain::reportWriteFailure(const WriteResult& result)
{
    if (result.ok || m_settingsFailureReported)
        return;
    m_settingsFailureReported = true;
    ShowMessage(this, ProgramTitle, QStringLiteral("The settings could not be saved.\n") + result.error,
                QMessageBox::Warning);
}

bool frmMain::draftsCanBeSavedOrUserAccepts()
{
    const FolderAccess access = checkFolderWritable(programDirectory());
    if (access.writable)
        return true;
    MsgBoxRequest CurrentMsgBox;
    CurrentMsgBox.HookWindow = this;
    CurrentMsgBox.OwnerWindow = this;
    CurrentMsgBox.Style = 4 | 48; // Yes and No, warning
    CurrentMsgBox.Title = ProgramTitle;
    CurrentMsgBox.Prompt =
        QStringLiteral("The drafts of this attempt cannot be saved:\n%1\n\nStart anyway?").arg(access.reason);
    const bool accepted = ShowMsgBox(CurrentMsgBox, this) == MsgBoxYes;
    // The box has said why; the settings store that follows fails for the same reason.
    m_settingsFailureReported = true;
    return accepted;
}

void frmMain::startClicked()
{
    if (!draftsCanBeSavedOrUserAccepts())
        return;
    reportWriteFailure(m_settings.StoreSettings());
    QWidget* screen = workingScreen();
    if (!screen) {
        const DigitSource source{m_settings.list(SettingsListId::Type).position(), SelectedTypeCaption, SelectedDigits};
        auto* stage =
            new frmSpecialNumber_Main(this, readStageSettings(m_settings.SettingsDocument()), source, m_clock);
        connect(stage, &frmSpecialNumber_Main::left, this, &frmMain::returnFromCompetition);
        connect(stage, &frmSpecialNumber_Main::finished, this, &frmMain::openResults);
        screen = stage;
    }
    showChildScreen(screen);
    temelYarismaEkraniCiz();
}

frmMain::ResultsScreenFactory frmMain::defaultResultsScreenFactory()
{
    return [](frmMain& main, const AttemptEvidence& evidence) -> QWidget* {
        return new frmSpecialNumber_Fin(&main, main.settings().SettingsDocument(), evidence,
                                        [&main] { main.returnFromCompetition(); });
    };
}

void frmMain::openResults(const AttemptEvidence& evidence)
{
    QWidget* results = m_resultsScreenFactory ? m_resultsScreenFactory(*this, evidence) : nullptr;
    if (results)
        showChildScreen(results);
    else
        returnFromCompetition();
}

void frmMain::showChildScreen(QWidget* screen)
{
    m_workingScreen = screen;
    screen->setGeometry(childScreenRect(geometry()));
    screen->show();
    screen->raise();
    screen->activateWindow();
}

void frmMain::returnFromCompetition()
{
    m_workingScreen = nullptr;
    temelYarismaEkraniCiz();
    activateWindow();
    m_startButton->setFocus();
}

void frmMain::ToggleBackground()
{
    const bool wasShown = m_backgroundShown;
    m_backgroundShown = !m_backgroundShown;
    if (wasShown) {
        if (m_background)
            m_background->hide();
        return;
    }
    CenterMainWindow();
    if (!m_background)
        m_background = new frmZFon([this]() -> QWidget* { return workingScreen() ? workingScreen() : this; },
                                   [this] { return isMinimized(); });
    m_background->show();
}

void frmMain::CenterMainWindow()
{
    const QRect placed = centredOnWorkArea(m_workArea(), frameGeometry().width(), frameGeometry().height());
    move(placed.topLeft());
    if (QWidget* screen = workingScreen())
        screen->setGeometry(childScreenRect(geometry()));
}

void frmMain::minimiseClicked()
{
    showMinimized();
    if (m_backgroundShown && m_background)
        m_background->hide();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    UnloadAllScreens();
    QWidget::closeEvent(event);
}

void frmMain::UnloadAllScreens()
{
    if (QWidget* screen = workingScreen())
        screen->close();
    if (m_background)
        m_background->close();
}
