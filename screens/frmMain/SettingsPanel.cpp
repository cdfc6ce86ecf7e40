#include "frmMain/SettingsPanel.h"

#include "frmMain/SettingsWriteNotice.h"
#include "settings/SettingsController.h"
#include "settings/SettingsPanelLayout.h"
#include "skin/Fonts.h"
#include "skin/SkinPieces.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {
const QColor LabelColour(192, 0, 0);

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

SettingsPanel::SettingsPanel(SettingsController& settings, SettingsWriteNotice& notice, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_notice(notice)
{
    setObjectName(QStringLiteral("picAyarlar"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, SkinPieces::InnerColour);
    colours.setColor(QPalette::WindowText, LabelColour);
    setPalette(colours);
    hide();
    createRows();
    mirrorSettings();
}

void SettingsPanel::createRows()
{
    for (std::size_t row = 0; row < PanelRows.size(); ++row) {
        auto* label = new QLabel(QString::fromLatin1(PanelRows[row].labelText), this);
        label->setObjectName(QStringLiteral("lbBilgi%1").arg(PanelRows[row].labelIndex));
        label->setFont(panelFont());
        label->adjustSize();
        m_rowLabels[row] = label;

        auto* list = new QComboBox(this);
        list->setObjectName(QString::fromLatin1(ComboNames[std::size_t(PanelRows[row].list)]));
        list->setFont(panelFont());
        list->setFixedWidth(PanelRows[row].listWidth);
        m_combos[std::size_t(PanelRows[row].list)] = list;
    }
    m_startButton = new QPushButton(QStringLiteral("START"), this);
    m_startButton->setObjectName(QStringLiteral("btnStart"));
    m_startButton->setFont(panelFont());
    m_startButton->setFixedSize(StartButtonSize);
    connect(m_startButton, &QPushButton::clicked, this, &SettingsPanel::startClicked);
}

QComboBox* SettingsPanel::combo(SettingsListId id) const
{
    return m_combos[std::size_t(id)];
}

void SettingsPanel::mirrorSettings()
{
    for (SettingsListId id : AllSettingsLists) {
        QComboBox* list = combo(id);
        list->addItems(m_settings.list(id).entries());
        list->setCurrentIndex(m_settings.list(id).position());
        connect(list, &QComboBox::activated, this,
                [this, id](int position) { m_notice.report(m_settings.listPicked(id, position)); });
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

void SettingsPanel::focusStart()
{
    m_startButton->setFocus();
}

void SettingsPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    std::array<QSize, 6> labelSizes;
    std::array<QSize, 6> listSizes;
    for (std::size_t row = 0; row < PanelRows.size(); ++row) {
        labelSizes[row] = m_rowLabels[row]->size();
        listSizes[row] = QSize(PanelRows[row].listWidth, combo(PanelRows[row].list)->sizeHint().height());
    }
    const SettingsPanelLayout layout = layOutSettingsPanel(size(), labelSizes, listSizes);
    m_startButton->setGeometry(layout.start);
    for (std::size_t row = 0; row < PanelRows.size(); ++row) {
        m_rowLabels[row]->setGeometry(layout.labels[row]);
        combo(PanelRows[row].list)->setGeometry(layout.lists[row]);
    }
}
