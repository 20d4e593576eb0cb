#pragma once

#include <QString>

#include <memory>

class QThread;

// Sends this computer's kept answers to the school's server, oldest first,
// on a thread of its own, and marks in the file those the server has. The
// server takes an answer once by its identity, so one sent again (after a
// kill between the server's commit and the mark) is never counted twice.
// A server or a network that is down is tried again after a pause that
// grows up to a minute; the writing of answers never waits for it.
// Answers of a child the server does not know stay unsent: they go once
// the child is there.
class ServerSender
{
public:
    // `path`: this computer's results file, already made by its writer.
    ServerSender(const QString &path, const QString &computer, const QString &service);
    // Gives up after a few seconds on a server that does not answer.
    ~ServerSender();
    ServerSender(const ServerSender &) = delete;
    ServerSender &operator=(const ServerSender &) = delete;

    // New answers are in the file.
    void wake();

    // The answers the server took from this sender, and the last problem.
    qint64 sent() const;
    QString problem() const;
    // Waits until nothing it can send is left unsent, or `timeoutMs` passed.
    bool waitUntilSent(int timeoutMs);

    // The longest pause between two tries, in ms.
    static constexpr int longestPause = 60000;
    static constexpr int batch = 500;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    QThread *thread_ = nullptr;
};
