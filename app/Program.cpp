#include "Program.h"

#include "Choices.h"
#include "FormAvvio.h"
#include "FormCalendario.h"
#include "FormCiclo.h"
#include "FormMenu.h"
#include "FormRiordina.h"
#include "FormRipasso.h"
#include "Language.h"
#include "PlayerPicker.h"
#include "Services.h"
#include "WindowRegistry.h"

namespace Program {

void registerWindows(WindowRegistry &registry, const Services &services)
{
    const auto language = [&services]() -> const Language & {
        return Language::of(services.choices.language());
    };
    registry.setFactory(Finestra::FormAvvio, [&services] { return new FormAvvio(services); });
    registry.setFactory(Finestra::FormMenu, [&services] { return new FormMenu(services); });
    registry.setFactory(Finestra::PlayerPicker, [&services] { return new PlayerPicker(services); });
    for (Finestra ordering : {Finestra::Form1, Finestra::Form2, Finestra::Form3, Finestra::Form4})
        registry.setFactory(
            ordering, [=, &services] { return new FormRiordina(ordering, language(), services); });
    for (Finestra cycle : {Finestra::Form5, Finestra::Form6})
        registry.setFactory(cycle,
                            [=, &services] { return new FormCiclo(cycle, language(), services); });
    registry.setFactory(Finestra::Form7,
                        [=, &services] { return new FormCalendario(language(), services); });
    registry.setFactory(Finestra::Ripasso,
                        [=, &services] { return new FormRipasso(language(), services); });
}

} // namespace Program
