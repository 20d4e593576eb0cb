#include "Controls.h"
#include "FormEsercizio.h"
#include "Modulo1.h"
#include "TestProgram.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

Q_DECLARE_METATYPE(Finestra)

namespace {

const QColor black(Qt::black);
const QColor orange(255, 128, 0);

struct Frame
{
    explicit Frame(FormEsercizio *window) : window(window) {}
    FormEsercizio *window;

    QLabel *label(const char *name) const
    {
        return window->findChild<QLabel *>(QLatin1String(name));
    }
    QWidget *widget(const char *name) const
    {
        return window->findChild<QWidget *>(QLatin1String(name));
    }
    QAction *action(const char *name) const
    {
        return window->findChild<QAction *>(QLatin1String(name));
    }
    QAbstractButton *avanti() const
    {
        return window->findChild<QAbstractButton *>(QStringLiteral("BottoneAvanti"));
    }
    QString rights() const { return label("EtichettaEsatti")->text(); }
    QString wrongs() const { return label("EtichettaErrati")->text(); }
    bool laughing() const
    {
        return !widget("ComandoIconaSi")->isHidden() && widget("ComandoIconaNo")->isHidden();
    }
    bool sad() const
    {
        return widget("ComandoIconaSi")->isHidden() && !widget("ComandoIconaNo")->isHidden();
    }
};

} // namespace

class TestFrame : public QObject
{
    Q_OBJECT

private slots:
    void frameDesign_data();
    void frameDesign();
    void opening_data();
    void opening();
    void waitingModeAvanti();
    void automaticModeStartsNextRoundAtOnce();
    void wrongAnswersTurnBlackUntilRightOne();
    void rightAnswerOnColourKeepsIt();
    void calendarWindowNeverChangesColour();
    void resetMidRound();
    void countsContinueAcrossRounds();
    void soundFollowsTheSoundMenu();
    void soundComesBackOnReopening();
    void countStopsAt32767_data();
    void countStopsAt32767();
    void aboutBoxFromMenu();
    void activationOpensOnlyOnce();
};

void TestFrame::frameDesign_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("esatti");
    QTest::addColumn<QRect>("faces");
    QTest::addColumn<QRect>("avanti");
    QTest::newRow("Form1") << Finestra::Form1 << QSize(687, 513) << QRect(512, 120, 65, 41)
                           << QRect(504, 16, 65, 57) << QRect(440, 272, 127, 57);
    QTest::newRow("Form2") << Finestra::Form2 << QSize(687, 513) << QRect(512, 120, 65, 41)
                           << QRect(504, 16, 65, 57) << QRect(440, 272, 127, 57);
    QTest::newRow("Form3") << Finestra::Form3 << QSize(687, 513) << QRect(512, 96, 65, 41)
                           << QRect(488, 8, 65, 57) << QRect(448, 224, 127, 57);
    QTest::newRow("Form4") << Finestra::Form4 << QSize(687, 513) << QRect(512, 96, 65, 41)
                           << QRect(488, 8, 65, 57) << QRect(448, 224, 127, 57);
    QTest::newRow("Form5") << Finestra::Form5 << QSize(687, 475) << QRect(544, 200, 65, 41)
                           << QRect(512, 16, 65, 57) << QRect(376, 272, 95, 57);
    QTest::newRow("Form6") << Finestra::Form6 << QSize(687, 475) << QRect(536, 192, 65, 41)
                           << QRect(512, 8, 65, 57) << QRect(376, 256, 95, 65);
    QTest::newRow("Form7") << Finestra::Form7 << QSize(687, 513) << QRect(512, 96, 65, 41)
                           << QRect(488, 8, 65, 57) << QRect(448, 224, 127, 57);
}

void TestFrame::frameDesign()
{
    QFETCH(Finestra, window);
    QFETCH(QSize, client);
    QFETCH(QRect, esatti);
    QFETCH(QRect, faces);
    QFETCH(QRect, avanti);
    TestProgram program;
    Frame frame(program.open<FormEsercizio>(window));
    QVERIFY(frame.window->windowTitle().isEmpty());
    QCOMPARE(frame.widget("area")->size(), client);
    QCOMPARE(frame.label("EtichettaEsatti")->geometry(), esatti);
    QCOMPARE(frame.widget("ComandoIconaSi")->geometry(), faces);
    QCOMPARE(frame.widget("ComandoIconaNo")->geometry(), faces);
    QCOMPARE(frame.avanti()->geometry(), avanti);
    QCOMPARE(frame.avanti()->text(), QStringLiteral("avanti"));
    QCOMPARE(frame.avanti()->font().pixelSize(), 19);
    QCOMPARE(frame.label("Label1")->text(), QStringLiteral("Esatti"));
    QCOMPARE(frame.label("Label2")->text(), QStringLiteral("Errati"));
    QCOMPARE(frame.label("Label1")->font().pixelSize(), 16);
    QCOMPARE(frame.label("EtichettaErrati")->font().pixelSize(), 24);
    QCOMPARE(Controls::background(frame.label("EtichettaErrati")), QColor(0, 255, 255));

    QStringList bar;
    for (QAction *item : frame.window->findChild<QMenuBar *>()->actions())
        bar << item->text();
    QStringList expected{QStringLiteral("Azzera conteggio          "),
                         QStringLiteral("Suono?          "), QStringLiteral("Voce?          "),
                         QStringLiteral("Informazioni           "), QStringLiteral("Esci")};
    if (window == Finestra::Form7)
        expected.insert(1, QStringLiteral("Quale formato            "));
    QCOMPARE(bar, expected);
    // Screen readers hear the items without the blanks, and switches press them.
    QStringList heard;
    auto *menuBar = frame.window->findChild<QMenuBar *>();
    QAccessibleInterface *barItem = QAccessible::queryAccessibleInterface(menuBar);
    for (QAction *item : menuBar->actions()) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(item);
        QCOMPARE(accessible->role(), QAccessible::MenuItem);
        // A screen reader's pointer finds the item where it is drawn, under its bar.
        QCOMPARE(accessible->parent(), barItem);
        const QRect drawn = menuBar->actionGeometry(item);
        QCOMPARE(accessible->rect(), QRect(menuBar->mapToGlobal(drawn.topLeft()), drawn.size()));
        QCOMPARE(barItem->childAt(accessible->rect().center().x(), accessible->rect().center().y()),
                 accessible);
        QCOMPARE(accessible->state().hasPopup, item->menu() != nullptr);
        QVERIFY(accessible->actionInterface());
        QCOMPARE(accessible->actionInterface()->actionNames(),
                 QStringList{QAccessibleActionInterface::pressAction()});
        heard << accessible->text(QAccessible::Name);
    }
    for (QString &caption : expected)
        caption = caption.trimmed();
    QCOMPARE(heard, expected);
    QCOMPARE(frame.action("mnuSuonoSi")->text(), QStringLiteral("sì"));
    QCOMPARE(frame.action("mnuSuonoNo")->text(), QStringLiteral("no"));
}

void TestFrame::opening_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<bool>("waiting");
    for (Finestra window : exerciseWindows) {
        QTest::addRow("%s waiting", windowName(window)) << window << true;
        QTest::addRow("%s automatic", windowName(window)) << window << false;
    }
}

void TestFrame::opening()
{
    QFETCH(Finestra, window);
    QFETCH(bool, waiting);
    TestProgram program;
    Modulo1::AttendiAvanti = waiting;
    // The first round is laid out as the window opens, before anything else is handled.
    Frame frame(qobject_cast<FormEsercizio *>(program.windows.show(window)));
    QVERIFY(frame.window->hasOpened());
    TestProgram::settle();
    QCOMPARE(frame.rights(), QStringLiteral("0"));
    QCOMPARE(frame.wrongs(), QStringLiteral("0"));
    QCOMPARE(!frame.avanti()->isHidden(), waiting);
    QVERIFY(!frame.avanti()->isEnabled());
    // Both faces are there, the laughing one in front.
    QVERIFY(!frame.widget("ComandoIconaSi")->isHidden());
    QVERIFY(!frame.widget("ComandoIconaNo")->isHidden());
    QCOMPARE(frame.widget("area")->childAt(frame.widget("ComandoIconaSi")->geometry().center()),
             frame.widget("ComandoIconaSi"));
    QVERIFY(frame.action("mnuSuonoSi")->isChecked());
    QVERIFY(!frame.action("mnuSuonoNo")->isChecked());
}

void TestFrame::waitingModeAvanti()
{
    TestProgram program;
    Frame frame(program.open<FormEsercizio>(Finestra::Form1));
    frame.window->SegnaEsatto();
    frame.window->ConcludiEsercizio();
    QVERIFY(!frame.avanti()->isHidden());
    QVERIFY(frame.avanti()->isEnabled());

    program.random.script({0.0});
    const int before = program.random.draws();
    frame.avanti()->click();
    QVERIFY(!frame.avanti()->isEnabled());
    QVERIFY(!frame.avanti()->isHidden());
    // A new round: one colour and twelve rows drawn.
    QCOMPARE(program.random.draws() - before, 13);
    QCOMPARE(frame.window->backgroundColour(), QColor(0xFF, 0xC0, 0xC0));

    const int after = program.random.draws();
    frame.avanti()->click();
    QCOMPARE(program.random.draws(), after);
    QCOMPARE(frame.rights(), QStringLiteral(" 1"));
}

void TestFrame::automaticModeStartsNextRoundAtOnce()
{
    TestProgram program;
    Modulo1::AttendiAvanti = false;
    Frame frame(program.open<FormEsercizio>(Finestra::Form3));
    program.sound.played.clear();
    frame.window->SegnaEsatto();
    const int before = program.random.draws();
    frame.window->ConcludiEsercizio();
    QVERIFY(frame.avanti()->isHidden());
    QCOMPARE(program.random.draws() - before, 8);
    QVERIFY(frame.laughing());
    QCOMPARE(program.sound.played.size(), 1);
}

void TestFrame::wrongAnswersTurnBlackUntilRightOne()
{
    TestProgram program;
    Frame frame(program.open<FormEsercizio>(Finestra::Form2));
    frame.window->SegnaErrato();
    frame.window->SegnaErrato();
    QCOMPARE(frame.window->backgroundColour(), black);
    QVERIFY(frame.sad());
    QCOMPARE(Modulo1::NumErrati, qint16(2));
    QCOMPARE(frame.wrongs(), QStringLiteral(" 2"));

    program.random.script({ScriptedRandom::justBelowOne()});
    frame.window->SegnaEsatto();
    QCOMPARE(frame.window->backgroundColour(), QColor(0xFF, 0x00, 0xFF));
    QVERIFY(frame.laughing());
    QCOMPARE(frame.rights(), QStringLiteral(" 1"));
}

void TestFrame::rightAnswerOnColourKeepsIt()
{
    TestProgram program;
    Frame frame(program.open<FormEsercizio>(Finestra::Form5));
    const QColor colour = frame.window->backgroundColour();
    QVERIFY(colour != black);
    const int before = program.random.draws();
    program.sound.played.clear();
    frame.window->findChild<QAction *>(QStringLiteral("mnuSuonoNo"))->trigger();
    frame.window->SegnaEsatto();
    QCOMPARE(frame.window->backgroundColour(), colour);
    QCOMPARE(program.random.draws(), before);
}

void TestFrame::calendarWindowNeverChangesColour()
{
    TestProgram program;
    Frame frame(program.open<FormEsercizio>(Finestra::Form7));
    QCOMPARE(frame.window->backgroundColour(), orange);
    frame.window->SegnaErrato();
    QCOMPARE(frame.window->backgroundColour(), orange);
    frame.window->SegnaEsatto();
    frame.window->ConcludiEsercizio();
    frame.avanti()->click();
    QCOMPARE(frame.window->backgroundColour(), orange);
}

void TestFrame::resetMidRound()
{
    TestProgram program;
    Frame frame(program.open<FormEsercizio>(Finestra::Form4));
    frame.window->SegnaEsatto();
    frame.window->SegnaEsatto();
    frame.window->SegnaErrato();
    frame.action("MenuAzzera")->trigger();
    QCOMPARE(frame.rights(), QStringLiteral("0"));
    QCOMPARE(frame.wrongs(), QStringLiteral("0"));
    QCOMPARE(Modulo1::NumEsatti, qint16(0));
    QCOMPARE(Modulo1::NumErrati, qint16(0));
    // The round, the face and the colour stay.
    QVERIFY(frame.sad());
    QCOMPARE(frame.window->backgroundColour(), black);
    frame.window->SegnaEsatto();
    QCOMPARE(frame.rights(), QStringLiteral(" 1"));
}

void TestFrame::countsContinueAcrossRounds()
{
    TestProgram program;
    Frame frame(program.open<FormEsercizio>(Finestra::Form6));
    frame.window->SegnaEsatto();
    frame.window->ConcludiEsercizio();
    frame.avanti()->click();
    frame.window->SegnaEsatto();
    QCOMPARE(frame.rights(), QStringLiteral(" 2"));
    QCOMPARE(Modulo1::NumEsatti, qint16(2));
}

void TestFrame::soundFollowsTheSoundMenu()
{
    TestProgram program;
    Frame frame(program.open<FormEsercizio>(Finestra::Form1));
    program.sound.played.clear();
    // A switch presses the item as a click does; the item says its menu.
    QAccessibleInterface *no = QAccessible::queryAccessibleInterface(frame.action("mnuSuonoNo"));
    QCOMPARE(no->text(QAccessible::Name), QStringLiteral("suono: no"));
    QVERIFY(no->state().checkable);
    QVERIFY(!no->state().checked);
    no->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(no->state().checked);
    QVERIFY(!frame.action("mnuSuonoSi")->isChecked());
    QVERIFY(frame.action("mnuSuonoNo")->isChecked());
    frame.action("mnuSuonoNo")->trigger();
    QVERIFY(frame.action("mnuSuonoNo")->isChecked());
    frame.window->SegnaErrato();
    frame.window->SegnaEsatto();
    QVERIFY(program.sound.played.isEmpty());
    QVERIFY(frame.laughing());
    QCOMPARE(frame.wrongs(), QStringLiteral(" 1"));

    frame.action("mnuSuonoSi")->trigger();
    frame.action("mnuSuonoSi")->trigger();
    QVERIFY(frame.action("mnuSuonoSi")->isChecked());
    QVERIFY(!frame.action("mnuSuonoNo")->isChecked());
    frame.window->SegnaErrato();
    QCOMPARE(program.sound.played.size(), 1);
    QVERIFY(program.sound.played[0].endsWith(QStringLiteral("no.wav")));
    program.random.script({0.6});
    frame.window->SegnaEsatto();
    QCOMPARE(program.sound.played.size(), 2);
    QVERIFY(program.sound.played[1].endsWith(QStringLiteral("si3.wav")));
}

void TestFrame::soundComesBackOnReopening()
{
    TestProgram program;
    Frame frame(program.open<FormEsercizio>(Finestra::Form2));
    frame.action("mnuSuonoNo")->trigger();
    program.windows.close(Finestra::Form2);
    Frame again(program.open<FormEsercizio>(Finestra::Form2));
    QVERIFY(again.action("mnuSuonoSi")->isChecked());
    QVERIFY(!again.action("mnuSuonoNo")->isChecked());
}

void TestFrame::countStopsAt32767_data()
{
    QTest::addColumn<bool>("right");
    QTest::newRow("right answers") << true;
    QTest::newRow("wrong answers") << false;
}

void TestFrame::countStopsAt32767()
{
    QFETCH(bool, right);
    TestProgram program;
    Frame frame(program.open<FormEsercizio>(Finestra::Form1));
    qint16 &count = right ? Modulo1::NumEsatti : Modulo1::NumErrati;
    count = 32766;
    for (int i = 0; i < 3; ++i)
        right ? frame.window->SegnaEsatto() : frame.window->SegnaErrato();
    QCOMPARE(count, qint16(32767));
    QCOMPARE(right ? frame.rights() : frame.wrongs(), QStringLiteral(" 32767"));
}

void TestFrame::aboutBoxFromMenu()
{
    TestProgram program;
    Frame frame(program.open<FormEsercizio>(Finestra::Form6));
    frame.window->SegnaErrato();
    // From the keyboard: F10 takes it to the menu bar, and it comes back after.
    QWidget *place = frame.window->findChild<QWidget *>(QStringLiteral("Label3(2)"));
    place->setFocus(Qt::TabFocusReason);
    QTest::keyClick(place, Qt::Key_F10);
    QCOMPARE(frame.window->focusWidget(), frame.window->findChild<QMenuBar *>());
    // A screen reader is told the item the keyboard is on, and a switch presses another.
    const auto item = [&](const char *name) {
        return QAccessible::queryAccessibleInterface(frame.action(name));
    };
    QVERIFY(item("MenuAzzera")->state().focused);
    QVERIFY(!item("MenuInformazioni")->state().focused);
    item("MenuInformazioni")
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(frame.window->focusWidget(), place);
    QCOMPARE(program.dialogs.shown.size(), 1);
    QCOMPARE(program.dialogs.shown[0].title, QStringLiteral("Orivalo"));
    QCOMPARE(program.dialogs.shown[0].text, Modulo1::aboutText());
    QCOMPARE(frame.wrongs(), QStringLiteral(" 1"));
}

void TestFrame::activationOpensOnlyOnce()
{
    TestProgram program;
    for (Finestra window : exerciseWindows) {
        Frame frame(program.open<FormEsercizio>(window));
        QVERIFY(frame.window->hasOpened());
        frame.window->SegnaEsatto();
        const int draws = program.random.draws();
        // Coming back after a message box or another program.
        QEvent deactivate(QEvent::WindowDeactivate);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(frame.window, &deactivate);
        QCoreApplication::sendEvent(frame.window, &activate);
        frame.window->hide();
        frame.window->show();
        TestProgram::settle();
        QCOMPARE(program.random.draws(), draws);
        QCOMPARE(frame.rights(), QStringLiteral(" 1"));
        program.windows.close(window);
        Modulo1::NumEsatti = 0;
    }
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
