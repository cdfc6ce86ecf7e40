// The screenshots of the progress view in README.md, on a made-up year of training:
//     build/tests/progress_screenshots docs [report.pdf]
// writes docs/progress-*.png, the training window on each tab, as the program draws it offscreen, and
// the one-page report when a second path is given.
#include "GeneratedHistory.h"
#include "SqliteTrainingStore.h"
#include "frmTraining/frmTraining.h"
#include "frmTraining/progress/ErrorHeatmapWidget.h"
#include "frmTraining/progress/ProgressView.h"
#include "frmTraining/progress/ReadinessPanel.h"
#include "training/TrainingClock.h"
#include "training/TrainingDays.h"
#include "training/TrainingItems.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void settle()
{
    for (int round = 0; round < 5; ++round)
        QCoreApplication::processEvents();
}

// The digit with the most errors in the first blocks that have a note, pointed at.
void pointAtAWeakDigit(ErrorHeatmapWidget& heatmap, const std::map<QString, QString>& notes)
{
    int chosen = 1;
    for (int position = 1; position <= 3000; ++position) {
        const bool noted = notes.count(QStringLiteral("pi/block/%1").arg((position - 1) / BlockLength + 1)) != 0;
        if (noted && heatmap.heatmap().at(position).errors > heatmap.heatmap().at(chosen).errors)
            chosen = position;
    }
    for (int y = 0; y < heatmap.height(); ++y) {
        for (int x = 0; x < heatmap.width(); ++x) {
            if (heatmap.positionAt({x, y}) == chosen) {
                QMouseEvent move(QEvent::MouseMove, QPointF(x, y), heatmap.mapToGlobal(QPointF(x, y)), Qt::NoButton,
                                 Qt::NoButton, Qt::NoModifier);
                QCoreApplication::sendEvent(&heatmap, &move);
                return;
            }
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const FakeTrainingClock clock(QDateTime(QDate(2027, 1, 10), QTime(18, 0)).toUTC());
    const int today = trainingDay(clock.nowUtc());

    QTemporaryDir dir;
    HistoryShape shape;
    shape.lastDay = today - 1;
    if (!generateHistory(shape).writeToFile(dir.path()))
        return 1;
    SqliteTrainingStore store(dir.path());
    const StoreOpening opening = store.open();
    if (!opening.opened)
        return 1;
    frmTraining window(TrainingStart{TrainingActivity::Progress, TrainingNumber::Pi, {}}, store, opening, clock);
    window.resize(1280, 800);
    window.show();
    auto* view = qobject_cast<ProgressView*>(window.view());
    while (view && !view->isReady())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (!view)
        return 1;
    view->readiness()->setDate(int(QDate(2027, 3, 14).toJulianDay()));

    const char* names[] = {"progress-known-digits", "progress-pace", "progress-heatmap", "progress-readiness",
                           "progress-calendar"};
    for (int tab = 0; tab < view->tabs()->count(); ++tab) {
        view->tabs()->setCurrentIndex(tab);
        settle();
        if (tab == 2) {
            std::map<QString, QString> notes;
            for (const StoredNote& note : store.notes())
                notes.emplace(note.itemId, note.text);
            pointAtAWeakDigit(*view->heatmap(), notes);
            settle();
        }
        const QString path = out.filePath(QString::fromLatin1(names[tab]) + QStringLiteral(".png"));
        QImage image(window.size(), QImage::Format_RGB32);
        window.render(&image);
        if (!image.save(path)) {
            std::fprintf(stderr, "could not write %s (%dx%d)\n", qPrintable(path), image.width(), image.height());
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    if (argc > 2 && !view->exportPdf(QString::fromLocal8Bit(argv[2])).ok)
        return 1;
    return 0;
}
