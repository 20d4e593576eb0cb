#pragma once

#include "CycleRound.h"
#include "FormEsercizio.h"

#include <QList>
#include <QRect>

#include <vector>

class DragLabel;
class DropLabel;
struct Language;

// The cycle windows: a ring of places like a clock face and one yellow card
// at a time in the middle, to be dragged onto its place.
class FormCiclo : public FormEsercizio
{
    Q_OBJECT

public:
    FormCiclo(Finestra id, const Language &language, const Services &services,
              QWidget *parent = nullptr);

    const CycleRound &round() const { return round_; }

    // Card `source` released over place `index`.
    Answer Label3_DragDrop(int index, int source);

    // The ring's places in window units: left, top, width (height 375).
    static std::vector<QRect> ring(Finestra id);

protected:
    void NuovoEsercizio() override;
    Answer dropped(int place, int card) override { return Label3_DragDrop(place, card); }
    Items items() const override;
    int itemOf(int index) const override { return round_.itemOf(index) + 1; }
    bool countRight() override;

private:
    void showPlace(int i);
    void showCard(int j);

    CycleRound round_;
    QList<DropLabel *> label3_;
    QList<DragLabel *> label4_;
};
