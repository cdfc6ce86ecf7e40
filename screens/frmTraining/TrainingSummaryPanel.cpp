#include "frmTraining/TrainingSummaryPanel.h"

#include "buttons/SkinButton.h"
#include "frmTraining/TrainingLook.h"
#include "skin/FramePainter.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>

#include <cmath>

namespace {
constexpr int ColumnWidths[] = {250, 190, 190, 190};
constexpr int HeaderHeight = 40;
constexpr int RowHeight = 44;
constexpr QSize ButtonSize(170, 50);
constexpr int ButtonGap = 14;

QString minutesText(double minutes)
{
    return minutes <= 0.0 ? QStringLiteral("0") : QString::number(std::max(1L, std::lround(minutes)));
}

QString secondsText(double seconds)
{
    return QString::number(seconds, 'f', 1);
}

QString queueText(const QueueSettings& queue)
{
    QString text = queue.newBlocksPerDay == 0 ? QStringLiteral("no new blocks")
                   : queue.newBlocksPerDay == 1
                       ? QStringLiteral("a new block a day for each number")
                       : QStringLiteral("%1 new blocks a day for each number").arg(queue.newBlocksPerDay);
    if (queue.dailyMinutesCap)
        text += QStringLiteral("; a day's queue is kept under %1 minutes").arg(minutesText(*queue.dailyMinutesCap));
    return text + u'.';
}
} // namespace

TrainingSummaryPanel::TrainingSummaryPanel(const std::vector<NumberSummary>& lines, const PaceEstimate& pace,
                                           const QueueSettings& queue, TrainingNumber chosen, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("trainingSummary"));
    m_heading = TrainingLook::makeLabel(this, "summaryHeading", 14, true);
    m_heading->setText(QStringLiteral("Today"));

    m_table = new QTableWidget(int(lines.size()), int(std::size(ColumnWidths)), this);
    m_table->setObjectName(QStringLiteral("summaryTable"));
    m_table->setFont(TrainingLook::font(12));
    m_table->horizontalHeader()->setFont(TrainingLook::font(11, true));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Number"), QStringLiteral("Blocks learned"),
                                        QStringLiteral("Due today"), QStringLiteral("Minutes today")});
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setFixedHeight(HeaderHeight);
    m_table->horizontalHeader()->setHighlightSections(false);
    for (int column = 0; column < int(std::size(ColumnWidths)); ++column)
        m_table->setColumnWidth(column, ColumnWidths[column]);
    m_table->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setFrameShape(QFrame::NoFrame);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    fillTable(lines);
    m_table->selectRow(int(chosen));

    m_choose = TrainingLook::makeLabel(this, "summaryChoose", 11, true, TrainingLook::WarningColour);
    m_choose->setText(QStringLiteral("Choose a number in the table, then what to do with it:"));
    for (const TrainingActivity activity : AllTrainingActivities) {
        auto* button = new SkinButton(skinImage(), activityName(activity).toUpper(), this);
        button->setObjectName(QStringLiteral("btn") + activityName(activity));
        QPalette palette = button->palette();
        palette.setColor(QPalette::Window, QColor(SkinPieces::InnerColour));
        button->setPalette(palette);
        connect(button, &SkinButton::clicked, this,
                [this, activity] { emit activityChosen(activity, chosenNumber()); });
        m_buttons.push_back(button);
    }

    m_paceNote = TrainingLook::makeLabel(this, "summaryPace", 9, false);
    m_paceNote->setText(
        QStringLiteral("Minutes are estimated from your own pace: %1 s a digit to recall, %2 s more to "
                       "learn a new one. A block is 100 digits; %3")
            .arg(secondsText(pace.recallSecondsPerDigit), secondsText(pace.learnSecondsPerDigit), queueText(queue)));

    m_settings = TrainingLook::makeButton(this, "btnSettings", QStringLiteral("SETTINGS"));
    connect(m_settings, &SkinButton::clicked, this, &TrainingSummaryPanel::settingsChosen);
}

void TrainingSummaryPanel::fillTable(const std::vector<NumberSummary>& lines)
{
    for (int row = 0; row < int(lines.size()); ++row) {
        const NumberSummary& line = lines[std::size_t(row)];
        const QString texts[] = {TrainingLook::numberCaption(line.number),
                                 QStringLiteral("%1 of %2").arg(line.blocksLearned).arg(line.blocks),
                                 QString::number(line.blocksDue), minutesText(line.minutesToday)};
        for (int column = 0; column < int(std::size(texts)); ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            item->setTextAlignment(Qt::AlignCenter);
            m_table->setItem(row, column, item);
        }
    }
}

TrainingNumber TrainingSummaryPanel::chosenNumber() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < int(AllTrainingNumbers.size()) ? AllTrainingNumbers[std::size_t(row)]
                                                            : TrainingNumber::Sqrt2;
}

QString TrainingSummaryPanel::cellText(TrainingNumber number, int column) const
{
    const QTableWidgetItem* item = m_table->item(int(number), column);
    return item ? item->text() : QString();
}

void TrainingSummaryPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    int tableWidth = 0;
    for (const int width : ColumnWidths)
        tableWidth += width;
    const int tableHeight = HeaderHeight + RowHeight * m_table->rowCount();
    const int left = (width() - tableWidth) / 2;
    m_heading->adjustSize();
    m_heading->move(left, 30);
    m_table->setGeometry(left, m_heading->geometry().bottom() + 16, tableWidth, tableHeight);

    m_choose->adjustSize();
    m_choose->move(left, m_table->geometry().bottom() + 44);
    const int buttonsWidth = int(m_buttons.size()) * ButtonSize.width() + int(m_buttons.size() - 1) * ButtonGap;
    int x = (width() - buttonsWidth) / 2;
    for (QWidget* button : m_buttons) {
        button->setGeometry(QRect(QPoint(x, m_choose->geometry().bottom() + 16), ButtonSize));
        x += ButtonSize.width() + ButtonGap;
    }
    m_paceNote->setWordWrap(true);
    m_paceNote->setGeometry(left, m_buttons.front()->geometry().bottom() + 40, tableWidth, 40);
    // A row of its own below the modes, at the table's right edge.
    m_settings->setGeometry(
        QRect(QPoint(left + tableWidth - ButtonSize.width(), m_paceNote->geometry().bottom() + 24), ButtonSize));
}

void TrainingSummaryPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(SkinPieces::InnerColour));
    DrawControlFrame(painter, m_table->geometry());
}
