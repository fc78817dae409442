// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a test sees of other programs' windows on the X display: names,
// places and sizes, and the close request a window manager would send.
#include <QList>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

struct xcb_connection_t;

struct TXWindow {
    uint32_t Id = 0;
    uint32_t Parent = 0;
    QString Name;   // _NET_WM_NAME, else WM_NAME
    QRect Geometry; // in root coordinates
};

class TXDisplay {
public:
    TXDisplay(); // the display of $DISPLAY
    ~TXDisplay();
    TXDisplay(const TXDisplay&) = delete;
    TXDisplay& operator=(const TXDisplay&) = delete;

    bool IsOpen() const { return Connection != nullptr; }

    // The first mapped window named `name`, at any depth of the tree.
    std::optional<TXWindow> FindWindow(const QString& name) const;
    // Every mapped window below `window`.
    QList<TXWindow> Descendants(uint32_t window) const;
    // Asks the window's program to close it (WM_DELETE_WINDOW).
    bool RequestClose(uint32_t window) const;

    // Polls until `found` holds, at most `timeoutMs`, handling this program's
    // events meanwhile; its result, or nullopt.
    static std::optional<TXWindow> WaitFor(const std::function<std::optional<TXWindow>()>& found,
                                           int timeoutMs);

private:
    uint32_t Atom(const char* name) const;
    bool IsMapped(uint32_t window) const;
    TXWindow Describe(uint32_t window) const;
    QList<uint32_t> Children(uint32_t window) const;

    xcb_connection_t* Connection = nullptr;
    uint32_t Root = 0;
};
