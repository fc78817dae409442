// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class TFindDialog;
class TReplaceDialog;
class TWorkspace;

// Find and replace in the current editor through two modeless dialogs,
// created when first shown and owned by the window. Exact case, forward.
class TFindReplace : public QObject {
    Q_OBJECT
public:
    explicit TFindReplace(TWorkspace& workspace);

    void Suchen1Click();
    void Ersetzen1Click();

private:
    void FindDialogFind();
    void ReplaceDialogFind();
    void ReplaceDialogReplace();
    void SelectNextOccurrence(const QString& what);

    TWorkspace& Workspace;
    TFindDialog* FindDialog = nullptr;
    TReplaceDialog* ReplaceDialog = nullptr;
};
