// Caret in an anonymous class: its class. attribute in: Aussen; not in: Aussen$1
class Aussen {
  Runnable r = new Runnable() {
    int innen; /*caret*/
    public void run() { }
  };
  Runnable l = () -> { int y = 0; };
  void m() { }
}
