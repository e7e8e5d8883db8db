#pragma once

#include <QString>
#include <QStringList>

// Line blocks shared by the window templates (dialog, SDI and MDI frame).
namespace TemplateBlocks {

// Where an element sits: alone, or on one side of a split pane. Decides the tree handler's
// name and the wording of the editor pane's comment.
enum class Side { Single, Left, Right };

// One main element: its position in the element list (1 to 8), Java class and field name.
struct Element {
    int position = 0;
    QString type;
    QString var;
    Side side = Side::Single;

    bool valid() const { return position >= 1 && position <= 8; }
    bool isList() const { return position == 5; }
    bool isTable() const { return position == 6; }
    bool isTree() const { return position == 7; }
    bool isTabbed() const { return position == 8; }
};

enum class HeaderKind { Dialog, Sdi, Mdi };

// Six comment lines and two empty lines.
void header(QStringList &out, HeaderKind kind);
// The extra imports of the list, table and tree elements, each once for all given elements.
void elementImports(QStringList &out, const QList<Element> &elements);
// The lines in setGUI that create the element (nothing for an invalid position).
void construction(QStringList &out, const Element &element);
// The lines after the placement that fill a tabbed pane (nothing for other elements).
void tabbedFill(QStringList &out, const Element &element);
// The content pane's add for an element or split pane at the main grid cell.
void gridBagPlacement(QStringList &out, const QString &component);

// Helper methods and classes, each emitted once by its caller.
void treeHandler(QStringList &out, Side side);
void buildTree(QStringList &out);
void treeNodeClass(QStringList &out);
void listMethod(QStringList &out);
void tableMethod(QStringList &out);
void tabbedMethods(QStringList &out);

// Menu bar of the SDI and MDI frames; withWindows adds the "Fenster" menu of the MDI frame.
void menuFields(QStringList &out, bool withInfo, bool withWindows);
void menuMethod(QStringList &out, bool withInfo, bool withWindows);
// MnClose_click and the three edit handlers.
void closeAndEditHandlers(QStringList &out);
void infoHandler(QStringList &out);
void infoClass(QStringList &out);

// The serial number that a subclass of a Swing window declares (Swing classes are
// serializable, and javac -Xlint asks for it).
void serialVersion(QStringList &out);
// The head of a window class's public constructor. It calls setGUI, which newer javac
// versions report under -Xlint as a possible escape of "this"; for these programs that
// is intended.
void constructorHead(QStringList &out, const QString &className);
// The Java type of an element's field: a list holds strings.
QString fieldType(const Element &element);
// The field that holds the entries of a list element.
QString listField();
// The file chooser of the menu "Öffnen", starting in the user's home folder.
QString homeFolderChooser();

// The static main method and the closing line of the main class.
void mainBlock(QStringList &out, const QString &className, bool staticPublic);

// The common imports of the SDI and MDI frames; elementImports go between the two groups.
void frameImportsHead(QStringList &out);
void frameImportsTail(QStringList &out);

} // namespace TemplateBlocks
