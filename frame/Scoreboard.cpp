#include "Scoreboard.h"

#include "AccessibleWindows.h"
#include "Controls.h"
#include "Counts.h"
#include "Design.h"
#include "FrameDesign.h"
#include "Palette.h"
#include "Picture.h"
#include "Pictures.h"

#include <QLabel>

namespace {

const QString rightCaption = QStringLiteral("Esatti");
const QString wrongCaption = QStringLiteral("Errati");

Picture *face(QWidget *area, const QString &picture, const char *name, const char *spoken,
              const QRect &place)
{
    auto *made = new Picture(picture, area);
    made->setObjectName(QLatin1String(name));
    made->setAccessibleName(QString::fromUtf8(spoken));
    made->setGeometry(place);
    return made;
}

} // namespace

Scoreboard::Scoreboard(QWidget *area, const FrameDesign &design)
{
    const auto label = [area](const char *name, const QString &text, double points,
                              const QRect &place) {
        return Controls::label(
            area, {QLatin1String(name), text, Design::arialBold(points), Palette::cyan(), place});
    };
    // The captions are part of the counts' names, so screen readers say each count once.
    AccessibleWindows::leaveOut(label("Label1", rightCaption, 12, design.label1));
    AccessibleWindows::leaveOut(label("Label2", wrongCaption, 12, design.label2));
    etichettaEsatti_ =
        label("EtichettaEsatti", QStringLiteral("quantiesatti"), 18, design.etichettaEsatti);
    etichettaErrati_ =
        label("EtichettaErrati", QStringLiteral("quantierrati"), 18, design.etichettaErrati);

    comandoIconaNo_ =
        face(area, Pictures::sadFace(), "ComandoIconaNo", "faccina triste", design.faces);
    comandoIconaSi_ =
        face(area, Pictures::laughingFace(), "ComandoIconaSi", "faccina che ride", design.faces);
    comandoIconaSi_->raise();
}

void Scoreboard::showCount(QLabel *label, const QString &caption, const QString &text)
{
    label->setText(text);
    label->setAccessibleName(caption + QStringLiteral(": ") + text.trimmed());
}

void Scoreboard::showZero()
{
    showCount(etichettaEsatti_, rightCaption, Counts::zeroText());
    showCount(etichettaErrati_, wrongCaption, Counts::zeroText());
}

void Scoreboard::showRight(qint16 count)
{
    comandoIconaSi_->show();
    comandoIconaNo_->hide();
    showCount(etichettaEsatti_, rightCaption, Counts::text(count));
}

void Scoreboard::showWrong(qint16 count)
{
    comandoIconaNo_->show();
    comandoIconaSi_->hide();
    showCount(etichettaErrati_, wrongCaption, Counts::text(count));
}

QString Scoreboard::rightName() const
{
    return etichettaEsatti_->accessibleName();
}

QString Scoreboard::wrongName() const
{
    return etichettaErrati_->accessibleName();
}
