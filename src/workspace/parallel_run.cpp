// SPDX-License-Identifier: GPL-3.0-or-later
#include "parallel_run.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <numeric>

namespace workspace {

QList<Status> runInParallel(int count, const IndexedWork& work,
                            const std::function<void(int done)>& progress)
{
    if (count <= 0)
        return {};
    QList<int> indices(count);
    std::iota(indices.begin(), indices.end(), 0);

    // A pool of its own: Qt's painting and image conversion on this thread split their work
    // over the global pool and wait for it, which would freeze the window behind a long run.
    QThreadPool pool;
    pool.setMaxThreadCount(QThread::idealThreadCount());
    QFutureWatcher<Status> watcher;
    QEventLoop loop;
    if (progress)
        QObject::connect(&watcher, &QFutureWatcherBase::progressValueChanged, &loop, progress);
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::mapped(&pool, std::move(indices), work));
    if (!watcher.isFinished())
        loop.exec();
    // The loop can also end early when the application quits; the files must still be whole.
    watcher.waitForFinished();
    return watcher.future().results();
}

} // namespace workspace
