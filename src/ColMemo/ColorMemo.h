#pragma once

#include "ColMemo/TextModel.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <cstdint>
#include <functional>

// The editor control of every slot: a plain-text editor that offers its text,
// selection and caret in the character-index model (every line break counts
// as two characters, CR LF). Document positions never leave this class.
class TColorMemo : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TColorMemo(QWidget* parent = nullptr);
    ~TColorMemo() override;

    // Whole text, lines joined with "\r\n"; SetText accepts \r\n, \n or \r.
    QString Text() const;
    void SetText(const QString& text);
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

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    void DocumentChanged(int pos, int removed, int added);
    void TextChanged();
    // Passes a key to the editor, Enter always as a plain line break.
    void ForwardKey(QKeyEvent* e, const QString& text);
    void SetDocSelection(int anchor, int position);

    TTextModel m_model;
    int32_t m_caretLine = 0;    // the remembered caret line
    bool m_textChanged = false; // a real text change awaits its notification
};
