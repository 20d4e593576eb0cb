#include "Controls.h"
#include "Counts.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "Drops.h"
#include "FormEsercizio.h"
#include "FormRipasso.h"
#include "Language.h"
#include "Modulo1.h"
#include "PickUp.h"
#include "PlayerPicker.h"
#include "TestProgram.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QUuid>

namespace {

QRadioButton *option(QWidget *menu, int index)
{
    return menu->findChild<QRadioButton *>(QStringLiteral("Option1(%1)").arg(index));
}

QAbstractButton *button(QWidget *window, const char *name)
{
    return window->findChild<QAbstractButton *>(QLatin1String(name));
}

QList<Finestra> only(Finestra window)
{
    return {window};
}

} // namespace

Q_DECLARE_METATYPE(Finestra)

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void startScreenDesign();
    void startScreenLoadSetsWaitingAndColour_data();
    void startScreenLoadSetsWaitingAndColour();
    void avvioShowsMenuWaitingOptionSelected();
    void whoPlays_data();
    void whoPlays();
    void reviewOfAMissedPair_data();
    void reviewOfAMissedPair();
    void classFromTheServer_data();
    void classFromTheServer();
    void childGoneFromTheServer_data();
    void childGoneFromTheServer();
    void whoPlaysGrid_data();
    void whoPlaysGrid();
    void menuDesign();
    void menuOptionsTakeTheWindowColour();
    void optionClickSetsWaiting();
    void menuButtonOpensItsWindow_data();
    void menuButtonOpensItsWindow();
    void menuExitAnsweredNo();
    void menuExitAnsweredYes();
    void backToMenu_data();
    void backToMenu();
    void backToMenuAnsweredNo();
    void automaticChoiceSurvivesReturnToMenu();
    void lastWindowClosedByWindowSystemEndsProgram();
    void programKeepsRunningAcrossReturnToMenu();
};

void TestShell::startScreenDesign()
{
    TestProgram program;
    QWidget *start = program.open(Finestra::FormAvvio);
    QCOMPARE(start->size(), QSize(653, 642));
    QVERIFY(start->windowTitle().isEmpty());
    auto *title = start->findChild<QLabel *>(QStringLiteral("Label2"));
    QCOMPARE(title->text(), QStringLiteral("Tempiolo"));
    QCOMPARE(title->geometry(), QRect(49, 63, 501, 233));
    QCOMPARE(title->font().pixelSize(), 96);
    QVERIFY(title->font().bold());
    QCOMPARE(Controls::background(title), QColor(0, 255, 255));
    QAbstractButton *avvio = button(start, "Command1");
    QCOMPARE(avvio->text(), QStringLiteral("Avvio"));
    QCOMPARE(avvio->geometry(), QRect(160, 304, 295, 87));
    QCOMPARE(avvio->font().pixelSize(), 32);
    QVERIFY(!avvio->icon().isNull());
}

void TestShell::startScreenLoadSetsWaitingAndColour_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("first entry") << 0.0 << QColor(0xFF, 0xC0, 0xC0);
    QTest::newRow("last entry") << ScriptedRandom::justBelowOne() << QColor(0xFF, 0x00, 0xFF);
}

void TestShell::startScreenLoadSetsWaitingAndColour()
{
    QFETCH(double, r);
    QFETCH(QColor, colour);
    TestProgram program;
    Modulo1::AttendiAvanti = false;
    program.random.script({r});
    QWidget *start = program.open(Finestra::FormAvvio);
    QVERIFY(Modulo1::AttendiAvanti);
    QCOMPARE(Controls::background(start), colour);
}

void TestShell::avvioShowsMenuWaitingOptionSelected()
{
    TestProgram program;
    Modulo1::AttendiAvanti = false;
    QWidget *start = program.open(Finestra::FormAvvio);
    button(start, "Command1")->click();
    TestProgram::settle();
    QCOMPARE(program.openWindows(), only(Finestra::FormMenu));
    QWidget *menu = program.windows.window(Finestra::FormMenu);
    QVERIFY(option(menu, 1)->isChecked());
    QVERIFY(!option(menu, 0)->isChecked());
    QCOMPARE(option(menu, 1)->text(),
             QStringLiteral("attende la pressione del bottone per proseguire"));
}

void TestShell::whoPlays_data()
{
    // The children of the class ("" none), and whom "Chi gioca?" is answered with.
    QTest::addColumn<QStringList>("children");
    QTest::addColumn<int>("picked");
    QTest::addColumn<bool>("kept");
    QTest::newRow("no class") << QStringList() << -1 << false;
    QTest::newRow("a child of the class")
        << QStringList{QStringLiteral("Marco"), QStringLiteral("Niccolò")} << 1 << true;
    QTest::newRow("a guest") << QStringList{QStringLiteral("Marco")} << 1 << false;
}

void TestShell::whoPlays()
{
    QFETCH(QStringList, children);
    QFETCH(int, picked);
    QFETCH(bool, kept);
    TestProgram program;
    if (!children.isEmpty())
        program.playAs(children);
    // A teacher's own recording of each name ("Niccolò" is niccolo.wav).
    const QString recordings = program.data.path() + QStringLiteral("/voci/it/");
    QVERIFY(QDir().mkpath(recordings));
    for (const QString &child : children)
        QVERIFY(QFile::copy(Modulo1::soundPath(QStringLiteral("no.wav")),
                            recordings + program.voice.clipOf(child) + QStringLiteral(".wav")));
    program.sound.spoken.clear();
    button(program.open(Finestra::FormAvvio), "Command1")->click();
    TestProgram::settle();
    if (children.isEmpty()) {
        // Everything as without classes: the menu, no player shown, nothing written.
        QCOMPARE(program.openWindows(), only(Finestra::FormMenu));
        QVERIFY(!button(program.windows.window(Finestra::FormMenu), "Giocatore"));
        QCOMPARE(QDir(program.data.path()).entryList(QDir::Files), QStringList());
        return;
    }
    QCOMPARE(program.openWindows(), only(Finestra::PlayerPicker));
    QWidget *picker = program.windows.window(Finestra::PlayerPicker);
    // Every child and the guest, named for screen readers as shown.
    QAbstractButton *pick = button(picker, qPrintable(QStringLiteral("Giocatore(%1)").arg(picked)));
    QCOMPARE(picker->findChildren<QAbstractButton *>().size(), children.size() + 1);
    const QString name = kept ? children[picked] : QStringLiteral("Ospite");
    QCOMPARE(pick->accessibleName(), name);
    QTest::keyClick(pick, Qt::Key_Return);
    TestProgram::settle();
    QCOMPARE(program.openWindows(), only(Finestra::FormMenu));
    QWidget *menu = program.windows.window(Finestra::FormMenu);
    QCOMPARE(button(menu, "Giocatore")->text(), name);
    // Nothing missed yet: nothing to review.
    QVERIFY(!button(menu, "Ripasso"));
    // The child's name is said, in the teacher's recording; a guest's is not.
    QCOMPARE(program.sound.spoken,
             kept ? QList<QStringList>{{recordings + QStringLiteral("niccolo.wav")}}
                  : QList<QStringList>());
    QWidget *exercise = program.open(Finestra::Form1);
    Drops::dropName(Drops::pickUpOf(exercise)->places().constFirst(), 0);
    QCOMPARE(program.kept.size(), int(kept));
    // The next child takes over from the menu.
    program.windows.close(Finestra::Form1);
    button(program.open(Finestra::FormMenu), "Giocatore")->click();
    TestProgram::settle();
    QCOMPARE(program.openWindows(), only(Finestra::PlayerPicker));
}

void TestShell::classFromTheServer_data()
{
    // The server's classes, the one this PC played for last, the one
    // chosen when it asks ("" when it must not), whether the server can be
    // reached after the first read, and the children then offered.
    QTest::addColumn<QStringList>("classes");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("down");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("one class: no question") << QStringList{"3B"} << ""
                                            << "" << false << QStringList{"Anna", "Marco"};
    QTest::newRow("two classes: asked, the last one chosen again")
        << QStringList{"3B", "4A"} << "4A"
        << "4A" << false << QStringList{"Luca"};
    QTest::newRow("two classes: another one chosen")
        << QStringList{"3B", "4A"} << "4A"
        << "3B" << false << QStringList{"Anna", "Marco"};
    QTest::newRow("the server away: this PC's copy") << QStringList{"3B"} << "3B"
                                                     << "" << true << QStringList{"Anna", "Marco"};
}

void TestShell::classFromTheServer()
{
    QFETCH(QStringList, classes);
    QFETCH(QString, last);
    QFETCH(QString, chosen);
    QFETCH(bool, down);
    QFETCH(QStringList, offered);
    const QString anna = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QMap<QString, QList<ServerChild>> children{
        {"3B",
         {{anna, "Anna", "gatto", QByteArray("RIFF anna")},
          {QUuid::createUuid().toString(QUuid::WithoutBraces), "Marco", "mela", {}},
          // Never a name of a file: only UUIDs are ids.
          {"../../fuori", "Intruso", "sole", QByteArray("RIFF")}}},
        {"4A", {{QUuid::createUuid().toString(QUuid::WithoutBraces), "Luca", "luna", {}}}}};
    TestProgram program;
    std::atomic<bool> away = false;
    program.classroom.setServer([&](const QString &name, ServerClassList *list, QString *problem) {
        if (away) {
            *problem = QStringLiteral("il server non risponde");
            return false;
        }
        // As the server answers: a server of one class gives its children.
        list->classes = classes;
        list->children = children.value(classes.size() == 1 ? classes.first() : name);
        return true;
    });
    QSettings(program.data.filePath("server.ini"), QSettings::IniFormat).setValue("classe", last);
    program.classroom.fetch();
    QVERIFY(program.classroom.waitForFetch(10000));
    away = down;
    if (down)
        QTest::ignoreMessage(QtWarningMsg, "Tempiolo: il server non risponde");
    button(program.open(Finestra::FormAvvio), "Command1")->click();
    TestProgram::settle();
    QCOMPARE(program.openWindows(), only(Finestra::PlayerPicker));
    QVERIFY(program.classroom.waitForFetch(10000));
    TestProgram::settle();
    QWidget *picker = program.windows.window(Finestra::PlayerPicker);
    if (!chosen.isEmpty()) {
        QCOMPARE(picker->findChild<QLabel *>("Titolo")->text(), QStringLiteral("Quale classe?"));
        QCOMPARE(picker->findChildren<QAbstractButton *>().size(), classes.size());
        // The class this PC played for last has the keyboard.
        QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->accessibleName() : "",
                 last);
        button(picker, qPrintable(QStringLiteral("Giocatore(%1)").arg(classes.indexOf(chosen))))
            ->click();
        TestProgram::settle();
        QVERIFY(program.classroom.waitForFetch(10000));
        TestProgram::settle();
        picker = program.windows.window(Finestra::PlayerPicker);
    }
    QCOMPARE(picker->findChild<QLabel *>("Titolo")->text(), QStringLiteral("Chi gioca?"));
    QStringList names;
    for (QAbstractButton *each : picker->findChildren<QAbstractButton *>())
        names << each->accessibleName();
    names.removeAll(QStringLiteral("Ospite"));
    names.sort();
    QCOMPARE(names, offered);
    // Anna's voice came from the server, and nothing was written outside the folder.
    if (offered.contains("Anna")) {
        QFile spoken(program.classroom.spokenName(anna, "it"));
        QVERIFY(spoken.open(QIODevice::ReadOnly));
        QCOMPARE(spoken.readAll(), QByteArray("RIFF anna"));
    }
    QVERIFY(!QFileInfo::exists(program.data.filePath("../fuori.wav")));
    QVERIFY(!QFileInfo::exists(program.data.filePath("voci-bambini/../../fuori.wav")));
    // Asked once a run: the next child goes straight to the children.
    QCOMPARE(program.classroom.asksForClass(), false);
}

void TestShell::childGoneFromTheServer_data()
{
    // After a first read of 3B with Anna and Marco: what the server then
    // holds, and whose answers this PC deletes.
    QTest::addColumn<QStringList>("classes");
    QTest::addColumn<QStringList>("inClass");
    QTest::addColumn<QStringList>("everyChild");
    QTest::addColumn<QStringList>("erased");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("Marco taken away")
        << QStringList{"3B"} << QStringList{"Anna"} << QStringList{"Anna"} << QStringList{"Marco"}
        << QStringList{"Anna"};
    QTest::newRow("Marco moved to 4A: his answers stay")
        << QStringList{"3B", "4A"} << QStringList{"Anna"} << QStringList{"Anna", "Marco"}
        << QStringList{} << QStringList{"Anna"};
    QTest::newRow("a server made anew: nothing deleted")
        << QStringList{} << QStringList{} << QStringList{} << QStringList{}
        << QStringList{"Anna", "Marco"};
}

void TestShell::childGoneFromTheServer()
{
    QFETCH(QStringList, classes);
    QFETCH(QStringList, inClass);
    QFETCH(QStringList, everyChild);
    QFETCH(QStringList, erased);
    QFETCH(QStringList, offered);
    QMap<QString, QString> ids; // name to id
    for (const char *name : {"Anna", "Marco"})
        ids.insert(QLatin1String(name), QUuid::createUuid().toString(QUuid::WithoutBraces));
    const auto childrenNamed = [&](const QStringList &names) {
        QList<ServerChild> children;
        for (const QString &name : names)
            children.append({ids.value(name), name, "gatto", {}});
        return children;
    };
    TestProgram program;
    ServerClassList server{{"3B"}, childrenNamed({"Anna", "Marco"}), ids.values()};
    QStringList erasedIds;
    program.classroom.setServer(
        [&](const QString &, ServerClassList *list, QString *) {
            *list = server;
            return true;
        },
        [&](const QString &child, QString *) {
            erasedIds << child;
            return true;
        });
    program.classroom.fetch();
    QVERIFY(program.classroom.waitForFetch(10000));
    QCOMPARE(erasedIds, QStringList());
    server = {classes, childrenNamed(inClass), {}};
    for (const QString &name : everyChild)
        server.everyChild << ids.value(name);
    program.classroom.fetch();
    QVERIFY(program.classroom.waitForFetch(10000));
    QStringList erasedNames;
    for (const QString &id : erasedIds)
        erasedNames << ids.key(id);
    QCOMPARE(erasedNames, erased);
    // Two classes are asked about first: the same one again.
    program.classroom.chooseClass(program.classroom.serverClass());
    program.classroom.refresh();
    QStringList names;
    for (const Child &child : program.classroom.children())
        names << child.name;
    QCOMPARE(names, offered);
}

void TestShell::reviewOfAMissedPair_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("guest");
    QTest::newRow("Italian names") << "it" << false;
    QTest::newRow("English names") << "en" << false;
    QTest::newRow("a guest") << "it" << true;
}

// A child puts LUGLIO on GIUGNO's place; the next day "Ripasso" is on the
// menu, and its round holds both names between their neighbours.
void TestShell::reviewOfAMissedPair()
{
    QFETCH(QString, language);
    QFETCH(bool, guest);
    TestProgram program;
    program.choices.setLanguage(language);
    const QStringList ids = program.playAs({QStringLiteral("Marco")});
    if (guest)
        program.classroom.play(QString());
    program.now = QDateTime(QDate(2026, 12, 10), QTime(9, 30));
    const QStringList &months = Language::of(language).monthsUpper;
    auto *form = program.open<FormEsercizio>(Finestra::Form1);
    PickUp *pickUp = Drops::pickUpOf(form);
    Drops::move(Route::Tap, form->findChild<DragLabel *>(QStringLiteral("Label3(6)")),
                pickUp->places().at(5));
    program.windows.closeAll();
    QCOMPARE(program.kept.size(), guest ? 0 : 1);

    // The same day: nothing is due yet.
    QVERIFY(!button(program.open(Finestra::FormMenu), "Ripasso"));
    program.windows.closeAll();
    program.now = program.now.addDays(1);
    QWidget *menu = program.open(Finestra::FormMenu);
    QAbstractButton *review = button(menu, "Ripasso");
    if (guest) {
        QVERIFY(!review);
        return;
    }
    QVERIFY(review);
    QCOMPARE(review->text(), QStringLiteral("Ripasso"));
    review->click();
    TestProgram::settle();
    QCOMPARE(program.openWindows(), only(Finestra::Ripasso));
    auto *ripasso = qobject_cast<FormRipasso *>(program.windows.window(Finestra::Ripasso));
    // MAGGIO written; GIUGNO, LUGLIO and AGOSTO to place, in the language taught.
    QCOMPARE(ripasso->findChild<DropLabel *>(QStringLiteral("Label4(0)"))->text().trimmed(),
             months[4]);
    pickUp = Drops::pickUpOf(ripasso);
    QStringList cards;
    for (DragLabel *card : pickUp->playableCards())
        cards << card->text();
    cards.sort();
    QStringList expected{months[5], months[6], months[7]};
    expected.sort();
    QCOMPARE(cards, expected);
    QVERIFY(!ripasso->findChild<DropLabel *>(QStringLiteral("Label4(4)"))->isVisibleTo(ripasso));
    // GIUGNO first on LUGLIO's place: asked again until right.
    const auto cardOf = [&](const QString &name) {
        for (DragLabel *card : pickUp->playableCards()) {
            if (card->text() == name)
                return card;
        }
        return static_cast<DragLabel *>(nullptr);
    };
    Drops::move(Route::Keys, cardOf(months[5]), pickUp->places().at(2));
    QVERIFY(cardOf(months[5]));
    for (int place = 1; place <= 3; ++place)
        Drops::move(Route::Tap, cardOf(months[4 + place]), pickUp->places().at(place));
    QCOMPARE(pickUp->playableCards().size(), 0);
    button(ripasso, "BottoneAvanti")->click();
    TestProgram::settle();
    QVERIFY(ripasso->findChild<QLabel *>(QStringLiteral("RipassoFinito"))->isVisibleTo(ripasso));
    // Kept as every answer is, under the review's own key.
    QCOMPARE(program.kept.size(), 5);
    for (const KeptAnswer &answer : program.kept.mid(1)) {
        QCOMPARE(answer.exercise, QStringLiteral("ripasso"));
        QCOMPARE(answer.child, ids.first());
        QCOMPARE(answer.language, language);
    }
    QCOMPARE(program.kept.at(1).right, false);
    // Done for today: the menu has it no longer.
    program.windows.closeAll();
    QVERIFY(!button(program.open(Finestra::FormMenu), "Ripasso"));
}

void TestShell::whoPlaysGrid_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("columns");
    QTest::newRow("one child and the guest") << 2 << 2;
    QTest::newRow("seven") << 7 << 3;
    QTest::newRow("a class of 25 and the guest") << 26 << 6;
    QTest::newRow("every picture taken and the guest") << 37 << 7;
}

void TestShell::whoPlaysGrid()
{
    QFETCH(int, count);
    QFETCH(int, columns);
    const QRect area(16, 72, 614, 520);
    QCOMPARE(PlayerPicker::columnsFor(count, area.size()), columns);
    const QList<QRect> cells = PlayerPicker::grid(count, area);
    QCOMPARE(cells.size(), count);
    for (qsizetype i = 0; i < cells.size(); ++i) {
        QVERIFY(area.contains(cells[i]));
        // Large enough to tap, and apart from each other.
        QVERIFY(cells[i].width() >= 70 && cells[i].height() >= 70);
        for (qsizetype j = 0; j < i; ++j)
            QVERIFY(!cells[i].intersects(cells[j]));
    }
}

void TestShell::menuDesign()
{
    TestProgram program;
    QWidget *menu = program.open(Finestra::FormMenu);
    QCOMPARE(menu->size(), QSize(646, 568));
    struct Expected
    {
        const char *name;
        const char *caption;
        QRect place;
    };
    const Expected expected[] = {
        {"Command4", "Riordina i giorni (1)", QRect(16, 24, 281, 49)},
        {"Command7", "Riordina i giorni (2)", QRect(16, 80, 281, 49)},
        {"Command6", "Ciclo dei giorni", QRect(16, 136, 281, 49)},
        {"Command3", "Riordina i mesi (1)", QRect(16, 192, 281, 49)},
        {"Command2", "Riordina i mesi (2)", QRect(16, 248, 281, 49)},
        {"Command5", "Ciclo dei mesi", QRect(16, 304, 281, 49)},
        {"Command8", "Usa il calendario", QRect(312, 24, 281, 49)},
        {"Command1", "Esci", QRect(312, 376, 281, 65)},
    };
    for (const Expected &e : expected) {
        QAbstractButton *b = button(menu, e.name);
        QVERIFY2(b, e.name);
        QCOMPARE(b->text(), QString::fromUtf8(e.caption));
        QCOMPARE(b->geometry(), e.place);
        QCOMPARE(b->font().pixelSize(), 24);
    }
    QCOMPARE(option(menu, 0)->text(), QStringLiteral("prosegue automaticamente  negli esercizi"));
    QCOMPARE(option(menu, 0)->geometry(), QRect(320, 321, 273, 49));
    QCOMPARE(option(menu, 1)->geometry(), QRect(320, 273, 265, 41));
    QCOMPARE(option(menu, 1)->font().pixelSize(), 16);
}

void TestShell::menuOptionsTakeTheWindowColour()
{
    TestProgram program;
    program.random.script({0.5});
    QWidget *menu = program.open(Finestra::FormMenu);
    const QColor colour(0x00, 0xC0, 0x00);
    QCOMPARE(Controls::background(menu), colour);
    QCOMPARE(Controls::background(option(menu, 0)), colour);
    QCOMPARE(Controls::background(option(menu, 1)), colour);
}

void TestShell::optionClickSetsWaiting()
{
    TestProgram program;
    QWidget *menu = program.open(Finestra::FormMenu);
    option(menu, 0)->click();
    QVERIFY(!Modulo1::AttendiAvanti);
    QVERIFY(!option(menu, 1)->isChecked());
    option(menu, 1)->click();
    QVERIFY(Modulo1::AttendiAvanti);
    option(menu, 1)->click();
    QVERIFY(Modulo1::AttendiAvanti);
}

void TestShell::menuButtonOpensItsWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Finestra>("opens");
    QTest::newRow("Command2") << "Command2" << Finestra::Form2;
    QTest::newRow("Command3") << "Command3" << Finestra::Form1;
    QTest::newRow("Command4") << "Command4" << Finestra::Form3;
    QTest::newRow("Command5") << "Command5" << Finestra::Form5;
    QTest::newRow("Command6") << "Command6" << Finestra::Form6;
    QTest::newRow("Command7") << "Command7" << Finestra::Form4;
    QTest::newRow("Command8") << "Command8" << Finestra::Form7;
}

void TestShell::menuButtonOpensItsWindow()
{
    QFETCH(QString, name);
    QFETCH(Finestra, opens);
    TestProgram program;
    QWidget *menu = program.open(Finestra::FormMenu);
    menu->findChild<QAbstractButton *>(name)->click();
    TestProgram::settle();
    QCOMPARE(program.openWindows(), only(opens));
    auto *exercise = qobject_cast<FormEsercizio *>(program.windows.window(opens));
    QVERIFY(exercise);
    QVERIFY(exercise->hasOpened());
}

void TestShell::menuExitAnsweredNo()
{
    TestProgram program;
    QWidget *menu = program.open(Finestra::FormMenu);
    program.dialogs.setNextAnswer(false);
    button(menu, "Command1")->click();
    QCOMPARE(program.dialogs.shown.size(), 1);
    QCOMPARE(program.dialogs.shown[0].title, QStringLiteral("Tempiolo"));
    QCOMPARE(program.dialogs.shown[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(program.dialogs.shown[0].text, QStringLiteral("Vuoi terminare il lavoro?"));
    QCOMPARE(program.quitRequests, 0);
    QCOMPARE(program.openWindows(), only(Finestra::FormMenu));
}

void TestShell::menuExitAnsweredYes()
{
    TestProgram program;
    QWidget *menu = program.open(Finestra::FormMenu);
    program.dialogs.setNextAnswer(true);
    button(menu, "Command1")->click();
    QCOMPARE(program.quitRequests, 1);
    QVERIFY(program.openWindows().isEmpty());
    QCOMPARE(program.dialogs.shown.size(), 1);
}

void TestShell::backToMenu_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<bool>("waiting");
    for (Finestra window : exerciseWindows) {
        QTest::addRow("%s waiting", windowName(window)) << window << true;
        QTest::addRow("%s automatic", windowName(window)) << window << false;
    }
}

void TestShell::backToMenu()
{
    QFETCH(Finestra, window);
    QFETCH(bool, waiting);
    TestProgram program;
    Modulo1::AttendiAvanti = waiting;
    auto *exercise = program.open<FormEsercizio>(window);
    // Screen readers hear a window named as the menu's button for it.
    QAccessibleInterface *frame = QAccessible::queryAccessibleInterface(exercise);
    QCOMPARE(frame->role(), QAccessible::Window);
    QCOMPARE(frame->text(QAccessible::Name), QString::fromUtf8(shownName(window)));
    exercise->SegnaEsatto();
    exercise->SegnaErrato();
    QCOMPARE(Modulo1::NumEsatti, qint16(1));

    program.dialogs.setNextAnswer(true);
    exercise->findChild<QAction *>(QStringLiteral("mnuEsci"))->trigger();
    TestProgram::settle();

    QCOMPARE(program.dialogs.shown.last().title, QStringLiteral("Orivalo"));
    QCOMPARE(program.dialogs.shown.last().icon, Dialogs::Icon::Question);
    QCOMPARE(program.dialogs.shown.last().text, QStringLiteral("Vuoi tornare al menù?"));
    QCOMPARE(Modulo1::NumEsatti, qint16(0));
    QCOMPARE(Modulo1::NumErrati, qint16(0));
    QCOMPARE(program.openWindows(), only(Finestra::FormMenu));
    QWidget *menu = program.windows.window(Finestra::FormMenu);
    QCOMPARE(option(menu, 1)->isChecked(), waiting);
    QCOMPARE(option(menu, 0)->isChecked(), !waiting);
    QCOMPARE(Modulo1::AttendiAvanti, waiting);
    // The keyboard starts on the exercise just played.
    auto *played = qobject_cast<QAbstractButton *>(menu->focusWidget());
    QVERIFY(played);
    QCOMPARE(played->text(), QString::fromUtf8(shownName(window)));
}

void TestShell::backToMenuAnsweredNo()
{
    TestProgram program;
    auto *exercise = program.open<FormEsercizio>(Finestra::Form2);
    exercise->SegnaErrato();
    const QColor colour = exercise->backgroundColour();
    const QString errors = exercise->findChild<QLabel *>(QStringLiteral("EtichettaErrati"))->text();
    program.dialogs.setNextAnswer(false);
    exercise->findChild<QAction *>(QStringLiteral("mnuEsci"))->trigger();
    TestProgram::settle();
    QCOMPARE(program.openWindows(), only(Finestra::Form2));
    QCOMPARE(program.windows.window(Finestra::Form2), exercise);
    QCOMPARE(Modulo1::NumErrati, qint16(1));
    QCOMPARE(exercise->backgroundColour(), colour);
    QCOMPARE(exercise->findChild<QLabel *>(QStringLiteral("EtichettaErrati"))->text(), errors);
}

void TestShell::automaticChoiceSurvivesReturnToMenu()
{
    TestProgram program;
    QWidget *menu = program.open(Finestra::FormMenu);
    option(menu, 0)->click();
    button(menu, "Command8")->click();
    TestProgram::settle();
    program.dialogs.setNextAnswer(true);
    program.windows.window(Finestra::Form7)
        ->findChild<QAction *>(QStringLiteral("mnuEsci"))
        ->trigger();
    TestProgram::settle();
    menu = program.windows.window(Finestra::FormMenu);
    QVERIFY(menu);
    QVERIFY(option(menu, 0)->isChecked());
    QVERIFY(!Modulo1::AttendiAvanti);
}

namespace {

// Runs the application's own event loop, as the real program does, for at
// most `ms`; returns true when something else quit it first.
bool applicationQuitWithin(int ms, const std::function<void()> &step)
{
    bool timedOut = false;
    QTimer::singleShot(0, qApp, step);
    QTimer::singleShot(ms, qApp, [&timedOut] {
        timedOut = true;
        QCoreApplication::exit(0);
    });
    QApplication::exec();
    return !timedOut;
}

} // namespace

void TestShell::lastWindowClosedByWindowSystemEndsProgram()
{
    TestProgram program;
    QWidget *exercise = program.open(Finestra::Form3);
    QVERIFY(applicationQuitWithin(3000, [exercise] { exercise->close(); }));
}

void TestShell::programKeepsRunningAcrossReturnToMenu()
{
    TestProgram program;
    auto *exercise = program.open<FormEsercizio>(Finestra::Form5);
    program.dialogs.setNextAnswer(true);
    QVERIFY(!applicationQuitWithin(1500, [exercise] {
        exercise->findChild<QAction *>(QStringLiteral("mnuEsci"))->trigger();
    }));
    QCOMPARE(program.openWindows(), only(Finestra::FormMenu));
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
