#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <memory>

class QTemporaryDir;
class SqlConnection;

// A computer's results file opened for reading, in this build's version.
// A current file is read where it lies, read-only, so a program writing it
// meanwhile waits a moment at most; a file an older build wrote is copied
// and the copy brought up to date, so that the file itself, which its own
// computer may still be writing, is never changed by a reader. A damaged
// file is read for what it still holds: its rows are salvaged page by page
// into a copy, and problem() says how many answers came back.
class ReadableFile
{
public:
    // `copy`: read from a copy of its own even when it is sound and
    // current, so that forget() may take answers out of it.
    explicit ReadableFile(const QString &path, bool copy = false);
    ~ReadableFile();
    ReadableFile(const ReadableFile &) = delete;
    ReadableFile &operator=(const ReadableFile &) = delete;

    // Nothing has ever been written in it: there is nothing to read.
    bool isEmpty() const { return empty_; }
    // Its tables can be read; otherwise problem() says why.
    bool isOpen() const;
    // "" or an Italian sentence for the teacher, naming the file.
    QString problem() const { return problem_; }
    QSqlDatabase &db();
    QString path() const { return path_; }
    // The file the queries read: the file itself or the copy.
    QString readPath() const { return readPath_; }

    // Whether it was found damaged as it was opened (not merely of a newer
    // build, or busy): salvage() is what reads it then.
    bool isDamaged() const { return damaged_; }
    // Reads what is left of the file page by page, after a query found it
    // damaged; false when nothing could be read.
    bool salvage();
    // How many answers salvage() brought back, or -1 if it was not needed.
    qint64 salvaged() const { return salvaged_; }
    // Takes out of the copy the answers the files at `paths` hold too, so
    // that a file set aside beside another with the same answers counts
    // each once. Only for a file read from a copy.
    bool forget(const QStringList &paths);

private:
    bool openCopy(const QString &copy);
    bool copyAndUpgrade();

    QString path_;
    QString name_;
    QString readPath_;
    std::unique_ptr<SqlConnection> connection_;
    std::unique_ptr<QTemporaryDir> copy_;
    QString problem_;
    qint64 salvaged_ = -1;
    bool empty_ = false;
    bool damaged_ = false;
};
