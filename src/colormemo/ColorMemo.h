#pragma once

#include "CaretPainter.h"
#include "ColorEngine.h"
#include "ColorMemoOptions.h"
#include "ColorRuleOwner.h"
#include "common/Memo.h"
#include "DrawRules.h"
#include "GutterOptions.h"
#include "HotSpot.h"
#include "LineMark.h"
#include "MemoView.h"
#include "PrintOptions.h"
#include "RunPainter.h"
#include "TextDrag.h"

#include <QCursor>
#include <QPoint>

#include <functional>
#include <memory>

class TCMGutterArea;
class QMimeData;

// The syntax-colouring text control: a plain text control that paints the visible lines a
// second time in the colours of its rules, with a gutter of line numbers, hot spots that
// react to the mouse, and dragging of selected text.
class TColorMemo : public TMemo, public IColorRuleOwner, public IGutterOwner {
    Q_OBJECT
public:
    explicit TColorMemo(QWidget *parent = nullptr);
    ~TColorMemo() override;

    // --- rules and options
    TDrawRules &ColorRules() { return m_rules; }
    const TDrawRules &ColorRules() const { return m_rules; }
    // Copies the given rules into the control's own collection.
    void SetColorRules(const TDrawRules &rules) { m_rules.Assign(rules); }
    // True: a text change repaints the whole control instead of recolouring from the caret.
    bool RedrawAlways() const { return m_redrawAlways; }
    void SetRedrawAlways(bool value) { m_redrawAlways = value; }
    THotSpot &HotSpot() { return m_hotSpot; }
    // Copies the given hot-spot settings and repaints.
    void SetHotSpot(const THotSpot &hotSpot);
    TCMGutterOptions &Gutter() { return m_gutter; }
    // Copies the given gutter options.
    void SetGutter(const TCMGutterOptions &gutter) { m_gutter.Assign(gutter); }
    TCMPrintOptions &PrintOptions() { return m_printOptions; }
    // Copies the given print options.
    void SetPrintOptions(const TCMPrintOptions &options) { m_printOptions.Assign(options); }
    TColorMemoOptions Options() const { return m_options; }
    void SetOptions(TColorMemoOptions options);
    // Tab stops in dialog units (4 per average character width). A value of 0 or less
    // throws QuillError "Invalid TabStopWidth value (%d)" and changes nothing.
    int TabStopWidth() const { return m_tabStopWidth; }
    void SetTabStopWidth(int value);
    // Whether the selection is hidden while the control has no focus (default true).
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool value);

    // Copies the lines, colour, font, HideSelection and rules of another control into this one.
    void Assign(const TColorMemo &source);

    // --- text rectangle, gutter and hot spots
    // The rectangle the text is laid out in, in the control's coordinates (right of the gutter).
    QRect TextRect() const;
    // Lays the text out right of the gutter and repaints.
    void UpdateTextRect();
    void RepaintGutter();
    // The line numbers the gutter shows, top to bottom (empty without line numbers).
    QStringList GutterNumbers() const;
    // The marks the gutter paints beside their lines; nullptr for none. The source must
    // outlive the control or be taken away first.
    void SetLineMarks(const LineMarkSource *marks);
    const LineMarkSource *LineMarks() const { return m_lineMarks; }
    // The hot-spot text at a viewport point, as the last colouring pass found it, or empty.
    QString HotSpotTextAt(int x, int y) const;
    // The hot-spot ranges of the last colouring pass.
    const TcmHotKeywordList &HotSpots() const { return m_engine.HotSpots(); }
    // The engine and the view it colours through (for hosts that print or inspect runs).
    const TColorEngine &Engine() const { return m_engine; }
    const TCMView &View() const { return m_view; }

    // --- clipboard: cut and copy happen only with cmoAllowCutCopy; paste always
    void CutToClipboard() override;
    void CopyToClipboard() override;
    void PasteFromClipboard() override;

    // Runs a colouring pass and paints its runs; descendants may replace it.
    // Only the runs touching `exposed` are painted (all when it is empty).
    virtual void Colorize(QPainter &painter, bool onlyFromCaretLine,
                          const QRect &exposed = QRect());

    // --- events (none assigned on a new control)
    std::function<void(TColorMemo *sender)> OnChange;
    std::function<void(TColorMemo *sender)> OnVScroll;
    std::function<void(TColorMemo *sender)> OnHScroll;
    std::function<void(TColorMemo *sender)> OnSelectionChange;
    std::function<void(TColorMemo *sender, const QString &src, Qt::MouseButton button,
                       Qt::KeyboardModifiers shift)>
        OnHotSpotClick;
    std::function<void(TColorMemo *sender, const QString &src)> OnHoverHotSpot;
    std::function<void(TColorMemo *sender, const QString &src)> OnHotSpotExit;
    // The copied text (its first character is the text's character bufferStart), the offset
    // of the first scanned line in it; called once per pass after scanning.
    std::function<void(TColorMemo *sender, QStringView buffer, int bufferStart, int fromOffset)>
        OnDrawEx;
    // Paints a keyword run instead of the control.
    std::function<void(QPainter &painter, const QString &text, const QRect &rect, TColor color)>
        OnDrawKey;
    // Replaces the built-in keyword-character test.
    std::function<void(TColorMemo *sender, QChar c, bool &isKeywordChar)> OnIsKeywordChar;
    // Published for hosts; the control never calls it.
    std::function<void(TColorMemo *sender, QStringView from, TKeyDescr &span, int itemsCount)>
        OnDraw;
    std::function<void(TColorMemo *sender, const QString &file)> OnDropFile;
    // Screen coordinates of the request; set handled to suppress the control's own menu.
    std::function<void(TColorMemo *sender, int x, int y, bool &handled)> OnContextPopup;
    // Ordinary key and mouse events, called before the control's own handling goes on.
    std::function<void(TColorMemo *sender, QKeyEvent *event)> OnKeyDown;
    std::function<void(TColorMemo *sender, QKeyEvent *event)> OnKeyUp;
    std::function<void(TColorMemo *sender, QMouseEvent *event)> OnMouseDown;
    std::function<void(TColorMemo *sender, QMouseEvent *event)> OnMouseUp;
    // A click with the left button in the gutter beside a line (from 0).
    std::function<void(TColorMemo *sender, int line)> OnGutterClick;

    // --- dragging text inside the control (also used by tests to drive a drop)
    // The data a text drag of this control carries.
    QMimeData *CreateDragData() const;
    // Carries out a drop of this control's dragged text at a viewport point: inside the old
    // selection only the caret moves; otherwise the text moves there, or is copied with
    // `copy` (when it fits under MaxLength), and the caret stands after it. Returns whether
    // anything was done.
    bool DropTextAt(QPoint point, bool copy);

    // IColorRuleOwner
    void ColorRulesChanged() override;
    // IGutterOwner
    void GutterSizeChanged() override { UpdateTextRect(); }
    void GutterChanged() override { RepaintGutter(); }

protected:
    void DocumentShown() override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    friend class TCMMemoView;
    friend class TCMGutterArea;

    void TextChanged();
    void SelectionMayHaveChanged();
    void ApplyTabStops();
    void ApplySelectionPalette();
    void RestartCaretBlink();
    // Wavy underlines of extra selections, painted again above the coloured runs.
    void PaintExtraSelectionWaves(QPainter &painter);
    void PaintExtraSelectionBoxes(QPainter &painter);
    void RequestPass(bool onlyFromCaretLine = false);
    bool CaretLinePassSuffices(QPainter &painter, const QRect &exposed);
    void StartTextDrag();
    void EndTextDrag();
    TColorEngine::Look CurrentLook() const;
    TCMRunPainter MakeRunPainter() const;
    bool IsOwnDrag(const QMimeData *data) const;

    TDrawRules m_rules;
    TColorEngine m_engine;
    TCMMemoView m_view;
    THotSpot m_hotSpot;
    TCMGutterOptions m_gutter;
    TCMPrintOptions m_printOptions;
    TColorMemoOptions m_options = cmoAllowCutCopy | cmoDragText;
    int m_tabStopWidth = 32;
    bool m_redrawAlways = false;
    bool m_hideSelection = true;
    TCMGutterArea *m_gutterArea = nullptr;
    const LineMarkSource *m_lineMarks = nullptr;
    QMetaObject::Connection m_layoutConnection;

    // text-change trigger
    int m_lineCount = 0;
    int m_textLength = 0;
    bool m_caretLinePass = false;
    // selection tracking
    int m_trackedSelStart = 0;
    int m_trackedSelLength = 0;
    // own caret: the base draws none, so coloured runs never hide it
    TCMCaretPainter m_caret;
    // dragging selected text
    TCMTextDrag m_drag;
    // hot spots
    QString m_hoverText;
    QCursor m_normalCursor = Qt::IBeamCursor; // restored when the mouse leaves a hot spot
};
