#pragma once

class WindowRegistry;

// Registers the port master, the ship particulars, the hydrostatic tables
// and the Open dialog, each working on the shared connection.
void registerMasterWindows(WindowRegistry& registry);
