#include "Finestra.h"

const char *windowName(Finestra window)
{
    static constexpr const char *names[] = {
        "FormAvvio", "FormMenu", "Form1", "Form2", "Form3",
        "Form4",     "Form5",    "Form6", "Form7", "ChiGioca",
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
    };
    return names[static_cast<int>(window)];
}
