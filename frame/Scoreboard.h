#pragma once

#include <QString>

class Picture;
class QLabel;
class QWidget;
struct FrameDesign;

// The scores and the faces of an exercise window: "Esatti" and "Errati"
// with their counts, and the laughing face in front of the sad one on one
// spot. Screen readers hear each count with its caption, "Esatti: 4".
class Scoreboard
{
public:
    Scoreboard(QWidget *area, const FrameDesign &design);

    // Both counts read "0"; the faces stay as they are.
    void showZero();
    // The laughing face, and the right answers' new count.
    void showRight(qint16 count);
    // The sad face, and the wrong answers' new count.
    void showWrong(qint16 count);

    // "Esatti: 4", "Errati: 1": what screen readers hear of each count.
    QString rightName() const;
    QString wrongName() const;

private:
    static void showCount(QLabel *label, const QString &caption, const QString &text);

    QLabel *etichettaEsatti_;
    QLabel *etichettaErrati_;
    Picture *comandoIconaSi_;
    Picture *comandoIconaNo_;
};
