class Rechner {
    int a=1, b = 2;   // Operatoren zwischen Bezeichnern bleiben schwarz
    double d = a * b + (a - b) / 2 % 3;
    boolean x = a < b & b > a;
    String elif = "if else";  // Schluesselwoerter in Woertern: elif, classname
    Box.Filler f; JLabel.AccessibleJLabel j; Timer t; HashMap<String, Vector> m;
    void setBackgroundsetBackground() { println(); setLocation(1, 2); }
    // Kommentar am Ende ohne Zeilenumbruch
    int letzte = 0; // ohne Umbruch