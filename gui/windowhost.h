#pragma once

class QWidget;

namespace ort {

// The program as a window sees it: what one window may do with the others
// without knowing the program that owns them.
class WindowHost {
public:
    virtual ~WindowHost() = default;

    // Loads the main window (creating and initialising it) without showing
    // it; loading it again does nothing.
    virtual void loadMainWindow() = 0;
    // Shows the main window, loading it first if need be; not modal.
    virtual void showMainWindow() = 0;
    virtual void unloadMainWindow() = 0;
    // Unloads every loaded window in turn (each runs its unload step); with
    // none left the program ends.
    virtual void unloadAllWindows() = 0;
    // Ends at once: every window goes without further events.
    virtual void endProgram() = 0;
    // Called by a window from its own unload: the host forgets it, so a
    // later use creates a new one.
    virtual void windowUnloaded(QWidget *window) = 0;
};

} // namespace ort
