#pragma once

#include <QStringList>

// The four views of the training database that other programs may read. Their names and columns are
// kept as they are: a spreadsheet or a script depends on them.
enum class TrainingView
{
    SessionSummary,
    KeystrokeLog,
    ItemState,
    ReviewLog,
};

inline constexpr TrainingView AllTrainingViews[] = {TrainingView::SessionSummary, TrainingView::KeystrokeLog,
                                                    TrainingView::ItemState, TrainingView::ReviewLog};

QString viewName(TrainingView view);
// In the view's order, which is also the order of a CSV export's columns.
QStringList viewColumns(TrainingView view);
