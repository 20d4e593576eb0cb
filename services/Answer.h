#pragma once

// How one answer is judged, whatever the exercise: a name dropped on a
// place, or a day clicked on the calendar. Ignored: nothing that counts
// happened (a name that cannot be played any more).
enum class Answer { Ignored, Wrong, Right };
