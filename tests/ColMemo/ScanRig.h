// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A scanner with its rules and a plain-text window, and readable forms of findings and runs.

#include "ColMemo/KeyScanner.h"
#include "ColMemo/PlainTextGeometry.h"

#include <QString>
#include <QStringList>

#include <initializer_list>

inline QString ColorName(colmemo::TColor color) {
    switch (color) {
    case colmemo::clBlack:
        return QStringLiteral("black");
    case colmemo::clRed:
        return QStringLiteral("red");
    case colmemo::clBlue:
        return QStringLiteral("blue");
    case colmemo::clPurple:
        return QStringLiteral("purple");
    case colmemo::clYellow:
        return QStringLiteral("yellow");
    case colmemo::clWindow:
        return QStringLiteral("window");
    default:
        return QStringLiteral("$%1").arg(color, 6, 16, QLatin1Char('0')).toUpper();
    }
}

// "first..last colour zN" and " kw" for keyword stretches.
inline QString DescrText(const colmemo::TKeyDescr& key) {
    QString text = QStringLiteral("%1..%2 %3 z%4")
                       .arg(key.First)
                       .arg(key.Last)
                       .arg(ColorName(key.Color))
                       .arg(key.ZOrder);
    if (key.KeyWord)
        text += QStringLiteral(" kw");
    return text;
}

inline colmemo::TStrings Lines(std::initializer_list<const char16_t*> lines) {
    colmemo::TStrings result;
    for (const char16_t* line : lines)
        result.emplace_back(line);
    return result;
}

struct TScanRig {
    colmemo::TDrawRules Rules;
    colmemo::TKeyScanner Scanner;
    colmemo::TPlainTextGeometry Geometry;
    colmemo::TScanInput Input;

    TScanRig() { Input.Rules = &Rules; }

    colmemo::TColorRule& AddKeywords(std::initializer_list<const char16_t*> keywords,
                                     colmemo::TColor color = colmemo::clBlue, bool keyCase = true,
                                     bool partWord = false, uint8_t zOrder = 0) {
        colmemo::TColorRule& rule = Rules.Add();
        rule.KeyDrawingType = colmemo::dtKeyShow;
        rule.KeyCase = keyCase;
        rule.PartWord = partWord;
        rule.DefKeyColor = color;
        rule.ZOrder = zOrder;
        rule.SetKeywords(Lines(keywords));
        return rule;
    }

    colmemo::TColorRule& AddPairs(std::initializer_list<const char16_t*> pairs,
                                  colmemo::TColor color = colmemo::clPurple, uint8_t zOrder = 0) {
        colmemo::TColorRule& rule = Rules.Add();
        rule.DefKeyColor = color;
        rule.ZOrder = zOrder;
        rule.SetKeyBegEndLst(Lines(pairs));
        return rule;
    }

    colmemo::TColorRule& AddLineEnds(std::initializer_list<const char16_t*> marks,
                                     colmemo::TColor color = colmemo::clPurple,
                                     uint8_t zOrder = 0) {
        colmemo::TColorRule& rule = Rules.Add();
        rule.KeyDrawingType = colmemo::dtBeginLineEnd;
        rule.DefKeyColor = color;
        rule.ZOrder = zOrder;
        rule.SetKeyLineEndLst(Lines(marks));
        return rule;
    }

    // The whole text in view; collects without building runs.
    QStringList Findings(const std::u16string& text) {
        Load(text);
        Scanner.CollectKeys(Input);
        QStringList result;
        for (int32_t i = 0; i < Scanner.DescrCount(); ++i)
            if (Scanner.KeyList()[size_t(i)].First != colmemo::FreeIndex)
                result << DescrText(Scanner.KeyList()[size_t(i)]);
        return result;
    }

    // The whole text in view; one complete paint.
    QStringList Runs(const std::u16string& text) {
        Geometry.SetText(text);
        Geometry.ShowAll();
        Scanner.Scan(Input, Geometry);
        return RunTexts();
    }

    QStringList RunTexts() const {
        QStringList result;
        for (const colmemo::TKeyDescr& run : Scanner.KeyList()) {
            if (run.First == colmemo::FreeIndex)
                break;
            result << DescrText(run);
        }
        return result;
    }

    void Load(const std::u16string& text) {
        Geometry.SetText(text);
        Geometry.ShowAll();
        Rules.PrepareRules();
        Scanner.LoadRegion(colmemo::ComputeScanRegion(&Rules, false, 0, 0, Geometry), Geometry);
    }
};
