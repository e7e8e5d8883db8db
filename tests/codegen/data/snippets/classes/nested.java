// Caret in a static nested class. attribute in: Outer$Nested; not in: Outer, Outer$Inner
class Outer {
  private int a = 1;
  static class Nested {
    int n;
    void f() {
      /*caret*/
    }
  }
  class Inner {
    String s = "}";
  }
  void g() { }
}
