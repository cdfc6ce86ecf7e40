#include "frmSpecialNumber_Fin/frmSpecialNumber_Fin.h"

#include "base/ProgramTitle.h"
#include "base/Rounding.h"
#include "buttons/SkinButton.h"
#include "digits/SpecialNumbers.h"
#include "files/ProgramDirectory.h"
#include "frmSpecialNumber_Fin/ResultsGrid.h"
#include "frmSpecialNumber_Fin/ScoreGridModel.h"
#include "journal/JournalFiles.h"
#include "journal/JournalHash.h"
#include "record/AttemptRecord.h"
#include "results/ScoreTable.h"
#include "settings/StageSettings.h"
#include "skin/Fonts.h"
#include "skin/FramePainter.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>

#include <optional>

#ifdef KORVALIN_WITH_REPORTS
#include "attempt/AttemptReportJob.h"

#include <QCoreApplication>
#endif

namespace {
constexpr int ScoreColumnWidths[] = {255, 275, 170};
constexpr int ScoreRowHeights[] = {42, 53};
constexpr double ExplanationPointSize = 11.25;
constexpr double SealPointSize = 8.0;
constexpr int SealMargin = 6;

// The score table and the explanation line only show text: no headers, scroll bars, frame or selection.
void makeDisplayOnly(QTableView& table)
{
    table.horizontalHeader()->hide();
    table.verticalHeader()->hide();
    table.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.horizontalHeader()->setMinimumSectionSize(1);
    table.verticalHeader()->setMinimumSectionSize(1);
    table.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table.setFrameShape(QFrame::NoFrame);
    table.setSelectionMode(QAbstractItemView::NoSelection);
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.setFocusPolicy(Qt::NoFocus);
    table.setWordWrap(false);
    table.setTextElideMode(Qt::ElideNone);
}
} // namespace

frmSpecialNumber_Fin::frmSpecialNumber_Fin(QWidget* settingsWindow, const pugi::xml_document& settingsDocument,
                                           const AttemptEvidence& evidence, std::function<void()> returnToSettings)
    : QWidget(settingsWindow, Qt::Window | Qt::FramelessWindowHint),
      m_scoring(AttemptRecord.questions(), AttemptRecord.answers()), m_returnToSettings(std::move(returnToSettings)),
      m_surface(this)
{
    setObjectName(QStringLiteral("frmSpecialNumber_Fin"));
    setWindowTitle(ProgramTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette background = palette();
    background.setColor(QPalette::Window, SkinPieces::InnerColour);
    setPalette(background);

    buildResults(settingsDocument);

    m_finishButton = new SkinButton(skinImage(), QStringLiteral("FINISH"), this);
    m_finishButton->setObjectName(QStringLiteral("btnFinish"));
    connect(m_finishButton, &SkinButton::clicked, this, &frmSpecialNumber_Fin::returnToSettings);

    createSealLine(evidence);
    startReport(evidence);
}

// The seal in a small line at the right end of the explanation strip, over the strip's empty part, so
// an arbiter can copy it onto the witness form; the strip and its text stay where they are.
void frmSpecialNumber_Fin::createSealLine(const AttemptEvidence& evidence)
{
    if (evidence.seal.isEmpty())
        return;
    m_sealLine = new QLabel(QStringLiteral("Seal  ") + shortSeal(evidence.seal), this);
    m_sealLine->setObjectName(QStringLiteral("sealLine"));
    m_sealLine->setTextFormat(Qt::PlainText);
    m_sealLine->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_sealLine->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_sealLine->setTextInteractionFlags(Qt::NoTextInteraction);
    QFont font(tahomaFamily());
    font.setPointSizeF(SealPointSize);
    m_sealLine->setFont(font);
    m_sealLine->setStyleSheet(QStringLiteral("QLabel { background: transparent; color: rgb(90, 90, 90); }"));
}

void frmSpecialNumber_Fin::startReport(const AttemptEvidence& evidence)
{
#ifdef KORVALIN_WITH_REPORTS
    if (evidence.journalPath.isEmpty())
        return;
    const QString folder = QDir(programDirectory()).filePath(reportsFolderName());
    auto* report = new AttemptReportJob(QCoreApplication::instance());
    QObject::connect(report, &AttemptReportJob::finished, report, &QObject::deleteLater);
    report->start(evidence.journalPath, QDir(folder).filePath(reportPdfFileName(evidence.draftNumber)),
                  QDir(folder).filePath(reportCsvFileName(evidence.draftNumber)));
#else
    Q_UNUSED(evidence);
#endif
}

frmSpecialNumber_Fin::~frmSpecialNumber_Fin() = default;

void frmSpecialNumber_Fin::buildResults(const pugi::xml_document& settingsDocument)
{
    m_digitsPerRow = digitsPerRowSetting(settingsDocument);
    // The record was built from the same digits and setting, so it has (L div n) rows of n cells. Should
    // the two ever disagree, the table shows the record as it is rather than cells it does not have.
    const int rows = m_digitsPerRow > 0 ? int(SelectedDigits.length() / m_digitsPerRow) : 0;
    if (m_scoring.columnCount() != m_digitsPerRow || m_scoring.rowCount() != rows)
        m_digitsPerRow = m_scoring.columnCount();

    createExplanationGrid();
    m_questionGrid = new ResultsGrid(m_scoring, this);
    createScoreGrid();
}

void frmSpecialNumber_Fin::createExplanationGrid()
{
    auto* model = new QStandardItemModel(1, 1, this);
    auto* item = new QStandardItem(Scoring::explanationText());
    item->setTextAlignment(Qt::AlignCenter);
    model->setItem(0, 0, item);

    m_explanationGrid = new QTableView(this);
    m_explanationGrid->setObjectName(QStringLiteral("gAciklama"));
    QFont font(tahomaFamily());
    font.setBold(true);
    font.setPointSizeF(ExplanationPointSize);
    m_explanationGrid->setFont(font);
    m_explanationGrid->setModel(model);
    makeDisplayOnly(*m_explanationGrid);
    // The one cell spans the whole line, so its text is centred on the window.
    m_explanationGrid->horizontalHeader()->setStretchLastSection(true);
    m_explanationGrid->verticalHeader()->setDefaultSectionSize(int(ExplanationHeight));
    m_explanationGrid->setRowHeight(0, int(ExplanationHeight));
    m_explanationGrid->resize(m_explanationGrid->width(), int(ExplanationHeight));
}

void frmSpecialNumber_Fin::createScoreGrid()
{
    // A time the record cannot give is left blank rather than shown as a time that was never measured.
    const std::optional<float> maxSeconds = AttemptRecord.maxTime();
    const std::optional<float> usedSeconds = AttemptRecord.usedTime();
    m_scoreModel =
        new ScoreGridModel(ScoreTable(m_scoring.score(), maxSeconds.value_or(0.0f), usedSeconds.value_or(0.0f)), this);
    if (!maxSeconds)
        m_scoreModel->clearText(0, 2);
    if (!usedSeconds)
        m_scoreModel->clearText(1, 2);

    m_scoreGrid = new QTableView(this);
    m_scoreGrid->setObjectName(QStringLiteral("gScore"));
    m_scoreGrid->setModel(m_scoreModel);
    makeDisplayOnly(*m_scoreGrid);
    for (int column = 0; column < ScoreTable::ColumnCount; ++column)
        m_scoreGrid->setColumnWidth(column, ScoreColumnWidths[column]);
    for (int row = 0; row < ScoreTable::RowCount; ++row)
        m_scoreGrid->setRowHeight(row, ScoreRowHeights[row]);
}

void frmSpecialNumber_Fin::layoutResults()
{
    const QSize client = size();
    m_surface.resize(client, SkinPieces::InnerColour);
    m_surface.paintPersistent([&](QPainter& painter) {
        painter.fillRect(QRect(QPoint(0, 0), client), SkinPieces::InnerColour);
        PaintStageFrame(painter, client, stageTitle(SelectedTypeCaption), QStringLiteral("RESULTS"), 210);
    });

    m_layout = layOutResults(QSizeF(client), m_digitsPerRow);
    m_scoreGrid->setGeometry(roundToPixels(m_layout.scoreTable));
    m_questionGrid->setDataColumnUnits(m_layout.columnUnits);
    m_questionGrid->setGeometry(roundToPixels(m_layout.questionTable));
    m_finishButton->setGeometry(roundToPixels(m_layout.finishButton));
    m_explanationGrid->setGeometry(roundToPixels(m_layout.explanation));
    if (m_sealLine) {
        const QRect strip = m_explanationGrid->geometry();
        m_sealLine->setGeometry(strip.adjusted(strip.width() * 3 / 4, 0, -SealMargin, 0));
        m_sealLine->raise();
    }

    // The borders go round the tables where they finally stand.
    m_surface.paintPersistent([&](QPainter& painter) {
        DrawControlFrame(painter, m_questionGrid->geometry());
        DrawControlFrame(painter, m_scoreGrid->geometry());
    });
}

void frmSpecialNumber_Fin::returnToSettings()
{
    if (m_returnToSettings)
        m_returnToSettings();
    close();
}

void frmSpecialNumber_Fin::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_surface.paintOnto(painter, event->rect());
}

void frmSpecialNumber_Fin::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!isMinimized())
        layoutResults();
}

void frmSpecialNumber_Fin::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // A restore keeps the size, so no resize comes to lay the window out again.
    if (event->type() == QEvent::WindowStateChange && !isMinimized() &&
        (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized))
        layoutResults();
}
