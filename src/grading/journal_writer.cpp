// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_writer.h"

#include "workspace/atomic_file.h"
#include "workspace/file_messages.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace grading {

JournalWriter::JournalWriter(QString path, JournalBase base)
    : m_path(std::move(path))
    , m_base(base)
    , m_file(m_path)
{
    m_syncTimer.setSingleShot(true);
    m_syncTimer.setInterval(kSyncDelayMilliseconds);
    connect(&m_syncTimer, &QTimer::timeout, this, [this] {
        if (workspace::Status synced = syncNow(); !synced)
            emit syncFailed(synced.error());
    });
}

JournalWriter::~JournalWriter()
{
    if (syncPending())
        (void)syncNow();
}

workspace::Status JournalWriter::failure(const QString& reason) const
{
    return workspace::Failure{workspace::messages::cannotWrite(m_path, reason)};
}

workspace::Status JournalWriter::openForAppending()
{
    if (m_file.isOpen())
        return {};
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        return failure(m_file.errorString());
    return {};
}

workspace::Status JournalWriter::append(const ChangeList& changes)
{
    if (changes.empty())
        return {};
    // A file left from before belongs to an earlier opening and is replaced as a whole.
    if (!m_file.isOpen())
        return restart({QDateTime::currentDateTime(), changes, 0});
    const QByteArray bytes =
        encodeJournalRecord(m_nextNumber, {QDateTime::currentDateTime(), changes, 0});
    const qint64 sizeBefore = m_file.size();
    if (m_file.write(bytes) != bytes.size() || !m_file.flush()) {
        const QString reason = m_file.error() == QFileDevice::NoError
                                   ? workspace::messages::writeStoppedShort()
                                   : m_file.errorString();
        // Half a line would hide every later record from the replay.
        m_file.resize(sizeBefore);
        return failure(reason);
    }
    ++m_nextNumber;
    if (!m_syncTimer.isActive())
        m_syncTimer.start();
    return {};
}

workspace::Status JournalWriter::restart(const JournalRecord& record)
{
    m_file.close();
    m_syncTimer.stop();
    QByteArray bytes = encodeJournalHeader(m_base);
    if (!record.changes.empty())
        bytes += encodeJournalRecord(1, record);
    if (workspace::Status written = workspace::writeFileAtomically(m_path, bytes); !written)
        return written;
    m_nextNumber = record.changes.empty() ? 1 : 2;
    return openForAppending();
}

void JournalWriter::discard()
{
    m_syncTimer.stop();
    m_file.close();
    if (QFile::remove(m_path))
        (void)workspace::syncFolder(QFileInfo(m_path).absolutePath());
}

workspace::Status JournalWriter::syncNow()
{
    m_syncTimer.stop();
    if (!m_file.isOpen() || ::fdatasync(m_file.handle()) == 0)
        return {};
    return failure(QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace grading
