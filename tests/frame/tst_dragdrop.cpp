#include "DragLabel.h"
#include "DragPayload.h"
#include "DropLabel.h"
#include "Drops.h"
#include "FormEsercizio.h"
#include "Modulo1.h"
#include "TestProgram.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

Q_DECLARE_METATYPE(Finestra)

namespace {

enum class Offer { Own, OwnDisabled, Text, Files, OtherProcess, OtherWindow, Garbage, NoSuchIndex };

QMimeData *makeOffer(Offer offer, QWidget *window, QWidget *otherWindow)
{
    const qint64 pid = QCoreApplication::applicationPid();
    const quint64 token = DragPayload::tokenOf(window);
    auto *data = new QMimeData;
    switch (offer) {
    case Offer::Own:
        delete data;
        return DragPayload{pid, token, 3}.toMimeData();
    case Offer::OwnDisabled:
        delete data;
        return DragPayload{pid, token, 0}.toMimeData();
    case Offer::Text:
        data->setText(QStringLiteral("GENNAIO"));
        break;
    case Offer::Files:
        data->setUrls({QUrl::fromLocalFile(QStringLiteral("/etc/passwd"))});
        break;
    case Offer::OtherProcess:
        delete data;
        return DragPayload{pid + 1, token, 3}.toMimeData();
    case Offer::OtherWindow:
        delete data;
        return DragPayload{pid, DragPayload::tokenOf(otherWindow), 3}.toMimeData();
    case Offer::Garbage:
        data->setData(DragPayload::mimeType(), QByteArray("\x01\x02\x03", 3));
        break;
    case Offer::NoSuchIndex:
        delete data;
        return DragPayload{pid, token, 99}.toMimeData();
    }
    return data;
}

} // namespace

Q_DECLARE_METATYPE(Offer)

class TestDragDrop : public QObject
{
    Q_OBJECT

private slots:
    void payloadRoundTrip();
    void placeAcceptsOnlyOwnNames_data();
    void placeAcceptsOnlyOwnNames();
    void refusedDropChangesNothing();
    void namesAndFrameAcceptNoDrops_data();
    void namesAndFrameAcceptNoDrops();
    void outlineHasTheLabelsSize();
};

void TestDragDrop::payloadRoundTrip()
{
    const DragPayload sent{1234, 0xDEADBEEF, 7};
    std::unique_ptr<QMimeData> data(sent.toMimeData());
    DragPayload read;
    QVERIFY(DragPayload::fromMimeData(data.get(), &read));
    QCOMPARE(read.processId, sent.processId);
    QCOMPARE(read.windowToken, sent.windowToken);
    QCOMPARE(read.index, sent.index);
    QVERIFY(!DragPayload::fromMimeData(nullptr, &read));
}

void TestDragDrop::placeAcceptsOnlyOwnNames_data()
{
    QTest::addColumn<Offer>("offer");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("own name") << Offer::Own << true;
    QTest::newRow("own name, already placed") << Offer::OwnDisabled << false;
    QTest::newRow("plain text") << Offer::Text << false;
    QTest::newRow("files") << Offer::Files << false;
    QTest::newRow("another Tempiolo") << Offer::OtherProcess << false;
    QTest::newRow("another window") << Offer::OtherWindow << false;
    QTest::newRow("garbled payload") << Offer::Garbage << false;
    QTest::newRow("unknown index") << Offer::NoSuchIndex << false;
}

void TestDragDrop::placeAcceptsOnlyOwnNames()
{
    QFETCH(Offer, offer);
    QFETCH(bool, accepted);
    TestProgram program;
    auto *window = program.open<FormEsercizio>(Finestra::Form1);
    QWidget *other = program.open(Finestra::Form3);
    // Name 0 is placed already, so its label is disabled.
    window->findChild<DragLabel *>(QStringLiteral("Label3(0)"))->setEnabled(false);
    auto *place = window->findChild<DropLabel *>(QStringLiteral("Label4(3)"));
    QSignalSpy dropped(place, &DropLabel::dropped);

    std::unique_ptr<QMimeData> data(makeOffer(offer, window, other));
    const QPoint centre = place->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(place, &enter);
    QCOMPARE(enter.isAccepted(), accepted);
    QDragMoveEvent move(centre, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(place, &move);
    QCOMPARE(move.isAccepted(), accepted);
    // Whatever Qt does with a drop after a refused entry, nothing may reach the handler.
    QDropEvent drop(centre, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(place, &drop);
    QCOMPARE(drop.isAccepted(), accepted);
    QCOMPARE(dropped.size(), accepted ? 1 : 0);
    if (accepted) {
        QCOMPARE(dropped[0][0].toInt(), 3);
        QCOMPARE(qvariant_cast<DragLabel *>(dropped[0][1])->index(), 3);
        QCOMPARE(drop.dropAction(), Qt::MoveAction);
    }
}

void TestDragDrop::refusedDropChangesNothing()
{
    TestProgram program;
    auto *window = program.open<FormEsercizio>(Finestra::Form2);
    auto *place = window->findChild<DropLabel *>(QStringLiteral("Label4(2)"));
    const QColor colour = window->backgroundColour();
    QMimeData text;
    text.setText(QStringLiteral("MARZO"));
    QDropEvent drop(place->rect().center(), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(place, &drop);
    QCOMPARE(Modulo1::NumEsatti, qint16(0));
    QCOMPARE(Modulo1::NumErrati, qint16(0));
    QCOMPARE(window->backgroundColour(), colour);
    QVERIFY(place->text().isEmpty());
    QVERIFY(program.sound.played.isEmpty());
}

void TestDragDrop::namesAndFrameAcceptNoDrops_data()
{
    QTest::addColumn<Finestra>("window");
    for (Finestra window : exerciseWindows)
        QTest::addRow("%s", windowName(window)) << window;
}

void TestDragDrop::namesAndFrameAcceptNoDrops()
{
    QFETCH(Finestra, window);
    TestProgram program;
    QWidget *shown = program.open(window);
    // Only the places take drops: the window, its names, cards and the frame ignore them.
    const auto widgets = shown->findChildren<QWidget *>();
    int places = 0;
    for (QWidget *widget : widgets) {
        if (qobject_cast<DropLabel *>(widget))
            ++places;
        else
            QVERIFY2(!widget->acceptDrops(), qPrintable(widget->objectName()));
    }
    QVERIFY(!shown->acceptDrops());
    const int expected[] = {12, 12, 7, 7, 12, 7, 0};
    QCOMPARE(places, expected[int(window) - int(Finestra::Form1)]);
}

void TestDragDrop::outlineHasTheLabelsSize()
{
    TestProgram program;
    QWidget *window = program.open(Finestra::Form5);
    auto *card = window->findChild<DragLabel *>(QStringLiteral("Label4(0)"));
    const QPixmap outline = card->outline();
    QCOMPARE(outline.deviceIndependentSize().toSize(), card->size());
    // Drawn on an opaque light fill, which shows the same with or without a compositor.
    const QImage image = outline.toImage();
    QVERIFY(image.pixelColor(image.width() / 10, image.height() / 4).alpha() == 255);
    QVERIFY(image.pixelColor(image.width() / 10, image.height() / 4).lightness() > 200);
}

QTEST_MAIN(TestDragDrop)
#include "tst_dragdrop.moc"
