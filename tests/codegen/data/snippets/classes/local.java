// Caret in a local class. attribute in: Aussen$1Lokal; not in: Aussen, Aussen$1
class Aussen {
  Runnable r = new Runnable() {
    int innen;
    public void run() { }
  };
  Runnable l = () -> { int y = 0; };
  void m() {
    class Lokal {
      int k;
      /*caret*/
    }
    new Lokal();
  }
}
