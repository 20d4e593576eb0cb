#include "NameClips.h"

#include "OwnerOnly.h"

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
    : QObject(parent), folder_(folder + QStringLiteral("/voci-bambini"))
{
}

NameClips::~NameClips()
{
    waiting_.clear();
    if (process_) {
        process_->disconnect(this);
        process_->kill();
        process_->waitForFinished(1000);
        removeParts(current_.id);
    }
}

QString NameClips::clipPath(const QString &id) const
{
    return folder_ + QLatin1Char('/') + id + QStringLiteral(".wav");
}

QString NameClips::partPath(const QString &id, const char *part) const
{
    return folder_ + QLatin1Char('/') + id + QLatin1Char('.') + QLatin1String(part) +
           QStringLiteral(".wav");
}

void NameClips::removeParts(const QString &id) const
{
    QFile::remove(partPath(id, "spoken"));
    QFile::remove(partPath(id, "trimmed"));
}

bool NameClips::busy() const
{
    return process_ || !waiting_.isEmpty();
}

void NameClips::make(const QString &id, const QString &name)
{
    forget(id);
    if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty())
        return;
    waiting_.append({id, name});
    if (!process_)
        startNext();
}

void NameClips::forget(const QString &id)
{
    waiting_.removeIf([&](const Job &job) { return job.id == id; });
    if (process_ && current_.id == id) {
        cancelled_ = true;
        process_->kill();
    }
    QFile::remove(clipPath(id));
    removeParts(id);
}

void NameClips::startNext()
{
    if (waiting_.isEmpty())
        return;
    current_ = waiting_.takeFirst();
    cancelled_ = false;
    if (!OwnerOnly::makeFolder(folder_)) {
        current_ = {};
        waiting_.clear();
        return;
    }
    // The name goes in on standard input: never taken for an option, never
    // shown in the list of running programs.
    run(QStringLiteral("espeak-ng"),
        speakArguments + QStringList{QStringLiteral("--stdin"), QStringLiteral("-w"),
                                     partPath(current_.id, "spoken")},
        &NameClips::spoken);
    process_->write(current_.name.toUtf8());
    process_->closeWriteChannel();
}

void NameClips::run(const QString &program, const QStringList &arguments,
                    void (NameClips::*then)(bool))
{
    if (process_) {
        process_->disconnect(this);
        process_->deleteLater();
    }
    const int step = ++step_;
    process_ = new QProcess(this);
    connect(process_, &QProcess::finished, this,
            [this, step, then](int exitCode, QProcess::ExitStatus status) {
                if (step == step_)
                    (this->*then)(!cancelled_ && status == QProcess::NormalExit && exitCode == 0);
            });
    connect(process_, &QProcess::errorOccurred, this, [this, step](QProcess::ProcessError error) {
        // Not from within start(): the job goes on only once start() is over.
        if (error == QProcess::FailedToStart)
            QTimer::singleShot(0, this, [this, step] {
                if (step == step_)
                    finish(false);
            });
    });
    QTimer::singleShot(stepTimeoutMs, process_, &QProcess::kill);
    process_->start(program, arguments);
}

void NameClips::spoken(bool ok)
{
    if (!ok || !QFile::exists(partPath(current_.id, "spoken"))) {
        finish(false);
        return;
    }
    if (QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty()) {
        // Without sox the clip is said as espeak-ng made it, with its silences.
        QFile::rename(partPath(current_.id, "spoken"), partPath(current_.id, "trimmed"));
        finish(true);
        return;
    }
    run(QStringLiteral("sox"),
        QStringList{partPath(current_.id, "spoken"), partPath(current_.id, "trimmed")} +
            trimArguments,
        &NameClips::finish);
}

void NameClips::finish(bool keep)
{
    const QString id = current_.id;
    bool kept = false;
    if (keep && !cancelled_) {
        QFile::remove(clipPath(id));
        kept = QFile::rename(partPath(id, "trimmed"), clipPath(id));
        OwnerOnly::restrict(clipPath(id));
    }
    removeParts(id);
    ++step_;
    process_->disconnect(this);
    process_->deleteLater();
    process_ = nullptr;
    current_ = {};
    if (kept)
        emit made(id);
    startNext();
}
