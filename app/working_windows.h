#pragma once

class WindowRegistry;

// Registers the working windows built so far, so that their menu items and
// toolbar buttons open them.
void registerWorkingWindows(WindowRegistry& registry);
