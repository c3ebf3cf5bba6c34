#pragma once

#include <QPixmap>

// The program's emblem, a ship's hull with its draft marks at the waterline,
// drawn at the given size (square).
QPixmap programEmblem(int size);
