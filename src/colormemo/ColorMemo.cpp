#include "ColorMemo.h"

#include "ColorConvert.h"
#include "common/CommandGuard.h"
#include "common/QuillError.h"
#include "GutterArea.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>

TColorMemo::TColorMemo(QWidget *parent)
    : TMemo(parent), m_rules(this), m_view(*this), m_gutter(this, clWindowText),
      m_caret(m_view, [this](const QRect &rect) { viewport()->update(rect); }),
      m_drag(m_view, [this](const QRect &rect) { viewport()->update(rect); }) {
    m_gutterArea = new TCMGutterArea(this);
    viewport()->setMouseTracking(true); // hot spots react to the mouse without a button
    setCursorWidth(0);                  // the control draws its own caret above the coloured runs
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    ConnectCommand(this, &QPlainTextEdit::textChanged, this, &TColorMemo::TextChanged);
    ConnectCommand(this, &QPlainTextEdit::selectionChanged, this,
                   &TColorMemo::SelectionMayHaveChanged);
    ConnectCommand(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        SelectionMayHaveChanged();
        RestartCaretBlink();
    });
    ConnectCommand(this, &QPlainTextEdit::updateRequest, this,
                   [this](const QRect &, int) { m_gutterArea->update(); });
    // A new layout may move lines without changing the text.
    m_layoutConnection =
        ConnectCommand(document()->documentLayout(), &QAbstractTextDocumentLayout::update, this,
                       [this] { m_view.Invalidate(); });
    ApplyTabStops();
    ApplySelectionPalette();
    UpdateTextRect();
}

TColorMemo::~TColorMemo() = default;

void TColorMemo::DocumentShown() {
    disconnect(m_layoutConnection);
    m_layoutConnection =
        ConnectCommand(document()->documentLayout(), &QAbstractTextDocumentLayout::update, this,
                       [this] { m_view.Invalidate(); });
    ApplyTabStops();
    m_lineCount = document()->blockCount();
    m_textLength = document()->characterCount() - 1;
    m_view.Invalidate();
    RequestPass(false);
    m_gutterArea->update();
}

void TColorMemo::SetLineMarks(const LineMarkSource *marks) {
    m_lineMarks = marks;
    m_gutterArea->update();
}

// ---------------------------------------------------------------- properties

void TColorMemo::SetHotSpot(const THotSpot &hotSpot) {
    m_hotSpot.Assign(hotSpot);
    viewport()->update();
}

void TColorMemo::SetOptions(TColorMemoOptions options) {
    m_options = options;
    viewport()->update();
}

void TColorMemo::SetTabStopWidth(int value) {
    if (value <= 0)
        throw QuillError(QStringLiteral("Invalid TabStopWidth value (%1)").arg(value));
    m_tabStopWidth = value;
    ApplyTabStops();
}

void TColorMemo::ApplyTabStops() {
    // Dialog units: four to the average character width.
    const qreal average = QFontMetricsF(font()).averageCharWidth();
    setTabStopDistance(std::max<qreal>(1.0, m_tabStopWidth * average / 4.0));
}

void TColorMemo::SetHideSelection(bool value) {
    m_hideSelection = value;
    ApplySelectionPalette();
    viewport()->update();
}

void TColorMemo::ApplySelectionPalette() {
    // A hidden selection is painted like plain text while the control has no focus.
    QPalette pal = palette();
    const QPalette active = pal;
    if (m_hideSelection) {
        pal.setColor(QPalette::Inactive, QPalette::Highlight,
                     active.color(QPalette::Active, QPalette::Base));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     active.color(QPalette::Active, QPalette::Text));
    } else {
        pal.setColor(QPalette::Inactive, QPalette::Highlight,
                     active.color(QPalette::Active, QPalette::Highlight));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     active.color(QPalette::Active, QPalette::HighlightedText));
    }
    if (pal != palette())
        setPalette(pal);
}

void TColorMemo::Assign(const TColorMemo &source) {
    setPlainText(source.toPlainText());
    QPalette pal = palette();
    pal.setColor(QPalette::Base, source.palette().color(QPalette::Base));
    pal.setColor(QPalette::Text, source.palette().color(QPalette::Text));
    setPalette(pal);
    setFont(source.font());
    SetHideSelection(source.HideSelection());
    m_rules.Assign(source.m_rules);
}

void TColorMemo::ColorRulesChanged() {
    m_engine.RulesChanged();
    viewport()->update();
}

// ---------------------------------------------------------------- text rectangle, gutter

QRect TColorMemo::TextRect() const {
    return QRect(contentsRect().left() + m_gutter.Size(), contentsRect().top(),
                 std::max(0, contentsRect().width() - m_gutter.Size()), contentsRect().height());
}

void TColorMemo::UpdateTextRect() {
    setViewportMargins(m_gutter.Size(), 0, 0, 0);
    const QRect cr = contentsRect();
    m_gutterArea->setGeometry(cr.left(), cr.top(), m_gutter.Size(), cr.height());
    m_gutterArea->setVisible(m_gutter.Size() > 0);
    viewport()->update();
    m_gutterArea->update();
}

void TColorMemo::RepaintGutter() {
    viewport()->update();
    m_gutterArea->update();
}

QStringList TColorMemo::GutterNumbers() const {
    QStringList numbers;
    if (!m_gutter.ShowLineNumbers())
        return numbers;
    const int first = firstVisibleBlock().blockNumber();
    for (int line = first; m_view.BlockTop(line); ++line)
        numbers.append(QString::number(line + m_gutter.StartCountAt()));
    return numbers;
}

// ---------------------------------------------------------------- colouring

TColorEngine::Look TColorMemo::CurrentLook() const {
    TColorEngine::Look look;
    look.FontColor = FromQColor(palette().color(QPalette::Active, QPalette::Text));
    look.Color = FromQColor(palette().color(QPalette::Active, QPalette::Base));
    look.FontStyle = (font().bold() ? fsBold : 0) | (font().italic() ? fsItalic : 0) |
                     (font().underline() ? fsUnderline : 0) |
                     (font().strikeOut() ? fsStrikeOut : 0);
    return look;
}

void TColorMemo::Colorize(QPainter &painter, bool onlyFromCaretLine, const QRect &exposed) {
    if (!isEnabled() || !isVisible())
        return;
    m_engine.OnDrawEx = nullptr;
    if (OnDrawEx) {
        m_engine.OnDrawEx = [this](QStringView buffer, int bufferStart, int fromOffset) {
            OnDrawEx(this, buffer, bufferStart, fromOffset);
        };
    }
    m_engine.OnIsKeywordChar = nullptr;
    if (OnIsKeywordChar) {
        m_engine.OnIsKeywordChar = [this](QChar c, bool &isKeywordChar) {
            OnIsKeywordChar(this, c, isKeywordChar);
        };
    }
    if (!m_engine.Colorize(m_rules, m_view, onlyFromCaretLine, &m_hotSpot, m_options,
                           CurrentLook()))
        return;
    MakeRunPainter().Paint(painter, m_engine, m_view, exposed);
}

TCMRunPainter TColorMemo::MakeRunPainter() const {
    TCMRunPainter runPainter(font(), palette());
    runPainter.SetUnderlineHotSpots(m_hotSpot.Active && m_hotSpot.Underlined);
    if (OnDrawKey)
        runPainter.SetDrawKey(OnDrawKey);
    return runPainter;
}

void TColorMemo::paintEvent(QPaintEvent *event) {
    TMemo::paintEvent(event);
    QPainter painter(viewport());
    const bool onlyFromCaretLine = m_caretLinePass && CaretLinePassSuffices(painter, event->rect());
    m_caretLinePass = false;
    Colorize(painter, onlyFromCaretLine, event->rect());
    PaintExtraSelectionBoxes(painter);
    PaintExtraSelectionWaves(painter);
    if (hasFocus() && !isReadOnly())
        m_caret.Paint(painter, textCursor().position(),
                      palette().color(QPalette::Active, QPalette::Text));
    m_drag.PaintMark(painter);
}

void TColorMemo::PaintExtraSelectionBoxes(QPainter &painter) {
    // The coloured runs cover what the base painted under the text; boxes of one line are
    // painted again above them, translucent so the character stays readable.
    for (const QTextEdit::ExtraSelection &selection : extraSelections()) {
        // A bar over a whole line (the debugger's current line), over the runs' own
        // background too: the darker of bar and paper, so the paper takes its colour evenly
        // (the base already painted it under the spaces) and the ink stays.
        if (selection.format.boolProperty(QTextFormat::FullWidthSelection) &&
            selection.format.background().style() != Qt::NoBrush) {
            const QRect line = cursorRect(selection.cursor);
            painter.save();
            painter.setCompositionMode(QPainter::CompositionMode_Darken);
            painter.fillRect(QRect(0, line.top(), viewport()->width(), line.height()),
                             selection.format.background().color());
            painter.restore();
            continue;
        }
        if (!selection.cursor.hasSelection() ||
            selection.format.background().style() == Qt::NoBrush)
            continue;
        QTextCursor from = selection.cursor;
        from.setPosition(selection.cursor.selectionStart());
        QTextCursor to = selection.cursor;
        to.setPosition(selection.cursor.selectionEnd());
        const QRect start = cursorRect(from);
        const QRect end = cursorRect(to);
        if (start.top() != end.top() || end.left() <= start.left())
            continue;
        const QRect box(start.left(), start.top(), end.left() - start.left(), start.height());
        if (!box.intersects(viewport()->rect()))
            continue;
        const QColor color = selection.format.background().color();
        QColor fill = color;
        fill.setAlpha(120);
        painter.fillRect(box, fill);
        painter.setPen(color.darker(130));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    }
}

void TColorMemo::PaintExtraSelectionWaves(QPainter &painter) {
    // The runs cover the underline the base painted with the text: it is drawn anew, line
    // by line of the selection.
    const QRect visible = viewport()->rect();
    for (const QTextEdit::ExtraSelection &selection : extraSelections()) {
        if (!selection.cursor.hasSelection() ||
            selection.format.underlineStyle() != QTextCharFormat::WaveUnderline)
            continue;
        painter.save();
        QPen pen(selection.format.underlineColor());
        pen.setWidthF(1.0);
        painter.setPen(pen);
        painter.setRenderHint(QPainter::Antialiasing);
        const int end = selection.cursor.selectionEnd();
        QTextCursor from(selection.cursor);
        from.setPosition(selection.cursor.selectionStart());
        while (from.position() < end) {
            QTextCursor to(from);
            to.movePosition(QTextCursor::EndOfBlock);
            if (to.position() > end)
                to.setPosition(end);
            const QRect start = cursorRect(from);
            const QRect stop = cursorRect(to);
            if (start.top() == stop.top() && stop.left() > start.left() &&
                start.bottom() >= visible.top() && start.top() <= visible.bottom()) {
                // A wave two pixels high along the bottom of the characters.
                QPainterPath wave;
                const qreal y = start.bottom() - 1.5;
                wave.moveTo(start.left(), y);
                for (int x = start.left(), up = 1; x < stop.left(); x += 2, up = -up)
                    wave.lineTo(std::min(x + 2, stop.left()), y + up);
                painter.drawPath(wave);
            }
            if (!to.movePosition(QTextCursor::NextBlock))
                break;
            from = to;
        }
        painter.restore();
    }
}

bool TColorMemo::CaretLinePassSuffices(QPainter &painter, const QRect &exposed) {
    // Recolouring from the caret's line is enough only when nothing above it is repainted.
    const int caretLine = m_view.LineFromChar(textCursor().selectionStart());
    const int caretLineStart = m_view.LineIndex(caretLine);
    const std::optional<QPoint> top = m_view.PosFromChar(caretLineStart);
    if (!top)
        return false;
    if (exposed.top() >= top->y())
        return true;
    // The text control repaints a changed line with a margin that reaches into the line
    // above. Nothing changed there, so the runs of the last pass still hold for it when that
    // pass covered it; otherwise everything is coloured anew.
    if (!isEnabled() || caretLine == 0 || exposed.top() < top->y() - m_view.LineHeight() ||
        m_engine.ScanStart() > m_view.LineIndex(caretLine - 1) ||
        m_engine.ScanEnd() < caretLineStart)
        return false;
    const QRect margin(exposed.left(), exposed.top(), exposed.width(), top->y() - exposed.top());
    painter.save();
    painter.setClipRect(margin);
    MakeRunPainter().Paint(painter, m_engine, m_view, margin);
    painter.restore();
    return true;
}

void TColorMemo::RestartCaretBlink() {
    const int flash = QApplication::cursorFlashTime();
    m_caret.Restart(textCursor().position(), hasFocus() && flash > 0 ? flash / 2 : -1);
}

void TColorMemo::RequestPass(bool onlyFromCaretLine) {
    m_caretLinePass = onlyFromCaretLine;
    if (onlyFromCaretLine) {
        // Recolouring from the caret's line down repaints only that part.
        const std::optional<QPoint> top = m_view.PosFromChar(
            m_view.LineIndex(m_view.LineFromChar(textCursor().selectionStart())));
        if (top && top->y() >= 0) {
            const QRect area = viewport()->rect();
            viewport()->update(QRect(0, top->y(), area.width(), area.height() - top->y()));
            return;
        }
        m_caretLinePass = false;
    }
    viewport()->update();
}

void TColorMemo::TextChanged() {
    if (OnChange)
        OnChange(this);
    const int lineCount = document()->blockCount();
    const int length = document()->characterCount() - 1;
    if (m_redrawAlways)
        RequestPass(false);
    else
        RequestPass(lineCount == m_lineCount && length == m_textLength + 1);
    m_lineCount = lineCount;
    m_textLength = length;
    m_gutterArea->update();
}

void TColorMemo::SelectionMayHaveChanged() {
    const QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    const int length = cursor.selectionEnd() - start;
    if (length != m_trackedSelLength)
        RequestPass(false);
    const bool changed = start != m_trackedSelStart || length != m_trackedSelLength;
    m_trackedSelStart = start;
    m_trackedSelLength = length;
    if (changed && OnSelectionChange)
        OnSelectionChange(this);
}

// ---------------------------------------------------------------- events

void TColorMemo::resizeEvent(QResizeEvent *event) {
    TMemo::resizeEvent(event);
    m_view.Invalidate();
    UpdateTextRect();
}

void TColorMemo::changeEvent(QEvent *event) {
    TMemo::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_view.Invalidate();
        ApplyTabStops();
        UpdateTextRect();
    } else if (event->type() == QEvent::PaletteChange) {
        ApplySelectionPalette();
    }
}

void TColorMemo::scrollContentsBy(int dx, int dy) {
    if (dx != 0 && OnHScroll)
        OnHScroll(this);
    if (dy != 0 && OnVScroll)
        OnVScroll(this);
    TMemo::scrollContentsBy(dx, dy);
    // Scrolling moves pixels; a line that was only partly visible (and so not coloured)
    // may now be whole, so everything is coloured anew.
    RequestPass(false);
    m_gutterArea->update();
}

void TColorMemo::keyPressEvent(QKeyEvent *event) {
    if (OnKeyDown) {
        OnKeyDown(this, event);
        if (event->isAccepted() && event->key() == 0)
            return;
    }
    if (event->matches(QKeySequence::Cut)) {
        CutToClipboard();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        return;
    }
    const int key = event->key();
    const bool navigation = key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
                            key == Qt::Key_End || key == Qt::Key_Home || key == Qt::Key_Left ||
                            key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    QTextCursor cursor = textCursor();
    if (navigation && modifiers == Qt::NoModifier && cursor.hasSelection()) {
        // The selection collapses to its end before the key moves the caret.
        cursor.setPosition(cursor.selectionEnd());
        setTextCursor(cursor);
        RequestPass(false);
    }
    TMemo::keyPressEvent(event);
}

void TColorMemo::keyReleaseEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Shift &&
        !(event->modifiers() & ~Qt::KeypadModifier & ~Qt::ShiftModifier) &&
        textCursor().hasSelection())
        RequestPass(false);
    if (OnKeyUp)
        OnKeyUp(this, event);
    TMemo::keyReleaseEvent(event);
}

void TColorMemo::mousePressEvent(QMouseEvent *event) {
    const bool leftOnly = event->button() == Qt::LeftButton && event->buttons() == Qt::LeftButton;
    if (leftOnly)
        RequestPass(false);
    if (OnMouseDown)
        OnMouseDown(this, event);
    if (event->button() == Qt::LeftButton) {
        // A press inside the selection may start dragging it; the drag begins once the mouse
        // has moved far enough.
        const QPoint point = event->position().toPoint();
        if (m_drag.PressOnSelection(point)) {
            if ((m_options & cmoDragText) && !isReadOnly()) {
                m_drag.Press(point);
                event->accept();
            } else {
                // No dragging: the press only places the caret.
                QTextCursor plain = textCursor();
                plain.setPosition(m_view.CharFromPos(point));
                setTextCursor(plain);
                TMemo::mousePressEvent(event);
            }
        } else {
            TMemo::mousePressEvent(event);
        }
    } else {
        TMemo::mousePressEvent(event);
    }
    if (viewport()->cursor().shape() == Qt::PointingHandCursor && OnHotSpotClick) {
        const QPoint point = event->position().toPoint();
        OnHotSpotClick(this, HotSpotTextAt(point.x(), point.y()), event->button(),
                       event->modifiers());
    }
}

void TColorMemo::mouseMoveEvent(QMouseEvent *event) {
    const QPoint point = event->position().toPoint();
    if (m_hotSpot.Active) {
        const QString text = HotSpotTextAt(point.x(), point.y());
        if (text != m_hoverText) {
            if (viewport()->cursor().shape() != Qt::PointingHandCursor)
                m_normalCursor = viewport()->cursor();
            viewport()->setCursor(text.isEmpty() ? m_normalCursor
                                                 : QCursor(Qt::PointingHandCursor));
            const QString old = m_hoverText;
            m_hoverText = text;
            if (!old.isEmpty() && OnHotSpotExit)
                OnHotSpotExit(this, old);
            if (!text.isEmpty() && OnHoverHotSpot)
                OnHoverHotSpot(this, text);
        }
    }
    if (m_drag.Pending()) {
        if (m_drag.ShouldStart(point, QApplication::startDragDistance()))
            StartTextDrag();
        return;
    }
    TMemo::mouseMoveEvent(event);
}

void TColorMemo::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        RequestPass(false);
    if (OnMouseUp)
        OnMouseUp(this, event);
    if (m_drag.Pending() && event->button() == Qt::LeftButton) {
        EndTextDrag();
        return;
    }
    TMemo::mouseReleaseEvent(event);
}

void TColorMemo::focusInEvent(QFocusEvent *event) {
    TMemo::focusInEvent(event);
    RestartCaretBlink();
    SelectionMayHaveChanged();
}

void TColorMemo::focusOutEvent(QFocusEvent *event) {
    TMemo::focusOutEvent(event);
    m_caret.Stop();
    viewport()->update();
}

void TColorMemo::contextMenuEvent(QContextMenuEvent *event) {
    if (OnContextPopup) {
        bool handled = false;
        OnContextPopup(this, event->globalPos().x(), event->globalPos().y(), handled);
        if (handled)
            return;
    }
    QMenu *menu = createStandardContextMenu(event->pos());
    if (!(m_options & cmoAllowCutCopy)) {
        for (QAction *action : menu->actions()) {
            if (action->objectName() == u"edit-cut" || action->objectName() == u"edit-copy")
                action->setEnabled(false);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// ---------------------------------------------------------------- clipboard

void TColorMemo::CutToClipboard() {
    if (m_options & cmoAllowCutCopy)
        cut();
}

void TColorMemo::CopyToClipboard() {
    if (m_options & cmoAllowCutCopy)
        copy();
}

void TColorMemo::PasteFromClipboard() {
    paste();
}

// ---------------------------------------------------------------- hot spots

QString TColorMemo::HotSpotTextAt(int x, int y) const {
    if (x < 0 || x > 65535 || y < 0 || y > 65535)
        return {};
    const int index = m_view.CharFromPos(QPoint(x, y));
    if (index < 0)
        return {};
    const std::optional<QPoint> pos = m_view.PosFromChar(index);
    if (!pos)
        return {};
    const QFontMetrics metrics(font());
    const int w = metrics.horizontalAdvance(QLatin1Char('W')) / 2;
    const int h = metrics.height();
    if (y > pos->y() + h || x < pos->x() - w || x > pos->x() + w)
        return {};
    const TcmHotKeywordList::Range *range = m_engine.HotSpots().Find(index);
    if (!range)
        return {};
    QTextCursor cursor(document());
    cursor.setPosition(range->First);
    cursor.setPosition(range->Last + 1, QTextCursor::KeepAnchor);
    return cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n');
}
