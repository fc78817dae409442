// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <algorithm>
#include <array>

// The settings record, one instance for the whole process, handed to the
// windows that use it: loaded when the main window is created, written back
// when it closes, changed in memory only in between.
struct TInisRecord {
    static constexpr int RecentFileCount = 5;

    // The values a number setting is kept within: outside them it does not
    // work (a tab width of 0 hides every tab, an applet of 0 pixels shows nothing).
    struct TRange {
        int Min;
        int Max;
        constexpr int Clamp(int value) const { return std::clamp(value, Min, Max); }
    };
    static constexpr TRange TabsRange{1, 16};
    static constexpr TRange AppSizeRange{1, 4096}; // AppX and AppY

    QString JdkDir;
    QString ProjectDir;
    QString HilfeDir; // the help file's full path, despite the name
    // Recently saved files, Files[0] the newest; "" is a free entry.
    std::array<QString, RecentFileCount> Files;
    bool AutoTab = false;
    bool LineNumbers = true; // the editors show line numbers
    bool AWinMin = false;
    bool RWinMin = false;
    int Tabs = 0;
    int AppX = 0;
    int AppY = 0;
    // The editor font. Always equal to the first editor's font: the main
    // window changes it together with the editors' fonts.
    QFont Font;
    // Qt fonts have no character set; kept so the stored value survives.
    int FontCharSet = 1;
    // No setting: what loading could not read and replaced by defaults, for
    // the user to be told once; empty when everything was read.
    QString UnreadableNote;

    // Back to the state before loading: empty, false, 0.
    void Clear() { *this = TInisRecord(); }
};
