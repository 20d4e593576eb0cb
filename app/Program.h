#pragma once

class WindowRegistry;

namespace Program {

// Tells the registry how to create each of the nine windows.
void registerWindows(WindowRegistry &registry);

} // namespace Program
