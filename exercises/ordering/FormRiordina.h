#pragma once

#include "FormEsercizio.h"
#include "OrderingDesign.h"
#include "OrderingRound.h"

#include <vector>

class DragLabel;
class DropLabel;

// The ordering windows: names dragged from a shuffled column onto a column
// of places. One design serves the months and the days, with every name to
// place or with the first one given.
class FormRiordina : public FormEsercizio
{
    Q_OBJECT

public:
    explicit FormRiordina(Finestra id, QWidget *parent = nullptr);

    const OrderingRound &round() const { return round_; }

    // A name released over place `index`.
    void Label4_DragDrop(int index, int source);

protected:
    void NuovoEsercizio() override;

private:
    void showName(int i);
    void showPlace(int i);

    const OrderingDesign design_;
    OrderingRound round_;
    std::vector<DragLabel *> label3_;
    std::vector<DropLabel *> label4_;
};
