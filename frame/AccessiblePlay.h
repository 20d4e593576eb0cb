#pragma once

// What a screen reader or a switch sees of the cards and places: buttons
// named with their visible text ("GENNAIO", "posto 3: vuoto"), whose press
// action does what a tap does. A picked-up card is reported as checked.
namespace AccessiblePlay {

// Registers the interfaces with Qt, once.
void install();

} // namespace AccessiblePlay
