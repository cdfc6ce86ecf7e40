#include "frmTraining/TrainingSettingsView.h"

#include "TrainingStore.h"
#include "boxes/SaveFileDialog.h"
#include "buttons/SkinButton.h"
#include "frmTraining/TrainingLook.h"
#include "skin/SkinPieces.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStandardPaths>

namespace {
enum Field
{
    Retention,
    NewBlocks,
    MinutesCap,
};

constexpr int LabelWidth = 300;
constexpr int EditWidth = 110;
constexpr int RowHeight = 30;
constexpr int RowGap = 20;
constexpr QSize ButtonSize(170, 50);

void setColour(QLabel& label, QRgb colour)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, QColor(colour));
    label.setPalette(palette);
}
} // namespace

TrainingSettingsView::TrainingSettingsView(const TrainingSettings& settings, TrainingStore& store, QWidget* parent)
    : QWidget(parent), m_store(store),
      m_exportFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
{
    setObjectName(QStringLiteral("trainingSettings"));
    createSettings(settings);
    createExport();
    m_back = TrainingLook::makeButton(this, "btnBack", QStringLiteral("BACK"));
    connect(m_back, &SkinButton::clicked, this, &TrainingSettingsView::back, Qt::QueuedConnection);
}

void TrainingSettingsView::createSettings(const TrainingSettings& settings)
{
    m_heading = TrainingLook::makeLabel(this, "settingsHeading", 14, true);
    m_heading->setText(QStringLiteral("Settings"));

    const char* const editNames[] = {"settingsRetention", "settingsNewBlocks", "settingsMinutesCap"};
    const QString labels[] = {QStringLiteral("Desired retention"), QStringLiteral("New blocks a day, each number"),
                              QStringLiteral("Daily minutes cap")};
    const QString hints[] = {
        QStringLiteral("%1 to %2: the chance of recall each review is planned for; higher means more reviews.")
            .arg(retentionText(TrainingSettings::MinimumRetention), retentionText(TrainingSettings::MaximumRetention)),
        QStringLiteral("0 to %1; 0 learns nothing new.").arg(TrainingSettings::MaximumNewBlocksPerDay),
        QStringLiteral("%1 to %2 minutes, or empty for none; a backlog is spread over the next days under it.")
            .arg(TrainingSettings::MinimumMinutesCap)
            .arg(TrainingSettings::MaximumMinutesCap)};
    const QString values[] = {retentionText(settings.desiredRetention), QString::number(settings.newBlocksPerDay),
                              minutesCapText(settings.dailyMinutesCap)};
    for (int field = Retention; field <= MinutesCap; ++field) {
        m_labels[field] = TrainingLook::makeLabel(this, "settingsLabel", 11, true);
        m_labels[field]->setText(labels[field]);
        m_edits[field] = new QLineEdit(values[field], this);
        m_edits[field]->setObjectName(QString::fromLatin1(editNames[field]));
        m_edits[field]->setFont(TrainingLook::font(11));
        m_labels[field]->setBuddy(m_edits[field]);
        m_hints[field] = TrainingLook::makeLabel(this, "settingsHint", 9, false);
        m_hints[field]->setText(hints[field]);
        m_hints[field]->setWordWrap(true);
        connect(m_edits[field], &QLineEdit::returnPressed, this, &TrainingSettingsView::save);
    }

    m_save = TrainingLook::makeButton(this, "btnSave", QStringLiteral("SAVE"));
    connect(m_save, &SkinButton::clicked, this, &TrainingSettingsView::save);
    m_saveMessage = TrainingLook::makeLabel(this, "settingsMessage", 11, true);
    m_saveMessage->setWordWrap(true);
}

void TrainingSettingsView::createExport()
{
    m_exportHeading = TrainingLook::makeLabel(this, "exportHeading", 14, true);
    m_exportHeading->setText(QStringLiteral("Export the history as CSV"));
    m_exportView = new QComboBox(this);
    m_exportView->setObjectName(QStringLiteral("exportView"));
    m_exportView->setFont(TrainingLook::font(11));
    for (const TrainingView view : AllTrainingViews)
        m_exportView->addItem(viewName(view), int(view));
    m_export = TrainingLook::makeButton(this, "btnExport", QStringLiteral("EXPORT"));
    connect(m_export, &SkinButton::clicked, this, &TrainingSettingsView::exportChosen, Qt::QueuedConnection);
    m_exportMessage = TrainingLook::makeLabel(this, "exportMessage", 11, true);
    m_exportMessage->setWordWrap(true);
}

void TrainingSettingsView::save()
{
    const SettingsEntry entry =
        readSettingsEntry(m_edits[Retention]->text(), m_edits[NewBlocks]->text(), m_edits[MinutesCap]->text());
    if (!entry.settings) {
        setColour(*m_saveMessage, TrainingLook::WarningColour);
        m_saveMessage->setText(entry.problem);
        return;
    }
    m_store.saveSettings(*entry.settings);
    // As the rules will read them back: "0,85" shows as 0.85.
    m_edits[Retention]->setText(retentionText(entry.settings->desiredRetention));
    m_edits[MinutesCap]->setText(minutesCapText(entry.settings->dailyMinutesCap));
    setColour(*m_saveMessage, TrainingLook::TextColour);
    m_saveMessage->setText(QStringLiteral("Saved: today's queue and every review from now on follow them."));
}

void TrainingSettingsView::exportChosen()
{
    const auto view = TrainingView(m_exportView->currentData().toInt());
    const QString name = viewName(view);
    const QString path = SaveFileDialog::ask(this, QStringLiteral("Export %1").arg(name),
                                             QDir(m_exportFolder).filePath(name + QStringLiteral(".csv")),
                                             QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return;
    setColour(*m_exportMessage, TrainingLook::TextColour);
    m_exportMessage->setText(QStringLiteral("Writing %1 ...").arg(name));
    m_store.exportCsv(view, path, this,
                      [this, name, path](const WriteResult& result) { exported(name, path, result); });
}

void TrainingSettingsView::exported(const QString& view, const QString& path, const WriteResult& result)
{
    const QString nativePath = QDir::toNativeSeparators(path);
    if (!result.ok) {
        setColour(*m_exportMessage, TrainingLook::WarningColour);
        m_exportMessage->setText(
            QStringLiteral("%1 could not be written to %2: %3").arg(view, nativePath, result.error));
        return;
    }
    m_exportFolder = QFileInfo(path).absolutePath();
    setColour(*m_exportMessage, TrainingLook::TextColour);
    m_exportMessage->setText(QStringLiteral("%1 written to %2").arg(view, nativePath));
}

void TrainingSettingsView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int contentWidth = std::min(width() - 40, 900);
    const int left = (width() - contentWidth) / 2;
    m_heading->adjustSize();
    m_heading->move(left, 30);
    int y = m_heading->geometry().bottom() + 24;
    for (int field = Retention; field <= MinutesCap; ++field) {
        m_labels[field]->setGeometry(left, y, LabelWidth, RowHeight);
        m_edits[field]->setGeometry(left + LabelWidth, y, EditWidth, RowHeight);
        const int hintLeft = left + LabelWidth + EditWidth + 16;
        m_hints[field]->setGeometry(hintLeft, y - 4, left + contentWidth - hintLeft, RowHeight + 8);
        y += RowHeight + RowGap;
    }
    m_save->setGeometry(QRect(QPoint(left + LabelWidth, y), ButtonSize));
    const int messageLeft = m_save->geometry().right() + 16;
    m_saveMessage->setGeometry(messageLeft, y, left + contentWidth - messageLeft, ButtonSize.height());

    y = m_save->geometry().bottom() + 48;
    m_exportHeading->adjustSize();
    m_exportHeading->move(left, y);
    y = m_exportHeading->geometry().bottom() + 20;
    m_exportView->setGeometry(left, y + (ButtonSize.height() - RowHeight) / 2, LabelWidth - 20, RowHeight);
    m_export->setGeometry(QRect(QPoint(left + LabelWidth, y), ButtonSize));
    m_exportMessage->setGeometry(left, y + ButtonSize.height() + 12, contentWidth, 44);

    m_back->setGeometry(
        QRect(QPoint((width() - ButtonSize.width()) / 2, height() - ButtonSize.height() - 10), ButtonSize));
}

void TrainingSettingsView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(SkinPieces::InnerColour));
}
