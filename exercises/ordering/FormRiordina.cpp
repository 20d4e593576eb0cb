#include "FormRiordina.h"

#include "Controls.h"
#include "Design.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "Palette.h"
#include "RandomSource.h"
#include "Services.h"

FormRiordina::FormRiordina(Finestra id, const Language &language, const Services &services,
                           QWidget *parent)
    : FormEsercizio(id, services, parent), design_(OrderingDesign::of(id, language)),
      round_(design_.names, design_.givenFirst)
{
    const int n = round_.size();
    for (int i = 0; i < n; ++i) {
        auto *name = new DragLabel(i, area());
        Controls::apply(name,
                        {QStringLiteral("Label3(%1)").arg(i), design_.designedNames[i],
                         Design::arialBold(14.25), Palette::white(),
                         Design::rect(design_.namesLeft, design_.rowTop(i),
                                      OrderingDesign::labelWidth, OrderingDesign::labelHeight),
                         true, Qt::AlignCenter});
        name->setVisible(round_.nameVisible(i));
        label3_.push_back(name);

        auto *place = new DropLabel(i, area());
        Controls::apply(place,
                        {QStringLiteral("Label4(%1)").arg(i),
                         i == design_.blankPlace ? QStringLiteral(" ") : QStringLiteral("Label4"),
                         Design::arialBold(15.75), Palette::white(),
                         Design::rect(design_.placesLeft, design_.placeTop(i),
                                      OrderingDesign::labelWidth, OrderingDesign::labelHeight),
                         true, Qt::AlignCenter});
        label4_.push_back(place);
    }
    play(label3_, label4_);
    loadFinished();
}

void FormRiordina::NuovoEsercizio()
{
    CaricaColori();
    round_.NuovoEsercizio(services().random);
    for (int i = 0; i < round_.size(); ++i) {
        showName(i);
        showPlace(i);
        moveDesigned(label3_[i], QPoint(Design::px(design_.namesLeft),
                                        Design::px(design_.rowTop(round_.nameRow(i)))));
    }
}

Answer FormRiordina::Label4_DragDrop(int index, int source)
{
    const Answer answer = round_.judge(source, index);
    if (answer == Answer::Right) {
        round_.place(source);
        showPlace(index);
        showName(source);
    }
    return answer;
}

void FormRiordina::showName(int i)
{
    if (!round_.nameVisible(i))
        return;
    DragLabel *name = label3_[i];
    name->setText(round_.nameText(i));
    name->setEnabled(round_.nameEnabled(i));
}

void FormRiordina::showPlace(int i)
{
    label4_[i]->setContent(round_.placeText(i));
}

Items FormRiordina::items() const
{
    return id() == Finestra::Form1 || id() == Finestra::Form2 ? Items::Months : Items::Days;
}
