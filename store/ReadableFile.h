#pragma once

#include <QSqlDatabase>
#include <QString>

#include <memory>

class QTemporaryDir;
class SqlConnection;

// A computer's results file opened for reading, in this build's version.
// A current file is read where it lies, read-only, so a program writing it
// meanwhile waits a moment at most; a file an older build wrote is copied
// and the copy brought up to date, so that the file itself, which its own
// computer may still be writing, is never changed by a reader.
class ReadableFile
{
public:
    explicit ReadableFile(const QString &path);
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

private:
    bool copyAndUpgrade();

    QString path_;
    QString name_;
    std::unique_ptr<SqlConnection> connection_;
    std::unique_ptr<QTemporaryDir> copy_;
    QString problem_;
    bool empty_ = false;
};
