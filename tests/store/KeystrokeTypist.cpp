// The typist of the kill test: types into a new session of the training store in the folder given,
// one keystroke each time the last one is kept, and writes "session seq\n" to its output for every
// kept one. It runs until it is killed.
#include "SqliteTrainingStore.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    SqliteTrainingStore store(QString::fromLocal8Bit(argv[1]));
    if (!store.open().opened)
        return 3;
    const qint64 session =
        store.startSession(TrainingMode::Recite, TrainingNumber::Pi, 1, QDateTime::currentDateTimeUtc());
    for (int seq = 1;; ++seq) {
        // Every seventh digit typed wrong, so the counts of correct digits are tried too.
        store.addKeystroke({session, seq, seq, seq % 10, seq % 7 == 0 ? (seq + 1) % 10 : seq % 10, seq * 150});
        store.waitForIdle();
        std::printf("%lld %d\n", static_cast<long long>(session), seq);
        std::fflush(stdout);
    }
}
