#pragma once

#include "settings/SettingsLists.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class SettingsController;
class SettingsWriteNotice;

// The settings panel picAyarlar: a label and a list for each of the six settings, and START. The lists
// show what the settings logic holds; only the user's own picks flow back into it.
class SettingsPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsPanel)

public:
    // Hidden until its window places it. A pick's failed write is said through `notice`.
    SettingsPanel(SettingsController& settings, SettingsWriteNotice& notice, QWidget* parent);

    void focusStart();

signals:
    void startClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void createRows();
    void mirrorSettings();
    QComboBox* combo(SettingsListId id) const;

    SettingsController& m_settings;
    SettingsWriteNotice& m_notice;
    std::array<QLabel*, 6> m_rowLabels{}; // lbBilgi, top to bottom
    std::array<QComboBox*, 6> m_combos{}; // indexed by SettingsListId
    QPushButton* m_startButton = nullptr; // btnStart
};
