#include "FormRiordina.h"

#include "Controls.h"
#include "Design.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "Lingua.h"
#include "Modulo1.h"
#include "Palette.h"

FormRiordina::FormRiordina(Finestra id, QWidget *parent)
    : FormEsercizio(id, parent), design_(OrderingDesign::of(id, Language::of(Lingua::corrente()))),
      round_(design_.names, design_.givenFirst)
{
    const int n = round_.size();
    for (int i = 0; i < n; ++i) {
        auto *name = new DragLabel(i, pickUp(), area());
        Controls::apply(name,
                        {QStringLiteral("Label3(%1)").arg(i), design_.designedNames[i],
                         Design::arialBold(14.25), Palette::white(),
                         Design::rect(design_.namesLeft, design_.rowTop(i),
                                      OrderingDesign::labelWidth, OrderingDesign::labelHeight),
                         true, Qt::AlignCenter});
        name->setVisible(round_.nameVisible(i));
        label3_.push_back(name);

        auto *place = new DropLabel(i, pickUp(), area());
        Controls::apply(place,
                        {QStringLiteral("Label4(%1)").arg(i),
                         i == design_.blankPlace ? QStringLiteral(" ") : QStringLiteral("Label4"),
                         Design::arialBold(15.75), Palette::white(),
                         Design::rect(design_.placesLeft, design_.placeTop(i),
                                      OrderingDesign::labelWidth, OrderingDesign::labelHeight),
                         true, Qt::AlignCenter});
        connect(place, &DropLabel::dropped, this,
                [this](int index, DragLabel *source) { Label4_DragDrop(index, source->index()); });
        label4_.push_back(place);
    }
    loadFinished();
}

void FormRiordina::NuovoEsercizio()
{
    CaricaColori();
    round_.NuovoEsercizio(Modulo1::random());
    for (int i = 0; i < round_.size(); ++i) {
        showName(i);
        showPlace(i);
        moveDesigned(
            label3_[std::size_t(i)],
            QPoint(Design::px(design_.namesLeft), Design::px(design_.rowTop(round_.nameRow(i)))));
    }
}

void FormRiordina::Label4_DragDrop(int index, int source)
{
    switch (round_.judge(source, index)) {
    case OrderingRound::Answer::Ignored:
        return;
    case OrderingRound::Answer::Wrong:
        SegnaErrato();
        return;
    case OrderingRound::Answer::Right:
        round_.place(source);
        showPlace(index);
        showName(source);
        SegnaEsatto();
        if (round_.countPlaced())
            ConcludiEsercizio();
        return;
    }
}

void FormRiordina::showName(int i)
{
    if (!round_.nameVisible(i))
        return;
    DragLabel *name = label3_[std::size_t(i)];
    name->setText(round_.nameText(i));
    name->setEnabled(round_.nameEnabled(i));
}

void FormRiordina::showPlace(int i)
{
    label4_[std::size_t(i)]->setContent(round_.placeText(i));
}
