// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ColMemo/ColorMemoGeometry.h"
#include "ColMemo/ColorMemoMarks.h"
#include "ColMemo/ColorMemoPainter.h"
#include "ColMemo/ColorRules.h"
#include "ColMemo/HotSpot.h"
#include "ColMemo/KeyScanner.h"
#include "ColMemo/TextModel.h"

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextCursor>
#include <cstdint>
#include <functional>
#include <vector>

class TColorMemoGutter;

// The editor control of every slot: a plain-text editor that offers its text,
// selection and caret in the character-index model (every line break counts
// as two characters, CR LF) and paints the runs of its colour rules over its
// own rendering of the text. Document positions never leave this class.
class TColorMemo : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TColorMemo(QWidget* parent = nullptr);
    ~TColorMemo() override;

    // Whole text, lines joined with "\r\n"; SetText accepts \r\n, \n or \r.
    QString Text() const;
    void SetText(QString text);
    int32_t TextLength() const;

    // Selection; the start is clamped to [0, TextLength()], the length to the
    // text after it. An index on the LF of a break counts as its CR for a start
    // and as the next line's start for an end.
    int32_t SelStart() const;
    void SetSelStart(int32_t index); // collapses the selection
    int32_t SelLength() const;
    void SetSelLength(int32_t length); // extends from SelStart
    void SetSelection(int32_t start, int32_t length);
    QString SelText() const;
    // Replaces the selection as typing would: one change notification, undoable.
    void ReplaceSelection(const QString& text);
    // A stretch of the text and what takes its place.
    struct TStretch {
        int32_t Start;
        int32_t Length;
        QString Text;
    };
    // Replaces stretches (ascending, apart, indices of the text before) in one edit: one change
    // notification, however many there are. The caret stays where it was in the text.
    void ReplaceStretches(const std::vector<TStretch>& stretches);

    // The line list: an empty last line is not counted (empty text: 0 lines).
    int32_t LineCount() const;
    QString LineText(int32_t line) const; // without its break; "" out of range
    QStringList Lines() const;
    // Start index of a line; -1 asks for the caret's line; -1 past the end.
    int32_t LineIndex(int32_t line) const;
    int32_t LineFromChar(int32_t index) const; // index clamped
    int32_t LineLength(int32_t index) const;   // of the line containing index

    // Caret properties. Reading or writing CaretLine remembers the line, and
    // SetCaretCol works on that remembered line.
    int32_t CaretLine();
    void SetCaretLine(int32_t n);
    int32_t CaretCol() const;
    void SetCaretCol(int32_t n);
    int32_t FirstVisibleLine() const;
    // Viewport position of a character's top-left corner, and the character index nearest to
    // a viewport point.
    QPoint PosFromChar(int32_t index) const;
    int32_t CharFromPos(const QPoint& pos) const;

    bool Modified() const;
    void SetModified(bool modified);

    // Events, Sender = the control; for one key they run in this order.
    // Before the key takes effect; setting key to 0 consumes it.
    std::function<void(TColorMemo*, int& key, Qt::KeyboardModifiers)> OnKeyDown;
    // A typed character (Enter arrives as 13); setting it to 0 drops it.
    std::function<void(TColorMemo*, QChar& ch)> OnKeyPress;
    // After every change of the text, never for format or layout changes.
    std::function<void(TColorMemo*)> OnChange;
    // Mouse click in the editor, after the caret moved.
    std::function<void(TColorMemo*)> OnClick;

    // ---- colouring ----
    // After a scroll, before the window is recoloured.
    std::function<void(TColorMemo*)> OnVScroll;
    std::function<void(TColorMemo*)> OnHScroll;
    // A mouse button released over a hot spot; SRC is its text without the markers.
    std::function<void(TColorMemo*, const QString& SRC)> OnHotSpotClick;
    // Supplies the findings of dtEventDraw rules (needs ColorLimMax > 0).
    colmemo::TDrawEvent OnDraw;
    // When set, keyword runs are handed to it instead of being drawn.
    TKeyDrawEvent OnDrawKey;

    colmemo::TDrawRules& ColorRules() { return Rules; }
    const colmemo::TDrawRules& ColorRules() const { return Rules; }
    // Takes a copy of the given rules.
    void SetColorRules(const colmemo::TDrawRules& rules);
    int32_t ColorLimMax() const { return Scanner.ColorLimMax(); }
    void SetColorLimMax(int32_t count);
    // True: every text change recolours the window, and the caret line up to the caret is
    // redrawn in the font colour at every paint.
    bool RedrawAlways() const { return RedrawAlwaysOn; }
    void SetRedrawAlways(bool redrawAlways) { RedrawAlwaysOn = redrawAlways; }
    colmemo::THotSpot& HotSpot() { return HotSpotSettings; }
    const colmemo::THotSpot& HotSpot() const { return HotSpotSettings; }

    // Recolours the window, or only the caret line (and the look-back lines above it). The
    // colours are drawn by the paint this requests.
    virtual void PaintColors(QObject* sender, bool caretLineOnly);

    // What the last colour paint scanned; for tests and diagnostics.
    struct TPaintReport {
        int Count = 0; // colour paints so far
        bool CaretLineOnly = false;
        int32_t ScanStart = 0;
        int32_t ScanEnd = 0;
    };
    const TPaintReport& LastPaint() const { return PaintReport; }

    // ---- line numbers ----
    // A gutter of line numbers left of the text; off at first. It takes its width from the
    // viewport, whose coordinates (PosFromChar, CharFromPos, the mouse) stay the text's own.
    void SetLineNumbers(bool on);
    bool LineNumbers() const { return LineNumbersOn; }
    // The gutter's width in pixels; 0 while the line numbers are off.
    int GutterWidth() const { return GutterPixels; }

    // ---- marks ----
    // Marks of errors and warnings: their lines tinted under the text, the marked characters
    // underlined with a wave, their tool tips over the line. Each change of the set is told by
    // MarksChanged; SetText and every edit of a mark's line take marks away.
    void SetMarks(std::vector<TMark> marks);
    void ClearMarks();
    const std::vector<TMark>& Marks() const { return MarkSet.Marks(); }
    // The tool tips of a line's marks, one per text line; "" when the line has none.
    QString MarksToolTip(int32_t line) const { return MarkSet.ToolTip(line); }

signals:
    void MarksChanged();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    friend class TColorMemoGutter;

    enum class TPending { None, CaretLine, Full };

    void DocumentChanged(int pos, int removed, int added);
    void TextChanged();
    void RecolourAfterChange();
    // Passes a key to the editor, Enter always as a plain line break.
    void ForwardKey(QKeyEvent* e, const QString& text);
    void CollapseSelectionForNavigation(const QKeyEvent* e);
    void SetDocSelection(int anchor, int position);
    int32_t TextEnd() const;

    bool ColouringActive() const;
    QRectF CaretLineRect() const;
    bool CaretLineScanFor(const QRect& paintRect);
    void PaintRuns(QPainter& painter, const QRect& paintRect, bool caretLineOnly);
    void KeepShaping(int first, int last, QPainter& painter);
    colmemo::TScanInput ScanInput(bool caretLineOnly);

    QRect CaretRect() const;
    void RestartBlink();
    bool OnLongLine() const;
    void CaretMoved();
    void Scrolled(const std::function<void(TColorMemo*)>& event);

    // The hot spot under a viewport point: its text when over one.
    bool HotSpotAt(const QPoint& pos, QString* text) const;
    void TrackHotSpot(const QPoint& pos);

    void UpdateGutterWidth();
    void UpdateGutterRow(int line);
    void PlaceGutter();
    void GutterRequest(const QRect& rect, int dy);
    void PaintGutter(const TColorMemoGutter& gutter, QPainter& painter, const QRect& rect) const;

    // The visible line's rectangle in viewport coordinates, across the whole viewport.
    QRectF LineBand(const QTextBlock& block) const;
    void PaintMarkTints(const std::vector<TColorMemoMarks::TMarkedLine>& lines, const QRect& clip);
    void PaintMarkWaves(QPainter& painter, int32_t first, int32_t last, const QRect& clip) const;
    static QColor TintOf(bool warning);
    void MarksEdited(int pos, int removed, int added);

    TTextModel Model;
    // The visible lines of the last paint; kept so their list is not allocated at every paint.
    TColorMemoGeometry Geometry;
    int32_t RememberedCaretLine = 0; // as CaretLine last read or set it
    bool TextChangePending = false;  // a real text change awaits its notification
    bool Emptying = false;           // SetText clears before it fills: one change, told once
    QTextCursor EndCursor;           // stays at the end of the text
    int LayoutWidth = 0;             // the width the document was last laid out for
    // The short lines whose shaping is kept between paints (the visible ones), and the line
    // count then: lines added or removed since shift them.
    struct TShaped {
        int First = 0;
        int Last = -1;
        int BlockCount = 0;
    } Shaped;

    colmemo::TDrawRules Rules;
    colmemo::THotSpot HotSpotSettings;
    colmemo::TKeyScanner Scanner;
    bool RedrawAlwaysOn = false;
    // Line count and text end at the last change: one more character on as many lines is a
    // keystroke that only needs its line recoloured.
    int32_t LastLineCount = 0;
    int32_t LastTextEnd = 0;
    TPending Pending = TPending::None;
    // The line last coloured by a caret-line scan, until a full scan covers it again.
    int32_t CaretScanLine = -1;
    TPaintReport PaintReport;

    QBasicTimer Blink;
    bool CaretOn = false;
    bool SteadyCaret = false;      // the caret's line is too long to blink on
    QObject* Control = nullptr;    // the editor's own text control
    QElapsedTimer LastDoubleClick; // a triple click is still possible shortly after
    QRect DrawnCaretRect;          // where the caret was drawn last

    bool LineNumbersOn = false;
    TColorMemoGutter* Gutter = nullptr; // made when first switched on
    int GutterDigits = 0;               // the digits its width was last made for
    int GutterPixels = 0;               // its width
    int GutterCaretLine = -1;           // the line whose number is drawn stronger

    TColorMemoMarks MarkSet;
    // The marked lines of the paint under way, with their tint.
    std::vector<TColorMemoMarks::TMarkedLine> PaintedMarks;
};
