#pragma once

#include <QString>
#include <QtGlobal>

class Dialogs;
class QWidget;
class RandomSource;
struct Services;

// What outlives every window: the scores, the waiting choice, start-up and
// the services the exercise windows call.
namespace Modulo1 {

// Right and wrong answers since the last return to the menu or reset.
extern qint16 NumEsatti;
extern qint16 NumErrati;
// True: exercises wait for "avanti" at the end of a round.
extern bool AttendiAvanti;

// Seeds the random source from the clock and shows the start screen.
void Main(const Services &services);
// The about box, over the window that asked for it.
void MostraInformazioni(Dialogs &dialogs, QWidget *asking);
// Asks to go back to the menu; on Yes resets the scores, closes every
// exercise window and shows the menu.
void TornaAlMenu(const Services &services, QWidget *asking);
// One of the four right-answer sounds at random.
void SuonoEsatto(const Services &services);
// The wrong-answer sound.
void SuonoErrato(const Services &services);
// Ends the program at once.
void EndProgram(const Services &services);

// The four lines of the about box, separated by CR LF.
QString aboutText();
// The folder that holds the executable, without a final separator.
QString programFolder();
// A file of the "suoni" folder beside the executable.
QString soundPath(const QString &fileName);
// The five sound files, for preloading.
QStringList allSoundPaths();
// Which right-answer sound a draw r picks: floor(4 * r) + 1.
int rightSoundNumber(RandomSource &random);

} // namespace Modulo1
