#pragma once

#include "FormEsercizio.h"
#include "OrderingDesign.h"
#include "OrderingRound.h"

#include <QList>

class DragLabel;
class DropLabel;
struct Language;

// The ordering windows: names dragged from a shuffled column onto a column
// of places. One design serves the months and the days, with every name to
// place or with the first one given.
class FormRiordina : public FormEsercizio
{
    Q_OBJECT

public:
    FormRiordina(Finestra id, const Language &language, const Services &services,
                 QWidget *parent = nullptr);

    const OrderingRound &round() const { return round_; }

    // Name `source` released over place `index`.
    Answer Label4_DragDrop(int index, int source);

protected:
    void NuovoEsercizio() override;
    Answer dropped(int place, int card) override { return Label4_DragDrop(place, card); }
    Items items() const override;
    int itemOf(int index) const override { return round_.itemOf(index) + 1; }
    bool countRight() override { return round_.countPlaced(); }

private:
    void showName(int i);
    void showPlace(int i);

    const OrderingDesign design_;
    OrderingRound round_;
    QList<DragLabel *> label3_;
    QList<DropLabel *> label4_;
};
