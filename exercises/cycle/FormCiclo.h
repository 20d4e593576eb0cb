#pragma once

#include "CycleRound.h"
#include "FormEsercizio.h"

#include <QRect>

#include <vector>

class DragLabel;
class DropLabel;

// The cycle windows: a ring of places like a clock face and one yellow card
// at a time in the middle, to be dragged onto its place.
class FormCiclo : public FormEsercizio
{
    Q_OBJECT

public:
    explicit FormCiclo(Finestra id, QWidget *parent = nullptr);

    const CycleRound &round() const { return round_; }

    // A card released over place `index`.
    void Label3_DragDrop(int index, int source);

    // The ring's places in window units: left, top, width (height 375).
    static std::vector<QRect> ring(Finestra id);

protected:
    void NuovoEsercizio() override;

private:
    void showPlace(int i);
    void showCard(int j);

    CycleRound round_;
    std::vector<DropLabel *> label3_;
    std::vector<DragLabel *> label4_;
};
