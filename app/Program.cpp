#include "Program.h"

#include "FormAvvio.h"
#include "FormCalendario.h"
#include "FormCiclo.h"
#include "FormMenu.h"
#include "FormRiordina.h"
#include "WindowRegistry.h"

namespace Program {

void registerWindows(WindowRegistry &registry)
{
    registry.setFactory(Finestra::FormAvvio, [] { return new FormAvvio; });
    registry.setFactory(Finestra::FormMenu, [] { return new FormMenu; });
    for (Finestra ordering : {Finestra::Form1, Finestra::Form2, Finestra::Form3, Finestra::Form4})
        registry.setFactory(ordering, [ordering] { return new FormRiordina(ordering); });
    for (Finestra cycle : {Finestra::Form5, Finestra::Form6})
        registry.setFactory(cycle, [cycle] { return new FormCiclo(cycle); });
    registry.setFactory(Finestra::Form7, [] { return new FormCalendario; });
}

} // namespace Program
