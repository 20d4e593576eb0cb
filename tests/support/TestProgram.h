#pragma once

#include "Choices.h"
#include "Classroom.h"
#include "FakeSoundPlayer.h"
#include "Finestra.h"
#include "RecordingAnswerLog.h"
#include "ScriptedDialogs.h"
#include "ScriptedRandom.h"
#include "Services.h"
#include "Voice.h"
#include "WindowRegistry.h"

#include <QTemporaryDir>
#include <QWidget>

class FormEsercizio;

// The whole program wired to test doubles: scripted random values, recorded
// sounds, pre-answered message boxes and a quit that is only counted.
class TestProgram
{
public:
    TestProgram();
    ~TestProgram();

private:
    // Settings and a teacher's own clips go to a folder of the tests' own,
    // before anything reads them.
    struct TestMode
    {
        TestMode();
    } testMode_;

public:
    ScriptedRandom random;
    FakeSoundPlayer sound;
    ScriptedDialogs dialogs;
    WindowRegistry windows;
    Choices choices;
    Voice voice{sound, choices};
    int quitRequests = 0;
    // A data folder of the test's own, and every answer kept for a child.
    QTemporaryDir data;
    QList<KeptAnswer> kept;
    // Where a child's answers go: into `kept`, unless a test opens a log of its own.
    std::function<std::unique_ptr<AnswerLog>()> openLog;
    // The time answers are given at: now, unless a test sets it.
    QDateTime now;
    Classroom classroom{data.path(),
                        [this]() -> std::unique_ptr<AnswerLog> {
                            if (openLog)
                                return openLog();
                            return std::make_unique<RecordingAnswerLog>(kept);
                        },
                        [this] { return now.isValid() ? now : QDateTime::currentDateTime(); }};
    Services services{random,  sound, dialogs,   windows,
                      choices, voice, classroom, [this] { ++quitRequests; }};

    // Shows a window as the menu would and lets it finish opening.
    QWidget *open(Finestra window);
    template <typename T> T *open(Finestra window) { return qobject_cast<T *>(open(window)); }
    // Lets queued events (openings, deferred deletes) run.
    static void settle();

    QList<Finestra> openWindows() const;
    // Sets up a class with these children, in the test's data folder, and
    // lets the first one play; returns their ids.
    QStringList playAs(const QStringList &names);
};
