// Caret in an inner class. attribute in: Outer$Inner; not in: Outer, Outer$Nested
class Outer {
  private int a = 1;
  static class Nested {
    int n;
  }
  class Inner {
    String s = "}"; /*caret*/
    void h() {
    }
  }
  void g() { }
}
