#include "frmTraining/progress/ProgressView.h"

#include "TrainingStore.h"
#include "buttons/SkinButton.h"
#include "frmTraining/TrainingLook.h"
#include "frmTraining/progress/ErrorHeatmapWidget.h"
#include "frmTraining/progress/ProgressCharts.h"
#include "frmTraining/progress/ProgressExport.h"
#include "frmTraining/progress/ProgressHistoryRead.h"
#include "frmTraining/progress/ReadinessPanel.h"
#include "frmTraining/progress/TrainingCalendarWidget.h"
#include "skin/Skin.h"
#include "skin/SkinPieces.h"
#include "training/TrainingClock.h"
#include "training/TrainingDays.h"
#include "training/progress/TrainingCalendar.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr QSize ButtonSize(96, 34);

QChartView* chartView(QWidget* parent, const char* name)
{
    auto* view = new QChartView(new QChart, parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void replaceChart(QChartView* view, QChart* chart)
{
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

QWidget* page(QWidget* parent, std::initializer_list<QWidget*> widgets, Qt::Orientation orientation = Qt::Vertical)
{
    auto* page = new QWidget(parent);
    QBoxLayout* layout = orientation == Qt::Vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(page))
                                                     : static_cast<QBoxLayout*>(new QHBoxLayout(page));
    layout->setContentsMargins(4, 4, 4, 4);
    for (QWidget* widget : widgets) {
        widget->setParent(page);
        layout->addWidget(widget, qobject_cast<QLabel*>(widget) ? 0 : 1);
    }
    return page;
}

QString digits(int count)
{
    return QLocale(QLocale::English).toString(count);
}

} // namespace

ProgressView::ProgressView(TrainingNumber number, int today, QWidget* parent)
    : QWidget(parent), m_number(number), m_today(today)
{
    setObjectName(QStringLiteral("progressView"));
    m_numberChoice = new QComboBox(this);
    m_numberChoice->setObjectName(QStringLiteral("numberChoice"));
    m_numberChoice->setFont(TrainingLook::font(10, true));
    for (const TrainingNumber each : AllTrainingNumbers)
        m_numberChoice->addItem(TrainingLook::numberCaption(each), int(each));
    m_numberChoice->setCurrentIndex(int(number));
    m_status = TrainingLook::makeLabel(this, "progressStatus", 9, false);
    m_status->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(m_numberChoice);
    top->addSpacing(12);
    top->addWidget(m_status, 1);
    for (const char* caption : {"PNG", "SVG", "CSV", "PDF", "BACK"}) {
        auto* button = new SkinButton(skinImage(), QString::fromLatin1(caption), this);
        button->setObjectName(QStringLiteral("btn") + QString::fromLatin1(caption));
        button->setFixedSize(ButtonSize);
        QPalette palette = button->palette();
        palette.setColor(QPalette::Window, QColor(SkinPieces::InnerColour));
        button->setPalette(palette);
        top->addWidget(button);
        m_buttons.push_back(button);
        if (QLatin1String(caption) == QLatin1String("BACK"))
            connect(button, &SkinButton::clicked, this, &ProgressView::back, Qt::QueuedConnection);
        else
            connect(
                button, &SkinButton::clicked, this, [this, what = QString::fromLatin1(caption)] { exportInto(what); },
                Qt::QueuedConnection);
    }

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("progressTabs"));
    m_tabs->setFont(TrainingLook::font(9, true));
    m_knownChart = chartView(this, "knownDigitsChart");
    m_paceByDayChart = chartView(this, "paceByDayChart");
    m_paceByBlockChart = chartView(this, "paceByBlockChart");
    m_heatmap = new ErrorHeatmapWidget(this);
    m_heatmapLine = TrainingLook::makeLabel(this, "heatmapLine", 9, false);
    m_heatmapLine->setWordWrap(true);
    m_heatmapLine->setMinimumHeight(34);
    auto* legend = TrainingLook::makeLabel(this, "heatmapLegend", 8, false);
    legend->setText(QStringLiteral("Every digit of the number, whole blocks of 100 a row: red where digits went "
                                   "wrong, blue where they came slowly, grey where none was typed. Point at a "
                                   "digit to see it."));
    legend->setWordWrap(true);
    m_readiness = new ReadinessPanel(this);
    m_calendar = new TrainingCalendarWidget(this);
    m_calendarLine = TrainingLook::makeLabel(this, "calendarLine", 9, false);
    m_calendarLine->setMinimumHeight(20);

    m_tabs->addTab(m_knownChart, QStringLiteral("Known digits"));
    m_tabs->addTab(page(m_tabs, {m_paceByDayChart, m_paceByBlockChart}, Qt::Horizontal), QStringLiteral("Pace"));
    m_tabs->addTab(page(m_tabs, {legend, m_heatmap, m_heatmapLine}), QStringLiteral("Errors"));
    m_tabs->addTab(m_readiness, QStringLiteral("Readiness"));
    m_tabs->addTab(page(m_tabs, {m_calendar, m_calendarLine}), QStringLiteral("Calendar"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(m_tabs, 1);

    connect(m_numberChoice, &QComboBox::currentIndexChanged, this,
            [this](int index) { showNumber(TrainingNumber(m_numberChoice->itemData(index).toInt())); });
    connect(m_heatmap, &ErrorHeatmapWidget::pointed, m_heatmapLine,
            [this](int, const QString& text) { m_heatmapLine->setText(text); });
    connect(m_calendar, &TrainingCalendarWidget::pointed, m_calendarLine,
            [this](int, const QString& text) { m_calendarLine->setText(text); });
}

ProgressView::ProgressView(TrainingStore& store, TrainingNumber number, const TrainingClock& clock, QWidget* parent)
    : ProgressView(number, trainingDay(clock.nowUtc()), parent)
{
    setHistory(readProgressHistory(store, {}), false);
    // What needs no keystrokes stays as it is drawn.
    store.readKeystrokeHistory(this, [this](std::vector<HistoryKeystroke> keystrokes) {
        m_history.keystrokes = std::move(keystrokes);
        m_ready = true;
        rebuild(true);
        emit ready();
    });
}

ProgressView::ProgressView(ProgressHistory history, TrainingNumber number, int today, QWidget* parent)
    : ProgressView(number, today, parent)
{
    setHistory(std::move(history), true);
}

void ProgressView::setHistory(ProgressHistory history, bool withKeystrokes)
{
    m_history = std::move(history);
    m_ready = withKeystrokes;
    rebuild(false);
    if (!withKeystrokes) {
        tell(QStringLiteral("Reading every keystroke ever typed..."));
        m_heatmapLine->setText(QStringLiteral("Reading every keystroke ever typed..."));
        return;
    }
    emit ready();
}

void ProgressView::showNumber(TrainingNumber number)
{
    m_number = number;
    if (m_numberChoice->currentIndex() != int(number)) {
        const QSignalBlocker blocker(m_numberChoice);
        m_numberChoice->setCurrentIndex(int(number));
    }
    rebuild(false);
}

void ProgressView::rebuild(bool keystrokesOnly)
{
    m_views.number = m_number;
    m_views.today = m_today;
    if (!keystrokesOnly) {
        m_readiness->setHistory(m_history, m_number, m_today);
        m_views.minutesByDay = minutesByDay(m_history.sessions);
        m_calendar->setMinutes(m_views.minutesByDay, m_today);
        double minutes = 0.0;
        for (const auto& [day, each] : m_views.minutesByDay)
            minutes += each;
        m_calendarLine->setText(QStringLiteral("%1 days trained, %2 hours in all. A square a day, Monday on top, the "
                                               "greener the longer; point at a day to see its minutes.")
                                    .arg(m_views.minutesByDay.size())
                                    .arg(std::lround(minutes / 60.0)));
    }
    m_views.known = knownDigitsOverTime(m_history, m_number);
    m_views.pace = paceOverTime(m_history, m_number);
    m_views.heatmap = errorHeatmap(m_history, m_number);
    replaceChart(m_knownChart, ProgressCharts::knownDigits(m_views.known, m_today));
    replaceChart(m_paceByDayChart, ProgressCharts::paceByDay(m_views.pace));
    replaceChart(m_paceByBlockChart, ProgressCharts::paceByBlock(m_views.pace));
    m_heatmap->setHeatmap(m_views.heatmap, m_history.notes);
    m_heatmapLine->setText(QStringLiteral("Your median time before a digit: %1 s; a digit is slow past %2 s.")
                               .arg(m_views.heatmap.medianSeconds, 0, 'f', 2)
                               .arg(m_views.heatmap.slowSeconds, 0, 'f', 2));
    tell(statusText());
}

ProgressViews ProgressView::views() const
{
    ProgressViews views = m_views;
    views.forecast = m_readiness->forecast();
    views.plan = m_readiness->plan();
    views.calibration = m_readiness->calibration();
    return views;
}

QString ProgressView::statusText() const
{
    const int known = m_views.known.known.empty() ? 0 : m_views.known.known.back().value;
    const int best = m_views.known.bestRecital.empty() ? 0 : m_views.known.bestRecital.back().value;
    return QStringLiteral("%1 digits known from digit 1, best recital %2; %3 sessions, %4 keystrokes.")
        .arg(digits(known), digits(best), digits(int(m_history.sessions.size())),
             digits(int(m_history.keystrokes.size())));
}

QStringList ProgressView::summary() const
{
    return {statusText(), m_readiness->forecastText(), m_readiness->planText(), m_readiness->calibrationText()};
}

WriteResult ProgressView::exportPng(const QString& folder)
{
    return ProgressExport::writePngFiles(ProgressExport::figures(views(), m_history.notes), folder,
                                         numberName(m_number));
}

WriteResult ProgressView::exportSvg(const QString& folder)
{
    return ProgressExport::writeSvgFiles(ProgressExport::figures(views(), m_history.notes), folder,
                                         numberName(m_number));
}

WriteResult ProgressView::exportCsv(const QString& folder)
{
    return ProgressExport::writeCsvFiles(views(), folder);
}

WriteResult ProgressView::exportPdf(const QString& path)
{
    const ProgressViews shown = views();
    return writeFileAtomically(
        path, ProgressExport::progressPdf(shown, ProgressExport::figures(shown, m_history.notes), summary()));
}

void ProgressView::exportInto(const QString& what)
{
    if (!m_ready) {
        tell(QStringLiteral("Still reading the keystrokes: export once they are shown."));
        return;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    WriteResult result;
    QString where;
    if (what == QLatin1String("PDF")) {
        where = QFileDialog::getSaveFileName(
            this, QStringLiteral("Progress report"),
            QDir(documents).filePath(QStringLiteral("progress-%1.pdf").arg(numberName(m_number))),
            QStringLiteral("PDF (*.pdf)"));
        if (where.isEmpty())
            return;
        result = exportPdf(where);
    } else {
        where = QFileDialog::getExistingDirectory(this, QStringLiteral("Folder for the %1 files").arg(what), documents);
        if (where.isEmpty())
            return;
        result = what == QLatin1String("PNG")   ? exportPng(where)
                 : what == QLatin1String("SVG") ? exportSvg(where)
                                                : exportCsv(where);
    }
    if (result.ok)
        tell(QStringLiteral("Written to %1.").arg(QDir::toNativeSeparators(where)));
    else
        tell(QStringLiteral("Not written: %1").arg(result.error), true);
}

void ProgressView::tell(const QString& text, bool warning)
{
    m_status->setText(text);
    QPalette palette = m_status->palette();
    palette.setColor(QPalette::WindowText, QColor(warning ? TrainingLook::WarningColour : TrainingLook::TextColour));
    m_status->setPalette(palette);
}

void ProgressView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(SkinPieces::InnerColour));
}
