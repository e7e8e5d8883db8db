// The editor window's rule set, kept once: as rule parameters, which SetEditorColorRules loads
// and the tests read.
#include "EditorRules.h"

#include "CMParamFile.h"
#include "DrawRules.h"

namespace {

// The entry lists, one entry per line, exactly as stored: blanks at the ends of an entry are
// part of it (splitting trims them), doubled entries stay doubled.
// "Operatoren": the operator characters.
constexpr char16_t kOperators[] = uR"rules(=
{
}
(
)
*
+
-
<
>
/
%
&)rules";

// "klassen": library class names.
constexpr char16_t kClasses[] = uR"rules(AbstractAction
AbstractBorder
AbstractButton
AbstractCellEditor
AbstractDocument
AbstractLayoutCache
AbstractListModel
AbstractSpinnerModel
AbstractTableModel
AbstractWriter
ActionMap
AsyncBoxView
BevelBorder
BorderFactory
Box
Box.AccessibleBox
Box.Filler
BoxLayout
BoxView
ButtonGroup
CellRendererPane
ComponentInputMap
ComponentView
CompositeView
CompoundBorder
Currency
Date
DateFormatter
DebugGraphics
DefaultBoundedRangeModel
DefaultButtonModel
DefaultCaret
DefaultCellEditor
DefaultComboBoxModel
DefaultDesktopManager
DefaultEditorKit
DefaultFocusManager
DefaultFormatter
DefaultFormatterFactory
DefaultHighlighter
DefaultListCellRenderer
DefaultListModel
DefaultListSelectionModel
DefaultMutableTreeNode
DefaultSingleSelectionModel
DefaultTableCellRenderer
DefaultTableColumnModel
DefaultTableModel
DefaultTextUI
DefaultTreeCellEditor
DefaultTreeCellRenderer
DefaultTreeModel
DefaultTreeSelectionModel
Dictionary
DocumentFilter
EditorKit
ElementIterator
EmptyBorder
EtchedBorder
EventListenerProxy
EventObject
FieldView
FileFilter
FileSystemView
FileView
FixedHeightLayoutCache
FlowView
FocusManager
GapContent
GlyphView
GrayFilter
GregorianCalendar
HashMap
HashSet
Hashtable
IconView
IdentityHashMap
ImageIcon
InputMap
InputVerifier
InternalFrameFocusTraversalPolicy
InternationalFormatter
JApplet
JButton
JCheckBox
JCheckBoxMenuItem
JColorChooser
JComboBox
JComponent
JDesktopPane
JDialog
JEditorPane
JFileChooser
JFormattedTextField
JFrame
JInternalFrame
JLabel
JLabel.AccessibleJLabel
JLayeredPane
JList
JMenu
JMenuBar
JMenuItem
JOptionPane
JPanel
JPasswordField
JPopupMenu
JProgressBar
JRadioButton
JRadioButtonMenuItem
JRootPane
JScrollBar
JScrollPane
JSeparator
JSlider
JSpinner
JSplitPane
JTabbedPane
JTable
JTableHeader
JTextArea
JTextComponent
JTextField
JTextPane
JToggleButton
JToolBar
JToolTip
JTree
JViewport
JWindow
KeyStroke
LabelView
LayeredHighlighter
LayoutFocusTraversalPolicy
LayoutQueue
LineBorder
LinkedHashMap
LinkedHashSet
LinkedList
ListResourceBundle
Locale
LookAndFeel
MaskFormatter
MatteBorder
MenuSelectionManager
NavigationFilter
NumberFormatter
Observable
OverlayLayout
ParagraphView
PasswordView
PlainDocument
PlainView
Popup
PopupFactory
Position.Bias
ProgressMonitor
ProgressMonitorInputStream
Properties
PropertyPermission
PropertyResourceBundle
Random
RepaintManager
ResourceBundle
ScrollPaneLayout
Segment
SimpleAttributeSet
SimpleTimeZone
SizeRequirements
SizeSequence
SoftBevelBorder
SortingFocusTraversalPolicy
SpinnerDateModel
SpinnerListModel
SpinnerNumberModel
Spring
SpringLayout
Stack
StringContent
StringTokenizer
StyleConstants
StyleContext
StyledEditorKit
SwingUtilities
TableColumn 
TableView
TabSet
TabStop
TextAction
Timer
Timer
TimerTask
TimeZone
TitledBorder 
ToolTipManager
TransferHandler
TreeMap
TreePath
TreeSet
UIDefaults
UIManager
Utilities
VariableHeightLayoutCache 
Vector
View
ViewportLayout 
WeakHashMap 
WrappedPlainView
ZoneView )rules";

// "java": keywords and common member names.
constexpr char16_t kJava[] = uR"rules(abstract
add
addActionListener
addSeparator
assert
available
black
BLACK
blue
BLUE
BOLD
BOTH
break
byte
case
catch
CENTER
char
class
close
continue
do
double
EAST
else
EOFException
err
event
EXIT_ON_CLOSE
extends
false
File
final
finally
float
for
free
getContentPane
getGraphics
getText
getValue
GREEN
green
HIDE_ON_CLOSE
HORIZONTAL
if
IllegalArgumentException
IllegalMonitorStateException
IllegalThreadStateException
implements
import
instanceof
int
Integer
interface
InterruptedIOException
IOException
length
long
magenta
MAGENTA
main
native
new
NONE
NORTH
null
NumberFormatException
out
pack
package
PLAIN
print
 println
private
protected
public
readBoolean
readByte
readChar
readDouble
readFloat
readInt
readLong
readShort
ready
RED
red
return
setBackgroundsetBackground
setDefaultCloseOperation
setForeground
setLocation
setLocation
setSize
setText
setTitle
setValue
setVisible
short
size
SOUTH
static
strictfp
super
swing
switch
synchronized
this
throw
throws
toString
true
try
UTFDataFormatException
util
VERTICAL
void
volatile
WEST
while
writeBoolean
writeByte
writeChar
writeDouble
writeFloat
writeInt
writeLong
writeShort)rules";

// One rule as the parameters that differ from a new rule (the rest keeps the new-rule values:
// enabled, no hot spot, whole words, no font styles, window background, yellow selection).
struct RuleData {
    const char16_t *kind;
    const char16_t *name;
    int zOrder;
    int maxHeight;
    TColor defKeyColor;
    const char16_t *keywords;
    const char16_t *begEnd;
    const char16_t *lineEnd;
    bool keyCase;
    bool ignoreOtherRules;
};

constexpr RuleData kEditorRules[] = {
    {u"dtKeyShow", u"Operatoren", 0, 1, 0x000000FF, kOperators, u"", u"", false, true},
    {u"dtKeyShow", u"klassen", 1, 1, 0x00FF0080, kClasses, u"", u"", true, false},
    {u"dtKeyShow", u"java", 2, 1, 0x00FF0000, kJava, u"", u"", true, false},
    {u"dtBeginLineEnd", u"Kommentar", 3, 500, 0x00404080, u"", u"//", u"//", false, true},
};

// The parameters in the order and form the rule's SaveToParams writes them.
std::unique_ptr<TCMParamList> RuleParams(const RuleData &data) {
    auto list = std::make_unique<TCMParamList>();
    list->WriteIdent(QStringLiteral("KeyDrawingType"), QString::fromUtf16(data.kind));
    list->WriteString(QStringLiteral("Name"), QString::fromUtf16(data.name));
    if (data.zOrder != 0)
        list->WriteInteger(QStringLiteral("ZOrder"), data.zOrder);
    if (data.maxHeight != 1)
        list->WriteInteger(QStringLiteral("MaxHeight"), data.maxHeight);
    if (data.defKeyColor != clRed)
        list->WriteInteger(QStringLiteral("DefKeyColor"), int(data.defKeyColor));
    const std::pair<const char16_t *, QString> entryLists[] = {
        {data.keywords, QStringLiteral("Keywords")},
        {data.begEnd, QStringLiteral("KeyBegEndLst")},
        {data.lineEnd, QStringLiteral("KeyLineEndLst")},
    };
    for (const auto &[entries, name] : entryLists) {
        if (*entries)
            list->WriteString(name, QString::fromUtf16(entries));
    }
    if (data.keyCase)
        list->WriteBool(QStringLiteral("KeyCase"), true);
    if (data.ignoreOtherRules)
        list->WriteBool(QStringLiteral("Ignore"), true);
    return list;
}

} // namespace

std::unique_ptr<TCMParamList> EditorRuleParams() {
    auto rules = std::make_unique<TCMParamList>();
    for (const RuleData &data : kEditorRules)
        rules->Add(RuleParams(data));
    return rules;
}

void SetEditorColorRules(TDrawRules &rules) {
    rules.Clear();
    // Loading fills the lists in place, as when loaded with the window; the first colouring
    // pass prepares them.
    const std::unique_ptr<TCMParamList> params = EditorRuleParams();
    for (int i = 0; i < params->Count(); ++i)
        rules.Add()->LoadFromParams(*params->Items(i));
}
