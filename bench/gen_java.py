#!/usr/bin/env python3
"""Writes realistic Java source for the colouring benchmarks.

Usage: gen_java.py OUTPUT LINES [--dense]

Deterministic: the same arguments always give the same file. The text mixes Swing frame
code, listeners, loops, strings and line comments, with lines of up to 80 columns, so a
screen of it is dense in keywords, class names and operators. With --dense every line is
filled to 80 columns with statements (a worst-case screen).
"""
import random
import sys

CLASSES = ["JFrame", "JPanel", "JButton", "JLabel", "JTextField", "JTextArea", "JScrollPane",
           "BoxLayout", "Timer", "Vector", "HashMap", "LinkedList", "ImageIcon", "JMenuBar",
           "JMenu", "JMenuItem", "JOptionPane", "JComboBox", "JCheckBox", "BorderFactory"]
NAMES = ["count", "total", "name", "value", "index", "result", "width", "height", "label",
         "button", "panel", "frame", "item", "list", "text", "size", "step", "limit"]
COMMENTS = ["// TODO check the input first", "// the user pressed the button",
            "// keep the layout simple", "// Timer fires every second", "// print the result",
            "// if the list is empty nothing happens", "// new value for the label"]


def statement(rnd):
    a, b = rnd.choice(NAMES), rnd.choice(NAMES)
    cls = rnd.choice(CLASSES)
    forms = [
        f"{cls} {a} = new {cls}();",
        f"{a}.setText(\"Wert: \" + {b});",
        f"int {a} = {b} * 2 + {rnd.randint(1, 99)};",
        f"if ({a} > {b}) {{ {a} = {b} - 1; }}",
        f"for (int i = 0; i < {a}.size(); i++) {{ {b} += i; }}",
        f"System.out.println(\"{a} = \" + {a});",
        f"{a}.addActionListener(new ActionListener() {{",
        f"getContentPane().add({a});",
        f"{a}.setSize({rnd.randint(100, 800)}, {rnd.randint(100, 600)});",
        f"while ({a} < {b}) {{ {a}++; }}",
        f"return {a} != null ? {a}.toString() : \"\";",
        f"{a}.setLocation({b}, {rnd.randint(0, 50)}); {rnd.choice(COMMENTS)}",
        f"double {a} = Math.max({b}, {rnd.randint(1, 9)}.5);",
        f"{a}.setVisible(true); {b}.setDefaultCloseOperation(JFrame.EXIT_ON_CLOSE);",
        f"try {{ {a}.close(); }} catch (IOException e) {{ e.printStackTrace(); }}",
    ]
    return rnd.choice(forms)


def lines(rnd, count):
    out = []
    class_no = 0
    while len(out) < count:
        class_no += 1
        out.append(f"public class Fenster{class_no} extends JFrame implements ActionListener {{")
        out.append(f"    private JPanel panel = new JPanel(); {rnd.choice(COMMENTS)}")
        for method in range(rnd.randint(2, 5)):
            out.append(f"    public void methode{method}(int wert, String text) {{")
            for _ in range(rnd.randint(3, 12)):
                line = "        " + statement(rnd)
                if len(line) < 60 and rnd.random() < 0.3:
                    line += " " + rnd.choice(COMMENTS)
                out.append(line[:80])
            out.append("    }")
            out.append("")
        out.append("}")
        out.append("")
    return out[:count]


def dense_lines(rnd, count):
    out = []
    while len(out) < count:
        line = "    "
        while len(line) < 80:
            line += statement(rnd) + " "
        out.append(line[:80].rstrip())
    return out


def main():
    if len(sys.argv) not in (3, 4) or (len(sys.argv) == 4 and sys.argv[3] != "--dense"):
        sys.exit(__doc__)
    rnd = random.Random(1234)
    make = dense_lines if len(sys.argv) == 4 else lines
    with open(sys.argv[1], "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(make(rnd, int(sys.argv[2]))) + "\n")


if __name__ == "__main__":
    main()
