#include "NameClips.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {

// The program's Italian voice, with the settings tools/make_voices.sh uses.
const QStringList speakArguments = {QStringLiteral("-v"), QStringLiteral("it+f3"),
                                    QStringLiteral("-s"), QStringLiteral("140"),
                                    QStringLiteral("-p"), QStringLiteral("60")};
// Silence trimmed at both ends, 110 ms put back at the end: Qt Multimedia
// stops a sound about that long before its end.
const QStringList trimArguments = {
    QStringLiteral("silence"), QStringLiteral("1"),       QStringLiteral("0.01"),
    QStringLiteral("0.5%"),    QStringLiteral("reverse"), QStringLiteral("silence"),
    QStringLiteral("1"),       QStringLiteral("0.01"),    QStringLiteral("0.5%"),
    QStringLiteral("reverse"), QStringLiteral("pad"),     QStringLiteral("0"),
    QStringLiteral("0.11")};
// A name takes espeak-ng well under a second; a program that hangs is stopped.
constexpr int stepTimeoutMs = 20000;

} // namespace

NameClips::NameClips(const QString &folder, QObject *parent)
    : QObject(parent), m_folder(folder + QStringLiteral("/voci-bambini"))
{
}

NameClips::~NameClips()
{
    m_waiting.clear();
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(1000);
        removeParts(m_current.id);
    }
}

QString NameClips::clipPath(const QString &id) const
{
    return m_folder + QLatin1Char('/') + id + QStringLiteral(".wav");
}

QString NameClips::partPath(const QString &id, const char *part) const
{
    return m_folder + QLatin1Char('/') + id + QLatin1Char('.') + QLatin1String(part) +
           QStringLiteral(".wav");
}

void NameClips::removeParts(const QString &id) const
{
    QFile::remove(partPath(id, "spoken"));
    QFile::remove(partPath(id, "trimmed"));
}

bool NameClips::busy() const
{
    return m_process || !m_waiting.isEmpty();
}

void NameClips::make(const QString &id, const QString &name)
{
    forget(id);
    if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty())
        return;
    m_waiting.append({id, name});
    if (!m_process)
        startNext();
}

void NameClips::forget(const QString &id)
{
    m_waiting.removeIf([&](const Job &job) { return job.id == id; });
    if (m_process && m_current.id == id) {
        m_cancelled = true;
        m_process->kill();
    }
    QFile::remove(clipPath(id));
    removeParts(id);
}

void NameClips::startNext()
{
    if (m_waiting.isEmpty())
        return;
    m_current = m_waiting.takeFirst();
    m_cancelled = false;
    if (!QDir().mkpath(m_folder)) {
        m_current = {};
        m_waiting.clear();
        return;
    }
    QFile::setPermissions(m_folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The name goes in on standard input: never taken for an option, never
    // shown in the list of running programs.
    run(QStringLiteral("espeak-ng"),
        speakArguments + QStringList{QStringLiteral("--stdin"), QStringLiteral("-w"),
                                     partPath(m_current.id, "spoken")},
        &NameClips::spoken);
    m_process->write(m_current.name.toUtf8());
    m_process->closeWriteChannel();
}

void NameClips::run(const QString &program, const QStringList &arguments,
                    void (NameClips::*then)(bool))
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->deleteLater();
    }
    const int step = ++m_step;
    m_process = new QProcess(this);
    connect(m_process, &QProcess::finished, this,
            [this, step, then](int exitCode, QProcess::ExitStatus status) {
                if (step == m_step)
                    (this->*then)(!m_cancelled && status == QProcess::NormalExit && exitCode == 0);
            });
    connect(m_process, &QProcess::errorOccurred, this, [this, step](QProcess::ProcessError error) {
        // Not from within start(): the job goes on only once start() is over.
        if (error == QProcess::FailedToStart)
            QTimer::singleShot(0, this, [this, step] {
                if (step == m_step)
                    finish(false);
            });
    });
    QTimer::singleShot(stepTimeoutMs, m_process, &QProcess::kill);
    m_process->start(program, arguments);
}

void NameClips::spoken(bool ok)
{
    if (!ok || !QFile::exists(partPath(m_current.id, "spoken"))) {
        finish(false);
        return;
    }
    if (QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty()) {
        // Without sox the clip is said as espeak-ng made it, with its silences.
        QFile::rename(partPath(m_current.id, "spoken"), partPath(m_current.id, "trimmed"));
        finish(true);
        return;
    }
    run(QStringLiteral("sox"),
        QStringList{partPath(m_current.id, "spoken"), partPath(m_current.id, "trimmed")} +
            trimArguments,
        &NameClips::finish);
}

void NameClips::finish(bool keep)
{
    const QString id = m_current.id;
    bool kept = false;
    if (keep && !m_cancelled) {
        QFile::remove(clipPath(id));
        kept = QFile::rename(partPath(id, "trimmed"), clipPath(id));
        QFile::setPermissions(clipPath(id), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    removeParts(id);
    ++m_step;
    m_process->disconnect(this);
    m_process->deleteLater();
    m_process = nullptr;
    m_current = {};
    if (kept)
        emit made(id);
    startNext();
}
