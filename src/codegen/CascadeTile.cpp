#include "codegen/JavaSource.h"

namespace {

// The window-arrangement methods of the MDI program. They use the frame's _desktopPane and
// arrange the internal windows that are not iconified; icons keep their place.
const char *const kCascadeTile =
    R"JAVA(  //----------------------------------------------------------------------
  // Anordnen der Fenster
  //----------------------------------------------------------------------

  // Jedes Fenster 250 x 150 groß, um pos*50 versetzt; wo der freie Platz
  // endet, beginnt die Reihe wieder oben links (modulo)
  void setCascadeFrame() {
    JInternalFrame[] frames = _desktopPane.getAllFrames();
    int freeWidth = Math.max(1, _desktopPane.getWidth() - 250);
    int freeHeight = Math.max(1, _desktopPane.getHeight() - 150);
    int pos = 0;
    for (int i = 0; i < frames.length; i++) {
      if (frames[i].isIcon()) {
        continue;
      }
      pos++;
      try {
        frames[i].setMaximum(false);
      }
      catch (java.beans.PropertyVetoException e) {
        // das Fenster bleibt maximiert
      }
      frames[i].setBounds((pos * 50) % freeWidth, (pos * 50) % freeHeight, 250, 150);
      frames[i].moveToFront();
    }
  } // setCascadeFrame

  // Kaskade: n Fenster, jedes um einen Abstand nach rechts unten versetzt,
  // alle gleich groß (Desktop minus (n-1) Abstände). Abstand 80 bis
  // 3 Fenster, 40 bis 6 Fenster, darüber 25. Oben liegt das letzte Fenster
  // der Liste. Zu kleine Fenster oder mehr als 20: setCascadeFrame()
  void MnCascade_click() {
    JInternalFrame[] all = _desktopPane.getAllFrames();
    JInternalFrame[] frames = new JInternalFrame[all.length];
    int n = 0;
    for (int i = 0; i < all.length; i++) {
      if (!all[i].isIcon()) {
        frames[n] = all[i];
        n++;
      }
    }
    if (n == 0) {
      return;
    }
    int distance;
    if (n <= 3) {
      distance = 80;
    }
    else if (n > 6) {
      distance = 25;
    }
    else {
      distance = 40;
    }
    int width = _desktopPane.getWidth() - (n - 1) * distance;
    int height = _desktopPane.getHeight() - (n - 1) * distance;
    if (width < 80 || height < 80 || n > 20) {
      setCascadeFrame();
      return;
    }
    for (int i = 0; i < n; i++) {
      try {
        frames[i].setMaximum(false);
      }
      catch (java.beans.PropertyVetoException e) {
        // das Fenster bleibt maximiert
      }
      frames[i].setBounds(i * distance, i * distance, width, height);
      frames[i].moveToFront();
    }
  } // MnCascade_click

  // Aufteilen: ein Fenster wird maximiert. Sonst gibt es round(Wurzel(n))
  // Spalten und n div Spalten volle Zeilen; der Rest bildet oben eine
  // eigene Zeile, deren Fenster sich die ganze Breite teilen. Die Zeilen
  // werden von unten nach oben gefüllt.
  void MnTile_click() {
    JInternalFrame[] all = _desktopPane.getAllFrames();
    JInternalFrame[] frames = new JInternalFrame[all.length];
    int n = 0;
    for (int i = 0; i < all.length; i++) {
      if (!all[i].isIcon()) {
        frames[n] = all[i];
        n++;
      }
    }
    if (n == 0) {
      return;
    }
    if (n == 1) {
      try {
        frames[0].setMaximum(true);
      }
      catch (java.beans.PropertyVetoException e) {
        // das Fenster behält seine Größe
      }
      return;
    }
    int columns = (int) Math.round(Math.sqrt(n));
    int fullRows = n / columns;
    int rest = n % columns;
    int rows = fullRows;
    if (rest > 0) {
      rows++;
    }
    int width = _desktopPane.getWidth();
    int rowHeight = _desktopPane.getHeight() / rows;
    int columnWidth = width / columns;
    int k = 0;
    // volle Zeilen, die unterste zuerst
    for (int row = 0; row < fullRows; row++) {
      int y = (rows - 1 - row) * rowHeight;
      for (int column = 0; column < columns; column++) {
        try {
          frames[k].setMaximum(false);
        }
        catch (java.beans.PropertyVetoException e) {
          // das Fenster bleibt maximiert
        }
        frames[k].setBounds(column * columnWidth, y, columnWidth, rowHeight);
        k++;
      }
    }
    // die unvollständige Zeile oben mit eigener Fensterbreite
    if (rest > 0) {
      int restWidth = width / rest;
      for (int column = 0; column < rest; column++) {
        try {
          frames[k].setMaximum(false);
        }
        catch (java.beans.PropertyVetoException e) {
          // das Fenster bleibt maximiert
        }
        frames[k].setBounds(column * restWidth, 0, restWidth, rowHeight);
        k++;
      }
    }
  } // MnTile_click)JAVA";

} // namespace

QStringList CascadeTileLines() {
    return QString::fromUtf8(kCascadeTile).split(u'\n');
}
