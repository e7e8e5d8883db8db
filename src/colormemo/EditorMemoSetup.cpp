#include "EditorMemoSetup.h"

#include "ColorMemo.h"
#include "EditorRules.h"

void SetupEditorColorMemo(TColorMemo &memo) {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    memo.setFont(font);
    memo.setTabChangesFocus(false);
    memo.setLineWrapMode(QPlainTextEdit::NoWrap);
    memo.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    TCMGutterOptions &gutter = memo.Gutter();
    gutter.SetShowLineNumbers(true);
    gutter.SetNumColor(clWindowText);
    gutter.SetSize(80);
    gutter.SetIs3D(true);

    TCMPrintOptions &print = memo.PrintOptions();
    print.Margins().Top = 100;
    print.Margins().Bottom = 100;
    print.Margins().Left = 100;
    print.Margins().Right = 100;
    print.HeaderAlignment = TCMAlignment::Center;
    print.FooterAlignment = TCMAlignment::Center;
    print.Header.clear();
    print.Footer.clear();

    memo.SetOptions(cmoAllowCutCopy | cmoDragText);
    memo.SetTabStopWidth(32);
    SetEditorColorRules(memo.ColorRules());
}

void ApplyEditorRuleColors(TColorMemo &memo, const std::array<TColor, 4> &colors) {
    TDrawRules &rules = memo.ColorRules();
    for (int i = 0; i < 4 && i < rules.Count(); ++i)
        rules.Items(i)->SetDefKeyColor(colors[size_t(i)]);
    memo.viewport()->update();
}
