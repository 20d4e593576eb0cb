#pragma once

class QAccessibleInterface;
class QAction;

// The menus as screen readers find them: Qt's own, but for their items,
// which Qt's menu bar and menus ask for here. The menu bar's leave out the blanks the captions are
// padded with ("Azzera conteggio", not "Azzera conteggio          "); a drop-down item says which
// menu it belongs to ("suono: sì", "voce: no"), because a screen reader moving through an open menu
// says only the item.
namespace AccessibleMenus {

// An item of the menu bar or of one of its menus; null for any other action.
QAccessibleInterface *item(QAction *action);

} // namespace AccessibleMenus
