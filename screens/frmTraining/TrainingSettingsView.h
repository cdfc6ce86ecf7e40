#pragma once

#include "training/TrainingSettings.h"

#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class SkinButton;
class TrainingStore;
struct WriteResult;

// The competitor's training settings, kept in the store when SAVE finds each within its range, and the
// export of a view of the history to a CSV file they choose.
class TrainingSettingsView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrainingSettingsView)

public:
    // Shows `settings`; the store must outlive the view.
    TrainingSettingsView(const TrainingSettings& settings, TrainingStore& store, QWidget* parent = nullptr);

signals:
    void back();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createSettings(const TrainingSettings& settings);
    void createExport();
    void save();
    void exportChosen();
    void exported(const QString& view, const QString& path, const WriteResult& result);

    TrainingStore& m_store;
    QString m_exportFolder;

    QLabel* m_heading = nullptr;
    QLabel* m_labels[3] = {};
    QLineEdit* m_edits[3] = {};
    QLabel* m_hints[3] = {};
    SkinButton* m_save = nullptr;
    QLabel* m_saveMessage = nullptr;
    QLabel* m_exportHeading = nullptr;
    QComboBox* m_exportView = nullptr;
    SkinButton* m_export = nullptr;
    QLabel* m_exportMessage = nullptr;
    SkinButton* m_back = nullptr;
};
