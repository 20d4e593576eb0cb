#include "Finestra.h"

const char *windowName(Finestra window)
{
    static constexpr const char *names[] = {
        "FormAvvio", "FormMenu", "Form1", "Form2",    "Form3",   "Form4",
        "Form5",     "Form6",    "Form7", "ChiGioca", "Ripasso",
    };
    return names[static_cast<int>(window)];
}

const char *shownName(Finestra window)
{
    static constexpr const char *names[] = {
        "Tempiolo",
        "Tempiolo",
        "Riordina i mesi (1)",
        "Riordina i mesi (2)",
        "Riordina i giorni (1)",
        "Riordina i giorni (2)",
        "Ciclo dei mesi",
        "Ciclo dei giorni",
        "Usa il calendario",
        "Chi gioca?",
        "Ripasso",
    };
    return names[static_cast<int>(window)];
}

const char *exerciseKey(Finestra window)
{
    static constexpr const char *keys[] = {
        "",
        "",
        "riordina-mesi-1",
        "riordina-mesi-2",
        "riordina-giorni-1",
        "riordina-giorni-2",
        "ciclo-mesi",
        "ciclo-giorni",
        "calendario",
        "",
        "ripasso",
    };
    return keys[static_cast<int>(window)];
}

std::optional<Finestra> exerciseOfKey(const QString &key)
{
    for (Finestra window : playingWindows) {
        if (key == QLatin1String(exerciseKey(window)))
            return window;
    }
    return std::nullopt;
}
