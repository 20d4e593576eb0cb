// From a tap on a card to the first sample of its name at the sound server.
// Run by tools/bench.sh inside a PulseAudio server whose default sink is a
// null sink: its monitor is recorded with parec, and the first sample that
// is not silence is dated on the same monotonic clock as the tap.
#include "Choices.h"
#include "Classroom.h"
#include "DragLabel.h"
#include "Drops.h"
#include "EffectSoundPlayer.h"
#include "FormEsercizio.h"
#include "Modulo1.h"
#include "PickUp.h"
#include "Program.h"
#include "ScriptedDialogs.h"
#include "ScriptedRandom.h"
#include "Services.h"
#include "Voice.h"
#include "WindowRegistry.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int rate = 22050;

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    ScriptedRandom random;
    random.script({0.37});
    EffectSoundPlayer sound;
    ScriptedDialogs dialogs;
    WindowRegistry windows;
    Choices choices;
    choices.setVoiceOn(true);
    Voice voice(sound, choices);
    QTemporaryDir data;
    Classroom classroom(data.path(), {});
    const Services services{random, sound, dialogs, windows, choices, voice, classroom, [] {}};
    Program::registerWindows(windows, services);
    // As the program does after its first paint: the sounds are made ready
    // and the output opened; each clip loads when it is first said.
    const QString made = QStringLiteral(TEMPIOLO_MADE_VOICES_DIR "/it");
    sound.preload(Modulo1::allSoundPaths());

    QProcess recorder;
    QElapsedTimer clock;
    clock.start();
    QList<qint64> firstSound; // ms on the clock, one per burst of sound
    qint64 lastLoud = 0;      // ms on the clock
    // Samples are dated by their count from the first, which arrived as its
    // chunk did: the monitor of a null sink runs on without a break.
    qint64 anchor = -1;
    qint64 samples = 0;
    bool inSound = false;
    int quiet = 0;
    QObject::connect(&recorder, &QProcess::readyReadStandardOutput, [&] {
        const QByteArray bytes = recorder.readAllStandardOutput();
        const qint64 now = clock.elapsed();
        const auto *data = reinterpret_cast<const qint16 *>(bytes.constData());
        const qint64 count = bytes.size() / 2;
        if (anchor < 0)
            anchor = now - count * 1000 / rate;
        for (qint64 i = 0; i < count; ++i) {
            const bool loud = std::abs(data[i]) > 300;
            const qint64 at = anchor + (samples + i) * 1000 / rate;
            if (loud)
                lastLoud = at;
            if (loud && !inSound) {
                firstSound << at;
                inSound = true;
            }
            quiet = loud ? 0 : quiet + 1;
            if (quiet > rate / 5)
                inSound = false;
        }
        samples += count;
    });
    recorder.start(QStringLiteral("parec"),
                   {QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                    QStringLiteral("--rate=%1").arg(rate), QStringLiteral("--channels=1"),
                    QStringLiteral("--latency-msec=5"), QStringLiteral("-d"),
                    QStringLiteral("@DEFAULT_MONITOR@")});
    if (!recorder.waitForStarted(3000)) {
        std::fprintf(stderr, "voice bench: parec did not start\n");
        return 2;
    }
    auto *window = qobject_cast<FormEsercizio *>(windows.show(Finestra::Form1));
    // Warm: the output was opened by the preload; let it settle.
    QTest::qWait(2500);

    QList<qint64> taps;
    for (int i = 0; i < 10; ++i) {
        const QList<DragLabel *> cards = window->pickUp()->playableCards();
        DragLabel *card = cards.value(i % int(cards.size()));
        taps << clock.elapsed();
        QTest::mouseClick(card, Qt::LeftButton);
        QTest::qWait(1500);
        // Put down, without a word, for the next tap.
        window->pickUp()->putDown();
    }
    // A question joined from three clips: heard for as long as the three
    // files last end to end, plus what the joins add.
    const QStringList question = qEnvironmentVariableIsSet("BENCH_ONE_CLIP")
                                     ? QStringList{made + QStringLiteral("/duemilauno.wav")}
                                     : QStringList{made + QStringLiteral("/trova-24.wav"),
                                                   made + QStringLiteral("/gennaio.wav"),
                                                   made + QStringLiteral("/duemilauno.wav")};
    const int before = int(firstSound.size());
    sound.speak(question);
    QTest::qWait(5000);
    recorder.kill();
    recorder.waitForFinished();
    const qint64 heardFor = firstSound.size() > before ? lastLoud - firstSound[before] : -1;
    // What each clip says, from its first sound to its last.
    qint64 spoken = 0;
    for (const QString &clip : question) {
        QFile file(clip);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        const QByteArray data = bytes.mid(bytes.indexOf("data") + 8);
        const auto *pcm = reinterpret_cast<const qint16 *>(data.constData());
        qint64 first = -1, last = -1;
        for (qint64 i = 0; i < data.size() / 2; ++i) {
            if (std::abs(pcm[i]) > 300) {
                if (first < 0)
                    first = i;
                last = i;
            }
        }
        spoken += (last - first) * 1000 / rate;
    }
    const qlonglong joins = question.size() - 1;
    std::printf("voice question of %lld clips heard for %lld ms, %lld ms of it words: "
                "%lld ms of silence at each join\n",
                qlonglong(question.size()), qlonglong(heardFor), qlonglong(spoken),
                joins > 0 ? qlonglong((heardFor - spoken) / joins) : 0LL);
    QList<qint64> delays;
    for (qint64 tap : taps) {
        const auto heard = std::find_if(firstSound.begin(), firstSound.end(),
                                        [tap](qint64 at) { return at >= tap - 5; });
        if (heard != firstSound.end())
            delays << *heard - tap;
    }
    if (delays.size() != taps.size()) {
        std::fprintf(stderr, "voice bench: %lld of %lld taps heard\n", qlonglong(delays.size()),
                     qlonglong(taps.size()));
        return 1;
    }
    std::sort(delays.begin(), delays.end());
    std::printf("voice tap-to-sample median %lld ms max %lld ms (%lld taps)\n",
                qlonglong(delays[delays.size() / 2]), qlonglong(delays.last()),
                qlonglong(delays.size()));
    return 0;
}
