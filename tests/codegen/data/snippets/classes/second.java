// Caret in the second class. attribute in: Zweite; not in: Erste
class Erste {
  int x;
}
class Zweite {
  String s = "class X {"; /* { */
  void f() {
    /*caret*/ char c = '{';
  }
}
