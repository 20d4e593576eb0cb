#include "FrameDesign.h"

#include "Design.h"

using Design::rect;

FrameDesign FrameDesign::of(Finestra window)
{
    FrameDesign d;
    switch (window) {
    case Finestra::Form1:
    case Finestra::Form2:
        d = {Design::size(10305, 7695),  rect(6840, 1920, 735, 375), rect(6960, 2520, 735, 495),
             rect(7680, 1800, 975, 615), rect(7800, 2400, 855, 615), rect(7560, 240, 975, 855),
             rect(6600, 4080, 1905, 855)};
        break;
    case Finestra::Form3:
    case Finestra::Form4:
    case Finestra::Form7:
    case Finestra::Ripasso:
        d = {Design::size(10305, 7695),  rect(6840, 1560, 735, 375), rect(6960, 2160, 735, 495),
             rect(7680, 1440, 975, 615), rect(7800, 2040, 855, 615), rect(7320, 120, 975, 855),
             rect(6720, 3360, 1905, 855)};
        break;
    case Finestra::Form5:
        d = {Design::size(10305, 7125),  rect(7440, 3120, 735, 375), rect(7440, 3720, 735, 495),
             rect(8160, 3000, 975, 615), rect(8160, 3600, 855, 615), rect(7680, 240, 975, 855),
             rect(5640, 4080, 1425, 855)};
        break;
    case Finestra::Form6:
        d = {Design::size(10305, 7125),  rect(7320, 3000, 735, 375), rect(7320, 3600, 735, 495),
             rect(8040, 2880, 975, 615), rect(8040, 3480, 855, 615), rect(7680, 120, 975, 855),
             rect(5640, 3840, 1425, 975)};
        break;
    case Finestra::FormAvvio:
    case Finestra::FormMenu:
    case Finestra::PlayerPicker:
        break;
    }
    d.changesColour = window != Finestra::Form7;
    return d;
}
