#pragma once

#include "Finestra.h"

#include <QRect>
#include <QSize>

// Where the frame's controls stand in one exercise window, in pixels, and
// the window's own few differences in how it behaves.
struct FrameDesign
{
    QSize client;
    QRect label1;
    QRect label2;
    QRect etichettaEsatti;
    QRect etichettaErrati;
    QRect faces;
    QRect bottoneAvanti;
    // A wrong answer paints the window black and a new round draws a colour.
    bool changesColour = true;

    static FrameDesign of(Finestra window);
};
