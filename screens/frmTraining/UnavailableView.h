#pragma once

#include "training/TrainingActivity.h"

#include <QWidget>

class QLabel;
class SkinButton;

// A mode this version cannot do yet says so plainly, rather than showing a view that does nothing.
class UnavailableView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UnavailableView)

public:
    explicit UnavailableView(TrainingActivity activity, QWidget* parent = nullptr);

    QString text() const;

signals:
    void back();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_line = nullptr;
    SkinButton* m_back = nullptr;
};
