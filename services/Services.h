#pragma once

#include <functional>

class Choices;
class Classroom;
class Dialogs;
class RandomSource;
class SoundPlayer;
class Voice;
class WindowRegistry;

// What the windows work with, made once by the program (or by a test, with
// doubles) and handed to every window as it is created.
struct Services
{
    RandomSource &random;
    SoundPlayer &sound;
    Dialogs &dialogs;
    WindowRegistry &windows;
    Choices &choices;
    Voice &voice;
    // Who is playing, and where their answers are kept.
    Classroom &classroom;
    // Ends the program.
    std::function<void()> quit;
};
