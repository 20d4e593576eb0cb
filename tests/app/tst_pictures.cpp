#include "ClassWindow.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "Drops.h"
#include "Modulo1.h"
#include "ResultsTab.h"
#include "SqliteAnswerLog.h"
#include "TestProgram.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>

#include <array>
#include <QTest>

Q_DECLARE_METATYPE(Finestra)

// Every window rendered in fixed states and compared with the reference
// pictures in tests/pictures. `make pictures` writes the references anew
// after an intended change of look.
namespace {

// Anti-aliasing noise stays within these; a moved border or another font
// changes far more pixels, by far more.
constexpr int channelTolerance = 32;
constexpr int pixelTolerance = 16;

const QString referenceDir = QStringLiteral(TEMPIOLO_PICTURES_DIR);
const QString failureDir = QStringLiteral(TEMPIOLO_PICTURES_FAILED_DIR);
bool writing()
{
    return qEnvironmentVariableIsSet("TEMPIOLO_WRITE_PICTURES");
}

// The number in an object name such as "Label3(7)".
int indexOf(const QObject *object)
{
    static const QRegularExpression number(QStringLiteral("\\((\\d+)\\)$"));
    return number.match(object->objectName()).captured(1).toInt();
}

// The cards a child can drag now, and the places, by their index.
QList<DragLabel *> playableCards(QWidget *window)
{
    QList<DragLabel *> cards;
    for (DragLabel *card : window->findChildren<DragLabel *>()) {
        if (card->isVisibleTo(window) && card->isEnabled() && !card->text().isEmpty())
            cards << card;
    }
    std::sort(cards.begin(), cards.end(), [](auto *a, auto *b) { return indexOf(a) < indexOf(b); });
    return cards;
}

DropLabel *place(QWidget *window, int index)
{
    for (DropLabel *place : window->findChildren<DropLabel *>()) {
        if (indexOf(place) == index)
            return place;
    }
    return nullptr;
}

bool faceShown(QWidget *window, const char *face)
{
    return !window->findChild<QWidget *>(QLatin1String(face))->isHidden();
}

// Plays the first card onto its own place, or onto the first empty place that is not its own.
void drop(QWidget *window, bool right)
{
    const int card = indexOf(playableCards(window).value(0));
    int target = card;
    for (int i = 0; !right && place(window, i); ++i) {
        if (i != card && place(window, i)->text().isEmpty()) {
            target = i;
            break;
        }
    }
    Drops::dropName(place(window, target), card);
}

// The families that Qt picks on this machine for the designed font and for
// the desktop's own (the menu bar); the references hold their names.
QString fontsInUse()
{
    return QStringLiteral("Arial: %1\ndesktop: %2\n")
        .arg(QFontInfo(QFont(QStringLiteral("Arial"))).family(),
             QFontInfo(QApplication::font()).family());
}

// Reference pixels dimmed, differing pixels red.
QImage differenceImage(const QImage &reference, const QImage &actual, int *differing)
{
    QImage difference(reference.size(), QImage::Format_RGB32);
    *differing = 0;
    for (int y = 0; y < reference.height(); ++y) {
        for (int x = 0; x < reference.width(); ++x) {
            const QColor a = reference.pixelColor(x, y);
            const QColor b = actual.pixelColor(x, y);
            const bool differs = std::abs(a.red() - b.red()) > channelTolerance ||
                                 std::abs(a.green() - b.green()) > channelTolerance ||
                                 std::abs(a.blue() - b.blue()) > channelTolerance;
            *differing += differs ? 1 : 0;
            const int grey = 160 + qGray(a.rgb()) * 95 / 255;
            difference.setPixelColor(x, y, differs ? QColor(Qt::red) : QColor(grey, grey, grey));
        }
    }
    return difference;
}

// "La classe" on its results, with a few days of made-up answers of the
// children, the first chosen.
std::unique_ptr<ClassWindow> classWithResults(TestProgram &program, const QStringList &children)
{
    const QStringList ids = program.playAs(children);
    const QDate today(2026, 12, 9);
    {
        SqliteAnswerLog log(program.data.path(), QStringLiteral("pc1"));
        for (int c = 0; c < ids.size(); ++c) {
            for (int n = 0; n < 40; ++n) {
                const int asked = (n * 5 + c) % 12;
                // Each child misses some, the first LUGLIO on GIUGNO's place most.
                const bool wrong = (n / 3 + c) % (c + 3) == 0;
                const int given = wrong ? (asked == 6 || c == 0 ? 5 : (asked + 1) % 12) : asked;
                const Finestra exercise =
                    std::array{Finestra::Form1, Finestra::Form2, Finestra::Form5}[n % 3];
                KeptAnswer answer;
                answer.when = QDateTime(today.addDays(-(n % 5)), QTime(9, n));
                answer.child = ids[c];
                answer.computer = QStringLiteral("pc1");
                answer.exercise = QLatin1String(exerciseKey(exercise));
                answer.language = QStringLiteral("it");
                answer.asked = asked + 1;
                answer.given = given + 1;
                answer.right = asked == given;
                answer.route = QStringLiteral("tocco");
                answer.seconds = 4;
                log.keep(answer);
            }
        }
        if (!log.flush())
            return {};
    }
    auto window = std::make_unique<ClassWindow>(program.data.path(), program.dialogs);
    window->resize(1000, 760);
    window->results()->setToday(today);
    if (!QTest::qWaitFor([&] { return !window->results()->isReading(); }))
        return {};
    window->findChild<QTabWidget *>()->setCurrentWidget(window->results());
    return window;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void window_data();
    void window();
};

void TestPictures::initTestCase()
{
    QFile recorded(referenceDir + QStringLiteral("/fonts.txt"));
    if (writing()) {
        QVERIFY(QDir().mkpath(referenceDir));
        QVERIFY(recorded.open(QIODevice::WriteOnly));
        recorded.write(fontsInUse().toUtf8());
        return;
    }
    QVERIFY2(recorded.open(QIODevice::ReadOnly), qPrintable(recorded.fileName()));
    const QString expected = QString::fromUtf8(recorded.readAll());
    if (expected != fontsInUse()) {
        QFAIL(qPrintable(QStringLiteral("the reference pictures were drawn with\n%1but this "
                                        "machine has\n%2Install the fonts (tools/install-deps.sh) "
                                        "rather than compare pictures in other fonts.")
                             .arg(expected, fontsInUse())));
    }
}

void TestPictures::window_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<QString>("state");
    // Every random draw of a row gives this value; each row draws a
    // different palette entry where its background shows one.
    QTest::addColumn<int>("entry");

    const auto row = [](const char *name, Finestra window, const char *state, int entry) {
        QTest::newRow(name) << window << QString::fromLatin1(state) << entry;
    };
    row("FormAvvio", Finestra::FormAvvio, "open", 1);
    row("FormMenu", Finestra::FormMenu, "open", 2);
    row("FormMenu-automatic", Finestra::FormMenu, "automatic", 3);
    row("Form1", Finestra::Form1, "open", 4);
    row("Form2", Finestra::Form2, "open", 5);
    row("Form3", Finestra::Form3, "open", 6);
    row("Form4", Finestra::Form4, "open", 7);
    row("Form5", Finestra::Form5, "open", 8);
    row("Form6", Finestra::Form6, "open", 9);
    row("Form7", Finestra::Form7, "open", 10);
    row("Form1-right", Finestra::Form1, "right", 11);
    row("Form1-wrong", Finestra::Form1, "wrong", 12);
    row("Form1-end", Finestra::Form1, "end", 13);
    row("Form5-right", Finestra::Form5, "right", 14);
    row("Form5-wrong", Finestra::Form5, "wrong", 16);
    row("Form5-end", Finestra::Form5, "end", 17);
    row("Form7-digits", Finestra::Form7, "digits", 18);
    row("Form7-question", Finestra::Form7, "question", 1);
    // With "nomi in inglese": one window of each kind.
    row("Form3-english", Finestra::Form3, "english", 2);
    row("Form6-english", Finestra::Form6, "english", 5);
    row("Form7-english", Finestra::Form7, "english", 7);
    // A class: the children pick themselves, and the teacher reads their results.
    row("ChiGioca", Finestra::PlayerPicker, "class", 3);
    row("LaClasse", Finestra::FormAvvio, "results", 1);
    // The review of what a child missed yesterday, and of nothing.
    row("FormMenu-ripasso", Finestra::FormMenu, "review", 4);
    row("Ripasso", Finestra::Ripasso, "review", 6);
    row("Ripasso-calendario", Finestra::Ripasso, "review calendar", 8);
    row("Ripasso-finito", Finestra::Ripasso, "open", 9);
}

void TestPictures::window()
{
    QFETCH(Finestra, window);
    QFETCH(QString, state);
    QFETCH(int, entry);

    TestProgram program;
    program.random.script({(entry - 0.5) / 18.0});
    if (state == QLatin1String("english"))
        program.choices.setLanguage(QStringLiteral("en"));
    const QStringList children{QStringLiteral("Niccolò"), QStringLiteral("Giulia"),
                               QStringLiteral("Rossi; Anna"), QStringLiteral("Leonardo")};
    std::unique_ptr<ClassWindow> teacher;
    if (state == QLatin1String("class"))
        program.playAs(children);
    if (state.startsWith(QLatin1String("review"))) {
        // Yesterday: LUGLIO on GIUGNO's place, or a wrong day of July.
        program.playAs(children);
        program.now = QDateTime(QDate(2026, 12, 9), QTime(10, 0));
        KeptAnswer missed;
        missed.items = state.endsWith(QLatin1String("calendar")) ? Items::Dates : Items::Months;
        missed.asked = missed.items == Items::Dates ? 20010705 : 7;
        missed.given = missed.items == Items::Dates ? 20010706 : 6;
        program.classroom.keep(missed);
        program.now = program.now.addDays(1);
    }
    if (state == QLatin1String("results")) {
        teacher = classWithResults(program, children);
        teacher->show();
    }
    QWidget *shown = teacher ? teacher.get() : program.open(window);
    if (state == QLatin1String("automatic")) {
        shown->findChild<QAbstractButton *>(QStringLiteral("Option1(0)"))->click();
        QVERIFY(!Modulo1::AttendiAvanti);
    } else if (state == QLatin1String("right") || state == QLatin1String("wrong")) {
        drop(shown, state == QLatin1String("right"));
        QVERIFY(faceShown(shown,
                          state == QLatin1String("right") ? "ComandoIconaSi" : "ComandoIconaNo"));
    } else if (state == QLatin1String("end")) {
        while (!playableCards(shown).isEmpty())
            drop(shown, true);
        QVERIFY(shown->findChild<QAbstractButton *>(QStringLiteral("BottoneAvanti"))->isEnabled());
    } else if (state == QLatin1String("digits")) {
        shown->findChild<QAction *>(QStringLiteral("mnuTrue"))->trigger();
    } else if (state == QLatin1String("question")) {
        QTest::mouseClick(shown->findChild<QAbstractButton *>(QStringLiteral("Label3")),
                          Qt::LeftButton);
    }
    program.settle();

    const QImage actual = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(actual.devicePixelRatio(), 1.0);
    const QString name = QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".png");
    if (writing()) {
        QVERIFY(actual.save(referenceDir + QLatin1Char('/') + name));
        return;
    }

    const QImage reference(referenceDir + QLatin1Char('/') + name);
    QVERIFY2(!reference.isNull(), qPrintable(QStringLiteral("no reference picture %1 in %2: "
                                                            "make pictures draws it")
                                                 .arg(name, referenceDir)));
    int differing = actual.width() * actual.height();
    QImage difference;
    if (actual.size() == reference.size())
        difference =
            differenceImage(reference.convertToFormat(QImage::Format_RGB32), actual, &differing);
    if (differing > pixelTolerance) {
        QDir().mkpath(failureDir);
        const QString actualPath = failureDir + QStringLiteral("/actual-") + name;
        const QString differencePath = failureDir + QStringLiteral("/difference-") + name;
        actual.save(actualPath);
        if (!difference.isNull())
            difference.save(differencePath);
        QFAIL(qPrintable(QStringLiteral("%1 looks different: %2 pixels differ (size %3×%4, "
                                        "reference %5×%6).\n   actual:     %7\n   difference: %8")
                             .arg(QString::fromLatin1(QTest::currentDataTag()))
                             .arg(differing)
                             .arg(actual.width())
                             .arg(actual.height())
                             .arg(reference.width())
                             .arg(reference.height())
                             .arg(actualPath, difference.isNull() ? QStringLiteral("(sizes differ)")
                                                                  : differencePath)));
    }
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
