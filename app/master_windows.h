#pragma once

class WindowRegistry;

// Registers the port master, the ship particulars and the Open dialog,
// each working on the shared connection.
void registerMasterWindows(WindowRegistry& registry);
