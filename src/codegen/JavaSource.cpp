#include "codegen/JavaSource.h"

#include "codegen/Templates.h"

TJavaSource GenerateJavaSource(const TNewFile &newFile, const QStringList &cascadeTile) {
    TJavaSource source;
    if (newFile.Kind < 1 || newFile.Kind > 7)
        return source;
    source.Replace = true;
    source.CaretAtStart = newFile.Kind == 4 || newFile.Kind == 6 || newFile.Kind == 7;
    QStringList &out = source.Lines;
    switch (newFile.Kind) {
    case 1:
        Templates::dialogFrame(out, newFile, source.Notices);
        break;
    case 2:
        Templates::sdiFrame(out, newFile, source.Notices);
        break;
    case 3:
        Templates::mdiFrame(out, newFile, cascadeTile);
        break;
    case 4:
        Templates::modalDialog(out, newFile);
        break;
    case 5:
        Templates::boxLayoutExample(out, newFile);
        break;
    case 6:
        Templates::plainConsole(out, newFile);
        break;
    case 7:
        Templates::environmentConsole(out, newFile);
        break;
    }
    return source;
}

TJavaSource GenerateJavaSource(const TNewFile &newFile) {
    return GenerateJavaSource(newFile, CascadeTileLines());
}
