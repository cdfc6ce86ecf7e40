#include "frmSpecialNumber_Fin/frmSpecialNumber_Fin.h"

#include "base/ProgramTitle.h"
#include "base/Rounding.h"
#include "buttons/SkinButton.h"
#include "frmSpecialNumber_Fin/ResultsGrid.h"
#include "frmSpecialNumber_Fin/ScoreGridModel.h"
#include "journal/JournalHash.h"
#include "journal/SheetTexts.h"
#include "results/ScoreTable.h"
#include "skin/Fonts.h"
#include "skin/FramePainter.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"

#include <QHeaderView>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>

#include <optional>

namespace {
constexpr int ScoreColumnWidths[] = {255, 275, 170};
constexpr int ScoreRowHeights[] = {42, 53};
constexpr double ExplanationPointSize = 11.25;
constexpr double SealPointSize = 10.0;
constexpr double NoticePointSize = 8.0;
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

frmSpecialNumber_Fin::frmSpecialNumber_Fin(QWidget* settingsWindow, const AttemptOutcome& outcome,
                                           std::function<void()> returnToSettings)
    : QWidget(settingsWindow, Qt::Window | Qt::FramelessWindowHint),
      m_scoring(SheetTexts(outcome.questions, outcome.rows, outcome.digitsPerRow),
                SheetTexts(outcome.answers, outcome.rows, outcome.digitsPerRow)),
      m_digitsPerRow(outcome.digitsPerRow), m_title(stageTitle(outcome.caption)),
      m_returnToSettings(std::move(returnToSettings)), m_surface(this)
{
    setObjectName(QStringLiteral("frmSpecialNumber_Fin"));
    setWindowTitle(ProgramTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette background = palette();
    background.setColor(QPalette::Window, SkinPieces::InnerColour);
    setPalette(background);

    buildResults();
    createScoreGrid(outcome);

    m_finishButton = new SkinButton(skinImage(), QStringLiteral("FINISH"), this);
    m_finishButton->setObjectName(QStringLiteral("btnFinish"));
    connect(m_finishButton, &SkinButton::clicked, this, &frmSpecialNumber_Fin::returnToSettings);

    createSealLine(outcome.evidence);
}

// The seal at the right end of the explanation strip, over the strip's empty part, so an arbiter can
// copy it onto the witness form; the strip and its text stay where they are. A face whose zero differs
// from the letter O, and dark, so that it is copied right. Without a whole journal there is no seal to show.
void frmSpecialNumber_Fin::createSealLine(const AttemptEvidence& evidence)
{
    const bool sealed = !evidence.seal.isEmpty();
    m_sealLine = new QLabel(sealed ? QStringLiteral("Seal  ") + shortSeal(evidence.seal)
                                   : QStringLiteral("No journal for this attempt"),
                            this);
    m_sealLine->setObjectName(QStringLiteral("sealLine"));
    m_sealLine->setTextFormat(Qt::PlainText);
    m_sealLine->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_sealLine->setTextInteractionFlags(Qt::NoTextInteraction);
    if (!sealed)
        m_sealLine->setToolTip(evidence.journalProblem);
    QFont font(sealed ? sealFamily() : tahomaFamily());
    font.setPointSizeF(sealed ? SealPointSize : NoticePointSize);
    font.setBold(sealed);
    m_sealLine->setFont(font);
    m_sealLine->setStyleSheet(sealed ? QStringLiteral("QLabel { background: transparent; color: rgb(20, 20, 20); }")
                                     : QStringLiteral("QLabel { background: transparent; color: rgb(150, 0, 0); }"));
}

void frmSpecialNumber_Fin::showReportOutcome(bool ok, const QString& error)
{
    if (ok)
        return;
    if (!m_reportNotice) {
        m_reportNotice = new QLabel(this);
        m_reportNotice->setObjectName(QStringLiteral("reportNotice"));
        m_reportNotice->setTextFormat(Qt::PlainText);
        m_reportNotice->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QFont font(tahomaFamily());
        font.setPointSizeF(NoticePointSize);
        m_reportNotice->setFont(font);
        m_reportNotice->setStyleSheet(QStringLiteral("QLabel { background: transparent; color: rgb(150, 0, 0); }"));
    }
    m_reportNotice->setToolTip(error);
    m_reportNotice->setText(QStringLiteral("The report could not be written: ") + error);
    placeStripNotes();
    m_reportNotice->show();
}

// The seal and a report's failure sit over the ends of the explanation strip, beside its centred text.
void frmSpecialNumber_Fin::placeStripNotes()
{
    if (!m_explanationGrid)
        return;
    const QRect strip = m_explanationGrid->geometry();
    if (m_sealLine) {
        m_sealLine->setGeometry(strip.adjusted(strip.width() * 3 / 4, 0, -SealMargin, 0));
        m_sealLine->raise();
    }
    if (m_reportNotice) {
        const QRect area = strip.adjusted(SealMargin, 0, -strip.width() * 3 / 4, 0);
        m_reportNotice->setGeometry(area);
        m_reportNotice->setText(m_reportNotice->fontMetrics().elidedText(
            QStringLiteral("The report could not be written: ") + m_reportNotice->toolTip(), Qt::ElideRight,
            area.width()));
        m_reportNotice->raise();
    }
}

frmSpecialNumber_Fin::~frmSpecialNumber_Fin() = default;

void frmSpecialNumber_Fin::buildResults()
{
    createExplanationGrid();
    m_questionGrid = new ResultsGrid(m_scoring, this);
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

void frmSpecialNumber_Fin::createScoreGrid(const AttemptOutcome& outcome)
{
    // A time the record cannot give is left blank rather than shown as a time that was never measured.
    const std::optional<float> maxSeconds = outcome.maxSeconds;
    const std::optional<float> usedSeconds = outcome.usedSeconds;
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
        PaintStageFrame(painter, client, m_title, QStringLiteral("RESULTS"), 210);
    });

    m_layout = layOutResults(QSizeF(client), m_digitsPerRow);
    m_scoreGrid->setGeometry(roundToPixels(m_layout.scoreTable));
    m_questionGrid->setDataColumnUnits(m_layout.columnUnits);
    m_questionGrid->setGeometry(roundToPixels(m_layout.questionTable));
    m_finishButton->setGeometry(roundToPixels(m_layout.finishButton));
    m_explanationGrid->setGeometry(roundToPixels(m_layout.explanation));
    placeStripNotes();

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
