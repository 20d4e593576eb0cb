#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;

// The options of both programs, `tempiolo` and the teacher's
// `tempiolo-classe`, read before any application object exists: the
// children's program hands the teacher's options over to the teacher's
// program before it loads anything a window needs.
class CommandLine
{
public:
    enum class Request {
        Play,          // no option of its own, or only --schermo-intero
        ClassWindow,   // --classe
        Export,        // --esporta-risultati FILE.csv
        PrepareServer, // --prepara-server
        Help,
        Version,
        Refused, // an option or an argument the programs do not know
    };

    // `program` names the program in what it prints, `about` says in
    // Italian what it is, at the top of --help.
    CommandLine(const QString &program, const QString &about, const QStringList &arguments);
    static QStringList of(int argc, char **argv);

    Request request() const { return request_; }
    // Whether the request belongs to the teacher's program.
    bool forTeacher() const;
    bool fullScreen() const { return fullScreen_; }
    QString exportPath() const { return exportPath_; }

    // For Help, Version and Refused: prints the help, the version or a
    // one-line refusal, and returns the exit status.
    int reply() const;

private:
    void define(QCommandLineParser &parser) const;
    Request judge(const QCommandLineParser &parser) const;
    QString refusal(const QCommandLineParser &parser) const;

    QString program_;
    QString about_;
    QStringList arguments_;
    Request request_ = Request::Play;
    bool fullScreen_ = false;
    QString exportPath_;
};
