// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/ColorMemo.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>

TColorMemo::TColorMemo(QWidget* parent)
    : QPlainTextEdit(parent), Model(document()), Geometry(Model, document()),
      MarkSet(Model, document()) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    setTabChangesFocus(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(document(), &QTextDocument::contentsChange, this, &TColorMemo::DocumentChanged);
    // The document reports moved cursors only after inserting or removing text, never after a
    // change of formats; the cursor at the text's end moves with every such edit.
    EndCursor = QTextCursor(document());
    EndCursor.movePosition(QTextCursor::End);
    connect(document(), &QTextDocument::cursorPositionChanged, this,
            [this] { TextChangePending = true; });
    connect(this, &QPlainTextEdit::textChanged, this, &TColorMemo::TextChanged);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &TColorMemo::UpdateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &TColorMemo::GutterRequest);
    // The caret is drawn over the colours, not by the editor below them.
    setCursorWidth(0);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TColorMemo::CaretMoved);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { Scrolled(OnVScroll); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { Scrolled(OnHScroll); });
    viewport()->setMouseTracking(true);
    LayoutWidth = viewport()->width();
    for (QObject* child : children())
        if (child->inherits("QWidgetTextControl"))
            Control = child;
    if (Control)
        Control->installEventFilter(this);
}

TColorMemo::~TColorMemo() {
    // The base class outlives this class's members; nothing it does on the way out may reach
    // them through a signal.
    disconnect(document(), nullptr, this, nullptr);
    if (Control)
        Control->removeEventFilter(this);
    disconnect(this, nullptr, this, nullptr);
    disconnect(verticalScrollBar(), nullptr, this, nullptr);
    disconnect(horizontalScrollBar(), nullptr, this, nullptr);
}

// ---- text and selection ----------------------------------------------------

QString TColorMemo::Text() const {
    return Model.Text();
}

void TColorMemo::SetText(QString text) {
    ClearMarks();
    QList<TTextModel::TMarked> marked;
    const QString doc = TTextModel::ToDocument(std::move(text), marked);
    // The editor's own reset (caret, undo history, modified flag) with no text, then the text in
    // one insertion with the plain format. Given the text, setPlainText would go over every
    // line once more to give it the format at the caret: a tenth of a long file's opening, and
    // behind a stand-in that format names a real character, which the new text's own
    // replacement characters would then take for theirs.
    Emptying = !doc.isEmpty();
    setPlainText(QString());
    Emptying = false;
    if (doc.isEmpty())
        return;
    // Loading is no undo step and no change.
    const bool undo = document()->isUndoRedoEnabled();
    document()->setUndoRedoEnabled(false);
    QTextCursor fill(document());
    fill.insertText(doc, QTextCharFormat());
    Model.Mark(0, marked);
    document()->setUndoRedoEnabled(undo);
    document()->setModified(false);
    // The insertion pushed the caret to the end; a loaded text is shown from its start.
    QTextCursor start = textCursor();
    start.setPosition(0);
    setTextCursor(start);
}

int32_t TColorMemo::TextLength() const {
    return Model.Length();
}

int32_t TColorMemo::SelStart() const {
    return Model.IndexOf(textCursor().selectionStart());
}

int32_t TColorMemo::SelLength() const {
    const QTextCursor c = textCursor();
    return Model.IndexOf(c.selectionEnd()) - Model.IndexOf(c.selectionStart());
}

void TColorMemo::SetSelStart(int32_t index) {
    SetSelection(index, 0);
}

void TColorMemo::SetSelLength(int32_t length) {
    SetSelection(SelStart(), length);
}

void TColorMemo::SetSelection(int32_t start, int32_t length) {
    const int32_t total = Model.Length();
    start = std::clamp(start, 0, total);
    length = std::clamp(length, 0, total - start);
    const int anchor = Model.PosOf(start);
    SetDocSelection(anchor, length == 0 ? anchor : Model.PosOf(start + length, true));
}

void TColorMemo::SetDocSelection(int anchor, int position) {
    QTextCursor c = textCursor();
    c.setPosition(anchor);
    c.setPosition(position, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString TColorMemo::SelText() const {
    const QTextCursor c = textCursor();
    return Model.FromDocument(c.selectedText(), c.selectionStart(), QStringLiteral("\r\n"));
}

void TColorMemo::ReplaceSelection(const QString& text) {
    QTextCursor c = textCursor();
    Model.Insert(c, text);
    setTextCursor(c);
}

void TColorMemo::ReplaceStretches(const std::vector<TStretch>& stretches) {
    if (stretches.empty())
        return;
    std::vector<std::pair<int, int>> positions;
    positions.reserve(stretches.size());
    TTextModel::TPositionWalk walk(Model, stretches.front().Start);
    for (const TStretch& stretch : stretches) {
        const int anchor = walk.PosOf(stretch.Start);
        positions.emplace_back(anchor, walk.PosOf(stretch.Start + stretch.Length, true));
    }
    QTextCursor c(document());
    c.beginEditBlock();
    // From the last to the first, so the positions of those still to come hold.
    for (size_t i = stretches.size(); i-- > 0;) {
        c.setPosition(positions[i].first);
        c.setPosition(positions[i].second, QTextCursor::KeepAnchor);
        Model.Insert(c, stretches[i].Text);
    }
    c.endEditBlock();
}

// ---- line list -------------------------------------------------------------

int32_t TColorMemo::LineCount() const {
    return Model.LineCount();
}

QString TColorMemo::LineText(int32_t line) const {
    return Model.LineText(line);
}

QStringList TColorMemo::Lines() const {
    QStringList lines;
    const int32_t count = Model.LineCount();
    lines.reserve(count);
    QTextBlock block = document()->firstBlock();
    for (int32_t i = 0; i < count; ++i, block = block.next())
        lines.append(Model.BlockText(block));
    return lines;
}

int32_t TColorMemo::LineIndex(int32_t line) const {
    if (line == -1)
        return Model.LineStart(textCursor().block().blockNumber());
    return Model.LineStart(line);
}

int32_t TColorMemo::LineFromChar(int32_t index) const {
    return Model.LineOf(index);
}

int32_t TColorMemo::LineLength(int32_t index) const {
    return Model.LineLengthAt(index);
}

// ---- caret properties ------------------------------------------------------

int32_t TColorMemo::CaretLine() {
    RememberedCaretLine = Model.LineOf(SelStart());
    return RememberedCaretLine;
}

void TColorMemo::SetCaretLine(int32_t n) {
    // With no lines the remembered line is -1, which asks for the caret's line.
    RememberedCaretLine = std::min(std::max(n, 0), Model.LineCount() - 1);
    SetSelStart(LineIndex(RememberedCaretLine));
}

int32_t TColorMemo::CaretCol() const {
    const int32_t start = SelStart();
    return start - Model.LineStart(Model.LineOf(start));
}

void TColorMemo::SetCaretCol(int32_t n) {
    // The remembered line may have vanished since it was set (or be -1 in an
    // empty text); the column then goes to the nearest line that exists.
    int32_t line = std::min(RememberedCaretLine, Model.BlockCount() - 1);
    if (line < 0)
        line = textCursor().block().blockNumber();
    n = std::clamp(n, 0, static_cast<int32_t>(Model.LineText(line).size()));
    SetSelStart(Model.LineStart(line) + n);
}

int32_t TColorMemo::FirstVisibleLine() const {
    return firstVisibleBlock().blockNumber();
}

QPoint TColorMemo::PosFromChar(int32_t index) const {
    QTextCursor c(document());
    c.setPosition(Model.PosOf(index));
    return cursorRect(c).topLeft();
}

int32_t TColorMemo::CharFromPos(const QPoint& pos) const {
    return Model.IndexOf(cursorForPosition(pos).position());
}

bool TColorMemo::Modified() const {
    return document()->isModified();
}

void TColorMemo::SetModified(bool modified) {
    document()->setModified(modified);
}

// ---- events ----------------------------------------------------------------

void TColorMemo::DocumentChanged(int pos, int removed, int added) {
    MarksEdited(pos, removed, added);
    // A change of as many characters as before may be a change of formats only; text changes
    // of equal length are told by the cursors they move (see EndCursor).
    if (removed != added)
        TextChangePending = true;
}

void TColorMemo::TextChanged() {
    if (!TextChangePending || Emptying)
        return;
    TextChangePending = false;
    if (OnChange)
        OnChange(this);
    RecolourAfterChange();
}

void TColorMemo::RecolourAfterChange() {
    if (RedrawAlwaysOn) {
        PaintColors(this, false);
        return;
    }
    const int32_t count = LineCount();
    const int32_t end = TextEnd();
    // Exactly one character more on as many lines: a keystroke within the caret line.
    PaintColors(this, count == LastLineCount && end == LastTextEnd + 1);
    LastLineCount = count;
    LastTextEnd = end;
}

int32_t TColorMemo::TextEnd() const {
    const int32_t count = LineCount();
    return count == 0 ? 0 : Model.LineStart(count - 1) + Model.LineTextLength(count - 1);
}

void TColorMemo::keyPressEvent(QKeyEvent* e) {
    CollapseSelectionForNavigation(e);
    int key = e->key();
    if (OnKeyDown) {
        OnKeyDown(this, key, e->modifiers());
        if (key == 0) {
            e->accept();
            return;
        }
    }
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    QString text = enter ? QString(QChar(13)) : e->text();
    const bool typed = text.size() == 1 && e->key() != Qt::Key_Delete;
    if (typed && OnKeyPress) {
        QChar ch = text.at(0);
        OnKeyPress(this, ch);
        if (ch.isNull()) {
            e->accept();
            return;
        }
        text = QString(ch);
    }
    ForwardKey(e, text);
}

void TColorMemo::ForwardKey(QKeyEvent* e, const QString& text) {
    // A typed character takes the format of the one before it, which must not
    // make it a stand-in.
    QTextCharFormat format = currentCharFormat();
    if (!textCursor().hasSelection() && TTextModel::DropRealChar(format))
        setCurrentCharFormat(format);
    // Every Enter is a plain line break: Shift+Enter would otherwise insert a
    // line separator, a second visual line inside one block.
    if (text == QStringLiteral("\r")) {
        QKeyEvent plain(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, text);
        QPlainTextEdit::keyPressEvent(&plain);
        e->setAccepted(plain.isAccepted());
        return;
    }
    if (text == e->text() || e->text().size() != 1) {
        QPlainTextEdit::keyPressEvent(e);
        return;
    }
    // OnKeyPress replaced the character: the editor inserts the new one.
    QKeyEvent replaced(QEvent::KeyPress, Qt::Key_unknown, e->modifiers(), text);
    QPlainTextEdit::keyPressEvent(&replaced);
    e->setAccepted(replaced.isAccepted());
}

// A navigation key moves the caret from the end of a selection, which first collapses there.
void TColorMemo::CollapseSelectionForNavigation(const QKeyEvent* e) {
    static constexpr int NavigationKeys[] = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End,
                                             Qt::Key_Home,   Qt::Key_Left,     Qt::Key_Up,
                                             Qt::Key_Right,  Qt::Key_Down};
    const bool navigation = std::find(std::begin(NavigationKeys), std::end(NavigationKeys),
                                      e->key()) != std::end(NavigationKeys);
    const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
                       QGuiApplication::mouseButtons() == Qt::NoButton;
    const int32_t length = SelLength();
    if (!navigation || !plain || length == 0)
        return;
    SetSelStart(SelStart() + length);
    PaintColors(this, false);
}

void TColorMemo::keyReleaseEvent(QKeyEvent* e) {
    QPlainTextEdit::keyReleaseEvent(e);
    // Text that left a selection made with Shift and the arrows is coloured again.
    const Qt::KeyboardModifiers others = e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (e->key() == Qt::Key_Shift && others == Qt::NoModifier)
        PaintColors(this, false);
}

void TColorMemo::mousePressEvent(QMouseEvent* e) {
    QPlainTextEdit::mousePressEvent(e);
    if (e->button() == Qt::LeftButton && e->buttons() == Qt::LeftButton &&
        e->modifiers() == Qt::NoModifier)
        PaintColors(this, false);
}

void TColorMemo::mouseReleaseEvent(QMouseEvent* e) {
    QPlainTextEdit::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton) {
        PaintColors(this, false);
        if (OnClick)
            OnClick(this);
    }
    QString text;
    if (HotSpotSettings.Active && viewport()->cursor().shape() == Qt::PointingHandCursor &&
        HotSpotAt(e->position().toPoint(), &text) && OnHotSpotClick)
        OnHotSpotClick(this, text);
}

void TColorMemo::mouseMoveEvent(QMouseEvent* e) {
    QPlainTextEdit::mouseMoveEvent(e);
    if (HotSpotSettings.Active)
        TrackHotSpot(e->position().toPoint());
}

void TColorMemo::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // Through the text model, so a pasted U+2028 stays a character, as a copied one was.
    QTextCursor c = textCursor();
    Model.Insert(c, source->text());
    setTextCursor(c);
    ensureCursorVisible();
}

QMimeData* TColorMemo::createMimeDataFromSelection() const {
    // The raw selection keeps non-breaking spaces that a copy would otherwise
    // turn into blanks.
    auto* data = new QMimeData;
    const QTextCursor c = textCursor();
    data->setText(Model.FromDocument(c.selectedText(), c.selectionStart(), QStringLiteral("\n")));
    return data;
}
