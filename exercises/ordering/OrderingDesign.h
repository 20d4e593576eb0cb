#pragma once

#include "Finestra.h"
#include "Language.h"

#include <QStringList>

// The designed values that tell the four ordering windows apart. Positions
// are in window units.
struct OrderingDesign
{
    QStringList names;
    bool givenFirst = false; // the sequence starts at a random, given name
    int namesLeft = 0;
    int placesLeft = 0;
    int rowPitch = 0;
    // One place may stand a little off its regular row.
    int oddPlace = -1;
    int oddPlaceTop = 0;
    // The designed caption of one place that differs from "Label4".
    int blankPlace = -1;
    // The designed captions of the name boxes, replaced before they are seen.
    QStringList designedNames;

    static constexpr int firstTop = 105;
    static constexpr int labelWidth = 2505;
    static constexpr int labelHeight = 375;

    int rowTop(int row) const { return firstTop + rowPitch * row; }
    int placeTop(int place) const { return place == oddPlace ? oddPlaceTop : rowTop(place); }

    // The names in `language`; the designed captions are always Italian.
    static OrderingDesign of(Finestra window, const Language &language = Language::italian());
};
