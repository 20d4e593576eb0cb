#pragma once

class WindowRegistry;
struct Services;

namespace Program {

// Tells the registry how to create each of the eleven windows, each handed
// the services, and the exercises the language chosen when they open.
void registerWindows(WindowRegistry &registry, const Services &services);

} // namespace Program
