#include "frmMain/frmMain.h"

#include "base/ProgramTitle.h"
#include "base/WindowPlacement.h"
#include "boxes/modMsgBox.h"
#include "buttons/PFormKontrol.h"
#include "digits/SpecialNumbers.h"
#include "frmMain/SettingsPanel.h"
#include "skin/Fonts.h"
#include "skin/FramePainter.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {
const QString WebAddress = QStringLiteral("www.korvalin.org");
constexpr QSize PanelSize(750, 265);
} // namespace

frmMain::frmMain(Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_clock(clock),
      m_settings(specialNumberEntries(),
                 [this](int position, const QString& text) { m_specialNumber.SelectSpecialNumber(position, text); }),
      m_surface(this), m_background([this]() -> QWidget* { return workingScreen() ? workingScreen() : this; },
                                    [this] { return isMinimized(); })
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(ProgramTitle);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_screenGeometry = [this] { return screen()->geometry(); };
    m_workArea = [this] { return screen()->availableGeometry(); };

    m_panel = new SettingsPanel(m_settings, m_writeNotice, this);
    connect(m_panel, &SettingsPanel::startClicked, this, &frmMain::startClicked);
    createUrlLabels();
    m_strip = new PFormKontrol(skinImage(), this);
    m_strip->setObjectName(QStringLiteral("PFormKontrol"));
    connect(m_strip, &PFormKontrol::toggleBackgroundRequested, this, &frmMain::ToggleBackground);
    connect(m_strip, &PFormKontrol::minimiseRequested, this, &frmMain::minimiseClicked);
    connect(m_strip, &PFormKontrol::closeRequested, this, &QWidget::close);
}

frmMain::~frmMain() = default;

void frmMain::setScreenGeometryProvider(std::function<QRect()> screen, std::function<QRect()> workArea)
{
    m_screenGeometry = std::move(screen);
    m_workArea = std::move(workArea);
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

bool frmMain::load()
{
    m_writeNotice.report(m_settings.LoadSettings());
    m_writeNotice.report(m_settings.RestoreLists());

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
            m_panel->focusStart();
            m_settings.finishLoading();
        }
        // Only the title strip shows above a stage or results window, and it works with the mouse
        // alone; the keyboard stays with the working screen, so no typed digit lands here.
        if (QWidget* screen = workingScreen(); screen && screen->isVisible())
            QTimer::singleShot(0, screen, [screen] { screen->activateWindow(); });
    }
    return QWidget::event(event);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    UnloadAllScreens();
    QWidget::closeEvent(event);
}
