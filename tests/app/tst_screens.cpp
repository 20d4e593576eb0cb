#include "DesignScale.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "Drops.h"
#include "FormEsercizio.h"
#include "Modulo1.h"
#include "PickUp.h"
#include "TestProgram.h"
#include "WindowScale.h"

#include <QMenuBar>
#include <QPointingDevice>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(Finestra)

// Every window at any size shows its design as one picture: scaled by one
// factor and centred, and a tap, a touch or a drop lands where things are
// drawn.
namespace {

// The widget whose controls are laid out by design: an exercise's client
// area below the menu bar, or the whole window.
QWidget *canvasOf(QWidget *window)
{
    if (auto *area = window->findChild<QWidget *>(QStringLiteral("area")))
        return area;
    return window;
}

struct Designed
{
    QWidget *control;
    QRect rect;
    int pixelSize;
};

} // namespace

class TestScreens : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void designScalesAsOnePicture_data();
    void designScalesAsOnePicture();

private:
    QPointingDevice *touchScreen_ = nullptr;
};

void TestScreens::initTestCase()
{
    touchScreen_ = QTest::createTouchDevice();
}

void TestScreens::designScalesAsOnePicture_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<QSize>("size");
    for (Finestra window : allWindows) {
        for (QSize size : {QSize(), QSize(1920, 1080), QSize(1024, 768), QSize(3840, 2160)})
            QTest::addRow("%s %dx%d", windowName(window), size.width(), size.height())
                << window << size;
    }
}

void TestScreens::designScalesAsOnePicture()
{
    QFETCH(Finestra, window);
    QFETCH(QSize, size);
    TestProgram program;
    program.random.script({0.43});
    QWidget *shown = program.open(window);
    QWidget *canvas = canvasOf(shown);
    const QSize designed = DesignScale::of(canvas)->designed();
    QCOMPARE(canvas->size(), designed);
    std::vector<Designed> controls;
    for (QWidget *child : canvas->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        controls.push_back({child, child->geometry(), child->font().pixelSize()});

    if (size.isValid())
        shown->resize(size);
    TestProgram::settle();
    const double s = std::min(double(canvas->width()) / designed.width(),
                              double(canvas->height()) / designed.height());
    const QPointF margin((canvas->width() - designed.width() * s) / 2,
                         (canvas->height() - designed.height() * s) / 2);
    QCOMPARE(WindowScale::of(shown), s);
    const auto expected = [&](const QRect &r) {
        return QRectF(r.x() * s + margin.x(), r.y() * s + margin.y(), r.width() * s,
                      r.height() * s);
    };
    for (const Designed &d : controls) {
        const QRectF want = expected(d.rect);
        const QRect got = d.control->geometry();
        const auto near = [](double a, int b) { return std::abs(a - b) <= 1.0; };
        QVERIFY2(near(want.left(), got.left()) && near(want.top(), got.top()) &&
                     near(want.width(), got.width()) && near(want.height(), got.height()),
                 qPrintable(QStringLiteral("%1 at %2,%3 %4x%5")
                                .arg(d.control->objectName())
                                .arg(got.x())
                                .arg(got.y())
                                .arg(got.width())
                                .arg(got.height())));
        if (d.pixelSize > 0)
            QVERIFY(std::abs(d.control->font().pixelSize() - d.pixelSize * s) <= 1.0);
    }
    // The menu bar keeps the desktop's own size.
    if (auto *menuBar = shown->findChild<QMenuBar *>())
        QCOMPARE(menuBar->font(), QApplication::font(menuBar));

    // A card is touched, then a place at its drawn centre: judged as that place.
    auto *form = qobject_cast<FormEsercizio *>(shown);
    const QList<DragLabel *> cards =
        form ? Drops::pickUpOf(shown)->playableCards() : QList<DragLabel *>();
    if (cards.isEmpty())
        return;
    DragLabel *card = cards.first();
    const QString name = card->text();
    DropLabel *target = Drops::pickUpOf(shown)->places().value(card->index());
    const auto centreOf = [&](QWidget *control) {
        for (const Designed &d : controls) {
            if (d.control == control)
                return canvas->mapTo(shown, expected(d.rect).center().toPoint());
        }
        return QPoint();
    };
    QWindow *handle = shown->windowHandle();
    QTest::touchEvent(handle, touchScreen_).press(0, centreOf(card), handle);
    QTest::touchEvent(handle, touchScreen_).release(0, centreOf(card), handle);
    QCOMPARE(Drops::pickUpOf(shown)->picked(), card);
    QTest::mouseClick(handle, Qt::LeftButton, {}, centreOf(target));
    QCOMPARE(Modulo1::NumEsatti, qint16(1));
    QCOMPARE(target->text(), name);
    // And a drop on the drawn centre of the next place is judged there too.
    const QList<DragLabel *> next = Drops::pickUpOf(shown)->playableCards();
    if (next.isEmpty())
        return;
    QWidget *under =
        shown->childAt(centreOf(Drops::pickUpOf(shown)->places().value(next.first()->index())));
    QVERIFY(qobject_cast<DropLabel *>(under));
    Drops::dropName(under, next.first()->index());
    QCOMPARE(Modulo1::NumEsatti, qint16(2));
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
