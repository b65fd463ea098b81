#pragma once
// Hooks every module's windows to the main window's links, once, before start-up.
void installerLiensModules();
