#pragma once

class QWidget;

// Centres a window on the free area of the screen it shows on (a dialog's
// owner's screen), or a child window inside the window that holds it. A
// window not yet shown is first brought to the size its layout gives it,
// unless its size was set. Always succeeds.
bool FormCenter(QWidget& frm);
