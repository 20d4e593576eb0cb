#include "OrderingDesign.h"

#include "Names.h"

OrderingDesign OrderingDesign::of(Finestra window, const Language &language)
{
    OrderingDesign d;
    const bool months = window == Finestra::Form1 || window == Finestra::Form2;
    d.names = months ? language.monthsUpper : language.daysOrdering;
    d.givenFirst = window == Finestra::Form2 || window == Finestra::Form4;
    d.namesLeft = months ? 210 : 105;
    d.placesLeft = months ? 3360 : 2940;
    d.rowPitch = months ? 525 : 735;
    if (window == Finestra::Form1) {
        d.oddPlace = 5;
        d.oddPlaceTop = 2760;
    }
    if (months)
        d.blankPlace = 8;
    d.designedNames = Names::monthsUpper().mid(0, d.names.size());
    return d;
}
