#pragma once

class QWidget;

// Centres a window on the free area of its screen, or a child window inside
// the window that holds it. Always succeeds.
bool FormCenter(QWidget& frm);
